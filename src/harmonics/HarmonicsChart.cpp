#include "HarmonicsChart.h"

#include <algorithm>
#include <cmath>

#include "fft/ChartDrawing.h"
#include "fft/FftLevels.h"

namespace ql {

namespace {

// The chart's grid starts a little below the base line, so it meets the frequency strip.
constexpr double kGridBottom = -2.0;

void drawLevelLine(ChartSurfaces& p, int span, double y, float voltsPerAmp, char decimalSign)
{
    p.chart.line(0.0, y, span, y, qbColor(kFftGridColor));
    drawLevelLabel(p.level, y, levelAxisAmperesText(y, voltsPerAmp, decimalSign));
}

void drawBars(Surface& chart, const HarmonicRow& row, bool maxHold)
{
    const double n = row.line;
    if (maxHold) chart.fillBox(n - 3, 0.0, n + 3, row.maxHoldLevel, qbColor(kMaxHoldBarColor));
    chart.fillBox(n - 1, 0.0, n + 3, row.averageLevel, qbColor(kAverageBarColor));
    chart.fillBox(n + 1, 0.0, n + 3, row.sweepLevel, qbColor(kSweepBarColor));
}

}  // namespace

HarmonicsChartFrame harmonicsChartFrame(const ProgramState& s)
{
    HarmonicsChartFrame f;
    f.span = std::clamp<int>(s.harm.harmSpan, 1, kSpectrumLastLine);
    f.fullScale = s.fft.fftMaxLevelCh1;
    f.maxHold = s.harm.harmMaxHold == 1;
    f.voltsPerAmp = s.harm.harmVoltsPerAmp;
    f.marker = s.fft.fftCursorCh1;
    return f;
}

void drawHarmonicsChart(HarmonicsChartView& view, const HarmonicsChartFrame& frame,
                        const HarmonicsResult& result, char decimalSign)
{
    if (!view.chart || !view.levelStrip || !view.frequencyStrip) return;
    FftChartView pictures;
    pictures.chart = view.chart;
    pictures.levelStrip = view.levelStrip;
    pictures.frequencyStrip = view.frequencyStrip;
    pictures.stripBackground = view.stripBackground;
    ChartSurfaces p(pictures);
    if (!result.judged) {
        p.clear(view.stripBackground);
        p.chart.setForeColor(kBlack);
        p.chart.print(result.reason);
        if (view.updated) view.updated();
        return;
    }

    // Nothing measured since the last clear: the axes over one unit and no bars.
    const bool measured = std::isfinite(frame.fullScale) && frame.fullScale > 0.0;
    const LevelRange range = drawnLevelRange(0.0, measured ? frame.fullScale : 0.0);
    const double top = range.top;
    const LineRange lines{0, std::clamp(frame.span, 1, kSpectrumLastLine)};
    p.begin(pictures, lines, range, false);

    drawVerticalGrid(p, lines, kGridBottom, top, result.timePerDiv, decimalSign);
    drawLevelLabel(p.level, 0.0, levelAxisAmperesText(0.0, frame.voltsPerAmp, decimalSign));
    p.chart.line(0.0, 0.0, lines.last, 0.0, qbColor(kFftGridColor));
    for (int k = 1; k <= 4; ++k)
        drawLevelLine(p, lines.last, k * top / 5.0, frame.voltsPerAmp, decimalSign);
    drawLevelLine(p, lines.last, top, frame.voltsPerAmp, decimalSign);

    if (measured)
        for (const HarmonicRow& row : result.rows) drawBars(p.chart, row, frame.maxHold);
    ChartCursorMark marker;
    marker.x = frame.marker;
    marker.bottom = 0.0;
    marker.top = top;
    drawCursorMark(p.chart, marker);
    if (view.updated) view.updated();
}

}  // namespace ql
