#include "HardcopyRenderer.h"

#include <algorithm>
#include <cmath>

#include "HardcopyPage.h"
#include "display/StatusLine.h"
#include "display/VisibleExtremes.h"
#include "state/Numeric.h"
#include "state/Text.h"

namespace ql {

namespace {

using hardcopy::kBottom;
using hardcopy::kTop;
using hardcopy::Page;

constexpr int kLeftSpace = -300, kRightSpace = 300;
constexpr int kXyCodeSpan = 255;
constexpr int kXyFrom = 3, kXyTo = 253;
constexpr int kFineLineStep = 20;             // one division of the magnified view
constexpr double kPreviewPixelsPer6Pt = 640;  // the preview's font: 6 pt per 640 pixels
constexpr double kNotesTop = -25;             // 53 codes below the screen area on every target

bool drawsXyView(const ProgramState& s, const PrintOptions& options)
{
    return s.ddf.ch1On == 1 && s.ddf.ch2On == 1 && options.printXY == 1;
}

// Font, pen and the empty picture.
void prepareSurface(const Page& page)
{
    Surface& surface = page.surface;
    const HardcopyTarget& t = page.target;
    surface.setBackColor(kWhite);
    if (t.clearsFirst) surface.cls();
    surface.setDrawMode(DrawMode::CopyPen);
    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawWidth(1);
    surface.setForeColor(kBlack);
    double points = t.fontPoints;
    if (points <= 0) {
        const double width = surface.device().size().width;
        points = std::max(1.0, roundHalfEven(width / kPreviewPixelsPer6Pt * 6));
    }
    surface.setFont(FontSpec{t.fontFace, points, false, false});
}

// Scale of the page and the screen area's range for the view drawn.
void setFrame(Page& page, bool xyView, int scrollValue)
{
    const HardcopyTarget& t = page.target;
    Surface& surface = page.surface;
    const double top = kTop + t.topSpace, bottom = kBottom + t.bottomSpace;
    page.originX = traceOriginX(page.s.ddf.horPosition);
    if (xyView) {
        const double xyLeft = intFloor(kLeftSpace * kXyCodeSpan / 2000.0);
        const double xyRight = intFloor(kRightSpace * kXyCodeSpan / 2000.0);
        page.xFrom = kXyFrom;
        page.xTo = kXyTo;
        surface.scale(xyLeft, top, kXyCodeSpan + xyRight, bottom);
        return;
    }
    if (page.s.ddf.xMag10 == 1) {
        page.xScale = viewFactor(page.s.ddf);
        page.xFrom = scrollValue;
        page.xTo = page.xFrom + kMagnifiedSteps;
        surface.scale(page.xFrom + kLeftSpace / 10, top, page.xTo + kRightSpace / 10, bottom);
        surface.setForeColor(kBlack);
        surface.setDrawWidth(1);
        const int first = std::max(0, (page.xFrom + kFineLineStep - 1) / kFineLineStep);
        for (int i = first * kFineLineStep; i <= page.xTo; i += kFineLineStep)
            if (i >= page.xFrom) surface.line(i, kBottom, i, kTop);
        return;
    }
    page.xScale = 1.0;
    page.xFrom = 0;
    page.xTo = kScreenSteps;
    surface.scale(kLeftSpace, top, kScreenSteps + kRightSpace, bottom);
}

void drawHeadline(const Page& page)
{
    const HardcopyTarget& t = page.target;
    Surface& surface = page.surface;
    surface.setForeColor(kBlack);
    if (!t.hasHeadline) return;
    surface.setFontBold(true);
    const std::string headline = page.options.printHeadline.trimmed();
    const auto characters = static_cast<double>(characterCount(headline));
    const double column = (page.xTo - page.xFrom) / t.headlineColumns;
    const double k = roundHalfEven((t.headlineBase - characters) / 2);
    double x = page.xFrom + column * (k + 2);
    double y = 64 * t.lineStep + t.bottomSpace;
    if (t.headlineOnWholeUnits) {
        x = intFloor(x);
        y = intFloor(y);
    }
    surface.setCurrent(x, y);
    surface.print(headline);
    surface.setFontBold(false);
}

void drawMeasurementTime(const Page& page, const std::optional<std::string>& storedFileName)
{
    Surface& surface = page.surface;
    if (page.options.printMeasTime != 1) {
        surface.newLine();
        surface.newLine();
        return;
    }
    std::string timeLine = "Measure time: " + trimRight(page.s.stamp.waveTime.str());
    if (page.target.timeLineNamesStoredFile && storedFileName) timeLine += "   " + *storedFileName;
    page.printAt(page.xFrom, page.rowAbove(4), timeLine);
    page.printAt(page.xFrom, page.rowAbove(3),
                 "Measure date: " + trimRight(page.s.stamp.waveDate.str()));
}

// The notes as typed: a line feed starts a new row at the screen area's left edge, a carriage
// return alone is dropped; rows follow the font's line height and are not wrapped.
void drawNotes(const Page& page)
{
    Surface& surface = page.surface;
    surface.setForeColor(kBlack);
    surface.setCurrent(page.xFrom, kNotesTop);
    surface.setFontUnderline(true);
    surface.print("Notes:");
    surface.setFontUnderline(false);
    surface.setCurrentX(page.xFrom);
    const std::string notes = trimRight(page.s.notesText.str());
    std::string row;
    for (const char c : notes) {
        if (c == '\r') continue;
        if (c != '\n') {
            row.push_back(c);
            continue;
        }
        surface.print(row, LineEnd::Stay);
        row.clear();
        surface.newLine();
        surface.setCurrentX(page.xFrom);
    }
    surface.print(row, LineEnd::Stay);
}

}  // namespace

HardcopyInput hardcopyInputFor(const ProgramState& s)
{
    return HardcopyInput{s, s.print, s.screen.scrollValue, std::nullopt};
}

void renderHardcopy(const HardcopyInput& input, const HardcopyTarget& target, Surface& surface)
{
    const DeviceSize size = surface.device().size();
    if (size.width <= 0 || size.height <= 0) return;

    // The options of this run: a metafile has no headline and no notes.
    PrintOptions options = input.options;
    if (!target.hasHeadline) options.printHeadline = {};
    if (!target.hasNotes) options.printNotes = 0;

    Page page{input.state, options, target, surface, input.decimalSign};
    prepareSurface(page);
    const bool xyView = drawsXyView(input.state, options);
    setFrame(page, xyView, input.scrollValue);
    drawHeadline(page);
    drawMeasurementTime(page, input.storedFileName);
    if (xyView) {
        hardcopy::drawXyView(page);
    } else {
        hardcopy::drawTimeView(page);
        hardcopy::drawCursorsAndValues(page);
    }
    if (options.printNotes == 1) drawNotes(page);
}

}  // namespace ql
