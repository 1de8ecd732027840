#pragma once
// The harmonics chart of the window's "Measurement" tab, drawn on three pictures: the chart
// itself (x in spectral lines from 0 at the left to the span at the right, y in spectrum units
// growing upward, the base line 0 a twentieth of the full scale above the bottom edge and the
// full scale a twentieth below the top), the level strip left of it (ticks and levels in
// amperes, the chart's levels per pixel, tops aligned) and the frequency strip under it (ticks
// and frequencies, y from 10 at the top to -1 at the bottom).
//
// Each harmonic of the result gets a group of filled bars at its line: the max-hold level from
// n - 3 to n + 3 in light red (only with Max. Hold on), the average from n - 1 to n + 3 in light
// blue and the current sweep from n + 1 to n + 3 in light green, so a red and a blue edge two
// lines wide stand left of the green bar. The marker of the fundamental is a dotted cyan line
// drawn with the not-XOR pen over the whole height.

#include <functional>

#include "HarmonicAnalysis.h"
#include "draw/PaintDevice.h"
#include "state/NumberFormat.h"

namespace ql {

// Palette numbers of the bars.
inline constexpr int kMaxHoldBarColor = 12;
inline constexpr int kAverageBarColor = 9;
inline constexpr int kSweepBarColor = 10;

// The pictures of the chart; the window owns the devices and keeps them the size of their
// controls. A chart that lacks one of its devices is not drawn.
struct HarmonicsChartView {
    PaintDevice* chart = nullptr;
    PaintDevice* levelStrip = nullptr;
    PaintDevice* frequencyStrip = nullptr;
    Rgb stripBackground = kWhite;  // the window gives its own face colour
    // Called after the pictures were drawn.
    std::function<void()> updated;
};

// What the chart of a run is drawn with besides the result's rows, taken when the run ends.
struct HarmonicsChartFrame {
    int span = 512;          // spectral lines across (HarmSpan)
    double fullScale = 0.0;  // the largest max-hold level (FftMaxLevelCh1); 0: nothing measured
    bool maxHold = true;
    float voltsPerAmp = 1.0f;
    double marker = 0.0;  // line of the marker (FftCursorCh1)
};
HarmonicsChartFrame harmonicsChartFrame(const ProgramState& s);

// Clears the pictures and draws the chart of the result: scales, nine vertical grid lines with
// their frequencies, the base line, four horizontal lines and the top line with their levels,
// the bars of every row and the marker. A full scale of 0 (or not a number) draws the axes over
// one unit without bars. A result without a table shows its reason on the chart instead.
void drawHarmonicsChart(HarmonicsChartView& view, const HarmonicsChartFrame& frame,
                        const HarmonicsResult& result, char decimalSign = systemDecimalSign());

}  // namespace ql
