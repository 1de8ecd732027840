// The spectrum charts as drawn, read back in device pixels from the recording devices (chart
// 401 x 201: 400 pixels across, 200 down; levels 1.05 x the top down to -0.05 x the top).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "ChartRig.h"
#include "FftTestState.h"
#include "fft/ChannelFft.h"
#include "fft/ChartDrawing.h"
#include "fft/FftReadout.h"

using namespace ql;
using namespace ql::test;

namespace {

constexpr double kMsPerDiv = 1e-3;                            // 97.65625 Hz per line
const std::vector<int> kLevelRows{9, 45, 82, 118, 155, 191};  // (1.05 - k / 5) / 1.1 x 200

std::vector<int> rowsOrColumns(const RecordingDevice& d, Rgb colour, bool columns)
{
    std::vector<int> found;
    for (const DrawOp& op : linesOf(d, colour)) {
        if (columns && op.points[0].x == op.points[1].x) found.push_back(op.points[0].x);
        if (!columns && op.points[0].y == op.points[1].y) found.push_back(op.points[0].y);
    }
    if (!columns) std::sort(found.begin(), found.end());
    return found;
}

std::vector<DrawOp> curves(const RecordingDevice& d, int colour)
{
    std::vector<DrawOp> found;
    for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::Polyline))
        if (op.pen.color == qbColor(colour)) found.push_back(op);
    return found;
}

}  // namespace

TEST(SpectrumChart, LinesAcrossAndLevelsUpUnzoomedAndZoomed)
{
    struct Case {
        int scroll, span;
        std::vector<std::string> frequencyLabels;  // grid lines 1..9, then the left edge
    };
    const Case cases[] = {
        {0,
         1024,
         {"10.00K", "20.00K", "30.00K", "40.00K", "50.00K", "60.00K", "70.00K", "80.00K", "90.00K",
          "0.00"}},
        // Zoom 4 from line 100: lines 100..356, grid every 25.6 lines (2500 Hz).
        {100,
         356,
         {"12.27K", "14.77K", "17.27K", "19.77K", "22.27K", "24.77K", "27.27K", "29.77K", "32.27K",
          "9.77K"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scroll);
        ProgramState s = spectrumState();
        fillSine(s.waves.waveCh1, 127, 50.0, 200);
        s.fft.fftScrollPos = static_cast<std::int16_t>(c.scroll);
        s.fft.fftSpan = static_cast<std::int16_t>(c.span);
        ChartRig rig;
        rig.show(s, FftTab::Ch1);
        const Rgb grey = qbColor(8);
        EXPECT_EQ(rowsOrColumns(rig.ch1.chart, grey, true),
                  (std::vector<int>{40, 80, 120, 160, 200, 240, 280, 320, 360}));
        EXPECT_EQ(rowsOrColumns(rig.ch1.chart, grey, false), kLevelRows);
        EXPECT_EQ(rowsOrColumns(rig.ch1.level, qbColor(5), false), kLevelRows);  // the ticks
        EXPECT_EQ(rig.ch1.frequency.texts(), c.frequencyLabels);
        const std::vector<DrawOp> curve = curves(rig.ch1.chart, 12);
        ASSERT_EQ(curve.size(), 1u);
        EXPECT_EQ(curve[0].points.size(), static_cast<std::size_t>(c.span - c.scroll + 1));
        EXPECT_EQ(curve[0].points.back().x, 400);
    }
}

TEST(SpectrumChart, LevelLabelsInVoltsByTheirSizeAndInTenDecibelSteps)
{
    for (auto [level, text] : {std::pair{10000.0, "10.00"},
                               {10000.5, "10.0"},
                               {100000.0, "100.0"},
                               {100000.5, "100"},
                               {-2500.0, "-2.50"}})
        EXPECT_EQ(levelAxisText(level, '.'), text);

    // Log view, M = 1000 (0 dBV): the maximum on the top line, 50 dB less on the zero line.
    ProgramState s = spectrumState();
    s.fft.fftLogFlag = 1;
    std::fill(s.fftBuf.spectrumCh1.begin(), s.fftBuf.spectrumCh1.end(), 100.0);  // -20 dB
    s.fftBuf.spectrumCh1[10] = s.fft.fftMaxLevelCh1 = 1000.0;
    s.fftBuf.spectrumCh1[20] = 1000.0 * std::pow(10.0, -50.0 / 20.0);
    ChartRig rig;
    drawChannelChart(rig.charts.ch1, s, Channel::Ch1, kMsPerDiv, '.');
    EXPECT_EQ(rig.ch1.level.texts(),  // top, zero line, then up from the zero line
              (std::vector<std::string>{".0", "-50.0", "-40.0", "-30.0", "-20.0", "-10.0"}));
    const std::vector<DrawOp> curve = curves(rig.ch1.chart, 12);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0].points[10].y, kLevelRows[0]);
    EXPECT_EQ(curve[0].points[20].y, kLevelRows[5]);
    EXPECT_EQ(curve[0].points[30].y, kLevelRows[2]);  // 20 dB down: three fifths up
}

TEST(SpectrumChart, ChartWithoutALevelRangeIsDrawnOverOneUnit)
{
    struct Case {
        FftTab tab;
        DualView view;
        bool log;
    };
    for (const Case c : {Case{FftTab::Ch1, DualView::Both, true},
                         {FftTab::Dual, DualView::Both, false},
                         {FftTab::Dual, DualView::TwoMinusOne, true}}) {
        SCOPED_TRACE(static_cast<int>(c.view));
        ProgramState s = spectrumState();  // both channels constant: every line is 0
        s.fft.fftLogFlag = c.log ? 1 : 0;
        ChartRig rig;
        rig.charts.dualView = c.view;
        rig.show(s, c.tab);
        TabDevices& d = c.tab == FftTab::Ch1 ? rig.ch1 : rig.dual;
        // Nothing is lost to an unusable coordinate: the 15 grid and frame lines, the curve
        // and both cursor lines, every point on the picture (or 3 pixels beyond, clipped).
        EXPECT_EQ(linesOf(d.chart, qbColor(8)).size(), 15u);
        EXPECT_EQ(curves(d.chart, 12).size(), 1u);
        EXPECT_EQ(d.chart.standingMarks().size(), 2u);
        for (const DrawOp& op : d.chart.ops())
            for (const DevicePoint& p : op.points)
                EXPECT_TRUE(p.x >= -3 && p.x <= 403 && p.y >= -3 && p.y <= 203);
        if (c.tab == FftTab::Ch1) {
            EXPECT_EQ(d.level.texts(), (std::vector<std::string>{"-200.0", "-250.0", "-240.0",
                                                                 "-230.0", "-220.0", "-210.0"}));
        }
    }
}

TEST(SpectrumChart, DualLevelsOfEqualMaximaSpanFiftyDecibels)
{
    ProgramState s = spectrumState();
    s.fft.fftLogFlag = 1;
    for (std::vector<double>* a : {&s.fftBuf.spectrumCh1, &s.fftBuf.spectrumCh2})
        std::fill(a->begin(), a->end(), 100.0);
    s.fftBuf.spectrumCh1[10] = s.fftBuf.spectrumCh2[40] = 1000.0;
    s.fftBuf.spectrumCh2[20] = 1000.0 * std::pow(10.0, -50.0 / 20.0);
    s.fft.fftDualMax = s.fft.fftDualMin = 1000.0;  // 0 dBV
    ChartRig rig;
    drawDualChart(rig.charts.dual, s, DualView::Both, kMsPerDiv, '.');
    EXPECT_EQ(rig.dual.level.texts(),  // grid lines up, then the top and the zero line
              (std::vector<std::string>{"-40.0", "-30.0", "-20.0", "-10.0", ".0", "-50.0"}));
    const std::vector<DrawOp> one = curves(rig.dual.chart, 12), two = curves(rig.dual.chart, 9);
    ASSERT_TRUE(one.size() == 1 && two.size() == 1);
    EXPECT_EQ(one[0].points[10].y, kLevelRows[0]);
    EXPECT_EQ(two[0].points[40].y, kLevelRows[0]);
    EXPECT_EQ(two[0].points[20].y, kLevelRows[5]);
}

TEST(SpectrumChart, DifferenceRangeTakesTheLinesScrolledOutOfView)
{
    ProgramState s = spectrumState();
    fillSine(s.waves.waveCh1, 127, 60.0, 100);  // line 100: left of the lines shown
    fillSine(s.waves.waveCh2, 127, 20.0, 300);
    s.fft.fftScrollPos = 200;
    s.fft.fftSpan = 456;
    ProgramState single = s;  // the range from the two spectra on their own, lines 0..456
    computeChannelSpectrum(single, Channel::Ch1, WindowFunction::Hanning, '.');
    computeChannelSpectrum(single, Channel::Ch2, WindowFunction::Hanning, '.');
    double maxLevel = -1e300, minLevel = 1e300;
    for (int i = 0; i <= 456; ++i) {
        const double d = single.fftBuf.spectrumCh1[i] - single.fftBuf.spectrumCh2[i];
        maxLevel = std::max(maxLevel, d);
        minLevel = std::min(minLevel, d);
    }
    ChartRig rig;
    rig.charts.dualView = DualView::OneMinusTwo;
    rig.show(s, FftTab::Dual);
    const UserScale& scale = rig.charts.dual.shown.scale;
    const double range = maxLevel - minLevel;
    EXPECT_NEAR(scale.top, maxLevel + range / 20, 1e-9 * range);
    EXPECT_NEAR(scale.height, -(range + range / 10), 1e-9 * range);
    EXPECT_EQ(curves(rig.dual.chart, 12).at(0).points.size(), 257u);  // lines 200..456
    EXPECT_TRUE(curves(rig.dual.chart, 9).empty());
}

TEST(SpectrumChart, FrequencyLabelsThatWouldTouchAreLeftOut)
{
    // Chart width in pixels and how many labels stand, the left edge's included; a label is
    // about 32 pixels wide.
    const std::tuple<int, std::size_t, std::size_t> cases[] = {
        {401, 10, 10}, {301, 5, 9}, {161, 3, 5}, {41, 1, 2}};
    for (const auto& [width, atLeast, atMost] : cases) {
        ProgramState s = spectrumState();
        ChartRig rig;
        rig.ch1.chart.setSize({width, 201});
        rig.ch1.frequency.setSize({width, 20});
        rig.show(s, FftTab::Ch1);
        std::vector<std::pair<int, int>> spans;  // left and right pixel of each label
        for (const DrawOp& op : rig.ch1.frequency.opsOfKind(DrawOp::Kind::Text))
            spans.push_back(
                {op.points[0].x,
                 op.points[0].x + static_cast<int>(rig.ch1.frequency.textWidth(op.text, op.font))});
        EXPECT_TRUE(spans.size() >= atLeast && spans.size() <= atMost) << width;
        EXPECT_EQ(rig.ch1.frequency.texts().back(), "0.00") << width;
        std::sort(spans.begin(), spans.end());
        for (std::size_t i = 1; i < spans.size(); ++i)
            EXPECT_GT(spans[i].first, spans[i - 1].second) << width << ": label " << i;
    }
}
