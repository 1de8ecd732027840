// The chart of both channels on the dual tab: both spectra, or the difference I - II or II - I.

#include "ChartDrawing.h"
#include "FftLevels.h"
#include "FftReadout.h"

namespace ql {

namespace {

// In the log view of both spectra the zero line lies this far below the weaker maximum.
constexpr double kDualLogFloorDb = 50.0;

}  // namespace

ChartCursorMark dualCursorMark(const ShownChart& c, const FftView& v)
{
    return ChartCursorMark{v.fftDualCursorX, c.levelBottom, c.levelTop, v.fftDualCursorY,
                           static_cast<double>(c.lastLine)};
}

void drawDualChart(FftChartView& view, const ProgramState& s, DualView dualView, double timePerDiv,
                   char decimalSign)
{
    const bool both = dualView == DualView::Both;
    const bool log = s.fft.fftLogFlag != 0;
    const double maxLevel = s.fft.fftDualMax;
    const double minLevel = s.fft.fftDualMin;
    const LineRange lines = chartLineRange(s.fft);
    const LevelRange range =
        both ? drawnLevelRange(0.0, maxLevel) : drawnLevelRange(minLevel, maxLevel);
    // The decibels from the zero line to the top line in the log view of both spectra.
    const double dbMax = spectrumDbv(maxLevel);
    const double dbFloor = spectrumDbv(minLevel) - kDualLogFloorDb;
    const double dbSpan = dbMax - dbFloor;

    ChartSurfaces p(view);
    ShownChart c = p.begin(view, lines, range, log);
    c.view = dualView;
    c.logMapping = log && both;
    c.maxLevel = maxLevel;
    c.logSpanDb = dbSpan;

    const Rgb grey = qbColor(kFftGridColor);
    const bool dbLabels = log && both;
    drawVerticalGrid(p, lines, both ? -2.0 : range.bottom, range.top, timePerDiv, decimalSign);
    for (int i = 1; i <= 4; ++i) {
        const double y = range.bottom + (range.top - range.bottom) / 5.0 * i;
        p.chart.line(0.0, y, lines.last, y, grey);
        drawLevelLabel(p.level, y,
                       dbLabels ? decibelAxisText(dbMax - dbSpan / 5.0 * (5 - i), decimalSign)
                                : levelAxisText(y, decimalSign));
    }
    p.chart.line(0.0, range.top, lines.last, range.top, grey);
    p.chart.line(0.0, range.bottom, lines.last, range.bottom, grey);
    if (dbLabels) {
        drawLevelLabel(p.level, range.top, decibelAxisText(dbMax, decimalSign));
        drawLevelLabel(p.level, range.bottom, decibelAxisText(dbFloor, decimalSign));
    } else {
        // Volts, or in the log difference views decibels (their levels are dB x 1000).
        drawLevelLabel(p.level, range.bottom, levelAxisText(range.bottom, decimalSign));
        drawLevelLabel(p.level, range.top, levelAxisText(range.top, decimalSign));
    }

    drawCurve(p.chart, c, s.fftBuf.spectrumCh1, kFftCh1Color, 1);
    if (both) drawCurve(p.chart, c, s.fftBuf.spectrumCh2, kFftCh2Color, 1);

    c.mark = dualCursorMark(c, s.fft);
    drawCursorMark(p.chart, *c.mark);
    view.shown = c;
}

}  // namespace ql
