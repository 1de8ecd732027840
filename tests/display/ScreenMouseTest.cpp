// The mouse over the screen picture: where a cursor can be grabbed, how far a grabbed cursor
// follows, which cursor wins, and how a zoom box is completed and put in order.

#include <gtest/gtest.h>

#include <optional>

#include "ScreenTestRig.h"
#include "display/CursorReadout.h"
#include "display/ScreenDrawing.h"
#include "display/ScreenMouse.h"
#include "state/Numeric.h"

using namespace ql;
using namespace ql::test;

namespace {

constexpr int kNone = 0, kLeft = kLeftMouseButton, kRight = kRightMouseButton;
constexpr int kBoth = kLeftMouseButton | kRightMouseButton;
constexpr auto kCross = ScreenPointer::Cross;
constexpr auto kArrow = ScreenPointer::WestEastArrow;

// HorPosition 512 (the record starts at x -24), cursors on at 500 and 1500.
ProgramState mouseState()
{
    ProgramState s = screenState();
    s.ddf.horPosition = s.screen.scrollValue = 512;
    s.ddf.ch1On = 1;
    s.cursor.cursorsOn = 1;
    setCursorPositions(s, 500, 1500);
    return s;
}

struct GrabCase {
    const char* what;
    int xMag10, cursor1, cursor2, grabbedBefore, buttons;
    double x;
    ScreenPointer pointer;
    int grabbedAfter, cursor1After, cursor2After;
};

}  // namespace

TEST(ScreenMouse, CursorsAreGrabbedNearTheirLinesAndFollowWithinTheRecord)
{
    const GrabCase cases[] = {
        // Cursor I at 500 stands at x 476: near for Int(x) 447..505, or 473..479 magnified.
        {"left of the range", 0, 500, 1500, 0, kNone, 446.9, kCross, 0, 500, 1500},
        {"first near", 0, 500, 1500, 0, kNone, 447.0, kArrow, 0, 500, 1500},
        {"last near", 0, 500, 1500, 0, kNone, 505.9, kArrow, 0, 500, 1500},
        {"right of the range", 0, 500, 1500, 0, kNone, 506.0, kCross, 0, 500, 1500},
        {"magnified left", 1, 500, 1500, 0, kNone, 472.5, kCross, 0, 500, 1500},
        {"magnified first", 1, 500, 1500, 0, kNone, 473.0, kArrow, 0, 500, 1500},
        {"magnified last", 1, 500, 1500, 0, kNone, 479.9, kArrow, 0, 500, 1500},
        {"magnified right", 1, 500, 1500, 0, kNone, 480.0, kCross, 0, 500, 1500},
        // The left button alone grabs and moves; the position is kept on the record.
        {"grab and move", 0, 500, 1500, 0, kLeft, 490.0, kArrow, 1, 514, 1500},
        {"grab Cursor II", 0, 500, 1500, 0, kLeft, 1480.2, kArrow, 2, 500, 1504},
        {"past the left end", 0, 500, 1500, 2, kLeft, -500.0, kArrow, 2, 500, 1},
        {"past the right end", 0, 500, 1500, 1, kLeft, 3000.0, kArrow, 1, 2046, 1500},
        {"stays grabbed far away", 0, 500, 1500, 1, kLeft, 1900.0, kArrow, 1, 1924, 1500},
        {"Cursor II stays grabbed over I", 0, 500, 1500, 2, kLeft, 476.0, kArrow, 2, 500, 500},
        // Both near: Cursor I is taken.
        {"Cursor I wins", 0, 500, 510, 0, kLeft, 480.0, kArrow, 1, 504, 510},
        // Without the left button alone nothing is held and nothing moves.
        {"released", 0, 500, 1500, 1, kNone, 700.0, kCross, 0, 500, 1500},
        {"right button", 0, 500, 1500, 1, kRight, 476.0, kArrow, 0, 500, 1500},
        {"both buttons", 0, 500, 1500, 1, kBoth, 600.0, kCross, 0, 500, 1500},
    };
    for (const GrabCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramState s = mouseState();
        s.ddf.xMag10 = static_cast<byte>(c.xMag10);
        setCursorPositions(s, c.cursor1, c.cursor2);
        s.cursor.cursorGrabbed = static_cast<byte>(c.grabbedBefore);
        ScreenRig rig;
        const ScreenMouseOutcome out = screenMouseMove(s, rig, c.buttons, c.x, 128);
        EXPECT_EQ(out.pointer, c.pointer);
        EXPECT_EQ(s.cursor.cursorGrabbed, c.grabbedAfter);
        EXPECT_EQ(s.cursor.cursor1Pos, c.cursor1After);
        EXPECT_EQ(s.cursor.cursor2Pos, c.cursor2After);
        EXPECT_EQ(out.cursorMoved, c.cursor1After != c.cursor1 || c.cursor2After != c.cursor2);
    }
}

TEST(ScreenMouse, ADraggedCursorBringsTheReadoutsAndTheMarksAlong)
{
    ProgramState s = mouseState();
    ScreenRig rig;
    int readouts = 0;
    rig.views.chain.connect(RedrawLink::CursorReadout, [&](ProgramState&) { ++readouts; });
    drawScreen(s, rig);
    ASSERT_EQ(readouts, 1);

    screenMouseMove(s, rig, kLeft, 476, 128);  // grabbed where it stands: nothing to redo
    EXPECT_EQ(readouts, 1);
    screenMouseMove(s, rig, kLeft, 676, 128);
    EXPECT_EQ(s.cursor.cursor1Pos, 700);
    EXPECT_EQ(readouts, 2);
    EXPECT_EQ(s.screenMarks.screenOldCursor1, 700);  // the marks stand at the new place

    // With the cursor window closed there are no cursors to drag and the pointer stays.
    s.cursor.cursorsOn = 0;
    const ScreenMouseOutcome out = screenMouseMove(s, rig, kLeft, 476, 128);
    EXPECT_EQ(out.pointer, std::nullopt);
    EXPECT_EQ(s.cursor.cursor1Pos, 700);
}

namespace {

struct BoxCase {
    const char* what;
    double fromX, fromY, toX, toY;
    ZoomBox box;
};

}  // namespace

TEST(ScreenMouse, AReleasedZoomBoxIsCutOrderedAndGivenItsMinimumSize)
{
    const BoxCase cases[] = {
        {"drawn forwards", 500, 50, 1500, 200, {500, 50, 1500, 200}},
        {"drawn backwards", 1500, 200, 500, 50, {500, 50, 1500, 200}},
        {"no size in the middle", 1000, 128, 1000, 128, {1000, 128, 1010, 138}},
        {"no size at the origin", 0, 0, 0, 0, {0, 0, 10, 10}},
        {"no size at the top right", 2040, 250, 2040, 250, {2030, 240, 2040, 250}},
        {"too low near the top", 100, 240, 300, 249, {100, 230, 300, 249}},
        {"too narrow at the right", 2036, 60, 2040, 90, {2026, 60, 2040, 90}},
        {"partly above and left", -100, 300, 500, 100, {0, 100, 500, 255}},
        {"partly right", 1900, 100, 2100, 150, {1900, 100, 2046, 150}},
        {"halves to even", 1000.5, 100.5, 1101.5, 150.5, {1000, 100, 1102, 150}},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramState s = mouseState();
        s.cursor.cursorsOn = 0;
        ScreenRig rig;
        screenMouseMove(s, rig, kRight, c.fromX, c.fromY);
        const ScreenMouseOutcome dragging = screenMouseMove(s, rig, kRight, c.toX, c.toY);
        EXPECT_TRUE(dragging.zoomBoxChanged);
        EXPECT_FALSE(dragging.zoomBoxReleased);
        EXPECT_EQ(s.zoom.zoomDragging, 1);
        EXPECT_EQ(s.zoom.zoomOpen, 0);
        EXPECT_EQ(s.zoom.zoomDragX, roundHalfEven(c.toX));  // the outline's corner

        const ScreenMouseOutcome released = screenMouseMove(s, rig, kNone, c.toX, c.toY);
        EXPECT_TRUE(released.zoomBoxReleased);
        EXPECT_EQ(released.pointer, ScreenPointer::IBeam);
        EXPECT_EQ(s.zoom.zoomDragging, 0);
        EXPECT_EQ(s.zoom.zoomOpen, 1);
        const ZoomState& z = s.zoom;
        EXPECT_EQ((ZoomBox{z.zoomX1, z.zoomY1, z.zoomX2, z.zoomY2}), c.box);
        EXPECT_FALSE(screenMouseMove(s, rig, kNone, 0, 0).zoomBoxReleased);  // released once
    }
}

TEST(ScreenMouse, BothButtonsFinishAPendingBoxAndDragNothing)
{
    ProgramState s = mouseState();
    ScreenRig rig;
    screenMouseMove(s, rig, kRight, 300, 100);
    const ScreenMouseOutcome out = screenMouseMove(s, rig, kBoth, 476, 150);
    EXPECT_TRUE(out.zoomBoxReleased);
    EXPECT_EQ(out.pointer, ScreenPointer::IBeam);  // over Cursor I, but the box came last
    EXPECT_EQ(s.cursor.cursorGrabbed, 0);
    EXPECT_EQ(s.cursor.cursor1Pos, 500);
    // The box ends at the last corner dragged, not where the buttons changed.
    EXPECT_EQ((ZoomBox{s.zoom.zoomX1, s.zoom.zoomY1, s.zoom.zoomX2, s.zoom.zoomY2}),
              (ZoomBox{300, 100, 310, 110}));
}

TEST(ScreenMouse, NothingChangesWhileTheScreenIsBusy)
{
    ProgramState s = mouseState();
    ScreenRig rig;
    screenMouseMove(s, rig, kRight, 300, 100);  // a box in progress
    s.cursor.cursorGrabbed = 1;
    s.screen.screenBusy = 1;
    const ZoomState zoomBefore = s.zoom;
    for (const int buttons : {kNone, kLeft, kRight, kBoth}) {
        const ScreenMouseOutcome out = screenMouseMove(s, rig, buttons, 700, 200);
        EXPECT_EQ(out.pointer, std::nullopt);
        EXPECT_FALSE(out.cursorMoved || out.zoomBoxChanged || out.zoomBoxReleased);
    }
    EXPECT_EQ(s.cursor.cursor1Pos, 500);
    EXPECT_EQ(s.cursor.cursorGrabbed, 1);
    EXPECT_EQ(s.zoom.zoomDragX, zoomBefore.zoomDragX);
    EXPECT_EQ(s.zoom.zoomDragging, 1);
    EXPECT_EQ(s.zoom.zoomOpen, 0);
}
