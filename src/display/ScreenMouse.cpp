#include "ScreenMouse.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "CursorReadout.h"
#include "ScreenCursors.h"
#include "TraceDrawing.h"
#include "VisibleExtremes.h"
#include "state/Numeric.h"

namespace ql {

namespace {

constexpr int kGrabDistance = 30;
constexpr int kMagnifiedGrabDistance = 4;
constexpr int kZoomMaxX = 2046;
constexpr int kZoomMaxCode = 255;
constexpr int kZoomMinimumSize = 10;

enum Grabbed : byte { kNoCursor = 0, kCursor1 = 1, kCursor2 = 2 };

std::int16_t toField(double v)
{
    return static_cast<std::int16_t>(roundClamp(v, std::numeric_limits<std::int16_t>::min(),
                                                std::numeric_limits<std::int16_t>::max()));
}

// Moves the grabbed cursor to the mouse; true when it moved.
bool dragCursor(ProgramState& s, DisplayViews& views, int which, long long position)
{
    CursorState& c = s.cursor;
    const int wanted = static_cast<int>(std::clamp<long long>(position, -100000, 100000));
    const std::int16_t before = which == kCursor1 ? c.cursor1Pos : c.cursor2Pos;
    if (which == kCursor1)
        setCursorPositions(s, wanted, c.cursor2Pos);
    else
        setCursorPositions(s, c.cursor1Pos, wanted);
    const std::int16_t after = which == kCursor1 ? c.cursor1Pos : c.cursor2Pos;
    if (after == before) return false;
    showCursorValues(s, views);
    return true;
}

void dragCursors(ProgramState& s, DisplayViews& views, int buttons, double x,
                 ScreenMouseOutcome& out)
{
    CursorState& c = s.cursor;
    const bool leftAlone = buttons == kLeftMouseButton;
    if (!leftAlone) c.cursorGrabbed = kNoCursor;
    const long long xm = static_cast<long long>(std::floor(x));
    const int originX = traceOriginX(s.ddf.horPosition);
    const int d = s.ddf.xMag10 == 1 ? kMagnifiedGrabDistance : kGrabDistance;
    const auto near = [&](int position) {
        const long long cx = originX + position;
        return cx - d < xm && xm < cx + d;
    };

    if ((c.cursorGrabbed != kCursor1 && !near(c.cursor1Pos)) || c.cursorGrabbed == kCursor2) {
        if (c.cursorGrabbed != kCursor2 && !near(c.cursor2Pos)) {
            out.pointer = ScreenPointer::Cross;
            return;
        }
        out.pointer = ScreenPointer::WestEastArrow;
        if (leftAlone) {
            c.cursorGrabbed = kCursor2;
            out.cursorMoved = dragCursor(s, views, kCursor2, xm - originX);
        }
        return;
    }
    out.pointer = ScreenPointer::WestEastArrow;
    if (leftAlone) {
        c.cursorGrabbed = kCursor1;
        out.cursorMoved = dragCursor(s, views, kCursor1, xm - originX);
    }
}

void dragZoomBox(ZoomState& z, int buttons, double x, double y, ScreenMouseOutcome& out)
{
    if (buttons == kRightMouseButton) {
        if (z.zoomDragging != 1) {
            z.zoomDragging = 1;
            z.zoomX1 = toField(x);
            z.zoomY1 = toField(y);
        }
        z.zoomX2 = z.zoomDragX = toField(x);
        z.zoomY2 = z.zoomDragY = toField(y);
        out.zoomBoxChanged = true;
        return;
    }
    if (z.zoomDragging != 1) return;
    // The first move without the right button alone: there is no release of its own.
    z.zoomDragging = 0;
    normaliseZoomBox(z);
    z.zoomOpen = 1;
    out.pointer = ScreenPointer::IBeam;
    out.zoomBoxChanged = true;
    out.zoomBoxReleased = true;
}

}  // namespace

void normaliseZoomBox(ZoomState& z)
{
    const auto clampTo = [](std::int16_t& v, int hi) {
        v = static_cast<std::int16_t>(std::clamp<int>(v, 0, hi));
    };
    clampTo(z.zoomX1, kZoomMaxX);
    clampTo(z.zoomX2, kZoomMaxX);
    clampTo(z.zoomY1, kZoomMaxCode);
    clampTo(z.zoomY2, kZoomMaxCode);
    if (z.zoomX1 > z.zoomX2) std::swap(z.zoomX1, z.zoomX2);
    if (z.zoomY1 > z.zoomY2) std::swap(z.zoomY1, z.zoomY2);
    // Too small a box grows upwards and to the right where there is room, else the other way.
    if (z.zoomY2 - z.zoomY1 < kZoomMinimumSize) {
        if (z.zoomY2 < kZoomMaxCode - kZoomMinimumSize)
            z.zoomY2 = static_cast<std::int16_t>(z.zoomY2 + kZoomMinimumSize);
        else if (z.zoomY1 > kZoomMinimumSize)
            z.zoomY1 = static_cast<std::int16_t>(z.zoomY1 - kZoomMinimumSize);
    }
    if (z.zoomX2 - z.zoomX1 < kZoomMinimumSize) {
        if (z.zoomX2 < kZoomMaxX - kZoomMinimumSize - 1)
            z.zoomX2 = static_cast<std::int16_t>(z.zoomX2 + kZoomMinimumSize);
        else if (z.zoomX1 > kZoomMinimumSize)
            z.zoomX1 = static_cast<std::int16_t>(z.zoomX1 - kZoomMinimumSize);
    }
}

ScreenMouseOutcome screenMouseMove(ProgramState& s, DisplayViews& views, int buttons, double x,
                                   double y)
{
    ScreenMouseOutcome out;
    if (s.screen.screenBusy == 1 || !std::isfinite(x) || !std::isfinite(y)) return out;
    if (s.cursor.cursorsOn == 1) dragCursors(s, views, buttons, x, out);
    dragZoomBox(s.zoom, buttons, x, y, out);
    return out;
}

Surface screenPictureSurface(const ScreenView& view)
{
    Surface picture(deviceOrNone(view.picture));
    picture.scale(view.shownWindow.first, kScreenTop, view.shownWindow.last, kScreenBottom);
    return picture;
}

}  // namespace ql
