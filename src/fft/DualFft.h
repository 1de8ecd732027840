#pragma once
// The spectra of both channels for the dual chart, prepared for its view: both spectra as
// computed, or the difference I - II or II - I of lines 0..FftSpan written into SpectrumCh1.
// In the log views the difference is that of the dBV levels, each channel first floored 50 dB
// below its own maximum, held in dB x 1000 (so the chart's /1000 shows decibels); SpectrumCh2
// then holds CH II's floored dBV levels. FftDualMax and FftDualMin get the level range of the
// view and the cursor cross is held on it.

#include <string>

#include "ChannelFft.h"
#include "FftCursor.h"
#include "WindowFunction.h"
#include "state/ProgramState.h"

namespace ql {

struct DualSpectrumResult {
    SpectrumOutcome outcome = SpectrumOutcome::ChannelOff;
    std::string reason;  // "Not actual" while a channel is off, else why there is no spectrum
    DualReadout cursor;  // readout at the clamped cursor cross
};

// Needs both channels on; otherwise, or without a scale, nothing changes.
DualSpectrumResult computeDualSpectrum(ProgramState& s, WindowFunction window, DualView view,
                                       bool logLevels, char decimalSign = systemDecimalSign());

}  // namespace ql
