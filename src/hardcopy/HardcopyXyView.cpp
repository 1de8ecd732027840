// The XY view of the hardcopy: CH I against CH II in raw sample codes on a graticule of ten by
// eight divisions, the curve as joined lines or as dots, and the label row above it.

#include <vector>

#include "HardcopyPage.h"
#include "display/XyDrawing.h"

namespace ql::hardcopy {

namespace {

constexpr int kCurveColour = 2;

void drawGraticule(const Page& p)
{
    Surface& surface = p.surface;
    surface.setForeColor(kBlack);
    surface.setDrawWidth(1);
    for (int y : {103, 78, 53, 28, 153, 178, 203, 228}) surface.line(p.xFrom, y, p.xTo, y);
    for (int x : {103, 78, 53, 28, 3}) surface.line(x, kBottom, x, kTop);
    surface.setDrawWidth(p.target.heavyWidth);
    surface.line(p.xFrom, kBottom, p.xTo, kBottom);
    surface.line(p.xFrom, kTop, p.xTo, kTop);
    surface.line(p.xFrom, kBottom, p.xFrom, kTop);
    surface.line(p.xTo, kBottom, p.xTo, kTop);
    surface.line(kCentre, kBottom, kCentre, kTop);
    surface.line(p.xFrom, kCentre, p.xTo, kCentre);
    surface.setDrawWidth(1);
    for (int x : {153, 178, 203, 228, 253}) surface.line(x, kBottom, x, kTop);
}

void drawCurve(const Page& p)
{
    Surface& surface = p.surface;
    const Rgb colour = p.colour(kCurveColour);
    surface.setForeColor(colour);
    if (p.s.screen.xyVectors == 1) {
        std::vector<UserPoint> points;
        points.reserve(kLastTransferredSample);
        for (int i = kFirstSample; i <= kLastTransferredSample; ++i)
            points.push_back(xyPoint(p.s, i));
        surface.setDrawWidth(p.target.traceWidth);
        surface.polyline(points, colour);
        surface.setDrawWidth(1);
        return;
    }
    surface.setDrawWidth(p.target.xyDotWidth);
    for (int i = kFirstSample; i <= kLastShownSample; ++i) {
        const UserPoint point = xyPoint(p.s, i);
        surface.pset(point.x, point.y, colour);
    }
    surface.setDrawWidth(1);
}

}  // namespace

void drawXyView(Page& page)
{
    drawGraticule(page);
    drawCurve(page);
    page.surface.setForeColor(kBlack);
    page.printAt(page.xFrom, page.rowAbove(page.target.xyLabelRow),
                 xyLabelText(page.s, page.decimalSign));
}

}  // namespace ql::hardcopy
