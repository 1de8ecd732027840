#pragma once
// The three spectrum charts of the FFT window seen from the core: CH I, CH II and both
// channels, each drawn on three pictures (the chart, the level strip left of it and the
// frequency strip under it), with the state of its labels and the texts of its readout cells.
// showFft computes the selected tab and draws it; the cursor moves of a drag erase the mark
// drawn last and draw the new one. The window owns the devices (images in the program,
// recording devices in the tests), keeps them the size of their controls, and shows what was
// drawn when a chart reports `updated`.
//
// Chart coordinates: x is the spectral line (FftScrollPos at the left edge, FftSpan at the
// right), y the level in spectrum units (1000 per volt) growing upward, from 1.05 x the top
// of the level range down to 0.05 x the range below its bottom. The level strip shares the
// chart's levels (its top aligned with the chart's top); the frequency strip shares its lines.

#include <functional>
#include <optional>
#include <string>

#include "FftCursor.h"
#include "draw/PaintDevice.h"
#include "draw/Surface.h"
#include "state/NumberFormat.h"
#include "state/ProgramState.h"

namespace ql {

// The tabs of the FFT window, in their order.
enum class FftTab { Ch1 = 0, Ch2 = 1, Dual = 2, Settings = 3 };

// The cursor mark as drawn (dotted, not-XOR, so drawing it again erases it): a vertical line
// at line x from `bottom` to `top` and, when there is a level, a horizontal line at that
// height from line 0 to line `right`.
struct ChartCursorMark {
    double x = 0.0, bottom = 0.0, top = 0.0;
    std::optional<double> level;
    double right = 0.0;
    bool operator==(const ChartCursorMark&) const = default;
};

// A chart as it was last drawn: what a cursor mark drawn onto it later must use, so that the
// mark lies on the chart as shown and erasing a mark covers it exactly.
struct ShownChart {
    bool drawn = false;              // a spectrum chart stands on the picture
    DeviceSize chartSize;            // the chart picture's size when it was drawn
    UserScale scale;                 // the chart's user scale
    int firstLine = 0;               // FftScrollPos
    int lastLine = 0;                // FftSpan
    bool logLevels = false;          // the log switch the chart was drawn with
    DualView view = DualView::Both;  // dual chart only
    // The level range from the zero line (Min in a difference view) to the top line. A chart
    // without a range (a silent spectrum) is drawn over a range of one unit.
    double levelBottom = 0.0, levelTop = 1.0;
    // Levels are drawn at their height in dB below `maxLevel`, `logSpanDb` taking the whole
    // range, when logMapping is set (the log views of the single charts and of both spectra).
    bool logMapping = false;
    double maxLevel = 0.0;
    double logSpanDb = 50.0;
    std::optional<ChartCursorMark> mark;  // the cursor mark standing on the picture
};

// Texts of a tab's readout cells. The single-channel tabs fill all but cursorLevel; the dual
// tab fills cursorFrequency and cursorLevel (volts or dBV).
struct FftChartCells {
    std::string maxFrequency, maxVolts, maxDbv, dcLevel;
    std::string cursorFrequency, cursorVolts, cursorDbv;
    std::string cursorLevel;
    bool operator==(const FftChartCells&) const = default;
};

// One chart tab. A tab that lacks one of its three devices is computed but not drawn.
struct FftChartView {
    PaintDevice* chart = nullptr;
    PaintDevice* levelStrip = nullptr;
    PaintDevice* frequencyStrip = nullptr;
    Rgb stripBackground = kWhite;  // the window gives its own face colour

    // Written by showFft: "Not actual" lies on the chart while its channel (either channel for
    // the dual chart) is off, the chart, arrays and cells then keep the last spectrum; Print is
    // enabled while the chart shows a computed spectrum. When the settings give no spectrum
    // the chart is empty, shows noSpectrumReason and its cells are cleared.
    bool notActualVisible = false;
    bool printEnabled = false;
    std::string noSpectrumReason;
    FftChartCells cells;  // written by showFft and by the cursor moves
    ShownChart shown;

    // Called after the pictures, labels or cells changed.
    std::function<void()> updated;
};

struct FftCharts {
    FftTab selectedTab = FftTab::Ch1;
    DualView dualView = DualView::Both;  // the view option of the dual tab
    FftChartView ch1, ch2, dual;
    bool showing = false;  // true while showFft runs: a call meanwhile does nothing
};

// Brings the selected tab up to date from the shared state: the spectrum of CH I, CH II or
// both channels (window function fftWindowCode, log switch fftLogFlag) is computed and drawn
// with its grid, labels, curves and cursor, and the cells are filled. The Settings tab gets
// nothing. A call made while one runs (a resize during a redraw) does nothing.
void showFft(ProgramState& s, FftCharts& charts, char decimalSign = systemDecimalSign());

// A mouse drag on the CH I or CH II chart (x in chart lines) or on the dual chart (x, y in
// chart units): when the cursor rule accepts it, the cursor moves, the mark drawn last is
// erased and the new one drawn, and the cursor cells take the returned readout. The dual
// cross is held on the chart as shown and read with its view and log switch.
std::optional<LineReadout> moveChannelCursor(ProgramState& s, FftCharts& charts, Channel ch,
                                             int buttons, double x,
                                             char decimalSign = systemDecimalSign());
std::optional<DualReadout> moveDualCursor(ProgramState& s, FftCharts& charts, int buttons, double x,
                                          double y, char decimalSign = systemDecimalSign());

}  // namespace ql
