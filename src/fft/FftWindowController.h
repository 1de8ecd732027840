#pragma once
// The rules of the FFT window ("FFT"): its four tabs (the spectra of CH I, CH II and both
// channels, and the Settings tab with the window options and their preview), the log switch,
// the view of the dual chart, the X-zoom and scroll bar, the chart titles, the chart buttons
// and the cursor drags. The window computes no spectrum itself: every change that affects the
// chart in view calls showFft, which recomputes the selected tab from the state. Its Qt class
// applies view() and forwards each user action here; values the program sets (on loading and
// activation) start no handler.
//
// The window opens through the "&FFT" menu item (which sets FftActive first); while it is open
// every screen redraw brings the selected tab up to date. Closing it clears FftActive and the
// item's check mark. Its placement is the analysis chart's, shared with the harmonics window:
// the window stores it when it is deactivated and when it closes.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "FftCharts.h"
#include "FftZoom.h"
#include "WindowFunction.h"
#include "state/FileDialogs.h"
#include "state/Host.h"
#include "state/WindowModel.h"

namespace ql {

inline constexpr const char* kFftWindowCaption = "FFT";
inline constexpr std::array<const char*, 4> kFftTabCaptions = {"FFT CH I", "FFT CH II",
                                                               "FFT CH I / II", "Settings"};
// The titles of the three charts' printouts and pictures as each opening starts them.
inline constexpr std::array<const char*, 3> kFftDefaultTitles = {
    "KORVA Instruments FFT CH I", "KORVA Instruments FFT CH II", "KORVA Instruments FFT CH I / II"};
// A title holds at most this many characters.
inline constexpr int kFftTitleLength = 60;
// The X-zoom is a whole number from 1 to 64 (at 1024 / 64 = 16 lines the chart still shows a
// curve).
inline constexpr int kFftMaxZoom = 64;

// The tab a chart stands on; the Settings tab has none.
inline bool isChartTab(FftTab tab)
{
    return tab != FftTab::Settings;
}

// What the chart buttons hand over to: the printout of a chart and its picture, delivered as
// the export target says (ExportToFile: the file ExportFileName, else the clipboard), each
// with the chart's title. Until the program installs them the buttons are unavailable.
struct FftChartOutputs {
    std::function<void(FftTab chart, const std::string& title)> print;
    std::function<void(FftTab chart, const std::string& title)> render;
};

// The preview picture of the Settings tab (owned by the window, like the chart pictures).
struct FftPreviewView {
    PaintDevice* picture = nullptr;
    std::function<void()> updated;
};

struct FftWindowView {
    FftTab tab = FftTab::Ch1;
    WindowFunction windowFunction = WindowFunction::Hanning;
    bool logLevels = false;
    DualView dualView = DualView::Both;
    int zoomFactor = 1;
    XZoomRange zoom;                        // scroll bar: enabled, maximum and position
    std::array<std::string, 3> titles;      // by chart tab
    std::array<bool, 3> printEnabled = {};  // Print of each chart tab
    bool outputsEnabled = false;            // Copy and Save as WMF of every chart tab
};

class FftWindowController {
public:
    FftWindowController(ProgramState& s, Host& host, FileDialogs& dialogs,
                        char decimalSign = systemDecimalSign());

    // The charts with their devices, labels and cells (the window attaches its pictures).
    FftCharts& charts() { return charts_; }
    FftChartView& chart(FftTab tab);
    FftPreviewView& preview() { return preview_; }
    void setOutputs(FftChartOutputs outputs) { outputs_ = std::move(outputs); }

    FftWindowView view() const;
    const std::string& title(FftTab chart) const;

    // The window opens: the whole spectrum at zoom 1, the view of both spectra, the design
    // titles, and the tab of the channels that are on (both: "FFT CH I / II", CH I alone:
    // "FFT CH I", else "FFT CH II"). The charts are computed by the resize that follows.
    void loaded();
    // The window becomes the active one: the options show the stored window function and log
    // switch, a code outside 1..4 as Hanning (stored back as 2) and a log flag other than 0 as
    // on (stored back as 1). Nothing is redrawn.
    void activated();
    // The window stops being the active one, or closes: its placement (in its normal state)
    // becomes the analysis chart's. Closing also ends the FFT view: FftActive 0, "&FFT"
    // unchecked.
    void deactivated();
    void unloaded();

    // The window's pictures were laid out anew, or the screen was redrawn: the selected tab
    // is recomputed (the Settings tab gets nothing).
    void resized();
    void redraw();

    // The user's actions.
    Followup tabChosen(FftTab tab);                        // Settings: the preview, else showFft
    Followup windowFunctionChosen(WindowFunction window);  // stored, then the preview
    Followup logToggled(bool on);                          // stored only
    Followup dualViewChosen(DualView view);                // showFft
    Followup zoomChanged(int factor);                      // showFft
    Followup scrollChanged(int position);                  // showFft
    Followup titleEdited(FftTab chart, std::string_view text);  // kept to 60 characters
    Followup printClicked(FftTab chart);
    // The picture to the clipboard.
    Followup copyClicked(FftTab chart);
    // The save dialog, then the picture under the chosen name; a name not ending in "WMF"
    // gives "Bad Filename" (and is kept as the export file name); a cancel does nothing.
    Followup saveClicked(FftTab chart);
    // A mouse move over a chart at (x, y) in the chart picture's pixels with the buttons held
    // (1 left, 2 right, 4 middle). It moves the chart's cursor only on a chart that shows a
    // spectrum, whose scale gives the lines and levels under the pointer.
    void chartMouseMoved(FftTab chart, int buttons, double x, double y);

private:
    void show();
    void drawPreview();
    void applyZoom(int factor, int position);
    bool outputsAvailable() const;

    ProgramState& s_;
    Host& host_;
    FileDialogs& dialogs_;
    char decimalSign_;
    FftCharts charts_;
    FftPreviewView preview_;
    FftChartOutputs outputs_;
    int zoomFactor_ = 1;
    int scrollPosition_ = 0;
    std::array<std::string, 3> titles_;
};

static_assert(WindowModel<FftWindowController>);

}  // namespace ql
