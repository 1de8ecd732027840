// The views on the page: the time view's graticule, traces, trigger-level mark, status line and
// cursors, and the XY view.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "HardcopyRig.h"

using namespace ql;
using namespace ql::test;

namespace {

// Vertical solid lines over the screen area's height at whole divisions, as (x, width).
std::vector<std::pair<double, int>> divisionLines(const Rendered& r)
{
    std::vector<std::pair<double, int>> out;
    for (const PlacedLine& l : r.lines())
        if (l.x1 == l.x2 && l.y1 == 28 && l.y2 == 228 && std::fmod(l.x1, 200) == 0 &&
            l.pen.style == DrawStyle::Solid)
            out.emplace_back(l.x1, l.pen.width);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<PlacedLine> linesOf(const Rendered& r, Rgb colour, DrawStyle style)
{
    std::vector<PlacedLine> out;
    for (const PlacedLine& l : r.lines())
        if (l.pen.color == colour && l.pen.style == style) out.push_back(l);
    return out;
}

}  // namespace

TEST(HardcopyTimeView, GraticuleOverTheShownPartOfTheRecord)
{
    using Lines = std::vector<std::pair<double, int>>;
    struct Case {
        byte xMag10;
        std::int16_t scroll;
        Lines lines;  // the magnified view's fine lines count among them
    };
    const Case cases[] = {
        {0,
         0,
         {{0, 1},
          {0, 3},
          {200, 1},
          {400, 1},
          {600, 1},
          {800, 1},
          {1000, 3},
          {1200, 1},
          {1400, 1},
          {1600, 1},
          {1800, 1},
          {2000, 1},
          {2000, 3}}},
        {1, 1450, {{1600, 1}, {1600, 1}}},
        {1, 900, {{1000, 1}, {1000, 3}}},
    };
    for (const Case& c : cases) {
        ProgramState s = hardcopyState();
        s.ddf.xMag10 = c.xMag10;
        s.screen.scrollValue = c.scroll;
        s.print.printColor = 1;  // the graticule stays black
        EXPECT_EQ(divisionLines(*render(s, kPrinterHardcopy)), c.lines) << c.scroll;
    }
    EXPECT_EQ(divisionLines(*render(hardcopyState(), kPreviewHardcopy))[6].second, 2);
    EXPECT_EQ(divisionLines(*render(hardcopyState(), kMetafileHardcopy))[6].second, 1);
}

TEST(HardcopyTimeView, TracesStayStrictlyInsideTheScreenArea)
{
    ProgramState s = hardcopyState();
    s.print.printColor = 1;
    s.ddf.horPosition = 523;  // sample 2 at x 0, sample 2002 at x 2000
    const auto r = render(s, kPrinterHardcopy);
    const auto ch1 = linesOf(*r, qbColor(12), DrawStyle::Solid);
    ASSERT_EQ(ch1.size(), 2000u);  // segments from x 1 to 1999, then the zero mark
    EXPECT_EQ(ch1.front().x1, 1);
    EXPECT_EQ(ch1.front().y1, s.waves.waveCh1[3]);
    EXPECT_EQ(ch1[1998].x1, 1999);
    EXPECT_EQ(ch1.back().x1, -30);
    EXPECT_EQ(ch1.back().x2, -5);
    EXPECT_EQ(ch1.back().y1, 128);
    const auto leader = linesOf(*r, qbColor(12), DrawStyle::Dot).at(0);
    EXPECT_EQ(leader.x1, -50);
    EXPECT_EQ(leader.x2, 1);
    EXPECT_EQ(r->text("CH I", true).x, -170);
    EXPECT_EQ(r->text("CH I", true).y, s.waves.waveCh1[3] + 4);

    const int lastLevel = s.waves.waveRef1[2002] + s.storage.ref1Pos;
    EXPECT_EQ(linesOf(*r, qbColor(4), DrawStyle::Solid).back().x1, 1999);
    EXPECT_EQ(linesOf(*r, qbColor(4), DrawStyle::Solid).back().y2, lastLevel);
    EXPECT_EQ(linesOf(*r, qbColor(4), DrawStyle::Dot).at(0).x2, 2050);
    EXPECT_EQ(r->text("REF I").x, 2070);
    EXPECT_EQ(r->text("REF I").y, lastLevel + 4);

    // Nothing of a trace shows: a channel keeps its zero mark, a reference draws nothing.
    s.ddf.horPosition = 1623;
    const auto away = render(s, kPrinterHardcopy);
    EXPECT_EQ(linesOf(*away, qbColor(12), DrawStyle::Solid).size(), 1u);
    EXPECT_EQ(linesOf(*away, qbColor(4), DrawStyle::Solid).size(), 0u);
    EXPECT_EQ(away->text("CH I", true).text + away->text("REF").text, "");
}

TEST(HardcopyTimeView, TraceWidthsPerTargetAndTheTimebaseBWindow)
{
    ProgramState s = hardcopyState();
    s.tbB.tbBWindowOn = 1;
    s.tbB.tbBWinFirst = 1000;
    s.tbB.tbBWinLast = 1100;
    s.ddf.traceSeparation = 28;  // the references move up by 100
    struct Case {
        const HardcopyTarget& target;
        int outside, inside, reference;
    };
    for (const Case& c : {Case{kPrinterHardcopy, 1, 6, 1}, Case{kPreviewHardcopy, 1, 3, 1},
                          Case{kMetafileHardcopy, 2, 4, 2}}) {
        const auto r = render(s, c.target);
        std::map<double, int> ch1Width;  // CH I comes first; every trace is black
        for (const PlacedLine& l : r->lines())
            if (l.x2 == l.x1 + 1) ch1Width.try_emplace(l.x1, l.pen.width);
        EXPECT_EQ(ch1Width.at(999), c.outside);
        EXPECT_EQ(ch1Width.at(1000), c.inside);
        EXPECT_EQ(ch1Width.at(1100), c.inside);
        EXPECT_EQ(ch1Width.at(1101), c.outside);
        const int refLevel = s.waves.waveRef1[2000] + 100;
        EXPECT_EQ(r->text("TBB I", true).y, refLevel + 4);
        int referenceWidth = 0;
        for (const PlacedLine& l : r->lines())
            if (l.x1 == 1998 && l.y2 == refLevel) referenceWidth = l.pen.width;
        EXPECT_EQ(referenceWidth, c.reference);
    }
    s.ddf.verAdd = 1;  // ADD mode: nothing of CH II
    EXPECT_EQ(render(s, kPrinterHardcopy)->text("CH II", true).text, "");
}

TEST(HardcopyTimeView, TriggerLevelMark)
{
    struct Case {
        std::int16_t trigPos, codeAtTrigger;
        byte source, colour;
        std::size_t lines;  // tick and bar
    };
    const Case cases[] = {
        {999, 150, 0, 1, 2},   // in colour, not-XOR
        {999, 150, 0, 0, 2},   // black, copy pen
        {2046, 150, 0, 1, 0},  // trigger sample 2047
        {999, 0, 0, 1, 0},     // mark at code 0
        {999, 150, 2, 1, 0},   // external trigger: no mark (65535)
    };
    for (const Case& c : cases) {
        ProgramState s = hardcopyState();
        s.identity.firmwareVersion = 1.0f;  // the mark sits on the trace's code
        s.preamble.wfmTrigPos = c.trigPos;
        s.waves.waveCh1[static_cast<std::size_t>(c.trigPos + 1)] = c.codeAtTrigger;
        s.ddf.trigSource = c.source;
        s.print.printColor = c.colour;
        s.ddf.xMag10 = 1;
        s.screen.scrollValue = 900;
        const auto r = render(s, kPrinterHardcopy);
        std::vector<PlacedLine> mark;
        for (const PlacedLine& l : r->lines())
            if (l.pen.width == 2) mark.push_back(l);
        ASSERT_EQ(mark.size(), c.lines) << c.trigPos << c.source;
        EXPECT_EQ(r->surface.drawMode(), DrawMode::CopyPen);
        if (c.lines == 0) continue;
        EXPECT_EQ(mark[0].pen.mode, c.colour ? DrawMode::NotXorPen : DrawMode::CopyPen);
        EXPECT_EQ(mark[0].pen.color, c.colour ? qbColor(2) : kBlack);
        EXPECT_EQ(mark[0].x1, 1000);
        EXPECT_EQ(mark[0].y1, 145);
        EXPECT_EQ(mark[1].x1, 996);  // 0.4 division wide in the magnified view too
        EXPECT_EQ(mark[1].x2, 1004);
    }
}

TEST(HardcopyTimeView, StatusLineOfEachTarget)
{
    ProgramState s = hardcopyState();
    s.ddf.ch2VoltsIndex = kVolts500mV;
    s.ddf.ch2Coupling = 1;
    s.ddf.pretriggerIndex = 4;
    EXPECT_EQ(render(s, kPrinterHardcopy)->text("CH1: ").text,
              "CH1: 1.000V/DIV DC  CH2: .500V/DIV AC   TB A: 1 ms  TR: CH1+AC  PT: 25");
    // Each target takes its own variant: the pre-trigger of 0 % and the peak-detect mark.
    s.ddf.pretriggerIndex = 3;
    s.ddf.peakDetect = 1;
    const std::pair<const HardcopyTarget*, std::string> tails[] = {{&kPrinterHardcopy, "PT: 0"},
                                                                   {&kPreviewHardcopy, "PT: 0  PK"},
                                                                   {&kMetafileHardcopy, "  PK"}};
    for (const auto& [target, tail] : tails) {
        const std::string line = render(s, *target)->text("CH1: ").text;
        EXPECT_EQ(line.substr(line.rfind("AC  ") + 4), tail);
    }
}

TEST(HardcopyTimeView, CursorsAndTheirValues)
{
    ProgramState s = hardcopyState();
    s.ddf.ch2On = 0;
    s.print.printColor = 1;
    s.tbB.tbBWindowOn = 1;
    s.ddf.tbBIndex = kTb50us;
    s.ddf.peakDetect = 1;
    struct Case {
        const HardcopyTarget& target;
        double row1, row2, dtRow, tbBRow, column2, column3;
        int levelWidth;
        std::string tbB;
    };
    const double p = kPrinterHardcopy.lineStep, v = 7.5, m = 6.5;
    const Case cases[] = {
        {kPrinterHardcopy, 28 - 2 * p, 28 - 3 * p, 28 - 4.5 * p, 28 - p, 800, 1500, 5,
         "TB B:50 \u00b5s  PK"},
        {kPreviewHardcopy, 28 - 2 * v, 28 - 3 * v, 28 - 4.5 * v, 28 - v, 700, 1200, 1,
         "TB B:50 \u00b5s"},
        {kMetafileHardcopy, 28 - 2.5 * m, 28 - 3.5 * m, 28 - 4.5 * m, 28 - 1.3 * m, 700, 1200, 1,
         "TB B:50 \u00b5s"},
    };
    for (const Case& c : cases) {
        const auto r = render(s, c.target);
        EXPECT_EQ(r->text("CH I :").text, "CH I :  Cursor I: -.040V");
        EXPECT_EQ(r->text("CH I :").y, c.row1);
        EXPECT_EQ(r->text("CH II:").text, "CH II:  Cursor I: Off");
        EXPECT_EQ(r->text("CH II:").y, c.row2);
        EXPECT_NEAR(r->text("dt: ").y, c.dtRow, 0.02);
        EXPECT_EQ(r->text(c.target.cursor2Label).x, c.column2);
        EXPECT_EQ(r->text(c.target.differenceLabel).x, c.column3);
        EXPECT_EQ(r->text(c.target.frequencyLabel).x, 500);
        EXPECT_EQ(r->text("TB B:").text, c.tbB);
        EXPECT_NEAR(r->text("TB B:").y, c.tbBRow, 0.02);
        // Cursor lines dashed in not-XOR over the area's height, labels 2 codes below it.
        const auto line1 = linesOf(*r, qbColor(2), DrawStyle::Dash);
        ASSERT_EQ(line1.size(), 1u);
        EXPECT_EQ(line1[0].x1, 500);
        EXPECT_EQ(line1[0].pen.mode, DrawMode::NotXorPen);
        EXPECT_EQ(r->text("II", true).x, 1480);
        EXPECT_EQ(r->text("II", true).y, 26);
        const auto level = linesOf(*r, qbColor(5), DrawStyle::Solid);
        ASSERT_EQ(level.size(), 1u);
        EXPECT_EQ(level[0].x1, 460);
        EXPECT_EQ(level[0].y1, 100);
        EXPECT_EQ(level[0].pen.width, c.levelWidth);
        EXPECT_EQ(r->surface.drawMode(), DrawMode::CopyPen);
        EXPECT_EQ(r->surface.drawStyle(), DrawStyle::Solid);
    }
    s.cursor.cursor2Pos = 500;  // both cursors on one sample
    EXPECT_EQ(render(s, kPreviewHardcopy)->text("1/dt").text, "1/dt: =");
    // Cursors not on the screen: no lines and no values, the time-base B line all the same.
    s.screenMarks.screenCursorsDrawn = 0;
    const auto r = render(s, kPrinterHardcopy);
    EXPECT_EQ(r->text("CH I :").text, "");
    EXPECT_EQ(linesOf(*r, qbColor(3), DrawStyle::Dash).size(), 0u);
    EXPECT_EQ(r->text("TB B:").text, "TB B:50 \u00b5s  PK");
}

TEST(HardcopyXyView, GraticuleCurveAndLabel)
{
    ProgramState s = hardcopyState();
    s.print.printXY = 1;
    s.caps.unitXyinv = true;
    s.ddf.ch2VoltsIndex = kVolts500mV;
    struct Case {
        const HardcopyTarget& target;
        byte vectors;
        DrawOp::Kind kind;
        std::size_t points;
        int width;
        double labelRow;
    };
    const Case cases[] = {
        {kPrinterHardcopy, 1, DrawOp::Kind::Polyline, 2047, 1, 228 + kPrinterHardcopy.lineStep},
        {kPrinterHardcopy, 0, DrawOp::Kind::Dot, 2046, 8, 228 + kPrinterHardcopy.lineStep},
        {kPreviewHardcopy, 0, DrawOp::Kind::Dot, 2046, 2, 235.5},
        {kMetafileHardcopy, 1, DrawOp::Kind::Polyline, 2047, 2, 237.75},
    };
    for (const Case& c : cases) {
        s.screen.xyVectors = s.print.printColor = c.vectors;
        const auto r = render(s, c.target);
        const auto curve = r->device.opsOfKind(c.kind);
        ASSERT_FALSE(curve.empty());
        EXPECT_EQ(c.vectors ? curve[0].points.size() : curve.size(), c.points);
        EXPECT_EQ(curve[0].pen.width, c.width);
        EXPECT_EQ(curve[0].pen.color, c.vectors ? qbColor(2) : kBlack);
        EXPECT_EQ(r->text("CHX: ").text, "CHX: 1.000V DC   CHY: .500V DC   200 KS/s");
        EXPECT_EQ(r->text("CHX: ").y, c.labelRow);
        // Nothing of the time view; the notes follow on the page.
        EXPECT_EQ(r->text("CH1: ").text + r->text("CH I :").text, "");
        EXPECT_EQ(r->text("Notes:").text.empty(), &c.target == &kMetafileHardcopy);
    }
}
