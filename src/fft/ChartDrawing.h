#pragma once
// The pieces the spectrum charts are made of: the three surfaces of a tab with their scales,
// the level and frequency labels, the curves and the cursor mark. Used by the chart drawing
// of the single-channel and the dual tabs.

#include <span>
#include <string_view>

#include "FftCharts.h"
#include "draw/Surface.h"
#include "state/Scaling.h"

namespace ql {

// Palette numbers of the charts.
inline constexpr int kFftGridColor = 8;
inline constexpr int kFftLabelColor = 5;
inline constexpr int kFftCh1Color = 12;
inline constexpr int kFftCh2Color = 9;
inline constexpr int kFftCursorColor = 3;

// The chart's lines first..last, never beyond the transform's 0..1024 and at least one wide.
struct LineRange {
    int first = 0, last = 1;
    int width() const { return last - first; }
};
LineRange chartLineRange(const FftView& v);

// The level range a chart is drawn over: `bottom` to `top`, or one unit up from `bottom` when
// the range has no height (or is not a number), so no scale or mapping divides by zero.
struct LevelRange {
    double bottom = 0.0, top = 1.0;
};
LevelRange drawnLevelRange(double bottom, double top);

// The three pictures of a tab, with the chart's back colour white.
class ChartSurfaces {
public:
    explicit ChartSurfaces(const FftChartView& view);
    Surface chart, level, frequency;

    // Clears the three pictures.
    void clear(Rgb stripBackground);
    // Clears the pictures and scales them for a chart of the lines and the level range: lines
    // across; levels from the top + range / 20 down to the bottom - range / 20, the level
    // strip with the same levels per pixel and its top on the chart's top; the frequency strip
    // from 10 at its top to -1 at its bottom. Returns the record of the chart to be drawn,
    // linear levels; the caller completes it.
    ShownChart begin(const FftChartView& view, const LineRange& lines, const LevelRange& range,
                     bool logLevels);
};

// A tick at the chart's edge of the level strip (x 8 to 10) at height y and the text with its
// top-left corner at (0, y), in the label colour.
void drawLevelLabel(Surface& strip, double y, std::string_view text);

// A tick under the chart (y 10 to 7) at line position x and the frequency of that position
// from (x, 8), in the label colour; nothing left of line 0.
void drawFrequencyLabel(Surface& strip, double x, double timePerDiv, char decimalSign);

// The nine grey vertical grid lines from y1 to y2 with their frequency labels, every tenth of
// the range, and the label of the left edge; a label that would touch the one before it (less
// than a blank between them) is left out.
void drawVerticalGrid(ChartSurfaces& p, const LineRange& lines, double y1, double y2,
                      double timePerDiv, char decimalSign);

// Height at which the chart shows a spectrum value: the value itself, or with logMapping its
// decibels below maxLevel mapped so that maxLevel is on the top line and a value logSpanDb
// lower on the zero line.
double levelHeight(const ShownChart& c, double value);

// The curve of values[first..last] as one stroke in the colour and width.
void drawCurve(Surface& chart, const ShownChart& c, std::span<const double> values, int color,
               int width);

// Draws the mark with the dotted not-XOR cursor pen and puts the pen back to solid copy.
void drawCursorMark(Surface& chart, const ChartCursorMark& mark);

// --- The charts (on a view with its three devices) -----------------------------------------

// The chart of the computed spectrum of one channel: scales, grid, zero and top lines, level
// and frequency labels, the curve (2 wide) and the cursor; view.shown records it.
void drawChannelChart(FftChartView& view, const ProgramState& s, Channel ch, double timePerDiv,
                      char decimalSign);
// The cursor mark of a single-channel chart at line `cursor`: a vertical line over the level
// range and a level line at the height of the line's value, none beyond line 1024.
ChartCursorMark channelCursorMark(const ShownChart& c, double cursor,
                                  std::span<const double> spectrum);

// The dual chart of the prepared view (DualFft.h): scales, grid, frame, labels, curve 1 and,
// in the view of both spectra, curve 2, and the cursor cross; view.shown records it.
void drawDualChart(FftChartView& view, const ProgramState& s, DualView dualView, double timePerDiv,
                   char decimalSign);
// The cross of the dual chart at the cursor position of the state.
ChartCursorMark dualCursorMark(const ShownChart& c, const FftView& v);

}  // namespace ql
