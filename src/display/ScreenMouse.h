#pragma once
// The mouse over the screen picture: the left button drags the measurement cursors, the right
// button draws the zoom box. Every move (and every press and release, fed in as a move with
// the buttons then held) comes here with the position in the picture's user scale: x in sample
// steps, y in sample codes (screenPictureSurface maps pixels to it).
//
// Cursors, while the cursor window is open: a cursor is near when the mouse lies strictly
// within 30 steps of its line (4 in the X-Mag x10 view); Cursor I is served first, so it wins
// when both are near. Over a cursor the pointer is the west-east arrow, elsewhere the cross.
// With the left button alone held over a cursor, that cursor is grabbed and follows the mouse
// (kept on samples 1..2046) until a move comes without the left button alone; it stays
// grabbed however far the mouse goes.
//
// Zoom box, whether or not the cursors are on: while the right button alone is held, the box
// runs from where it began to the mouse (the window shows it as an outline over the picture,
// never drawn into it, so a redraw meanwhile leaves nothing behind). The first move without
// the right button alone completes it: the box is cut to x 0..2046 and codes 0..255, put in
// order, given at least 10 codes and 10 steps, the zoom window is marked open and the pointer
// becomes the I-beam.
//
// While ScreenBusy is 1 a move changes nothing, not even the pointer.

#include <optional>

#include "DisplayViews.h"
#include "draw/Surface.h"
#include "state/ProgramState.h"

namespace ql {

// Mouse buttons as the screen sees them; both held is 3.
inline constexpr int kLeftMouseButton = 1;
inline constexpr int kRightMouseButton = 2;

enum class ScreenPointer { Cross, WestEastArrow, IBeam };

struct ScreenMouseOutcome {
    std::optional<ScreenPointer> pointer;  // nullopt: the pointer shown stays
    bool cursorMoved = false;      // a dragged cursor moved (readouts and marks are up to date)
    bool zoomBoxChanged = false;   // the outline of the box being dragged moved
    bool zoomBoxReleased = false;  // the box is complete and ZoomOpen set: the zoom window
                                   // is to be opened and drawn
};

ScreenMouseOutcome screenMouseMove(ProgramState& s, DisplayViews& views, int buttons, double x,
                                   double y);

// Cuts a released box to the limits, orders its corners and gives it its minimum size.
void normaliseZoomBox(ZoomState& zoom);

// A surface over the screen picture with the user scale it was last drawn with, for mapping
// between its pixels and screen coordinates (userX/userY, deviceX/deviceY).
Surface screenPictureSurface(const ScreenView& view);

}  // namespace ql
