// The views on the page: the time view's graticule, traces, trigger-level mark, status line and
// cursors, and the XY view.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "HardcopyRig.h"

using namespace ql;
using namespace ql::test;

namespace {

// Vertical lines over the screen area's height at whole divisions (x a multiple of 200), as
// (x, width) pairs in drawing order.
std::vector<std::pair<double, int>> divisionLines(const Rendered& r)
{
    std::vector<std::pair<double, int>> out;
    for (const PlacedLine& l : r.lines())
        if (l.vertical() && l.y1 == 28 && l.y2 == 228 && std::fmod(l.x1, 200) == 0 &&
            l.pen.style == DrawStyle::Solid)
            out.emplace_back(l.x1, l.pen.width);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<PlacedLine> linesOfColour(const Rendered& r, Rgb colour)
{
    std::vector<PlacedLine> out;
    for (const PlacedLine& l : r.lines())
        if (l.pen.color == colour) out.push_back(l);
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
        s.print.printColor = 1;
        EXPECT_EQ(divisionLines(*render(s, kPrinterHardcopy)), c.lines) << c.scroll;
    }
    // The heavy lines' width is the target's.
    const auto preview = render(hardcopyState(), kPreviewHardcopy);
    EXPECT_EQ(divisionLines(*preview)[6], std::make_pair(1000.0, 2));
    const auto metafile = render(hardcopyState(), kMetafileHardcopy);
    EXPECT_EQ(divisionLines(*metafile)[6], std::make_pair(1000.0, 1));
}

TEST(HardcopyTimeView, TracesStayStrictlyInsideTheScreenArea)
{
    ProgramState s = hardcopyState();
    s.print.printColor = 1;
    s.ddf.horPosition = 523;  // sample 2 at x 0, sample 2002 at x 2000
    const auto r = render(s, kPrinterHardcopy);
    const auto ch1 = linesOfColour(*r, qbColor(12));
    ASSERT_FALSE(ch1.empty());
    const auto trace = std::vector<PlacedLine>(ch1.begin(), ch1.begin() + 1999);
    EXPECT_EQ(trace.front().x1, 1);
    EXPECT_EQ(trace.back().x1, 1999);
    EXPECT_EQ(trace.front().y1, s.waves.waveCh1[3]);
    // Zero mark at code 128, then the dotted leader from 50 left of the area to sample 3.
    EXPECT_EQ(ch1[1999].x1, -30);
    EXPECT_EQ(ch1[1999].x2, -5);
    EXPECT_EQ(ch1[1999].y1, 128);
    EXPECT_EQ(ch1[2000].pen.style, DrawStyle::Dot);
    EXPECT_EQ(ch1[2000].x1, -50);
    EXPECT_EQ(ch1[2000].x2, 1);
    const PlacedText label = r->exactly("CH I");
    EXPECT_EQ(label.x, -170);
    EXPECT_EQ(label.y, s.waves.waveCh1[3] + 4);

    const auto ref1 = linesOfColour(*r, qbColor(4));
    EXPECT_EQ(ref1[1998].x1, 1999);
    const int lastLevel = s.waves.waveRef1[2002] + s.storage.ref1Pos;
    EXPECT_EQ(ref1[1998].y2, lastLevel);
    EXPECT_EQ(ref1[1999].x1, 1999);
    EXPECT_EQ(ref1[1999].x2, 2050);
    EXPECT_EQ(r->text("REF I").x, 2070);
    EXPECT_EQ(r->text("REF I").y, lastLevel + 4);

    // Nothing of a trace shows: a channel keeps its zero mark, a reference draws nothing.
    s.ddf.horPosition = 1023 + 600;
    const auto away = render(s, kPrinterHardcopy);
    EXPECT_EQ(linesOfColour(*away, qbColor(12)).size(), 1u);
    EXPECT_EQ(linesOfColour(*away, qbColor(4)).size(), 0u);
    EXPECT_EQ(away->exactly("CH I").text, "");
    EXPECT_EQ(away->text("REF").text, "");
}

TEST(HardcopyTimeView, TraceWidthsColoursAndLabelsPerTarget)
{
    ProgramState s = hardcopyState();
    s.tbB.tbBWindowOn = 1;
    s.tbB.tbBWinFirst = 1000;
    s.tbB.tbBWinLast = 1100;
    s.ddf.traceSeparation = 28;
    struct Case {
        const HardcopyTarget* target;
        int outside, inside, reference;
    };
    for (const Case& c : {Case{&kPrinterHardcopy, 1, 6, 1}, Case{&kPreviewHardcopy, 1, 3, 1},
                          Case{&kMetafileHardcopy, 2, 4, 2}}) {
        const auto r = render(s, *c.target);
        std::map<double, int> ch1Width;  // every trace is black without colour
        for (const PlacedLine& l : r->lines())
            if (l.x2 == l.x1 + 1 && l.pen.color == kBlack) ch1Width.try_emplace(l.x1, l.pen.width);
        EXPECT_EQ(ch1Width.at(999), c.outside);
        EXPECT_EQ(ch1Width.at(1000), c.inside);
        EXPECT_EQ(ch1Width.at(1100), c.inside);
        EXPECT_EQ(ch1Width.at(1101), c.outside);
        EXPECT_EQ(r->text("TBB I").y, s.waves.waveRef1[2000] + 100 + 4);
        int referenceWidth = 0;
        for (const PlacedLine& l : r->lines())
            if (l.x1 == 1998 && l.y2 == s.waves.waveRef1[2000] + 100) referenceWidth = l.pen.width;
        EXPECT_EQ(referenceWidth, c.reference);
    }
    s.ddf.verAdd = 1;  // ADD mode: nothing of CH II
    EXPECT_EQ(render(s, kPrinterHardcopy)->exactly("CH II").text, "");
}

TEST(HardcopyTimeView, TriggerLevelMark)
{
    struct Case {
        std::int16_t trigPos, codeAtTrigger;
        byte source, colour;
        int lines;  // tick and bar
    };
    const Case cases[] = {
        {999, 150, 0, 1, 2},   // a level mark in colour, not-XOR
        {999, 150, 0, 0, 2},   // black, copy pen
        {2046, 150, 0, 1, 0},  // trigger sample 2047: no mark
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
        ASSERT_EQ(mark.size(), static_cast<std::size_t>(c.lines)) << c.trigPos << c.source;
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

    struct Case {
        const HardcopyTarget* target;
        byte alternate, pretrigger, peak;
        std::string tail;
    };
    const Case cases[] = {
        {&kPrinterHardcopy, 0, 3, 1, "TR: CH1+AC  PT: 0"},
        {&kPreviewHardcopy, 0, 3, 1, "TR: CH1+AC  PT: 0  PK"},
        {&kMetafileHardcopy, 0, 3, 1, "TR: CH1+AC    PK"},
        {&kMetafileHardcopy, 1, 3, 0, "TR: ALT+AC  "},
        {&kMetafileHardcopy, 0, 0, 0, "TR: CH1+AC  PT:-75"},
        {&kPrinterHardcopy, 1, 5, 0, "TR: ALT+AC  PT: 0"},
        {&kPreviewHardcopy, 0, 7, 0, "TR: CH1+AC  PT: 100"},
    };
    for (const Case& c : cases) {
        s.ddf.trigAlternate = c.alternate;
        s.ddf.pretriggerIndex = c.pretrigger;
        s.ddf.peakDetect = c.peak;
        const std::string line = render(s, *c.target)->text("CH1: ").text;
        EXPECT_EQ(line.substr(line.find("TR: ")), c.tail);
    }
}

TEST(HardcopyTimeView, CursorValuesAndTheirUnits)
{
    struct Case {
        int cursor2, timebase;
        std::string dt, frequency;
    };
    const Case cases[] = {
        {700, kTb1ms, "dt: 1.000 ms", "1000.000 Hz"},
        {1500, kTb1ms, "dt: 5.000 ms", "200.000 Hz"},
        {700, 22, "dt: 1.000 s", "1000.000 mHz"},
        {900, 22, "dt: 2.000 s", "500.000 mHz"},
        {700, kTb5us, "dt: 5.000 \u00b5s", "200.000 kHz"},
        {700, kTb1us, "dt: 1.000 \u00b5s", "1000.000 kHz"},
        {500, kTb1ms, "dt: =", "="},
    };
    for (const Case& c : cases) {
        ProgramState s = hardcopyState();
        s.cursor.cursor2Pos = static_cast<std::int16_t>(c.cursor2);
        s.ddf.tbAIndex = static_cast<byte>(c.timebase);
        const auto r = render(s, kPreviewHardcopy);
        EXPECT_EQ(r->text("dt: ").text, c.dt);
        EXPECT_EQ(r->text("1/dt: ").text, "1/dt: " + c.frequency);
    }
}

TEST(HardcopyTimeView, CursorLinesAndValueBlockOfEachTarget)
{
    ProgramState s = hardcopyState();
    s.ddf.ch2On = 0;
    s.print.printColor = 1;
    s.tbB.tbBWindowOn = 1;
    s.ddf.tbBIndex = kTb50us;
    s.ddf.peakDetect = 1;
    struct Case {
        const HardcopyTarget* target;
        double row1, row2, dtRow, tbBRow, column2, column3;
        int levelWidth;
        std::string tbB;
    };
    const double p = kPrinterHardcopy.lineStep, v = 7.5, m = 6.5;
    const Case cases[] = {
        {&kPrinterHardcopy, 28 - 2 * p, 28 - 3 * p, 28 - 4.5 * p, 28 - p, 800, 1500, 5,
         "TB B:50 \u00b5s  PK"},
        {&kPreviewHardcopy, 28 - 2 * v, 28 - 3 * v, 28 - 4.5 * v, 28 - v, 700, 1200, 1,
         "TB B:50 \u00b5s"},
        {&kMetafileHardcopy, 28 - 2.5 * m, 28 - 3.5 * m, 28 - 4.5 * m, 28 - 1.3 * m, 700, 1200, 1,
         "TB B:50 \u00b5s"},
    };
    for (const Case& c : cases) {
        const auto r = render(s, *c.target);
        EXPECT_EQ(r->text("CH I :").text, "CH I :  Cursor I: -.040V");
        EXPECT_EQ(r->text("CH I :").y, c.row1);
        EXPECT_EQ(r->text("CH II:").text, "CH II:  Cursor I: Off");
        EXPECT_EQ(r->text("CH II:").y, c.row2);
        EXPECT_NEAR(r->text("dt: ").y, c.dtRow, 0.02);
        EXPECT_EQ(r->text(c.target->cursor2Label).x, c.column2);
        EXPECT_EQ(r->text(c.target->differenceLabel).x, c.column3);
        EXPECT_EQ(r->text(c.target->frequencyLabel).x, 500);
        EXPECT_EQ(r->text("TB B:").text, c.tbB);
        EXPECT_NEAR(r->text("TB B:").y, c.tbBRow, 0.02);

        // Cursor lines dashed in not-XOR over the area's height, labels 2 codes below it.
        std::vector<PlacedLine> line1;
        for (const PlacedLine& l : linesOfColour(*r, qbColor(2)))
            if (l.pen.style == DrawStyle::Dash) line1.push_back(l);
        ASSERT_EQ(line1.size(), 1u);
        EXPECT_EQ(line1[0].x1, 500);
        EXPECT_EQ(line1[0].pen.style, DrawStyle::Dash);
        EXPECT_EQ(line1[0].pen.mode, DrawMode::NotXorPen);
        EXPECT_EQ(r->exactly("II").x, 1480);
        EXPECT_EQ(r->exactly("II").y, 26);
        const auto level = linesOfColour(*r, qbColor(5));
        ASSERT_EQ(level.size(), 1u);
        EXPECT_EQ(level[0].x1, 460);
        EXPECT_EQ(level[0].y1, 100);
        EXPECT_EQ(level[0].pen.width, c.levelWidth);
        EXPECT_EQ(r->surface.drawMode(), DrawMode::CopyPen);
        EXPECT_EQ(r->surface.drawStyle(), DrawStyle::Solid);
    }
    // Cursors not on the screen: no lines and no values, the time-base B line all the same.
    s.screenMarks.screenCursorsDrawn = 0;
    const auto r = render(s, kPrinterHardcopy);
    EXPECT_EQ(r->text("CH I :").text, "");
    EXPECT_EQ(linesOfColour(*r, qbColor(3)).size(), 0u);
    EXPECT_EQ(r->text("TB B:").text, "TB B:50 \u00b5s  PK");
}

TEST(HardcopyXyView, GraticuleCurveAndLabel)
{
    ProgramState s = hardcopyState();
    s.print.printXY = 1;
    s.caps.unitXyinv = true;
    s.ddf.ch2VoltsIndex = kVolts500mV;
    struct Case {
        const HardcopyTarget* target;
        byte vectors;
        DrawOp::Kind kind;
        std::size_t count;
        int width;
        double labelRow;
    };
    const Case cases[] = {
        {&kPrinterHardcopy, 1, DrawOp::Kind::Polyline, 2047, 1, 228 + kPrinterHardcopy.lineStep},
        {&kPrinterHardcopy, 0, DrawOp::Kind::Dot, 2046, 8, 228 + kPrinterHardcopy.lineStep},
        {&kPreviewHardcopy, 0, DrawOp::Kind::Dot, 2046, 2, 235.5},
        {&kMetafileHardcopy, 1, DrawOp::Kind::Polyline, 2047, 2, 237.75},
    };
    for (const Case& c : cases) {
        s.screen.xyVectors = c.vectors;
        s.print.printColor = c.vectors;
        const auto r = render(s, *c.target);
        const auto curve = r->device.opsOfKind(c.kind);
        const std::size_t points =
            c.kind == DrawOp::Kind::Dot ? curve.size() : curve[0].points.size();
        EXPECT_EQ(points, c.count);
        EXPECT_EQ(curve[0].pen.width, c.width);
        EXPECT_EQ(curve[0].pen.color, c.vectors ? qbColor(2) : kBlack);
        const PlacedText label = r->text("CHX: ");
        EXPECT_EQ(label.text, "CHX: 1.000V DC   CHY: .500V DC   200 KS/s");
        EXPECT_EQ(label.y, c.labelRow);
        EXPECT_EQ(r->text("TR: ").text, "");  // nothing of the time view
        EXPECT_EQ(r->text("CH I :").text, "");
        EXPECT_EQ(r->text("Notes:").text.empty(), c.target == &kMetafileHardcopy);
        // The frame and the centre cross are the heavy lines.
        int heavy = 0;
        for (const PlacedLine& l : r->lines()) heavy += l.pen.width == c.target->heavyWidth;
        EXPECT_GE(heavy, 6);
    }
}
