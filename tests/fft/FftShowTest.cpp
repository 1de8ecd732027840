// showFft on the three tabs (the "Not actual" state, a record without a spectrum, the
// Settings tab, a call made while one runs) and the cursor marks a drag redraws.

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

// Column of line x on an unzoomed chart.
int column(double x)
{
    return static_cast<int>(std::lround(x * 400.0 / 1024.0));
}

// The cursor lines standing on the chart: a vertical line at `x` and, when given, a level line
// at `row`.
void expectCursorAt(const RecordingDevice& chart, int x, std::optional<int> row)
{
    const std::vector<DrawOp>& marks = chart.standingMarks();
    ASSERT_EQ(marks.size(), row ? 2u : 1u);
    EXPECT_EQ(marks[0].points[0].x, x);
    EXPECT_EQ(marks[0].points[1].x, x);
    EXPECT_EQ(marks[0].pen.style, DrawStyle::Dot);
    EXPECT_EQ(marks[0].pen.color, qbColor(3));
    if (row) {
        EXPECT_EQ(marks[1].points[0].y, *row);
        EXPECT_EQ(marks[1].points[1].y, *row);
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
        TabDevices& d = tab == FftTab::Ch1 ? rig.ch1 : rig.dual;
        rig.show(s, tab);
        ASSERT_TRUE(view.printEnabled);
        const FftChartCells cells = view.cells;
        const SpectrumSnapshot before = snapshot(s);

        (tab == FftTab::Ch1 ? s.ddf.ch1On : s.ddf.ch2On) = 0;
        fillSine(s.waves.waveCh1, 127, 20.0, 200);
        for (RecordingDevice* device : {&d.chart, &d.level, &d.frequency}) device->forget();
        rig.show(s, tab);
        EXPECT_TRUE(view.notActualVisible);
        EXPECT_FALSE(view.printEnabled);
        EXPECT_TRUE(d.chart.ops().empty() && d.level.ops().empty() && d.frequency.ops().empty());
        EXPECT_EQ(view.cells, cells);
        EXPECT_EQ(snapshot(s), before);

        (tab == FftTab::Ch1 ? s.ddf.ch1On : s.ddf.ch2On) = 1;
        rig.show(s, tab);
        EXPECT_FALSE(view.notActualVisible);
        EXPECT_TRUE(view.printEnabled);
        ASSERT_FALSE(d.chart.ops().empty());
        EXPECT_EQ(d.chart.ops().front().kind, DrawOp::Kind::Clear);
    }
}

TEST(ShowFft, SettingsWithoutAScaleGiveAnEmptyChartWithTheReason)
{
    ProgramState s = toneState();
    ChartRig rig;
    rig.show(s, FftTab::Ch1);
    s.ddf.tbAIndex = 29;  // a time/div code without a table value
    rig.ch1.chart.forget();
    rig.show(s, FftTab::Ch1);
    const FftChartView& view = rig.charts.ch1;
    EXPECT_FALSE(view.printEnabled);
    EXPECT_FALSE(view.notActualVisible);
    EXPECT_FALSE(view.noSpectrumReason.empty());
    EXPECT_EQ(rig.ch1.chart.texts(), std::vector<std::string>{view.noSpectrumReason});
    EXPECT_EQ(view.cells, FftChartCells{});
    // A drag still moves the cursor but draws nothing on the empty chart.
    rig.ch1.chart.forget();
    EXPECT_TRUE(moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 50.0, '.'));
    EXPECT_EQ(s.fft.fftCursorCh1, 50.0);
    EXPECT_TRUE(rig.ch1.chart.ops().empty());
}

TEST(ShowFft, ACallWhileOneRunsAndTheSettingsTabDoNothing)
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
    rig.show(s, FftTab::Ch1);
    EXPECT_EQ(updates, 2);

    const SpectrumSnapshot before = snapshot(s);
    rig.ch1.chart.forget();
    rig.show(s, FftTab::Settings);
    EXPECT_EQ(updates, 2);
    EXPECT_TRUE(rig.ch1.chart.ops().empty());
    EXPECT_EQ(snapshot(s), before);
}

TEST(CursorMarks, MovesLeaveExactlyOneCursorOnTheChartAsDrawn)
{
    ProgramState s = toneState();
    ChartRig rig;
    rig.show(s, FftTab::Ch1);
    const ShownChart& ch1 = rig.charts.ch1.shown;
    expectCursorAt(rig.ch1.chart, column(30), rowOf(ch1, s.fftBuf.spectrumCh1[30]));

    // Two moves to the same place: the second erases the first and draws it again.
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 100.4, '.'));
    expectCursorAt(rig.ch1.chart, column(100), rowOf(ch1, s.fft.fftMaxLevelCh1));
    EXPECT_EQ(rig.charts.ch1.cells.cursorFrequency, "9.77KHz");

    // The log switch changes no chart until the next redraw, and no mark either: the level
    // line stays on the linear chart that is shown, and no ghost is left.
    s.fft.fftLogFlag = 1;
    moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 200.0, '.');
    expectCursorAt(rig.ch1.chart, column(200), rowOf(ch1, s.fftBuf.spectrumCh1[200]));
    rig.show(s, FftTab::Ch1);
    moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 100.0, '.');
    expectCursorAt(rig.ch1.chart, column(100), rowOf(ch1, s.fft.fftMaxLevelCh1));

    // The dual cross, held on the chart.
    rig.show(s, FftTab::Dual);
    const ShownChart& dual = rig.charts.dual.shown;
    for (int i = 0; i < 2; ++i) moveDualCursor(s, rig.charts, 1, 50.5, 1e9, '.');
    expectCursorAt(rig.dual.chart, column(50), rowOf(dual, dual.levelTop));
    EXPECT_EQ(s.fft.fftDualCursorY, s.fft.fftDualMax);
    EXPECT_FALSE(moveDualCursor(s, rig.charts, 2, 80.0, 10.0, '.'));  // right button: nothing
    expectCursorAt(rig.dual.chart, column(50), rowOf(dual, dual.levelTop));
}

TEST(CursorMarks, CursorBeyondTheSpectrumDrawsNoLevelLineAndKeepsTheLevelCells)
{
    ProgramState s = toneState();
    ChartRig rig;
    rig.show(s, FftTab::Ch1);
    moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 500.0, '.');
    const FftChartCells at500 = rig.charts.ch1.cells;
    // Only lines 0..1024 exist: any read beyond them would run off the array.
    s.fftBuf.spectrumCh1.resize(kSpectrumLastLine + 1);
    s.fftBuf.spectrumCh1.shrink_to_fit();

    ASSERT_TRUE(moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 1500.0, '.'));
    EXPECT_FALSE(rig.charts.ch1.shown.mark->level);
    EXPECT_TRUE(rig.ch1.chart.standingMarks().empty());  // the line lies right of the chart
    EXPECT_EQ(rig.charts.ch1.cells.cursorVolts, at500.cursorVolts);
    EXPECT_EQ(rig.charts.ch1.cells.cursorDbv, at500.cursorDbv);
    EXPECT_NE(rig.charts.ch1.cells.cursorFrequency, at500.cursorFrequency);

    moveChannelCursor(s, rig.charts, Channel::Ch1, 1, 1024.0, '.');
    expectCursorAt(rig.ch1.chart, 400, rowOf(rig.charts.ch1.shown, s.fftBuf.spectrumCh1[1024]));
}
