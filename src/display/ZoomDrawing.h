#pragma once
// The zoom window: the part of the screen inside the zoom box, drawn in the screen's own
// coordinates with the picture scaled to the box, so the enlargement costs no arithmetic per
// point. A light graticule, the four traces, the trigger mark and, while the cursor window is
// open, the cursor marks; ZoomCursorMarks records the marks that stand on the picture.

#include "DisplayViews.h"
#include "state/ProgramState.h"

namespace ql {

// Redraws the zoom picture while the zoom window is open, unless it is minimised (a
// maximised window is drawn like a normal one) or already drawing (ZoomDrawing). A box without
// width or height leaves the picture empty.
void drawZoom(ProgramState& s, ZoomView& view);

// Erases the recorded zoom cursor marks and draws the current ones (while the zoom window is
// open); a mark whose cursor lies on or outside the box's left or right edge is left out.
void drawZoomCursors(ProgramState& s, ZoomView& view);

}  // namespace ql
