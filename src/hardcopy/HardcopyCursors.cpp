// The cursors on the hardcopy's time view: the two cursor lines with their labels and the
// level marks where the screen shows them, the value block under the screen area, the
// time-base B line, and the pen reset that ends the time view.

#include "HardcopyPage.h"
#include "display/CursorReadout.h"
#include "display/ReadoutText.h"
#include "display/StatusLine.h"
#include "display/TraceDrawing.h"
#include "state/Scaling.h"

namespace ql::hardcopy {

namespace {

constexpr double kCursorLabelTop = 26;  // 2 codes below the screen area
constexpr int kCursor1LabelLeft = 3, kCursor2LabelLeft = 20;

bool inArea(const Page& p, int x)
{
    return p.xFrom <= x && x <= p.xTo;
}

// The cursors at the positions the screen last drew them: dashed lines over the screen
// area's height with "I" and "II" under them, then solid level marks where the screen marked
// the traces (a level of 0 marks nothing).
void drawCursorMarks(const Page& p)
{
    Surface& surface = p.surface;
    const ScreenCursorMarks& m = p.s.screenMarks;
    const int x1 = p.originX + m.screenOldCursor1;
    const int x2 = p.originX + m.screenOldCursor2;
    auto cursorLine = [&](int x, int colourIndex, double labelLeft, const char* label) {
        if (!inArea(p, x)) return;
        const Rgb colour = p.colour(colourIndex);
        surface.line(x, kBottom, x, kTop, colour);
        surface.setForeColor(colour);
        p.printAt(x - labelLeft * p.xScale, kCursorLabelTop, label);
    };
    cursorLine(x1, kCursor1LineColor, kCursor1LabelLeft, "I");
    cursorLine(x2, kCursor2LineColor, kCursor2LabelLeft, "II");

    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawWidth(p.target.levelMarkWidth);
    const int halfWidth = markHalfWidth(p.s.ddf);
    auto levelMark = [&](int x, int level, int colourIndex) {
        if (level <= 0 || !inArea(p, x)) return;
        surface.line(x - halfWidth, level, x + halfWidth, level, p.colour(colourIndex));
    };
    levelMark(x1, m.screenOldLevelA1, kCursor1LevelColor);
    levelMark(x2, m.screenOldLevelA2, kCursor2LevelColor);
    levelMark(x1, m.screenOldLevelB1, kCursor1LevelColor);
    levelMark(x2, m.screenOldLevelB2, kCursor2LevelColor);
    surface.setDrawWidth(1);
}

// Three rows under the screen area: each trace at Cursor I, at Cursor II and their difference,
// then the time between the cursors and its reciprocal.
void drawValueBlock(const Page& p)
{
    const HardcopyTarget& t = p.target;
    const CursorReadout r = cursorReadout(p.s, p.decimalSign);
    p.surface.setForeColor(kBlack);
    const double column2 = p.xFrom + t.cursor2Column * p.xScale;
    const double column3 = p.xFrom + t.differenceColumn * p.xScale;
    auto traceRow = [&](double row, const char* heading, const TraceReadout& values) {
        const double y = p.rowBelow(row);
        p.printAt(p.xFrom, y, heading + values.atCursor1Text);
        p.printAt(column2, y, t.cursor2Label + values.atCursor2Text);
        p.printAt(column3, y, t.differenceLabel + values.differenceText);
    };
    traceRow(t.ch1ValuesRow, "CH I :  Cursor I: ", r.trace1);
    traceRow(t.ch2ValuesRow, "CH II:  Cursor I: ", r.trace2);
    const double y = p.rowBelow(t.dtRow);
    p.printAt(p.xFrom, y, "dt: " + r.dtText);
    p.printAt(p.xFrom + t.frequencyColumn * p.xScale, y, t.frequencyLabel + r.frequencyText);
}

// Time per division of time base B as the view shows it, while the A-and-B view is on.
void drawTimebaseBLine(const Page& p)
{
    if (p.s.tbB.tbBWindowOn != 1) return;
    const auto perDiv = timePerDivEntry(p.s.tables, p.s.ddf.tbBIndex);
    std::string line = "TB B:";
    line += perDiv ? timePerDivText(p.xScale * *perDiv, p.decimalSign) : kNoValueText;
    if (p.target.peakOnTimebaseBLine && p.s.ddf.peakDetect == 1) line += "  PK";
    p.surface.setForeColor(kBlack);
    p.printAt(p.xFrom, p.rowBelow(p.target.timebaseBRow), line);
}

}  // namespace

void drawCursorsAndValues(Page& page)
{
    Surface& surface = page.surface;
    if (page.options.printColor == 1) surface.setDrawMode(DrawMode::NotXorPen);
    surface.setDrawWidth(1);
    surface.setDrawStyle(DrawStyle::Dash);
    // Only the cursors the screen shows go on paper.
    if (page.s.screenMarks.screenCursorsDrawn == 1 && page.options.printCursors == 1) {
        drawCursorMarks(page);
        drawValueBlock(page);
    }
    drawTimebaseBLine(page);
    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawMode(DrawMode::CopyPen);
}

}  // namespace ql::hardcopy
