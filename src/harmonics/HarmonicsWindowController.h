#pragma once
// The rules of the harmonics window ("Harmonic current emissions"): what it shows on its two
// tabs, what opening, activation, the option controls and boxes, the tab switch, a resize, a
// double click on a table row and closing do to the state, and each run of the analysis with
// its chart. The options live in the state (HarmView): the controls show them and their
// handlers write them; none of the handlers runs the analysis, the next run applies them (the
// next screen redraw, a switch to the "Measurement" tab or a resize).
//
// The last run's result stays here for the table, the report and the export.

#include <string>
#include <string_view>

#include "HarmonicAnalysis.h"
#include "HarmonicsChart.h"
#include "LimitSource.h"
#include "state/Host.h"
#include "state/WindowModel.h"

namespace ql {

enum class HarmonicsTab { Measurement = 0, Settings = 1 };

// The span options "View 0 - SR/2" ... "View 0 - SR/16": 1024, 512, 256 and 128 lines, kept as
// HarmSpanCode 1 to 4.
enum class HarmonicsSpan { Half = 0, Quarter = 1, Eighth = 2, Sixteenth = 3 };
inline constexpr int kHarmonicsSpanCount = 4;

// The window options "Rectangle" and "Hanning", kept as HarmWindowCode 1 and 2.
enum class HarmonicsWindowFunction { Rectangle = 0, Hanning = 1 };

// The printout headline holds at most this many characters.
inline constexpr int kHarmonicsHeadlineLength = 45;

struct HarmonicsWindowView {
    // "Settings": the three boxes, the two check boxes, the options and the headline.
    std::string voltsPerAmpText;    // beside "1A = "
    std::string lineFrequencyText;  // beside "Line=", read-only
    std::string powerFactorText;    // beside "Pf="
    bool autoFrequency = false;
    bool maxHold = false;
    HarmonicsSpan span = HarmonicsSpan::Quarter;
    HarmonicsWindowFunction windowFunction = HarmonicsWindowFunction::Hanning;
    std::string headline;
    // "Measurement": the value labels, the Start/Stop caption and the table's colour (the rows
    // are the result's).
    std::string fundamentalText;     // beside "Pk I-rms:"
    std::string lineFrequencyLabel;  // " 50Hz"
    std::string rmsText;             // beside "I rms:"
    std::string startCaption;        // "Start" while automatic update is off, else "Stop"
    Rgb tableColor = kWhite;
    std::string resultText = "No result";  // the overall result the colour shows, in words
};

class HarmonicsWindowController {
public:
    // `limits` is where the analysis finds the chosen definition.
    HarmonicsWindowController(ProgramState& state, Host& host, LimitSource& limits,
                              char decimalSign = systemDecimalSign());

    // The window's pictures (the window sets the devices) and the last run's result.
    HarmonicsChartView& chart() { return chart_; }
    const HarmonicsResult& result() const { return result_; }
    HarmonicsWindowView view() const;

    // The window opens: a new test (count 1, average and max-hold cleared, nothing judged),
    // then as on activation.
    void opened();
    // The window became the active one: the span from HarmSpanCode (any value but 1 to 4
    // gives "View 0 - SR/4") and the window function from HarmWindowCode (1 Rectangle, any
    // other Hanning) are chosen again, which sets HarmSpan and the codes.
    void activated();
    // Keeps where the window stands (normal state only: a minimised or maximised window keeps
    // its last normal place) in the place it shares with the FFT window. On deactivation, on
    // every move or resize and on closing.
    void keepPlacement();
    // The window was closed, by its close box or by the menu item: the placement is kept, the
    // harmonics view ends (the menu item's check mark goes, "Auto" is enabled and cleared,
    // automatic update stops).
    void closed();

    // One run of the analysis and, when it got as far as CH I, its chart: from the screen
    // redraw and the window's own events.
    HarmonicsRun run();
    // A resize: a run, unless the window is minimised.
    void resized(bool minimised);
    // Switching to "Measurement" runs the analysis; switching to "Settings" does nothing.
    Followup tabChosen(HarmonicsTab tab);
    // "Clear Harmonics": the average and the max-hold start again from the record in hand, in
    // a run of their own; acquisition, the instrument and the options are left as they are.
    HarmonicsRun clearPressed();

    Followup maxHoldToggled(bool checked);
    Followup autoFrequencyToggled(bool checked);
    Followup spanChosen(HarmonicsSpan span);
    Followup windowFunctionChosen(HarmonicsWindowFunction function);
    // The probe scale: a finite number above 0 is taken, anything else keeps the previous one
    // (0 would divide every level by zero, a negative one pass every absolute limit).
    Followup voltsPerAmpEntered(std::string_view text);
    // The power factor: a number outside 0..1 becomes 1, anything else not a number keeps the
    // previous value.
    Followup powerFactorEntered(std::string_view text);
    // Every edit of the headline box: its first 45 characters, trimmed, are the headline.
    Followup headlineEdited(std::string_view text);
    // A double click on a row of the table (row 0 is the header row, row k harmonic k): the
    // marker moves to the max-hold peak next to the harmonic's line, or to the line itself
    // when there is no peak there, and to line 0 when that lies outside the span. False when
    // nothing changed (the header row, a row without a harmonic).
    bool rowDoubleClicked(int gridRow);

private:
    void redrawChart();

    ProgramState& s_;
    Host& host_;
    LimitSource& limits_;
    char decimalSign_;
    HarmonicsChartView chart_;
    HarmonicsChartFrame frame_;  // of the chart as last drawn
    HarmonicsResult result_;
};

static_assert(WindowModel<HarmonicsWindowController>);

}  // namespace ql
