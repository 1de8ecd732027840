#pragma once
// The rules of the "Timebase" panel: time per division and variable of time base A and time
// base B, which time bases are on (or, on models without time base B, the delayed sweep "Del"
// and the search "SEA"), the delay position, delayed triggering, X-Mag X10 and the bandwidth
// limit. Every value is read from the settings at each view and every action writes them at
// once; nothing is sent to the instrument (the next "Set" does that).
//
// The rules the handlers keep:
// - The two "On" boxes choose the time-base mode: A and B give 1, A alone 0, B alone 3;
//   unticking the only box that is ticked keeps the mode (the box is ticked again). On
//   analog-only and digital-mode-A models the A box gives 0 in digital storage mode or when
//   it ends up ticked, else 3.
// - The A-and-B view (tbB.tbBWindowOn) follows the mode: mode 1 on a model with time base B
//   sets it, any other mode an action chooses clears it, so the next "Set" sends REF I and
//   REF II as they are once time base B is off.
// - A list entry stands for a step code: entry k is code k, or on models with the 20 ns step
//   entry 0 is that step (code 31) and entry k code k - 1.
// - The variable spins move by 10 within 0..1023, the delay spin by the delay step within
//   0..4095; a press at an end does nothing.
// Models without time base B in digital storage mode cannot run time base A faster than step 4
// (step 2 on the TX226-2; no limit on models with the new time-base modes): settle() raises
// the setting itself, as the instrument will.

#include <string>
#include <vector>

#include "SettingsPanels.h"
#include "state/WindowModel.h"

namespace ql {

// Sets the time-base mode as a panel action chooses it, with the A-and-B view flag that follows
// it; asks the windows that show the flag to follow when it changed.
Followup chooseTimebaseMode(ProgramState& state, byte mode);

// One time base's column: its list, its "On" box and its variable.
struct TimebaseColumnView {
    // The current time per division with its variable ("2.50 ms"; "---" without a table value),
    // one entry per calibrated step the list offers ("1 ms") and the entry of the current code,
    // the calibrated step of a variable value (kNoOption when the list does not offer it).
    std::string text;
    std::vector<std::string> entries;
    int step = kNoOption;
    bool listEnabled = true;
    int background = kCalibratedBackground;  // palette colour
    std::string variableText;                // the variable factor, "1.00" to "2.50"
    bool variableEnabled = true;             // its spin and its factor label
    bool on = false;                         // the "On" box
    bool onEnabled = true;
};

struct TimebasePanelView {
    // The right-hand column is time base B ("B" and its "On" box); on models without time base
    // B it is the delayed sweep ("Del", its "On" box and "SEA").
    bool timebaseB = true;
    TimebaseColumnView a, b;
    bool delayedSweep = false, delayedSweepEnabled = true;
    bool search = false, searchEnabled = true;
    // "Del. Pos": the delay as a time ("200.00 us") or as a percentage (" 50"), and its spin.
    std::string delayText;
    bool delayEnabled = true;
    bool trigDelay = false, trigDelayShown = true, trigDelayEnabled = true;
    bool xMag10 = false;
    bool bandwidthLimit = false, bandwidthLimitShown = false;
};

class TimebasePanelModel {
public:
    static constexpr int kVariableStep = 10;
    static constexpr int kLastVariable = 1023;
    static constexpr int kLastDelayPosition = 4095;

    TimebasePanelModel(ProgramState& state, char decimalSign);

    // What the panel corrects in the settings before it shows them: on a model without time
    // base B in digital storage mode the model name is stored trimmed and time base A raised
    // to the fastest step the model runs there. No redraw is asked for.
    Followup settle();
    TimebasePanelView view() const;

    // An entry of a list was chosen (kNoOption: none). Marks the screen dirty.
    Followup timebaseAChosen(int entry);
    Followup timebaseBChosen(int entry);
    // The "On" boxes of time base A (marks the screen dirty) and time base B.
    Followup timebaseASwitched(bool checked);
    Followup timebaseBSwitched(bool checked);
    // The delayed sweep "On" and "SEA" of models without time base B. Mark the screen dirty.
    Followup delayedSweepSwitched(bool checked);
    Followup searchSwitched(bool checked);
    // "Trig. Delay"; on digital-mode-A models it is the delayed sweep as well.
    Followup trigDelaySwitched(bool checked);
    // "X-Mag X10" marks the screen dirty; "BW LIMIT" does not.
    Followup xMag10Switched(bool checked);
    Followup bandwidthLimitSwitched(bool checked);
    // The variable spins mark the screen dirty only when the variable changed.
    Followup variableAStepped(SpinArrow arrow);
    Followup variableBStepped(SpinArrow arrow);
    // The delay spin never asks for a redraw.
    Followup delayStepped(SpinArrow arrow);

private:
    std::vector<int> listedCodes(int lastElement) const;
    TimebaseColumnView column(byte code, std::int16_t variable, int lastElement,
                              int calibratedBackground) const;
    std::string delayText() const;
    Followup chooseStep(byte& code, int entry, int lastElement);

    ProgramState& state_;
    char decimalSign_;
};

}  // namespace ql
