#pragma once
// The rules of the picture windows beside the screen's own drawing: the mouse over the screen
// picture (cursor dragging and the zoom box, which opens the zoom window), the XY view's
// opening, double click and close, and the zoom window's open and close.

#include <optional>

#include "display/DisplayViews.h"
#include "display/ScreenMouse.h"
#include "state/WindowModel.h"

namespace ql {

// A mouse move over the screen picture (see screenMouseMove); a released zoom box opens the
// zoom window and draws it. Returns the pointer to show (nullopt: keep the one shown).
std::optional<ScreenPointer> screenMouseMoved(ProgramState& s, DisplayViews& views, Host& host,
                                              int buttons, double x, double y);

// After a drawing of the XY view while its window was closed: the window opens when XY display
// is on (the drawing is then the first since it was switched on).
bool xyWindowWanted(const ProgramState& s, const DisplayViews& views);

// The figure was double clicked: lines become dots and back at the next tick's redraw.
void xyViewDoubleClicked(ProgramState& s);

// The user closed the XY view: XY display goes off (the channels get back their own on-states)
// and the screen is redrawn; the channel panel repaints when the channels changed.
Followup xyViewClosed(ProgramState& s, DisplayViews& views);

// The zoom window shows the box while it is open, and every redraw draws it then.
void zoomWindowOpened(ProgramState& s);
void zoomWindowClosed(ProgramState& s);

}  // namespace ql
