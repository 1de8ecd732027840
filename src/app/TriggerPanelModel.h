#pragma once
// The rules of the "Trigger" panel: source, coupling, AUTO/NORM, the slopes of time base A and
// time base B, the level of time base A, and a thin bar along the top that is green while the
// last trigger status read says triggered. The screen shows the new trigger settings at its
// next redraw for another reason: no action asks for one. Nothing is sent to the instrument.
//
// The rules the handlers and the repaint keep:
// - Alternate triggering needs both channels: choosing it runs time base A alone (the
//   time-base panel follows); with one channel off, settle() clears it and points a channel
//   source at the channel that is on (an external source stays).
// - Coupling options are the names of the status line's coupling list; models without time
//   base B have no "NR" and store the codes behind it one lower.
// A value no option shows (a coupling the model lacks, source 3, a slope or mode beyond 1)
// selects nothing and is left as it is.

#include <string>

#include "SettingsPanels.h"
#include "state/WindowModel.h"

namespace ql {

struct TriggerPanelView {
    int source = kNoOption;  // 0 "CH I", 1 "CH II", 2 "Extern", 3 "Alternate"
    bool alternateEnabled = true;
    int coupling = kNoOption;  // option 0..7: AC, DC, HF, NR, LF, TVLINE, TVFIELD, LINE
    bool nrEnabled = true;
    int mode = kNoOption;    // 0 "AUTO", 1 "NORM"
    int slopeA = kNoOption;  // 0 "+", 1 "-"
    int slopeB = kNoOption;
    bool slopeBEnabled = true;
    int level = 0;                                   // 0..1023
    int statusBackground = kUncalibratedBackground;  // palette colour: green when triggered
    std::string statusText;                          // the same in words, for a screen reader
};

class TriggerPanelModel {
public:
    static constexpr int kAlternateOption = 3;
    static constexpr int kNrOption = 3;  // the coupling models without time base B lack
    static constexpr int kLastLevel = 1023;
    static constexpr int kTriggeredBackground = 10;  // light green
    static constexpr int kWaitingBackground = 12;    // light red

    explicit TriggerPanelModel(ProgramState& state) : state_(state) {}

    // What the panel corrects in the settings before it shows them: with one channel off, a
    // channel source follows the channel that is on and alternate triggering ends (the
    // time-base panel then follows).
    Followup settle();
    TriggerPanelView view() const;

    // An option of "Source"; every choice refreshes the time-base panel.
    Followup sourceChosen(int option);
    Followup couplingChosen(int option);
    Followup modeChosen(int option);
    Followup slopeAChosen(int option);
    Followup slopeBChosen(int option);
    Followup levelMoved(int level);

private:
    ProgramState& state_;
};

}  // namespace ql
