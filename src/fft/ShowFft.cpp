// showFft and the cursor moves of the three charts (declared in FftCharts.h).

#include "ChannelFft.h"
#include "ChartDrawing.h"
#include "DualFft.h"
#include "FftCharts.h"
#include "FftLevels.h"
#include "WindowFunction.h"

namespace ql {

namespace {

// Holds `showing` while showFft runs.
class ShowingScope {
public:
    explicit ShowingScope(bool& showing) : showing_(showing) { showing_ = true; }
    ~ShowingScope() { showing_ = false; }
    ShowingScope(const ShowingScope&) = delete;
    ShowingScope& operator=(const ShowingScope&) = delete;

private:
    bool& showing_;
};

bool drawable(const FftChartView& v)
{
    return v.chart && v.levelStrip && v.frequencyStrip;
}

void notify(const FftChartView& v)
{
    if (v.updated) v.updated();
}

// Label, Print button and reason for the outcome of a computation; true when a spectrum was
// computed, whose cells and chart the caller then shows. A channel that is off leaves the
// chart, its arrays and its cells as they are; settings without a scale give an empty chart
// with the reason, no cursor and empty cells.
bool takeOutcome(FftChartView& view, SpectrumOutcome outcome, const std::string& reason)
{
    view.notActualVisible = outcome == SpectrumOutcome::ChannelOff;
    view.printEnabled = outcome == SpectrumOutcome::Computed;
    if (outcome == SpectrumOutcome::ChannelOff) return false;
    view.noSpectrumReason = outcome == SpectrumOutcome::NoSpectrum ? reason : std::string();
    if (outcome == SpectrumOutcome::Computed) return true;
    view.cells = {};
    view.shown = {};
    if (drawable(view)) {
        ChartSurfaces p(view);
        p.clear(view.stripBackground);
        p.chart.setForeColor(kBlack);
        p.chart.setCurrent(4.0, 4.0);
        p.chart.print(reason);
    }
    return false;
}

void takeCursorReadout(FftChartCells& cells, const LineReadout& r)
{
    if (r.frequencyText) cells.cursorFrequency = *r.frequencyText;
    if (r.voltsText) cells.cursorVolts = *r.voltsText;
    if (r.dbvText) cells.cursorDbv = *r.dbvText;
}

void takeCursorReadout(FftChartCells& cells, const DualReadout& r)
{
    if (r.frequencyText) cells.cursorFrequency = *r.frequencyText;
    cells.cursorLevel = r.levelText;
}

void showChannelTab(ProgramState& s, FftChartView& view, Channel ch, char decimalSign)
{
    const ChannelSpectrumResult r =
        computeChannelSpectrum(s, ch, windowFromCode(s.fft.fftWindowCode), decimalSign);
    if (takeOutcome(view, r.outcome, r.reason)) {
        view.cells.maxFrequency = r.maxFrequencyText;
        view.cells.maxVolts = r.maxLevelVoltsText;
        view.cells.maxDbv = r.maxLevelDbvText;
        view.cells.dcLevel = r.dcLevelText;
        takeCursorReadout(view.cells, r.cursor);
        // A computed spectrum has a time base.
        const auto timePerDiv = spectrumTimePerDiv(s);
        view.shown = {};
        if (timePerDiv && drawable(view)) drawChannelChart(view, s, ch, *timePerDiv, decimalSign);
    }
    notify(view);
}

void showDualTab(ProgramState& s, FftCharts& charts, char decimalSign)
{
    FftChartView& view = charts.dual;
    const DualSpectrumResult r =
        computeDualSpectrum(s, windowFromCode(s.fft.fftWindowCode), charts.dualView,
                            s.fft.fftLogFlag != 0, decimalSign);
    if (takeOutcome(view, r.outcome, r.reason)) {
        takeCursorReadout(view.cells, r.cursor);
        const auto timePerDiv = spectrumTimePerDiv(s);
        view.shown = {};
        if (timePerDiv && drawable(view))
            drawDualChart(view, s, charts.dualView, *timePerDiv, decimalSign);
    }
    notify(view);
}

// Erases the mark drawn last and draws `next` in its place, on the chart as it was drawn.
// Nothing is drawn when no chart stands on the picture (none drawn yet, or the picture changed
// its size since, which leaves it without the chart).
void replaceCursorMark(FftChartView& view, const ChartCursorMark& next)
{
    ShownChart& c = view.shown;
    if (!c.drawn) return;
    if (!view.chart || view.chart->size() != c.chartSize) {
        c = {};
        return;
    }
    Surface chart(*view.chart);
    chart.setUserScale(c.scale);
    if (c.mark) drawCursorMark(chart, *c.mark);
    drawCursorMark(chart, next);
    c.mark = next;
}

}  // namespace

void showFft(ProgramState& s, FftCharts& charts, char decimalSign)
{
    if (charts.showing) return;
    const ShowingScope scope(charts.showing);
    switch (charts.selectedTab) {
        case FftTab::Ch1: showChannelTab(s, charts.ch1, Channel::Ch1, decimalSign); break;
        case FftTab::Ch2: showChannelTab(s, charts.ch2, Channel::Ch2, decimalSign); break;
        case FftTab::Dual: showDualTab(s, charts, decimalSign); break;
        case FftTab::Settings: break;
    }
}

std::optional<LineReadout> moveChannelCursor(ProgramState& s, FftCharts& charts, Channel ch,
                                             int buttons, double x, char decimalSign)
{
    const bool one = ch == Channel::Ch1;
    FftChartView& view = one ? charts.ch1 : charts.ch2;
    const std::optional<LineReadout> r = dragChannelCursor(s, ch, buttons, x, decimalSign);
    if (!r) return r;
    replaceCursorMark(view,
                      channelCursorMark(view.shown, one ? s.fft.fftCursorCh1 : s.fft.fftCursorCh2,
                                        one ? s.fftBuf.spectrumCh1 : s.fftBuf.spectrumCh2));
    takeCursorReadout(view.cells, *r);
    notify(view);
    return r;
}

std::optional<DualReadout> moveDualCursor(ProgramState& s, FftCharts& charts, int buttons, double x,
                                          double y, char decimalSign)
{
    FftChartView& view = charts.dual;
    // The cross is held on, and read off, the chart the user sees.
    const DualView dualView = view.shown.drawn ? view.shown.view : charts.dualView;
    const bool log = view.shown.drawn ? view.shown.logLevels : s.fft.fftLogFlag != 0;
    const std::optional<DualReadout> r =
        dragDualCursor(s, dualView, log, buttons, x, y, decimalSign);
    if (!r) return r;
    replaceCursorMark(view, dualCursorMark(view.shown, s.fft));
    takeCursorReadout(view.cells, *r);
    notify(view);
    return r;
}

}  // namespace ql
