// The XY view: its scale and graticule, the figure as dots or lines, the label, and closing.

#include <gtest/gtest.h>

#include <algorithm>

#include "ScreenTestRig.h"
#include "display/ScreenDrawing.h"
#include "display/XyDrawing.h"

using namespace ql;
using namespace ql::test;

namespace {

// Device pixel of an XY point on the 251 x 201 picture (x 3..253, codes 228..28).
DevicePoint xyPixel(int x, int y)
{
    return {x - 3, 228 - y};
}

ProgramState xyState()
{
    ProgramState s = screenState();
    s.ddf.xyMode = 1;
    s.ddf.ch1On = s.ddf.ch2On = 1;
    return s;
}

}  // namespace

TEST(XyDrawing, ChannelTwoIsXUnlessTheModelSwapsTheAxes)
{
    ProgramState s = xyState();
    fillWave(s.waves.waveCh1, [](int) { return 200; });
    fillWave(s.waves.waveCh2, [](int) { return 50; });
    ScreenRig rig;
    drawXy(s, rig.views.xy);

    const auto dots = rig.xy.opsOfKind(DrawOp::Kind::Dot);
    ASSERT_EQ(dots.size(), 2046u);
    // CH I 200 and CH II 50: left of the centre and above it.
    EXPECT_EQ(dots[0].points[0], xyPixel(50, 200));
    EXPECT_EQ(dots[0].pen, (Pen{qbColor(2), 2, DrawStyle::Solid, DrawMode::CopyPen}));
    EXPECT_TRUE(rig.views.xy.shown);

    s.caps.unitXyinv = true;
    rig.forgetAll();
    drawXy(s, rig.views.xy);
    EXPECT_EQ(rig.xy.opsOfKind(DrawOp::Kind::Dot).at(0).points[0], xyPixel(200, 50));
}

TEST(XyDrawing, VectorsJoinSuccessivePoints)
{
    ProgramState s = xyState();
    s.screen.xyVectors = 1;
    fillWave(s.waves.waveCh1, [](int i) { return 40 + i % 180; });
    fillWave(s.waves.waveCh2, [](int i) { return 60 + (i * 3) % 150; });
    ScreenRig rig;
    drawXy(s, rig.views.xy);

    const auto lines = linesIn(rig.xy, qbColor(2), 1);
    ASSERT_EQ(lines.size(), 2046u);
    for (int i : {1, 700, 2046}) {
        const auto& op = lines[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(op.points[0], xyPixel(60 + (i * 3) % 150, 40 + i % 180)) << i;
        EXPECT_EQ(op.points[1], xyPixel(60 + ((i + 1) * 3) % 150, 40 + (i + 1) % 180)) << i;
    }
    EXPECT_TRUE(rig.xy.opsOfKind(DrawOp::Kind::Dot).empty());
}

TEST(XyDrawing, GraticuleHasTenByEightDivisionsAroundCodeOneHundredTwentyEight)
{
    ProgramState s = xyState();
    ScreenRig rig;
    drawXy(s, rig.views.xy);
    EXPECT_EQ(rig.xy.ops().front().kind, DrawOp::Kind::Clear);
    EXPECT_EQ(rig.xy.ops().front().pen.color, kWhite);

    const auto thick = linesIn(rig.xy, qbColor(8), 2);
    ASSERT_EQ(thick.size(), 2u);
    EXPECT_EQ(thick[0].points, (std::vector<DevicePoint>{xyPixel(128, 28), xyPixel(128, 228)}));
    EXPECT_EQ(thick[1].points, (std::vector<DevicePoint>{xyPixel(0, 128), xyPixel(255, 128)}));
    EXPECT_EQ(linesIn(rig.xy, qbColor(8), 1).size(), 18u);
}

TEST(XyDrawing, LabelNamesTheAxesScalesCouplingsAndSampleRate)
{
    ProgramState s = xyState();
    s.ddf.ch1VoltsIndex = kVolts500mV;
    s.ddf.ch1ProbeFactor = 10;
    s.ddf.ch1Variable = 255;
    s.ddf.ch1Coupling = 1;
    s.ddf.ch2VoltsIndex = kVolts5mV;
    s.ddf.ch2ProbeFactor = 1;
    s.ddf.ch2Variable = 0;  // 2.5 times the step
    s.ddf.ch2Coupling = 3;
    s.ddf.tbAIndex = kTb1ms;
    EXPECT_EQ(xyLabelText(s, '.'), "CHY: 5.000V AC   CHX: .013V GND   200 KS/s");
    s.caps.unitXyinv = true;
    EXPECT_EQ(xyLabelText(s, ','), "CHX: 5,000V AC   CHY: ,013V GND   200 KS/s");

    ScreenRig rig;
    drawXy(s, rig.views.xy);
    EXPECT_EQ(rig.views.xy.label, xyLabelText(s));
}

TEST(XyDrawing, SampleRateFollowsTimeBaseAAndNeedsATableValue)
{
    ProgramState s = xyState();
    const std::pair<int, const char*> cases[] = {
        {kTb1ms, "200 KS/s"}, {22, "200 S/s"},  // 1 s/div
        {kTb1us, "200 MS/s"}, {kTb100s, "2 S/s"}, {kTb50ns, "4000 MS/s"},
        {kTbEmpty, "---"},    {-1, "---"},
    };
    for (const auto& [code, text] : cases) {
        s.ddf.tbAIndex = static_cast<byte>(code);
        EXPECT_EQ(xySampleRateText(s, '.'), text) << code;
    }
}

TEST(XyDrawing, MinimisedViewIsNotDrawnAndScreenRedrawsDrawItOnlyInXyMode)
{
    ProgramState s = xyState();
    ScreenRig rig;
    rig.views.xy.state = WindowState::Minimised;
    drawScreen(s, rig);
    EXPECT_TRUE(rig.xy.ops().empty());
    EXPECT_FALSE(rig.views.xy.shown);

    rig.views.xy.state = WindowState::Maximised;
    drawScreen(s, rig);
    EXPECT_FALSE(rig.xy.ops().empty());
    EXPECT_TRUE(rig.views.xy.shown);

    s.ddf.xyMode = 0;
    rig.forgetAll();
    drawScreen(s, rig);
    EXPECT_TRUE(rig.xy.ops().empty());
}

TEST(XyDrawing, ClosingTheViewRestoresTheChannelsOnlyWhileXyIsOn)
{
    ProgramState s = xyState();
    s.ddf.savedCh1On = 0;
    s.ddf.savedCh2On = 1;
    ScreenRig rig;
    drawScreen(s, rig);
    rig.forgetAll();

    EXPECT_TRUE(closeXyView(s, rig));
    EXPECT_EQ(s.ddf.xyMode, 0);
    EXPECT_EQ(s.ddf.ch1On, 0);
    EXPECT_EQ(s.ddf.ch2On, 1);
    EXPECT_FALSE(rig.views.xy.shown);
    EXPECT_FALSE(rig.picture.ops().empty());  // the screen was redrawn
    EXPECT_TRUE(rig.xy.ops().empty());

    // XY already switched off by a read: the channels keep the instrument's states.
    s.ddf.ch1On = 1;
    s.ddf.ch2On = 0;
    EXPECT_FALSE(closeXyView(s, rig));
    EXPECT_EQ(s.ddf.ch1On, 1);
    EXPECT_EQ(s.ddf.ch2On, 0);
}
