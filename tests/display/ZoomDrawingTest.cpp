// The zoom window: the screen seen through the zoom box, with strict edges for traces and
// cursors, its own graticule rules, the trigger mark only inside the box, and its cursor marks.

#include <gtest/gtest.h>

#include <algorithm>

#include "ScreenTestRig.h"
#include "display/CursorReadout.h"
#include "display/ScreenCursors.h"
#include "display/ScreenDrawing.h"
#include "display/ZoomDrawing.h"

using namespace ql;
using namespace ql::test;

namespace {

// Box x 900..1100, codes 100..156 on a 201 x 57 picture: one pixel per step and per code.
ProgramState zoomState(int x1 = 900, int x2 = 1100, int y1 = 100, int y2 = 156)
{
    ProgramState s = screenState();
    s.ddf.horPosition = s.screen.scrollValue = 524;
    s.zoom.zoomOpen = 1;
    s.zoom.zoomX1 = static_cast<std::int16_t>(x1);
    s.zoom.zoomX2 = static_cast<std::int16_t>(x2);
    s.zoom.zoomY1 = static_cast<std::int16_t>(y1);
    s.zoom.zoomY2 = static_cast<std::int16_t>(y2);
    return s;
}

struct ZoomRig : ScreenRig {
    ZoomRig() { zoom.setSize({201, 57}); }
};

// Grid lines of the zoom as user segments (left edge 900, top code 156).
std::vector<Segment> gridLines(const RecordingDevice& d, int width, int left = 900, int top = 156)
{
    return userSegments(linesIn(d, qbColor(7), width), left, 1, top);
}

bool hasVertical(const std::vector<Segment>& lines, int x)
{
    return std::any_of(lines.begin(), lines.end(),
                       [x](const Segment& s) { return s.x1 == x && s.x2 == x; });
}

}  // namespace

TEST(ZoomDrawing, GraticuleShowsOnlyTheLinesInsideTheBox)
{
    ProgramState s = zoomState();
    ZoomRig rig;
    drawZoom(s, rig.views.zoom);
    EXPECT_EQ(rig.zoom.ops().front().kind, DrawOp::Kind::Clear);
    EXPECT_EQ(rig.zoom.ops().front().pen.color, kWhite);

    const auto thin = gridLines(rig.zoom, 1);
    const auto thick = gridLines(rig.zoom, 2);
    // Horizontal lines at 103 and 153 (the others lie outside and are cut away), the centre
    // line 128 and the vertical centre line 1000 two wide, no other vertical line.
    EXPECT_EQ(thin, (std::vector<Segment>{{900, 103, 1100, 103}, {900, 153, 1100, 153}}));
    ASSERT_EQ(thick.size(), 2u);
    EXPECT_EQ(thick[0].x1, 1000);
    EXPECT_EQ(thick[0].x2, 1000);
    EXPECT_EQ(thick[1], (Segment{900, 128, 1100, 128}));
    EXPECT_TRUE(linesIn(rig.zoom, qbColor(8)).empty());  // no frame
}

TEST(ZoomDrawing, LeftHalfGridLinesIncludeTheEdgesRightHalfLinesDoNot)
{
    ProgramState s = zoomState(800, 1000, 100, 156);
    ZoomRig rig;
    drawZoom(s, rig.views.zoom);
    EXPECT_TRUE(hasVertical(gridLines(rig.zoom, 1, 800), 800));
    EXPECT_TRUE(hasVertical(gridLines(rig.zoom, 2, 800), 1000));

    s = zoomState(1200, 1400, 100, 156);
    rig.forgetAll();
    drawZoom(s, rig.views.zoom);
    EXPECT_FALSE(hasVertical(gridLines(rig.zoom, 1, 1200), 1200));
    EXPECT_FALSE(hasVertical(gridLines(rig.zoom, 1, 1200), 1400));

    // Right half lines run over every code: a box reaching below 28 shows them there, the left
    // half's stop at 28.
    s = zoomState(1100, 1300, 0, 56);
    rig.forgetAll();
    drawZoom(s, rig.views.zoom);
    const auto right = gridLines(rig.zoom, 1, 1100, 56);
    const auto at1200 =
        std::find_if(right.begin(), right.end(), [](const Segment& seg) { return seg.x1 == 1200; });
    ASSERT_NE(at1200, right.end());
    EXPECT_EQ(std::min(at1200->y1, at1200->y2), 0);
    s = zoomState(700, 900, 0, 56);
    rig.forgetAll();
    drawZoom(s, rig.views.zoom);
    const auto left = gridLines(rig.zoom, 1, 700, 56);
    const auto at800 =
        std::find_if(left.begin(), left.end(), [](const Segment& seg) { return seg.x1 == 800; });
    ASSERT_NE(at800, left.end());
    EXPECT_EQ(std::min(at800->y1, at800->y2), 28);
}

TEST(ZoomDrawing, TracesAreDrawnStrictlyInsideTheBoxWithTheScreensThickRange)
{
    ProgramState s = zoomState(900, 1100, 0, 200);
    s.ddf.ch1On = s.ddf.ref2On = 1;
    s.storage.ref2Pos = 5;
    fillWave(s.waves.waveCh1, [](int i) { return 20 + i % 150; });
    fillWave(s.waves.waveRef2, [](int i) { return 30 + i % 90; });
    s.tbB.tbBWindowOn = 1;
    s.tbB.tbBWinFirst = 950;
    s.tbB.tbBWinLast = 1010;
    s.ddf.traceSeparation = 120;  // REF II is the B trace: shifted by 8
    ZoomRig rig;
    rig.zoom.setSize({201, 201});
    drawZoom(s, rig.views.zoom);

    std::vector<Segment> ch1, ch1Thick, ref2;
    for (int x = 901; x <= 1099; ++x) {  // a segment starting on either edge is not drawn
        const Segment seg{x, 20 + x % 150, x + 1, 20 + (x + 1) % 150};
        ch1.push_back(seg);
        if (950 <= x && x <= 1010) ch1Thick.push_back(seg);
        ref2.push_back({x, 38 + x % 90, x + 1, 38 + (x + 1) % 90});
    }
    auto all = userSegments(linesIn(rig.zoom, qbColor(12)), 900, 1, 200);
    EXPECT_EQ(all, ch1);
    EXPECT_EQ(userSegments(linesIn(rig.zoom, qbColor(12), 3), 900, 1, 200), ch1Thick);
    EXPECT_EQ(userSegments(linesIn(rig.zoom, qbColor(1), 1), 900, 1, 200), ref2);
    EXPECT_EQ(s.zoom.zoomDrawing, 0);
}

TEST(ZoomDrawing, TriggerMarkOnlyInsideTheBox)
{
    ProgramState s = zoomState();
    s.preamble.wfmTrigPos = 999;  // x 1000
    s.trigMark.trigMarkY = 130;
    s.trigMark.trigMarkOnTrace = 0;
    ZoomRig rig;
    drawZoom(s, rig.views.zoom);
    const Pen pen{qbColor(2), 2, DrawStyle::Solid, DrawMode::NotXorPen};
    const std::vector<DrawOp> expected{
        {DrawOp::Kind::Line, {{100, 156 - 125}, {100, 156 - 135}}, pen, {}, {}},
        {DrawOp::Kind::Line, {{60, 156 - 130}, {140, 156 - 130}}, pen, {}, {}},
    };
    EXPECT_TRUE(sameMarks(rig.zoom.standingMarks(), expected));

    s.preamble.wfmTrigPos = 1200;  // outside: no mark (the screen would clamp it)
    rig.forgetAll();
    drawZoom(s, rig.views.zoom);
    EXPECT_TRUE(rig.zoom.standingMarks().empty());
    s.preamble.wfmTrigPos = 999;
    s.trigMark.trigMarkY = -1;
    drawZoom(s, rig.views.zoom);
    EXPECT_TRUE(rig.zoom.standingMarks().empty());
}

TEST(ZoomDrawing, CursorMarksAreTheScreensSeenThroughTheBox)
{
    ProgramState s = zoomState(900, 1100, 0, 200);
    s.ddf.ch1On = 1;
    s.cursor.cursorsOn = 1;
    fillWave(s.waves.waveCh1, [](int i) { return 60 + i % 100; });
    setCursorPositions(s, 950, 1100);  // Cursor II on the right edge: nothing of it is drawn
    ZoomRig rig;
    rig.zoom.setSize({201, 201});
    drawScreen(s, rig);

    const auto line1 = Pen{qbColor(2), 1, DrawStyle::Dash, DrawMode::NotXorPen};
    const auto level1 = Pen{qbColor(5), 3, DrawStyle::Solid, DrawMode::NotXorPen};
    const int code = 60 + 950 % 100;
    std::vector<DrawOp> expected{
        {DrawOp::Kind::Line, {{50, 200 - 28}, {50, 200 - 228}}, line1, {}, {}},
        {DrawOp::Kind::Line, {{10, 200 - code}, {90, 200 - code}}, level1, {}, {}},
    };
    // The cursor line runs from 28 to 228; the device cuts its top 3 pixels beyond the picture.
    expected[0].points[1].y = -3;
    EXPECT_TRUE(sameMarks(rig.zoom.standingMarks(), expected))
        << RecordingDevice::describe(rig.zoom.standingMarks().at(0));
    const ZoomCursorMarks& m = s.zoomMarks;
    EXPECT_EQ(m.zoomCursorMarksDrawn, 1);
    EXPECT_EQ(m.zoomMarkCursor1Pos, 950);
    EXPECT_EQ(m.zoomMarkCursor2Pos, 1100);
    EXPECT_EQ(m.zoomMarkCh1AtCursor2, 60 + 1100 % 100);  // recorded even though not drawn
    EXPECT_EQ(m.zoomMarkCh2AtCursor1, 0);                // CH II off

    // Moving the cursors updates the zoom's marks with the screen's.
    setCursorPositions(s, 1000, 1050);
    showCursorValues(s, rig);
    EXPECT_EQ(rig.zoom.standingMarks().size(), 4u);
    EXPECT_EQ(m.zoomMarkCursor1Pos, 1000);
    EXPECT_EQ(m.zoomMarkCh1AtCursor2, 60 + 1050 % 100);

    // Closing the cursor window: the next redraw leaves the zoom without cursors.
    s.cursor.cursorsOn = 0;
    drawScreen(s, rig);
    EXPECT_TRUE(rig.zoom.standingMarks().empty());
    EXPECT_EQ(m.zoomCursorMarksDrawn, 0);
}

TEST(ZoomDrawing, GuardsAndWindowStates)
{
    ProgramState s = zoomState();
    ZoomRig rig;

    s.zoom.zoomOpen = 0;
    drawZoom(s, rig.views.zoom);
    drawZoomCursors(s, rig.views.zoom);
    EXPECT_TRUE(rig.zoom.ops().empty());

    s.zoom.zoomOpen = 1;
    s.zoom.zoomDrawing = 1;  // a draw in progress
    drawZoom(s, rig.views.zoom);
    EXPECT_TRUE(rig.zoom.ops().empty());
    s.zoom.zoomDrawing = 0;

    rig.views.zoom.state = WindowState::Minimised;
    drawZoom(s, rig.views.zoom);
    EXPECT_TRUE(rig.zoom.ops().empty());

    rig.views.zoom.state = WindowState::Maximised;
    drawZoom(s, rig.views.zoom);
    EXPECT_FALSE(rig.zoom.ops().empty());

    // A box without width leaves an empty picture and no scale to draw with.
    s.zoom.zoomX2 = s.zoom.zoomX1;
    s.cursor.cursorsOn = 1;
    rig.forgetAll();
    drawZoom(s, rig.views.zoom);
    ASSERT_EQ(rig.zoom.ops().size(), 1u);
    EXPECT_EQ(rig.zoom.ops().front().kind, DrawOp::Kind::Clear);
    EXPECT_EQ(s.zoom.zoomDrawing, 0);
}
