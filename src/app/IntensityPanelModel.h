#pragma once
// The rules of the "Intens" panel: three bars 0..255 for the trace intensities of time base A,
// time base B and the readout, each with its value beside it. The values travel with the next
// "Set"; the screen does not show them, so no action asks for a redraw. Models without time
// base B (analog-only, or the digital-mode-A family) hide the time base B bar and grey its
// labels; its value stays and is still sent.

#include <string>

#include "state/ProgramState.h"
#include "state/WindowModel.h"

namespace ql {

struct IntensityBarView {
    int value = 0;          // 0..255
    std::string valueText;  // the value in decimal
};

struct IntensityPanelView {
    IntensityBarView timebaseA, timebaseB, readout;
    bool timebaseBShown = true;  // the bar shown and its labels enabled
};

class IntensityPanelModel {
public:
    static constexpr int kMaximum = 255;
    static constexpr int kLargeStep = 25;

    explicit IntensityPanelModel(ProgramState& state) : state_(state) {}

    IntensityPanelView view() const;

    Followup timebaseAMoved(int value);
    Followup timebaseBMoved(int value);
    Followup readoutMoved(int value);

private:
    ProgramState& state_;
};

}  // namespace ql
