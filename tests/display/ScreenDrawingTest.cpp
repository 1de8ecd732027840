// The screen picture on recording devices: scales of the normal and magnified views, the
// graticule, the trace passes with their visible window and extremes, the time-base B window,
// the trigger mark, labels and scroll bar.

#include <gtest/gtest.h>

#include <algorithm>

#include "ScreenTestRig.h"
#include "display/ScreenDrawing.h"
#include "display/StatusLine.h"

using namespace ql;
using namespace ql::test;

namespace {

void setHorPosition(ProgramState& s, int position)
{
    s.ddf.horPosition = static_cast<std::int16_t>(position);
    s.screen.scrollValue = static_cast<std::int16_t>(position);
}

// Codes 40..199: within the picture even when shifted by a reference offset.
int codeOf(int i)
{
    return 40 + (i * 7) % 160;
}

// The segments a trace of codes `code` should give: sample i at x = x0 + i, drawn only
// strictly inside (left, right).
std::vector<Segment> expectedSegments(int x0, int left, int right, int (*code)(int), int shift = 0)
{
    std::vector<Segment> out;
    for (int i = 1; i <= 2046; ++i) {
        const int x = x0 + i;
        if (left < x && x < right) out.push_back({x, code(i) + shift, x + 1, code(i + 1) + shift});
    }
    return out;
}

}  // namespace

TEST(ScreenDrawing, NormalViewMapsTheTenDivisionsOntoThePicture)
{
    ProgramState s = screenState();
    ScreenRig rig;
    drawScreen(s, rig);

    const Rgb grey = qbColor(8);
    const auto thin = userSegments(linesIn(rig.picture, grey, 1));
    const auto thick = userSegments(linesIn(rig.picture, grey, 2));
    ASSERT_EQ(thin.size(), 18u);
    ASSERT_EQ(thick.size(), 6u);
    auto has = [](const std::vector<Segment>& v, Segment seg) {
        return std::find(v.begin(), v.end(), seg) != v.end();
    };
    for (int y : {28, 53, 78, 103, 153, 178, 203, 228}) EXPECT_TRUE(has(thin, {0, y, 2000, y}));
    for (int x : {0, 200, 400, 600, 800}) EXPECT_TRUE(has(thin, {x, 28, x, 228}));
    // The right half's thin lines run beyond the picture's edges (cut by the device).
    for (int x : {1200, 1400, 1600, 1800, 2000}) {
        const auto it = std::find_if(thin.begin(), thin.end(), [x](const Segment& seg) {
            return seg.x1 == x && seg.x2 == x && seg.y1 < 28 && seg.y2 > 228;
        });
        EXPECT_NE(it, thin.end()) << x;
    }
    EXPECT_TRUE(has(thick, {1000, 28, 1000, 228}));
    EXPECT_TRUE(has(thick, {0, 128, 2000, 128}));
    EXPECT_TRUE(has(thick, {0, 28, 0, 228}));
    EXPECT_TRUE(has(thick, {2000, 28, 2000, 228}));
    EXPECT_TRUE(has(thick, {0, 228, 2000, 228}));
    EXPECT_TRUE(has(thick, {0, 28, 2000, 28}));
    EXPECT_TRUE(linesIn(rig.picture, qbColor(7)).empty());  // no fine grid

    EXPECT_EQ(s.measure.visFirst, 0);
    EXPECT_EQ(s.measure.visLast, 2000);
    EXPECT_EQ(rig.views.screen.scrollMaximum, 1023);
}

TEST(ScreenDrawing, MagnifiedViewShowsTwoHundredStepsWithAFineGrid)
{
    ProgramState s = screenState();
    s.ddf.xMag10 = 1;
    s.screen.scrollValue = 900;
    ScreenRig rig;
    drawScreen(s, rig);

    // Ten pixels per step: x 900..1100 fills the picture, the fine grid every 20 steps.
    const auto fine = userSegments(linesIn(rig.picture, qbColor(7)), 900, 10);
    ASSERT_EQ(fine.size(), 11u);
    for (int k = 0; k <= 10; ++k)
        EXPECT_EQ(fine[k], (Segment{900 + 20 * k, 28, 900 + 20 * k, 228}));
    const auto centre = linesIn(rig.picture, qbColor(8), 2);
    EXPECT_TRUE(std::any_of(centre.begin(), centre.end(), [](const DrawOp& op) {
        return op.points == std::vector<DevicePoint>{{1000, 200}, {1000, 0}};
    }));
    EXPECT_EQ(s.measure.visFirst, 900);
    EXPECT_EQ(s.measure.visLast, 1100);
    EXPECT_EQ(rig.views.screen.scrollMaximum, 1800);
    EXPECT_EQ(s.ddf.horPosition, 524);  // the magnified view leaves the position alone
}

TEST(ScreenDrawing, TracesAreDrawnSegmentBySegmentInsideTheVisibleWindowOnly)
{
    ProgramState s = screenState();
    setHorPosition(s, 512);  // x0 = -24: samples 1..24 and 2024.. lie on or beyond the edges
    s.ddf.ch1On = 1;
    fillWave(s.waves.waveCh1, [](int i) { return codeOf(i); });
    ScreenRig rig;
    drawScreen(s, rig);

    const auto ch1 = linesIn(rig.picture, qbColor(12));
    EXPECT_EQ(userSegments(ch1), expectedSegments(-24, 0, 2000, codeOf));
    EXPECT_EQ(ch1.size(), 1999u);
    EXPECT_TRUE(std::all_of(ch1.begin(), ch1.end(), [](const DrawOp& op) {
        return op.pen.width == 1 && op.pen.mode == DrawMode::CopyPen;
    }));

    int lo = 255, hi = 0, loAt = 0, hiAt = 0;
    for (int i = 25; i <= 2023; ++i) {
        if (codeOf(i) < lo) lo = codeOf(i), loAt = i;
        if (codeOf(i) > hi) hi = codeOf(i), hiAt = i;
    }
    EXPECT_EQ(s.measure.ch1Min, lo);
    EXPECT_EQ(s.measure.ch1Max, hi);
    EXPECT_EQ(s.measure.ch1MinIndex, loAt);
    EXPECT_EQ(s.measure.ch1MaxIndex, hiAt);
    EXPECT_EQ(s.measure.ch2Min, 255);  // CH II off
    EXPECT_EQ(s.measure.ch2Max, 0);

    // Zero mark of CH I beside the screen: x -30..-5 at code zero offset + 127.
    const auto marks = linesIn(rig.strip, qbColor(12), 1);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].points, (std::vector<DevicePoint>{{0, 100}, {25, 100}}));

    // Magnified at 900: the window 900..1100, ten pixels per step.
    s.ddf.xMag10 = 1;
    s.screen.scrollValue = 900;
    rig.forgetAll();
    drawScreen(s, rig);
    EXPECT_EQ(userSegments(linesIn(rig.picture, qbColor(12)), 900, 10),
              expectedSegments(-24, 900, 1100, codeOf));
}

TEST(ScreenDrawing, ChannelsAndReferencesTakeTheirColoursAndOffsets)
{
    ProgramState s = screenState();
    setHorPosition(s, 524);
    s.ddf.ch1On = s.ddf.ch2On = s.ddf.ref1On = s.ddf.ref2On = 1;
    s.preamble.ch2ZeroOffset = -20;
    s.storage.ref1Pos = 10;
    s.storage.ref2Pos = -7;
    for (Waveform* w : {&s.waves.waveCh1, &s.waves.waveCh2, &s.waves.waveRef1, &s.waves.waveRef2})
        fillWave(*w, [](int i) { return codeOf(i); });
    ScreenRig rig;
    drawScreen(s, rig);

    EXPECT_EQ(userSegments(linesIn(rig.picture, qbColor(9))), expectedSegments(0, 0, 2000, codeOf));
    EXPECT_EQ(userSegments(linesIn(rig.picture, qbColor(4))),
              expectedSegments(0, 0, 2000, codeOf, 10));
    EXPECT_EQ(userSegments(linesIn(rig.picture, qbColor(1))),
              expectedSegments(0, 0, 2000, codeOf, -7));
    EXPECT_EQ(linesIn(rig.strip, qbColor(9)).at(0).points,
              (std::vector<DevicePoint>{{0, 121}, {25, 121}}));  // code 107

    // Time-base B window on: the references hold the B traces, shifted by 128 - separation.
    s.tbB.tbBWindowOn = 1;
    s.ddf.traceSeparation = 100;
    rig.forgetAll();
    drawScreen(s, rig);
    EXPECT_EQ(userSegments(linesIn(rig.picture, qbColor(4))),
              expectedSegments(0, 0, 2000, codeOf, 28));
    EXPECT_EQ(userSegments(linesIn(rig.picture, qbColor(1))),
              expectedSegments(0, 0, 2000, codeOf, 28));

    // ADD mode: neither the CH II trace nor its zero mark.
    s.ddf.verAdd = 1;
    rig.forgetAll();
    drawScreen(s, rig);
    EXPECT_TRUE(linesIn(rig.picture, qbColor(9)).empty());
    EXPECT_TRUE(linesIn(rig.strip, qbColor(9)).empty());
    EXPECT_EQ(s.measure.ch2Max, 0);
    EXPECT_EQ(linesIn(rig.strip, qbColor(12)).size(), 1u);
}

TEST(ScreenDrawing, TimebaseBWindowDrawsTheChannelsThickOverItsRange)
{
    ProgramState s = screenState();
    setHorPosition(s, 524);
    s.ddf.ch1On = 1;
    s.ddf.tbAIndex = kTb1ms;
    s.ddf.tbBIndex = kTb50us;  // ten B divisions = half an A division = 100 steps
    s.preamble.wfmTrigPos = 999;
    s.ddf.delayPosition = 201;  // + 100.5
    s.tbB.tbBWindowOn = 1;
    fillWave(s.waves.waveCh1, [](int i) { return codeOf(i); });
    ScreenRig rig;
    drawScreen(s, rig);

    // 1000 + 100.5 rounds to the even 1100; the window ends 100 steps later.
    EXPECT_EQ(s.tbB.tbBWinFirst, 1100);
    EXPECT_EQ(s.tbB.tbBWinLast, 1200);
    const auto thick = userSegments(linesIn(rig.picture, qbColor(12), 3));
    ASSERT_EQ(thick.size(), 101u);
    EXPECT_EQ(thick.front().x1, 1100);
    EXPECT_EQ(thick.back().x1, 1200);
    EXPECT_EQ(linesIn(rig.picture, qbColor(12), 1).size(), 1999u - 101u);

    // Off: the range is left as it was and nothing is thick.
    s.tbB.tbBWindowOn = 0;
    s.preamble.wfmTrigPos = 0;
    rig.forgetAll();
    drawScreen(s, rig);
    EXPECT_EQ(s.tbB.tbBWinFirst, 1100);
    EXPECT_TRUE(linesIn(rig.picture, qbColor(12), 3).empty());
}

TEST(ScreenDrawing, TimebaseBWindowRangeIsGuarded)
{
    ProgramState s = screenState();
    setHorPosition(s, 524);
    s.preamble.wfmTrigPos = 99;
    s.ddf.delayPosition = 0;
    s.ddf.tbBIndex = kTb50us;

    s.ddf.tbAIndex = kTbEmpty;  // time-base A step without a value: no width, no division
    TimebaseBRange r = timebaseBWindowRange(s);
    EXPECT_EQ(r.first, 100);
    EXPECT_EQ(r.last, 100);
    s.ddf.tbAIndex = 120;  // outside the table
    EXPECT_EQ(timebaseBWindowRange(s).last, 100);

    // 100 s of B over 50 ns of A would be 4e12 steps: kept at the 16-bit limit.
    s.ddf.tbAIndex = kTb50ns;
    s.ddf.tbBIndex = kTb100s;
    EXPECT_EQ(timebaseBWindowRange(s).last, 32767);

    s.ddf.horPosition = 32767;
    s.ddf.delayPosition = 32767;
    s.preamble.wfmTrigPos = 32767;
    r = timebaseBWindowRange(s);
    EXPECT_EQ(r.first, 32767);
    EXPECT_EQ(r.last, 32767);
    s.ddf.horPosition = -32768;
    s.ddf.delayPosition = -32768;
    s.preamble.wfmTrigPos = -32768;
    EXPECT_EQ(timebaseBWindowRange(s).first, -32768);
}

TEST(ScreenDrawing, TriggerMarkStandsAtTheTriggerPointInNotXorMode)
{
    ProgramState s = screenState();
    setHorPosition(s, 524);
    s.identity.firmwareVersion = 1.16f;  // the mark sits on CH I's sample at the trigger point
    s.ddf.ch1On = 1;
    s.ddf.trigSource = 0;
    s.preamble.wfmTrigPos = 999;
    fillWave(s.waves.waveCh1, [](int) { return 150; });
    ScreenRig rig;
    drawScreen(s, rig);

    const Pen pen{qbColor(2), 2, DrawStyle::Solid, DrawMode::NotXorPen};
    const std::vector<DrawOp> expected{
        {DrawOp::Kind::Line, {{1000, 228 - 145}, {1000, 228 - 155}}, pen, {}, {}},
        {DrawOp::Kind::Line, {{960, 228 - 150}, {1040, 228 - 150}}, pen, {}, {}},
    };
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), expected))
        << RecordingDevice::describe(rig.picture.standingMarks().at(0));
    EXPECT_EQ(s.trigMark.trigMarkY, 150);

    // Left of the window the mark goes to the window's left edge; magnified it is 4 wide.
    s.ddf.xMag10 = 1;
    s.screen.scrollValue = 1200;
    rig.forgetAll();
    drawScreen(s, rig);
    const std::vector<DrawOp> atEdge{
        {DrawOp::Kind::Line, {{0, 228 - 145}, {0, 228 - 155}}, pen, {}, {}},
        // Cut by the device 4 pixels (the pen's reach) left of the picture.
        {DrawOp::Kind::Line, {{-4, 228 - 150}, {40, 228 - 150}}, pen, {}, {}},
    };
    EXPECT_TRUE(sameMarks(rig.picture.standingMarks(), atEdge));
}

TEST(ScreenDrawing, TriggerSampleOutOfRangeClearsTheMark)
{
    for (int trigPos : {2046, -2, 30000}) {
        ProgramState s = screenState();
        s.identity.firmwareVersion = 1.16f;
        s.ddf.ch1On = 1;
        s.preamble.wfmTrigPos = static_cast<std::int16_t>(trigPos);
        s.trigMark.trigMarkY = 100;  // left by an earlier redraw
        s.trigMark.trigMarkOnTrace = 1;
        ScreenRig rig;
        drawScreen(s, rig);
        EXPECT_EQ(s.trigMark.trigMarkY, -1) << trigPos;
        EXPECT_EQ(s.trigMark.trigMarkOnTrace, 0);
        EXPECT_TRUE(rig.picture.standingMarks().empty());
    }
}

TEST(ScreenDrawing, EveryPictureIsClearedWhiteAndTheStatusLineIsPrinted)
{
    ProgramState s = screenState();
    s.ddf.ch1On = 1;
    s.stamp.waveTime.assign("12:34:56");
    s.stamp.waveDate.assign("01.02.24");
    s.screen.noDataYet = 1;
    s.ddf.digitalMode = 0;
    ScreenRig rig;
    drawScreen(s, rig);

    for (const RecordingDevice* d : {&rig.picture, &rig.strip, &rig.status}) {
        ASSERT_FALSE(d->ops().empty());
        EXPECT_EQ(d->ops().front().kind, DrawOp::Kind::Clear);
        EXPECT_EQ(d->ops().front().pen.color, kWhite);
    }
    EXPECT_EQ(rig.status.texts(),
              std::vector<std::string>{buildStatusLine(s, StatusLineTarget::Screen)});
    const ScreenView& v = rig.views.screen;
    EXPECT_EQ(v.caption, "Signal       12:34:56  01.02.24  ");
    EXPECT_TRUE(v.guideTextVisible);
    EXPECT_TRUE(v.analogModeLabelVisible);

    s.screen.noDataYet = 0;
    s.ddf.digitalMode = 1;
    drawScreen(s, rig);
    EXPECT_FALSE(v.guideTextVisible);
    EXPECT_FALSE(v.analogModeLabelVisible);
}

TEST(ScreenDrawing, HorizontalPositionFollowsTheScrollBarWithinItsRange)
{
    ProgramState s = screenState();
    ScreenRig rig;

    // A value left by the magnified view is cut to the normal range before it becomes the
    // horizontal position.
    s.ddf.xMag10 = 1;
    s.screen.scrollValue = 1500;
    drawScreen(s, rig);
    EXPECT_EQ(s.screen.scrollValue, 1500);
    s.ddf.xMag10 = 0;
    drawScreen(s, rig);
    EXPECT_EQ(s.ddf.horPosition, 1023);
    EXPECT_EQ(s.screen.scrollValue, 1023);

    // New data put the bar on the position (normal) or on the centre division (magnified).
    s.ddf.horPosition = 300;
    s.screen.scrollResyncPending = 1;
    drawScreen(s, rig);
    EXPECT_EQ(s.screen.scrollValue, 300);
    EXPECT_EQ(s.screen.scrollResyncPending, 0);
    s.ddf.xMag10 = 1;
    s.screen.scrollResyncPending = 1;
    drawScreen(s, rig);
    EXPECT_EQ(s.screen.scrollValue, 900);
    EXPECT_EQ(s.ddf.horPosition, 300);

    // A position beyond the range (a loaded file) is brought into it.
    s.ddf.xMag10 = 0;
    s.ddf.horPosition = 2000;
    s.screen.scrollResyncPending = 1;
    drawScreen(s, rig);
    EXPECT_EQ(s.ddf.horPosition, 1023);
    s.ddf.horPosition = -5;
    s.screen.scrollResyncPending = 1;
    drawScreen(s, rig);
    EXPECT_EQ(s.ddf.horPosition, 0);
}

TEST(ScreenDrawing, ScreenLayoutLeavesRoomForTheStripsAndTheScrollBar)
{
    // 96 dpi: 300 twips are 20 pixels, 255 twips 17.
    const ScreenLayout l = screenLayout({800, 500}, 96.0, 16);
    EXPECT_EQ(l.statusStrip, (ViewArea{0, 0, 800, 20}));
    EXPECT_EQ(l.zeroMarkStrip, (ViewArea{0, 20, 17, 464}));
    EXPECT_EQ(l.picture, (ViewArea{17, 20, 783, 464}));
    EXPECT_EQ(l.scrollBar, (ViewArea{0, 484, 800, 16}));
    const ScreenLayout tiny = screenLayout({10, 12}, 96.0, 16);
    EXPECT_EQ(tiny.picture.width, 0);
    EXPECT_EQ(tiny.picture.height, 0);
}

TEST(ScreenDrawing, ScreenLayoutRoundsAHalfPixelStripToEven)
{
    // 48 dpi: 300 twips are 10 pixels, 255 twips 8.5, which the program's rounding makes 8.
    const ScreenLayout l = screenLayout({400, 300}, 48.0, 16);
    EXPECT_EQ(l.statusStrip.height, 10);
    EXPECT_EQ(l.zeroMarkStrip.width, 8);
    EXPECT_EQ(l.picture.left, 8);
}

TEST(ScreenDrawing, ATraceReachesTheDeviceAsOnePathPerLineWidth)
{
    ProgramState s = screenState();
    setHorPosition(s, 524);
    s.ddf.ch1On = 1;
    fillWave(s.waves.waveCh1, [](int i) { return codeOf(i); });
    ScreenRig rig;
    drawScreen(s, rig);
    const auto paths = [&rig](int width) {
        std::vector<DrawOp> out;
        for (const DrawOp& op : rig.picture.opsOfKind(DrawOp::Kind::Polyline))
            if (hasPen(op, qbColor(12), width)) out.push_back(op);
        return out;
    };
    ASSERT_EQ(paths(0).size(), 1u);
    EXPECT_EQ(paths(0)[0].points.size(), 2000u);  // x 1..2000: 1999 segments
    EXPECT_TRUE(linesIn(rig.picture.opsOfKind(DrawOp::Kind::Line), qbColor(12)).empty());

    // Thin, thick over the time-base B window, thin again: three paths sharing their ends.
    s.ddf.tbBIndex = kTb50us;
    s.preamble.wfmTrigPos = 999;
    s.ddf.delayPosition = 201;
    s.tbB.tbBWindowOn = 1;
    rig.forgetAll();
    drawScreen(s, rig);
    ASSERT_EQ(paths(1).size(), 2u);
    ASSERT_EQ(paths(3).size(), 1u);
    EXPECT_EQ(paths(1)[0].points.back(), paths(3)[0].points.front());
    EXPECT_EQ(paths(3)[0].points.back(), paths(1)[1].points.front());
}

TEST(ScreenDrawing, TheStatusFontShrinksToTheStripButNotBelowSixPoints)
{
    ProgramState s = screenState();
    s.ddf.ch1On = s.ddf.ch2On = 1;
    // Strip width, and the size of the font wanted: as it was, the largest that fits, 6 pt.
    for (const int width : {1200, 300, 40}) {
        ScreenRig rig;
        rig.status.setSize({width, 20});
        drawScreen(s, rig);
        const auto texts = rig.status.opsOfKind(DrawOp::Kind::Text);
        ASSERT_EQ(texts.size(), 1u);
        FontSpec font = texts[0].font;
        const bool fits = rig.status.textWidth(texts[0].text, font) <= width;
        font.points += 0.25;
        const bool largerFits = rig.status.textWidth(texts[0].text, font) <= width;
        EXPECT_TRUE(width != 1200 || font.points == 8.5);
        EXPECT_TRUE(width != 300 || (fits && !largerFits));
        EXPECT_TRUE(width != 40 || font.points == 6.25);
    }
}
