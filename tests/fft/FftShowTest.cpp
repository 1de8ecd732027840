// showFft on the three tabs (the "Not actual" state, settings without a spectrum, the Settings
// tab, a call made while one runs) and the cursor marks a drag redraws.

#include <gtest/gtest.h>

#include <cmath>

#include "ChartRig.h"
#include "FftTestState.h"
#include "fft/FftLevels.h"

using namespace ql;
using namespace ql::test;

namespace {

ProgramState toneState()
{
    ProgramState s = spectrumState();
    fillSine(s.waves.waveCh1, 127, 50.0, 100);
    fillSine(s.waves.waveCh2, 127, 30.0, 300);
    return s;
}

// The cursor lines standing on an unzoomed chart: vertical at line x, level line at row.
void expectCursorAt(const RecordingDevice& chart, double x, std::optional<int> row)
{
    const std::vector<DrawOp>& marks = chart.standingMarks();
    ASSERT_EQ(marks.size(), row ? 2u : 1u);
    const int column = static_cast<int>(std::lround(x * 400.0 / 1024.0));
    EXPECT_TRUE(marks[0].points[0].x == column && marks[0].points[1].x == column);
    if (row) {
        EXPECT_TRUE(marks[1].points[0].y == *row && marks[1].points[1].y == *row);
    }
}

int rowOf(const ShownChart& c, double y)
{
    return chartRow(y, c.scale.top, c.scale.height);
}

}  // namespace

TEST(ShowFft, ChannelOffKeepsTheChartAndDisablesPrintUntilItIsOnAgain)
{
    for (const FftTab tab : {FftTab::Ch1, FftTab::Dual}) {
        SCOPED_TRACE(static_cast<int>(tab));
        ProgramState s = toneState();
        ChartRig rig;
        FftChartView& view = tab == FftTab::Ch1 ? rig.charts.ch1 : rig.charts.dual;
        RecordingDevice& chart = (tab == FftTab::Ch1 ? rig.ch1 : rig.dual).chart;
        rig.show(s, tab);
        const FftChartCells cells = view.cells;
        const SpectrumSnapshot before = snapshot(s);

        (tab == FftTab::Ch1 ? s.ddf.ch1On : s.ddf.ch2On) = 0;
        fillSine(s.waves.waveCh1, 127, 20.0, 200);
        chart.forget();
        rig.show(s, tab);
        EXPECT_TRUE(view.notActualVisible && !view.printEnabled);
        EXPECT_TRUE(chart.ops().empty());
        EXPECT_EQ(view.cells, cells);
        EXPECT_EQ(snapshot(s), before);

        (tab == FftTab::Ch1 ? s.ddf.ch1On : s.ddf.ch2On) = 1;
        rig.show(s, tab);
        EXPECT_TRUE(!view.notActualVisible && view.printEnabled);
        EXPECT_EQ(chart.ops().at(0).kind, DrawOp::Kind::Clear);
    }
}

TEST(ShowFft, NoScaleEmptiesTheChartAndASecondCallOrTheSettingsTabDoNothing)
{
    ProgramState s = toneState();
    ChartRig rig;
    int updates = 0;
    rig.charts.ch1.updated = [&] {
        ++updates;
        showFft(s, rig.charts, '.');  // as a resize during the redraw would
    };
    rig.show(s, FftTab::Ch1);
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(rig.ch1.chart.opsOfKind(DrawOp::Kind::Clear).size(), 1u);

    rig.ch1.chart.forget();
    rig.show(s, FftTab::Settings);
    EXPECT_TRUE(rig.ch1.chart.ops().empty());

    s.ddf.tbAIndex = 29;  // a time/div code without a table value
    rig.show(s, FftTab::Ch1);
    const FftChartView& view = rig.charts.ch1;
    EXPECT_FALSE(view.printEnabled || view.notActualVisible || view.shown.drawn);
    EXPECT_EQ(rig.ch1.chart.texts(), std::vector<std::string>{view.noSpectrumReason});
    EXPECT_EQ(view.cells, FftChartCells{});
}

TEST(CursorMarks, MovesLeaveExactlyOneCursorOnTheChartAsDrawn)
{
    ProgramState s = toneState();
    ChartRig rig;
    rig.show(s, FftTab::Ch1);
    const ShownChart& ch1 = rig.charts.ch1.shown;
    // Two moves to the same place: the second erases the first and draws it again.
    for (int i = 0; i < 2; ++i) moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 100.4, '.');
    expectCursorAt(rig.ch1.chart, 100, rowOf(ch1, s.fft.fftMaxLevelCh1));
    EXPECT_EQ(rig.charts.ch1.cells.cursorFrequency, "9.77KHz");
    // The log switch changes no chart until the next redraw, so no mark either: the level
    // line stays on the linear chart shown and no ghost is left.
    s.fft.fftLogFlag = 1;
    moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 200.0, '.');
    expectCursorAt(rig.ch1.chart, 200, rowOf(ch1, s.fftBuf.spectrumCh1[200]));

    rig.show(s, FftTab::Dual);
    for (int i = 0; i < 2; ++i) moveDualCursor(s, rig.charts, 1, 50.5, 1e9, '.');
    expectCursorAt(rig.dual.chart, 50, rowOf(rig.charts.dual.shown, s.fft.fftDualMax));
}

TEST(CursorMarks, CursorBeyondLine1024DrawsNoLevelLineAndKeepsTheLevelCells)
{
    ProgramState s = toneState();
    ChartRig rig;
    rig.show(s, FftTab::Ch1);
    moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 500.0, '.');
    const FftChartCells at500 = rig.charts.ch1.cells;
    // Only lines 0..1024 exist now: a read beyond them would run off the array.
    s.fftBuf.spectrumCh1.resize(kSpectrumLastLine + 1);
    s.fftBuf.spectrumCh1.shrink_to_fit();
    moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 1500.0, '.');
    EXPECT_TRUE(rig.ch1.chart.standingMarks().empty());  // right of the chart, no level line
    EXPECT_EQ(rig.charts.ch1.cells.cursorVolts, at500.cursorVolts);
    EXPECT_EQ(rig.charts.ch1.cells.cursorDbv, at500.cursorDbv);
    EXPECT_NE(rig.charts.ch1.cells.cursorFrequency, at500.cursorFrequency);
    moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 1024.0, '.');
    expectCursorAt(rig.ch1.chart, 1024, rowOf(rig.charts.ch1.shown, s.fftBuf.spectrumCh1[1024]));
}
