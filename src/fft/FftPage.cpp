#include "FftPage.h"

#include <algorithm>
#include <cmath>

#include "ChartDrawing.h"
#include "FftLevels.h"
#include "FftReadout.h"
#include "state/Text.h"

namespace ql {

namespace {

// What printout and picture do differently.
struct PageStyle {
    int frameWidth = 1;
    int curveWidth = 1;
    const char* ch1TitleFace = "";
    // How far below the base line the frequency ticks of the dual chart's view of both spectra
    // reach, as a part of the level range.
    double dualBothTick = 0.0;
};

constexpr PageStyle kPrintoutStyle{5, 5, "courier new", 1.0 / 100.0};
constexpr PageStyle kPictureStyle{2, 1, "MS Sans Serif", 1.0 / 50.0};

constexpr const char* kTitleFace = "courier new";
constexpr const char* kBodyFace = "courier";
constexpr double kTitlePoints = 16.0, kBodyPoints = 10.0;
// The single-channel log view shows the 50 dB below the maximum; the dual one reaches 50 dB
// below the weaker maximum.
constexpr double kLogSpanDb = 50.0;
// Ticks of a single chart and of a difference view end this part of the range below the base.
constexpr double kChannelTick = 1.0 / 50.0, kDifferenceTick = 1.0 / 100.0;
// The level ticks run from line 0 to line -5.
constexpr double kLevelTickEnd = -5.0;

const char* windowName(WindowFunction w)
{
    switch (w) {
        case WindowFunction::Rectangle: return "Rectangle";
        case WindowFunction::Welch: return "Welch";
        case WindowFunction::Blackman: return "Blackman";
        case WindowFunction::Hanning: break;
    }
    return "Hanning";
}

const char* dualHeading(DualView v)
{
    switch (v) {
        case DualView::OneMinusTwo: return "CH I - CH II  (log: CH I / CH II)";
        case DualView::TwoMinusOne: return "CH II - CH I  (log: CH II / CH I)";
        case DualView::Both: break;
    }
    return "CH I and CH II";
}

double dbv(double level)
{
    return 20.0 * log10Floored(level / kSpectrumUnitsPerVolt);
}

// The chart's place on the page and how its levels are labelled and drawn.
struct PageLayout {
    bool dual = false, both = true, log = false;
    double first = 0.0, last = 1.0, lines = 1.0;  // S, E, W
    double base = 0.0, top = 1.0;                 // level range drawn
    bool empty = false;                           // no range: no curves
    double dbSpan = kLogSpanDb;                   // decibels from base to top in a log view
    double tickEnd = 0.0;                         // lower end of the frequency ticks
    double range() const { return top - base; }
};

PageLayout layoutOf(const SpectrumSnapshot& p, const PageStyle& style)
{
    PageLayout l;
    l.dual = p.chart == FftTab::Dual;
    l.both = !l.dual || p.view == DualView::Both;
    l.log = p.logLevels;
    const int first = std::clamp(p.firstLine, 0, kSpectrumLastLine - 1);
    const int last = std::clamp(p.lastLine, first + 1, kSpectrumLastLine);
    l.first = first;
    l.last = last;
    l.lines = last - first;

    const double bottom = l.both ? 0.0 : p.minLevel;
    const LevelRange drawn = drawnLevelRange(bottom, p.maxLevel);
    l.base = drawn.bottom;
    l.top = drawn.top;
    l.empty = drawn.bottom != bottom || drawn.top != p.maxLevel;
    if (l.dual && l.both) l.dbSpan = dbv(l.top) - (dbv(p.minLevel) - kLogSpanDb);
    if (!std::isfinite(l.dbSpan) || l.dbSpan <= 0.0) l.dbSpan = kLogSpanDb;

    const double tick = !l.dual ? kChannelTick : l.both ? style.dualBothTick : kDifferenceTick;
    l.tickEnd = l.base - l.range() * tick;
    return l;
}

// Height of a spectrum value: the value itself, or in a log view of spectra its decibels below
// the top mapped onto the chart, the lowest dbSpan decibels above the base and anything lower
// on it.
double heightOf(const PageLayout& l, double value)
{
    if (!l.log || !l.both) return value;
    const double dbBelowTop = 20.0 * (log10Floored(l.top) - log10Floored(value));
    const double y = l.top - l.range() / l.dbSpan * dbBelowTop;
    return std::max(y, l.base);
}

std::string levelLabel(const PageLayout& l, int step, double y, char sign)
{
    const double value = y / kSpectrumUnitsPerVolt;
    if (!l.dual) {
        if (l.log) return formatNumber(dbv(l.top) - (5 - step) * 10.0, "###.0dBV", sign);
        const char* pattern = y > 100000.0 ? "###0.0V" : y > 10000.0 ? "###0.00V" : "###0.000V";
        return formatNumber(value, pattern, sign);
    }
    if (l.log && l.both)
        return formatNumber(dbv(l.top) - (5 - step) * l.dbSpan / 5.0, "###.0dB", sign);
    if (l.log) return formatNumber(value, y > 100000.0 ? "###0dB" : "###0.0dB", sign);
    const char* pattern = y > 100000.0 ? "###0V" : y > 10000.0 ? "###0.0V" : "###0.00V";
    return formatNumber(value, pattern, sign);
}

void drawHeader(Surface& page, const SpectrumSnapshot& p, const PageStyle& style,
                const PageLayout& l, double pageTop)
{
    page.setForeColor(kBlack);
    page.setCurrent(l.first, pageTop - l.range() / 30.0);
    page.setFont(
        {p.chart == FftTab::Ch1 ? style.ch1TitleFace : kTitleFace, kTitlePoints, true, false});
    page.print(trim(p.title));
    page.setFont({kBodyFace, kBodyPoints, false, false});
    page.print("");
    const std::string dated = " -- " + p.date + "   " + p.time;
    const std::string window = std::string("Windowfunction: ") + windowName(p.windowFunction);
    page.setCurrentX(l.first);
    if (l.dual) {
        page.print(dualHeading(p.view));
        page.setCurrentX(l.first);
        page.print(window + dated);
        return;
    }
    page.print("DC-Level : " + trim(p.dcLevel) + "      " + window + dated);
    page.setCurrentX(l.first);
    page.print("Max-Level: " + trim(p.maxVolts) + "   " + trim(p.maxDbv) + "   " +
               trim(p.maxFrequency));
}

void drawFrequencyTick(Surface& page, const SpectrumSnapshot& p, const PageLayout& l, double x)
{
    if (x < 0.0) return;
    page.line(x, l.base, x, l.tickEnd, kBlack);
    if (!p.timePerDiv) return;
    page.setForeColor(kBlack);
    page.setCurrent(x, l.tickEnd);
    page.print(frequencyText(lineFrequency(*p.timePerDiv, x), KiloStyle::Page, p.decimalSign));
}

void drawSpectrum(Surface& page, const PageLayout& l, const std::vector<double>& values, int color)
{
    const int last = std::min(static_cast<int>(l.last), static_cast<int>(values.size()) - 1);
    const int first = static_cast<int>(l.first);
    if (last <= first) return;
    std::vector<UserPoint> points;
    points.reserve(static_cast<std::size_t>(last - first + 1));
    for (int k = first; k <= last; ++k)
        points.push_back(
            {static_cast<double>(k), heightOf(l, values[static_cast<std::size_t>(k)])});
    page.polyline(points, qbColor(color));
}

}  // namespace

SpectrumSnapshot spectrumSnapshot(const ProgramState& s, const FftCharts& charts, FftTab chart,
                                  const std::string& title, const DateTime& now, char decimalSign)
{
    SpectrumSnapshot p;
    p.chart = chart == FftTab::Settings ? FftTab::Ch1 : chart;
    p.view = charts.dualView;
    p.logLevels = s.fft.fftLogFlag != 0;
    p.windowFunction = windowFromCode(s.fft.fftWindowCode);
    p.title = title;
    const LineRange lines = chartLineRange(s.fft);
    p.firstLine = lines.first;
    p.lastLine = lines.last;
    const auto upTo = [&](const std::vector<double>& v) {
        const std::size_t n = std::min(v.size(), static_cast<std::size_t>(lines.last) + 1);
        return std::vector<double>(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n));
    };
    const FftChartView* view = &charts.ch1;
    switch (p.chart) {
        case FftTab::Ch2:
            p.maxLevel = s.fft.fftMaxLevelCh2;
            p.spectrumCh2 = upTo(s.fftBuf.spectrumCh2);
            view = &charts.ch2;
            break;
        case FftTab::Dual:
            p.maxLevel = s.fft.fftDualMax;
            p.minLevel = s.fft.fftDualMin;
            p.spectrumCh1 = upTo(s.fftBuf.spectrumCh1);
            p.spectrumCh2 = upTo(s.fftBuf.spectrumCh2);
            view = &charts.dual;
            break;
        case FftTab::Ch1:
        case FftTab::Settings:
            p.maxLevel = s.fft.fftMaxLevelCh1;
            p.spectrumCh1 = upTo(s.fftBuf.spectrumCh1);
            break;
    }
    p.dcLevel = view->cells.dcLevel;
    p.maxVolts = view->cells.maxVolts;
    p.maxDbv = view->cells.maxDbv;
    p.maxFrequency = view->cells.maxFrequency;
    p.timePerDiv = spectrumTimePerDiv(s);
    p.date = formatLongDate(now);
    p.time = formatClockTime(now);
    p.decimalSign = decimalSign;
    return p;
}

void renderSpectrumPage(Surface& page, PageKind kind, const SpectrumSnapshot& p)
{
    const PageStyle& style = kind == PageKind::Printout ? kPrintoutStyle : kPictureStyle;
    const PageLayout l = layoutOf(p, style);
    if (kind == PageKind::Picture) {
        page.setBackColor(kWhite);
        page.cls();
        page.setDrawMode(DrawMode::CopyPen);
        page.setDrawStyle(DrawStyle::Solid);
    }
    // The page's edges, in single precision as the page has always been laid out.
    const auto single = [](double v) { return static_cast<double>(static_cast<float>(v)); };
    const double left = single(l.first - l.lines / 6.0), right = single(l.last + l.lines / 12.0);
    const double top = single(l.top + l.range() / 5.0), bottom = single(l.base - l.range() / 5.0);
    page.scale(left, top, right, bottom);

    drawHeader(page, p, style, l, top);

    const Rgb grey = qbColor(kFftGridColor);
    page.setDrawWidth(1);
    for (int i = 1; i <= 9; ++i) {
        const double x = l.first + i * l.lines / 10.0;
        page.line(x, l.base, x, l.top, grey);
    }
    page.setDrawWidth(style.frameWidth);
    page.line(l.first, l.top, l.last, l.top, grey);
    page.line(l.first, l.base, l.last, l.base, grey);
    page.line(l.first, l.base, l.first, l.top, grey);
    page.line(l.last, l.base, l.last, l.top, grey);
    page.setDrawWidth(1);
    for (int i = 1; i <= 4; ++i) {
        const double y = l.base + i * l.range() / 5.0;
        page.line(l.first, y, l.last, y, grey);
    }
    for (int i = 0; i <= 10; ++i) drawFrequencyTick(page, p, l, l.first + i * l.lines / 10.0);

    page.setForeColor(kBlack);
    for (int i = 0; i <= 5; ++i) {
        const double y = l.base + i * l.range() / 5.0;
        page.line(0.0, y, kLevelTickEnd, y, kBlack);
        page.setCurrent(l.first - l.lines / 11.0, y);
        page.print(levelLabel(l, i, y, p.decimalSign));
    }

    if (l.empty) return;
    page.setDrawWidth(style.curveWidth);
    if (p.chart == FftTab::Ch2) {
        drawSpectrum(page, l, p.spectrumCh2, kFftCh2Color);
        return;
    }
    drawSpectrum(page, l, p.spectrumCh1, kFftCh1Color);
    if (l.dual && l.both) drawSpectrum(page, l, p.spectrumCh2, kFftCh2Color);
}

}  // namespace ql
