#pragma once
// The rules of the "Channels" panel: the vertical settings of CH I and CH II (volts/div,
// coupling, probe, on, invert, variable gain, position) and the switches ADD, Chop, XY and CT.
// Every value is read from the settings at each view and every action writes them at once;
// nothing is sent to the instrument (the next "Set" does that, a "Read" overwrites them).
//
// The rules the handlers keep:
// - One channel is always on: switching off the only channel that is on switches the other on.
// - XY on remembers the on-states and switches both channels on; XY off restores the
//   remembered states (whatever the switches did meanwhile).
// - GND keeps the AC/DC choice beneath it (code 2 after DC, 3 after AC); AC or DC clears GND.
// - The variable gain runs 0..255 (255 calibrated); the up arrow lowers it (the shown factor
//   rises), the down arrow raises it; a press at the end does nothing.
// - CT on clears digital mode, which the storage panel shows.
// A value the panel cannot show (a volts/div code without a table value, a probe factor other
// than 1, 10 or 100, a coupling outside 0..3) shows "---" or no selection and is left as it is.

#include <array>
#include <string>
#include <vector>

#include "SettingsPanels.h"
#include "state/Scaling.h"
#include "state/WindowModel.h"

namespace ql {

// One channel's half of the panel.
struct ChannelColumnView {
    bool on = false;
    bool colourBarShown = false;
    bool invert = false;
    bool invertEnabled = true;
    // The volts/div list: the current value as its text ("Off" while the channel is off, "---"
    // without a table value), one entry per step code (entry k is code k; none while off) and
    // the entry of the current code (kNoOption without one).
    bool voltsEnabled = false;
    std::string voltsText;
    std::vector<std::string> voltsEntries;
    int voltsStep = kNoOption;
    int voltsBackground = kCalibratedBackground;  // palette colour
    std::string variableText;                     // the variable factor, "1.00" to "2.50"
    int coupling = kNoOption;                     // 0 "AC", 1 "DC", 2 "GND"
    int probe = kNoOption;                        // 0 "X 1", 1 "X10", 2 "X100"
    bool x100Enabled = true;
    int position = 0;  // 0..1023
    bool positionEnabled = false;
};

struct ChannelsPanelView {
    std::array<ChannelColumnView, 2> channels;  // CH I, CH II
    bool add = false, addEnabled = false;
    bool chop = false, chopEnabled = false;
    bool xy = false;
    bool componentTester = false;
};

class ChannelsPanelModel {
public:
    static constexpr int kProbeFactors[3] = {1, 10, 100};
    static constexpr int kCouplingAc = 0, kCouplingDc = 1, kCouplingGnd = 2;  // option numbers

    ChannelsPanelModel(ProgramState& state, char decimalSign);

    ChannelsPanelView view() const;

    // An entry of the volts/div list was chosen (kNoOption: none). Marks the screen dirty.
    Followup voltsChosen(Channel ch, int entry);
    // An option of the "Input" group (AC, DC, GND) was chosen.
    Followup couplingChosen(Channel ch, int option);
    // An option of the "Probe" group (X 1, X10, X100) was chosen. Marks the screen dirty.
    Followup probeChosen(Channel ch, int option);
    // "On" switched; the trigger panel follows. Marks the screen dirty.
    Followup onSwitched(Channel ch, bool checked);
    Followup invertSwitched(Channel ch, bool checked);
    // An arrow of the variable spin; marks the screen dirty only when the gain changed.
    Followup variableStepped(Channel ch, SpinArrow arrow);
    Followup positionMoved(Channel ch, int position);
    // "ADD" marks the screen dirty; "Chop" does not.
    Followup addSwitched(bool checked);
    Followup chopSwitched(bool checked);
    // "XY" redraws the screen at once.
    Followup xySwitched(bool checked);
    // "CT" on clears digital mode and the storage panel follows.
    Followup componentTesterSwitched(bool checked);

private:
    ChannelColumnView column(Channel ch) const;

    ProgramState& state_;
    char decimalSign_;
};

}  // namespace ql
