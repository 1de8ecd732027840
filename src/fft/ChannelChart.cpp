// The chart of one channel's spectrum on the CH I or CH II tab.

#include "ChartDrawing.h"
#include "FftLevels.h"
#include "FftReadout.h"

namespace ql {

namespace {

// The log view shows the 50 dB below the maximum, in five steps of 10 dB.
constexpr double kChannelLogSpanDb = 50.0;

}  // namespace

ChartCursorMark channelCursorMark(const ShownChart& c, double cursor,
                                  std::span<const double> spectrum)
{
    ChartCursorMark mark{cursor, c.levelBottom, c.levelTop, std::nullopt,
                         static_cast<double>(c.lastLine)};
    const auto line = cursorSpectrumLine(cursor);
    if (line && static_cast<std::size_t>(*line) < spectrum.size())
        mark.level = levelHeight(c, spectrum[static_cast<std::size_t>(*line)]);
    return mark;
}

void drawChannelChart(FftChartView& view, const ProgramState& s, Channel ch, double timePerDiv,
                      char decimalSign)
{
    const bool one = ch == Channel::Ch1;
    const double maxLevel = one ? s.fft.fftMaxLevelCh1 : s.fft.fftMaxLevelCh2;
    const std::vector<double>& spectrum = one ? s.fftBuf.spectrumCh1 : s.fftBuf.spectrumCh2;
    const bool log = s.fft.fftLogFlag != 0;
    const LineRange lines = chartLineRange(s.fft);
    const LevelRange range = drawnLevelRange(0.0, maxLevel);

    ChartSurfaces p(view);
    ShownChart c = p.begin(view, lines, range, log);
    c.logMapping = log;
    c.maxLevel = maxLevel;
    c.logSpanDb = kChannelLogSpanDb;

    const Rgb grey = qbColor(kFftGridColor);
    const double top = range.top;
    drawVerticalGrid(p, lines, -2.0, top, timePerDiv, decimalSign);
    p.chart.line(0.0, 0.0, lines.last, 0.0, grey);

    // Labels: the level in volts, or in the log view the dBV of the maximum at the top line
    // and 10 dB less at each grid line down to 50 dB less at the zero line.
    const double dbMax = spectrumDbv(maxLevel);
    if (log) {
        drawLevelLabel(p.level, top, decibelAxisText(dbMax, decimalSign));
        drawLevelLabel(p.level, 0.0, decibelAxisText(dbMax - kChannelLogSpanDb, decimalSign));
    } else {
        drawLevelLabel(p.level, 0.0, levelAxisText(0.0, decimalSign));
        drawLevelLabel(p.level, top, levelAxisText(top, decimalSign));
    }
    for (int k = 1; k <= 4; ++k) {
        const double y = k * top / 5.0;
        p.chart.line(0.0, y, lines.last, y, grey);
        drawLevelLabel(p.level, y,
                       log ? decibelAxisText(dbMax - (5 - k) * 10.0, decimalSign)
                           : levelAxisText(y, decimalSign));
    }
    p.chart.line(0.0, top, lines.last, top, grey);

    drawCurve(p.chart, c, spectrum, one ? kFftCh1Color : kFftCh2Color, 2);

    c.mark = channelCursorMark(c, one ? s.fft.fftCursorCh1 : s.fft.fftCursorCh2, spectrum);
    drawCursorMark(p.chart, *c.mark);
    view.shown = c;
}

}  // namespace ql
