#pragma once
// The rules of the "Storage" panel: digital storage on or off, the acquisition mode, averaging,
// peak detection, hold, the pre-trigger (a list of steps, or a bar of samples on models with a
// variable pre-trigger), the two reference traces with their positions and the set-up memory
// the "Save" and "Recall" buttons use. Every value is read from the settings at each repaint and
// every action writes them at once; the four instrument buttons are operations of
// InstrumentOperations, not rules of this model.
//
// The rules the handlers keep:
// - "Single" is a storage mode on older firmware and a single-shot switch beside the mode on
//   firmware above 2.0 and in analog mode; "Envelope" clears peak detection.
// - Clearing the PreTrig box chooses the 0 % step; the box shows ticked for any other step.
// - While the time base B window is on, the REF I bar moves the time base B traces (their
//   separation is 127 minus the bar) and "TRS" stands where the REF I swatch was.
// - Digital mode on switches the component tester off, which the channels panel shows.
// - An analog-only model has no pre-trigger: every repaint sets the 0 % step.
// A value the panel cannot show (averaging outside 1..9, a storage mode above 4, a pre-trigger
// step above 7, a pre-trigger position beyond the bar, a time base without a table value) shows
// no selection or an empty text and is left as it is.

#include <string>
#include <vector>

#include "SettingsPanels.h"
#include "state/WindowModel.h"

namespace ql {

struct StoragePanelView {
    // Frame "Stor. Mode".
    bool digital = false, digitalEnabled = true;
    int mode = kNoOption;       // 0 Refresh, 1 Single, 2 Roll, 3 Envelope, 4 Average
    bool modesEnabled = false;  // Refresh, Roll, Envelope, Average (digital mode only)
    bool singleEnabled = true;
    // The averaging list: the number of averages and one entry per step (entry k is index k + 1).
    // Each list's step is the entry of its current value (kNoOption without one).
    std::vector<std::string> averageEntries;
    std::string averageText;
    int averageStep = kNoOption;
    bool averageEnabled = false;
    bool peakDetect = false, peakDetectShown = false;
    bool hold = false, holdShown = false, holdEnabled = true;
    // Frame "PreTrig": the box and the list of steps, or the bar with its time readout.
    bool pretriggerStepsShown = true;
    bool pretriggerOn = false;
    bool pretriggerStepsEnabled = false;
    std::vector<std::string> pretriggerEntries;  // per cent, entry k is step k
    std::string pretriggerText;
    int pretriggerStep = kNoOption;
    bool pretriggerBarShown = false;
    int pretriggerPosition = 0;  // samples, -2048..2048
    std::string pretriggerTime;  // "100.000 us"; empty without a value
    // References: the REF boxes, the bars (127 at the top) and what stands above REF I's bar.
    bool ref1 = false, ref1Shown = true, ref1Enabled = false;
    bool ref2 = false, ref2Enabled = false;
    int ref1Bar = 0, ref2Bar = 0;
    bool ref1BarEnabled = false, ref2BarEnabled = false;
    bool traceSeparationShown = false;  // "TRS" instead of the REF I swatch
    // Set-up memory 1..9.
    std::vector<std::string> slotEntries;
    std::string slotText;
    int slotStep = kNoOption;
    // The instrument buttons that depend on the settings: "Reset" re-arms a single acquisition,
    // "Set" stores the references.
    bool resetEnabled = false;
    bool saveReferencesEnabled = false;
};

class StoragePanelModel {
public:
    static constexpr int kModeCount = 5;
    static constexpr int kSingleMode = 1, kEnvelopeMode = 3;
    static constexpr int kZeroPretriggerStep = 3;  // the 0 % step
    static constexpr int kPretriggerReach = 2048;  // samples either side of the trigger
    static constexpr int kPretriggerSmallStep = 1, kPretriggerLargeStep = 200;  // one division
    static constexpr int kRefTop = 127, kRefBottom = -128, kRefLargeStep = 10;
    static constexpr int kSlotCount = 9;

    StoragePanelModel(ProgramState& state, char decimalSign);

    // Before the panel shows the settings: on an analog-only model the 0 % pre-trigger step,
    // the only one that model has; nothing else is written.
    Followup settle();
    StoragePanelView view() const;

    // "On" in "Stor. Mode"; switching on clears the component tester and the channels panel
    // follows. Marks the screen dirty.
    Followup digitalSwitched(bool checked);
    // An acquisition mode button (0..4).
    Followup modeChosen(int option);
    // An entry of the averaging list (kNoOption: none).
    Followup averageChosen(int entry);
    Followup peakDetectSwitched(bool checked);
    Followup holdSwitched(bool checked);
    // "On" in "PreTrig": clearing it chooses the 0 % step.
    Followup pretriggerSwitched(bool checked);
    // An entry of the pre-trigger list; marks the screen dirty in any case.
    Followup pretriggerChosen(int entry);
    Followup pretriggerMoved(int position);
    // "Ref I", "Ref II" and their bars mark the screen dirty.
    Followup ref1Switched(bool checked);
    Followup ref2Switched(bool checked);
    Followup ref1Moved(int value);
    Followup ref2Moved(int value);
    // An entry of the set-up memory list (entry k is memory k + 1).
    Followup slotChosen(int entry);

private:
    // "##.000 ns" (or us, ms, s by the size of the time) of the pre-trigger position.
    std::string pretriggerTimeText() const;

    ProgramState& state_;
    char decimalSign_;
};

}  // namespace ql
