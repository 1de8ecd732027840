#pragma once
// The instrument's AUTOSET: a fixed script that adapts the settings to the signals present.
//   - a channel with a signal is switched on (and a GND input put back to DC), a channel
//     without one is switched off (CH I stays on when neither has one);
//   - volts/div: the smallest step at which the signal spans at most six divisions, variable
//     calibrated, trace centred;
//   - trigger: on the first channel with a periodic signal, AUTO, rising, level centred,
//     AC coupling, no alternate triggering;
//   - time base A: the fastest step that shows at least two periods, variable calibrated;
//     time base A only, no XY, no X-Mag, no component tester, refresh mode, digital storage
//     on models that have it.

#include <array>

#include "InstrumentSettings.h"
#include "ModelProfile.h"
#include "Signal.h"

namespace ql::scopesim {

void runAutoset(InstrumentSettings& settings, const ModelProfile& profile, float firmware,
                const std::array<Signal, 2>& inputs);

}  // namespace ql::scopesim
