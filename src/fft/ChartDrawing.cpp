#include "ChartDrawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "FftLevels.h"
#include "FftReadout.h"

namespace ql {

namespace {

// Pixels between the first and the last pixel row, as Surface maps its frame.
double rowSpan(const PaintDevice& device)
{
    return std::max(1, device.size().height - 1);
}

}  // namespace

LineRange chartLineRange(const FftView& v)
{
    LineRange r;
    r.first = std::clamp<int>(v.fftScrollPos, 0, kSpectrumLastLine - 1);
    r.last = std::clamp<int>(v.fftSpan, r.first + 1, kSpectrumLastLine);
    return r;
}

ChartSurfaces::ChartSurfaces(const FftChartView& view)
    : chart(*view.chart), level(*view.levelStrip), frequency(*view.frequencyStrip)
{
}

void ChartSurfaces::clear(Rgb stripBackground)
{
    chart.setBackColor(kWhite);
    chart.cls();
    level.setBackColor(stripBackground);
    level.cls();
    frequency.setBackColor(stripBackground);
    frequency.cls();
}

ShownChart ChartSurfaces::begin(const FftChartView& view, const LineRange& lines,
                                const LevelRange& range, bool logLevels)
{
    clear(view.stripBackground);
    const double height = range.top - range.bottom;
    const double scaleTop = range.top + height / 20.0;
    const double scaleHeight = -(height + height / 10.0);
    chart.setUserScale({static_cast<double>(lines.first), scaleTop,
                        static_cast<double>(lines.width()), scaleHeight});
    level.setUserScale(
        {0.0, scaleTop, 10.0, scaleHeight * rowSpan(level.device()) / rowSpan(chart.device())});
    frequency.setUserScale(
        {static_cast<double>(lines.first), 10.0, static_cast<double>(lines.width()), -11.0});

    ShownChart c;
    c.drawn = true;
    c.chartSize = chart.device().size();
    c.scale = chart.userScale();
    c.firstLine = lines.first;
    c.lastLine = lines.last;
    c.logLevels = logLevels;
    c.levelBottom = range.bottom;
    c.levelTop = range.top;
    return c;
}

LevelRange drawnLevelRange(double bottom, double top)
{
    if (std::isfinite(bottom) && std::isfinite(top) && top - bottom > 0.0) return {bottom, top};
    const double base = std::isfinite(bottom) ? bottom : 0.0;
    return {base, base + 1.0};
}

void drawLevelLabel(Surface& strip, double y, std::string_view text)
{
    const Rgb colour = qbColor(kFftLabelColor);
    strip.line(8.0, y, 10.0, y, colour);
    strip.setForeColor(colour);
    strip.setCurrent(0.0, y);
    strip.print(text);
}

void drawFrequencyLabel(Surface& strip, double x, double timePerDiv, char decimalSign)
{
    if (x < 0.0) return;
    const Rgb colour = qbColor(kFftLabelColor);
    strip.line(x, 10.0, x, 7.0, colour);
    strip.setForeColor(colour);
    strip.setCurrent(x, 8.0);
    strip.print(frequencyAxisText(lineFrequency(timePerDiv, x), decimalSign));
}

void drawVerticalGrid(ChartSurfaces& p, const LineRange& lines, double y1, double y2,
                      double timePerDiv, char decimalSign)
{
    p.chart.setDrawWidth(1);
    const Rgb grey = qbColor(kFftGridColor);
    // A label that would touch the one left of it is left out (the chart is too narrow for
    // them all); the left edge's label always stands.
    const double gap = p.frequency.textWidth(" ");
    const auto labelEnd = [&](double x) {
        return x +
               p.frequency.textWidth(frequencyAxisText(lineFrequency(timePerDiv, x), decimalSign));
    };
    double freeFrom = labelEnd(lines.first) + gap;
    for (int k = 1; k <= 9; ++k) {
        const double x = lines.width() / 10.0 * k + lines.first;
        p.chart.line(x, y1, x, y2, grey);
        if (x < freeFrom) continue;
        drawFrequencyLabel(p.frequency, x, timePerDiv, decimalSign);
        freeFrom = labelEnd(x) + gap;
    }
    drawFrequencyLabel(p.frequency, lines.first, timePerDiv, decimalSign);
}

double levelHeight(const ShownChart& c, double value)
{
    if (!c.logMapping) return value;
    const double dbBelowMax = spectrumDbv(c.maxLevel) - spectrumDbv(value);
    return c.levelTop - (c.levelTop - c.levelBottom) / c.logSpanDb * dbBelowMax;
}

void drawCurve(Surface& chart, const ShownChart& c, std::span<const double> values, int color,
               int width)
{
    const int last = std::min<int>(c.lastLine, static_cast<int>(values.size()) - 1);
    if (last <= c.firstLine) return;
    std::vector<UserPoint> points;
    points.reserve(static_cast<std::size_t>(last - c.firstLine + 1));
    for (int k = c.firstLine; k <= last; ++k)
        points.push_back(
            {static_cast<double>(k), levelHeight(c, values[static_cast<std::size_t>(k)])});
    chart.setDrawWidth(width);
    chart.polyline(points, qbColor(color));
}

void drawCursorMark(Surface& chart, const ChartCursorMark& mark)
{
    const Rgb cyan = qbColor(kFftCursorColor);
    chart.setDrawMode(DrawMode::NotXorPen);
    chart.setDrawWidth(1);
    chart.setDrawStyle(DrawStyle::Dot);
    chart.line(mark.x, mark.bottom, mark.x, mark.top, cyan);
    if (mark.level) chart.line(0.0, *mark.level, mark.right, *mark.level, cyan);
    chart.setDrawStyle(DrawStyle::Solid);
    chart.setDrawMode(DrawMode::CopyPen);
}

}  // namespace ql
