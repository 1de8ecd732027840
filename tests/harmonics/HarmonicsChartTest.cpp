// The harmonics chart as drawn, read back in device pixels from recording devices: a chart of
// 1025 by 201 pixels puts one pixel per line across at span 1024 and 200 pixels down over the
// levels from 1.05 x the full scale to -0.05 x the full scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HarmonicsRig.h"
#include "draw/RecordingDevice.h"
#include "harmonics/HarmonicsChart.h"

using namespace ql;
using namespace ql::test;

namespace {

struct ChartRig {
    ChartRig()
    {
        view.chart = &chart;
        view.levelStrip = &level;
        view.frequencyStrip = &frequency;
    }
    // Analyses the state as it stands and draws the chart of the result.
    void analyseAndDraw(ProgramState& s)
    {
        ASSERT_EQ(analyzeHarmonics(s, limits, result, '.'), HarmonicsRun::Judged);
        drawHarmonicsChart(view, harmonicsChartFrame(s), result, '.');
    }
    RecordingDevice chart{{1025, 201}}, level{{40, 221}}, frequency{{1025, 20}};
    HarmonicsChartView view;
    MemoryLimits limits;
    HarmonicsResult result;
};

// A fundamental of 1000 units (2 A at 0.5 V per ampere) and a 3rd harmonic of 500 units in the
// average and in the max-hold spectrum, 250 units in the current sweep.
void injectSpectra(ProgramState& s)
{
    takeInjectedAccumulation(s);
    for (auto [line, level] : {std::pair{25, 1000.0}, {76, 500.0}}) {
        s.harmTest.harmAvgSpectrum[line] = s.fftBuf.spectrumCh1[line] = level;
        s.fftBuf.spectrumCh2[line] = level / 2;
    }
}

std::vector<DrawOp> boxesOf(const RecordingDevice& d, int colour)
{
    std::vector<DrawOp> boxes;
    for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::FillRect))
        if (op.pen.color == qbColor(colour)) boxes.push_back(op);
    return boxes;
}

std::vector<DrawOp> greyLines(const RecordingDevice& d)
{
    std::vector<DrawOp> lines;
    for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::Line))
        if (op.pen.color == qbColor(8)) lines.push_back(op);
    return lines;
}

}  // namespace

TEST(HarmonicsChart, GridEveryTenthOfTheSpanWithItsFrequencies)
{
    ProgramState s = harmonicsState();
    s.harm.harmSpan = 256;
    injectSpectra(s);
    ChartRig rig;
    rig.analyseAndDraw(s);
    // 4000 samples per second: a tenth of 256 lines, 25.6 lines, is 50 Hz.
    EXPECT_EQ(rig.frequency.texts(),
              (std::vector<std::string>{"50.00", "100.00", "150.00", "200.00", "250.00", "300.00",
                                        "350.00", "400.00", "450.00", "0.00"}));
    std::vector<int> columns;
    for (const DrawOp& op : greyLines(rig.chart))
        if (op.points[0].x == op.points[1].x) columns.push_back(op.points[0].x);
    // Lines 25.6, 51.2, ... 230.4 at 4 pixels per line.
    EXPECT_EQ(columns, (std::vector<int>{102, 205, 307, 410, 512, 614, 717, 819, 922}));
    // Full scale 1000 units: levels every 200 units, 0.4 A.
    EXPECT_EQ(rig.level.texts(),
              (std::vector<std::string>{"0.00", "0.40", "0.80", "1.20", "1.60", "2.00"}));
}

TEST(HarmonicsChart, BarsPerHarmonicAndTheMaxHoldOnlyWithMaxHold)
{
    for (const bool maxHold : {true, false}) {
        SCOPED_TRACE(maxHold);
        ProgramState s = harmonicsState();
        s.harm.harmSpan = 1024;
        s.harm.harmMaxHold = maxHold ? 1 : 0;
        injectSpectra(s);
        ChartRig rig;
        rig.analyseAndDraw(s);
        const std::size_t rows = rig.result.rows.size();
        ASSERT_EQ(rows, 40u);
        const std::vector<DrawOp> red = boxesOf(rig.chart, kMaxHoldBarColor);
        const std::vector<DrawOp> blue = boxesOf(rig.chart, kAverageBarColor);
        const std::vector<DrawOp> green = boxesOf(rig.chart, kSweepBarColor);
        EXPECT_EQ(red.size(), maxHold ? rows : 0u);
        EXPECT_EQ(blue.size(), rows);
        EXPECT_EQ(green.size(), rows - 1);  // the 40th's, lines 1025..1027, lies off the chart
        // The 3rd harmonic on line 76: red 73..79, blue 75..79, green 77..79, from the base
        // line (row 191) up to their levels (500 units: half way to the top line at row 9).
        const auto spans = [](const DrawOp& op) {
            return std::vector<int>{op.points[0].x, op.points[1].x, op.points[0].y, op.points[1].y};
        };
        if (maxHold) {
            EXPECT_EQ(spans(red[2]), (std::vector<int>{73, 79, 100, 191}));
        }
        EXPECT_EQ(spans(blue[2]), (std::vector<int>{75, 79, 100, 191}));
        EXPECT_EQ(spans(green[2]), (std::vector<int>{77, 79, 145, 191}));
        // The marker on the fundamental's line over the whole height.
        ASSERT_EQ(rig.chart.standingMarks().size(), 1u);
        EXPECT_EQ(rig.chart.standingMarks()[0].points[0].x, 25);
    }
}

TEST(HarmonicsChart, NothingMeasuredDrawsTheAxesOverOneUnitAndNoBars)
{
    ProgramState s = harmonicsState();  // CH I silent: every line 0
    ChartRig rig;
    rig.analyseAndDraw(s);
    ASSERT_EQ(s.fft.fftMaxLevelCh1, 0.0);
    // Nine grid lines, the base line, four level lines and the top line: none lost to an
    // unusable scale.
    EXPECT_EQ(greyLines(rig.chart).size(), 15u);
    EXPECT_EQ(rig.level.texts().size(), 6u);
    EXPECT_TRUE(rig.chart.opsOfKind(DrawOp::Kind::FillRect).empty());
    EXPECT_EQ(rig.chart.standingMarks().size(), 1u);
}
