// The cursor marks on the screen picture: what stands on the picture (the not-XOR marks the
// recording device still holds) is always the set ScreenCursorMarks records.

#include <gtest/gtest.h>

#include <vector>

#include "ScreenTestRig.h"
#include "display/CursorReadout.h"
#include "display/ScreenCursors.h"
#include "display/ScreenDrawing.h"

using namespace ql;
using namespace ql::test;

namespace {

// Marks in device pixels of the 2001 x 201 picture showing x `left`.. with `pixelsPerStep`.
struct ExpectedMarks {
    int left = 0, pixelsPerStep = 1, halfWidth = 40;
    std::vector<DrawOp> ops;

    int px(int x) const { return (x - left) * pixelsPerStep; }

    void line(int x, int color)
    {
        const Pen pen{qbColor(color), 1, DrawStyle::Dash, DrawMode::NotXorPen};
        ops.push_back({DrawOp::Kind::Line, {{px(x), 200}, {px(x), 0}}, pen, {}, {}});
    }
    void level(int x, int code, int color)
    {
        const Pen pen{qbColor(color), 3, DrawStyle::Solid, DrawMode::NotXorPen};
        const int y = 228 - code;
        ops.push_back(
            {DrawOp::Kind::Line, {{px(x - halfWidth), y}, {px(x + halfWidth), y}}, pen, {}, {}});
    }
};

int ch1Code(int i)
{
    return 60 + i % 100;
}
int ch2Code(int i)
{
    return 200 - i % 50;
}

// CH I and CH II on, the record starting at screen x 0, cursors at 500 and 1500.
ProgramState cursorState()
{
    ProgramState s = screenState();
    s.ddf.horPosition = s.screen.scrollValue = 524;
    s.ddf.ch1On = s.ddf.ch2On = 1;
    s.cursor.cursorsOn = 1;
    s.cursor.cursor1Pos = 500;
    s.cursor.cursor2Pos = 1500;
    fillWave(s.waves.waveCh1, [](int i) { return ch1Code(i); });
    fillWave(s.waves.waveCh2, [](int i) { return ch2Code(i); });
    return s;
}

std::vector<DrawOp> marksOfBothChannels(int c1, int c2)
{
    ExpectedMarks m;
    m.line(c1, 2);
    m.line(c2, 3);
    m.level(c1, ch1Code(c1), 5);
    m.level(c2, ch1Code(c2), 2);
    m.level(c1, ch2Code(c1), 5);
    m.level(c2, ch2Code(c2), 2);
    return m.ops;
}

}  // namespace

TEST(ScreenCursors, RedrawDrawsTheCursorsAndRecordsThem)
{
    ProgramState s = cursorState();
    ScreenRig rig;
    drawScreen(s, rig);

    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), marksOfBothChannels(500, 1500)));
    const ScreenCursorMarks& m = s.screenMarks;
    EXPECT_EQ(m.screenCursorsDrawn, 1);
    EXPECT_EQ(m.screenOldCursor1, 500);
    EXPECT_EQ(m.screenOldCursor2, 1500);
    EXPECT_EQ(m.screenOldLevelA1, ch1Code(500));
    EXPECT_EQ(m.screenOldLevelA2, ch1Code(1500));
    EXPECT_EQ(m.screenOldLevelB1, ch2Code(500));
    EXPECT_EQ(m.screenOldLevelB2, ch2Code(1500));

    // A second redraw starts from a clean picture: still exactly one set.
    drawScreen(s, rig);
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), marksOfBothChannels(500, 1500)));
}

TEST(ScreenCursors, MovingACursorErasesTheOldMarksAndDrawsTheNew)
{
    ProgramState s = cursorState();
    ScreenRig rig;
    drawScreen(s, rig);
    const auto redraws = rig.picture.opsOfKind(DrawOp::Kind::Clear).size();

    setCursorPositions(s, 700, 1210);
    showCursorValues(s, rig);
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), marksOfBothChannels(700, 1210)));
    EXPECT_EQ(s.screenMarks.screenOldCursor1, 700);
    EXPECT_EQ(s.screenMarks.screenOldLevelB2, ch2Code(1210));
    EXPECT_EQ(rig.picture.opsOfKind(DrawOp::Kind::Clear).size(), redraws);  // marks only

    // Both cursors on one sample: the two lines differ in colour, so both stand.
    setCursorPositions(s, 900, 900);
    showCursorValues(s, rig);
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), marksOfBothChannels(900, 900)));
}

TEST(ScreenCursors, MarksFollowTheMeasuredTraces)
{
    ProgramState s = cursorState();
    s.waves.waveCh1[500] = 0;  // a code of 0 stands for no mark
    s.ddf.verAdd = 1;          // in ADD mode the live CH II is not measured
    ScreenRig rig;
    drawScreen(s, rig);
    ExpectedMarks m;
    m.line(500, 2);
    m.line(1500, 3);
    m.level(1500, ch1Code(1500), 2);
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), m.ops));
    EXPECT_EQ(s.screenMarks.screenOldLevelA1, 0);
    EXPECT_EQ(s.screenMarks.screenOldLevelB1, 0);

    // The references measured: REF I shifted by its position; REF II off gives no marks.
    s.ddf.verAdd = 0;
    s.ddf.ref1On = 1;
    s.storage.ref1Pos = -10;
    s.cursor.cursorOnRef = 1;
    fillWave(s.waves.waveRef1, [](int i) { return 100 + i % 7; });
    setCursorPositions(s, 600, 1400);
    showCursorValues(s, rig);
    ExpectedMarks r;
    r.line(600, 2);
    r.line(1400, 3);
    r.level(600, 90 + 600 % 7, 5);
    r.level(1400, 90 + 1400 % 7, 2);
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), r.ops));

    // With both references off the box is cleared and the channels are measured again.
    s.ddf.ref1On = 0;
    showCursorValues(s, rig);
    EXPECT_EQ(s.cursor.cursorOnRef, 0);
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), marksOfBothChannels(600, 1400)));
}

TEST(ScreenCursors, MagnifiedViewDrawsShortLevelMarks)
{
    ProgramState s = cursorState();
    s.ddf.xMag10 = 1;
    s.screen.scrollValue = 900;
    setCursorPositions(s, 950, 1050);
    ScreenRig rig;
    drawScreen(s, rig);
    ExpectedMarks m{900, 10, 4, {}};
    m.line(950, 2);
    m.line(1050, 3);
    m.level(950, ch1Code(950), 5);
    m.level(1050, ch1Code(1050), 2);
    m.level(950, ch2Code(950), 5);
    m.level(1050, ch2Code(1050), 2);
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), m.ops));
}

TEST(ScreenCursors, MarksStayOnThePictureTheyWereDrawnOn)
{
    // A panel moved the position and the magnification, the redraw is still to come: the old
    // marks are erased where they stand and the new ones drawn on the same picture.
    ProgramState s = cursorState();
    ScreenRig rig;
    drawScreen(s, rig);
    s.ddf.horPosition = 700;
    s.ddf.xMag10 = 1;
    setCursorPositions(s, 800, 1300);
    showCursorValues(s, rig);
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), marksOfBothChannels(800, 1300)));
}

TEST(ScreenCursors, ClosedCursorWindowLeavesNoMarksAfterTheRedraw)
{
    ProgramState s = cursorState();
    ScreenRig rig;
    int readouts = 0;
    rig.views.chain.connect(RedrawLink::CursorReadout, [&](ProgramState&) { ++readouts; });
    drawScreen(s, rig);
    EXPECT_EQ(readouts, 1);

    s.cursor.cursorsOn = 0;
    drawScreen(s, rig);
    EXPECT_EQ(readouts, 1);
    EXPECT_EQ(s.screenMarks.screenCursorsDrawn, 0);
    EXPECT_TRUE(rig.picture.standingMarks().empty());
}
