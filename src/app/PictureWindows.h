#pragma once
// The rules of the picture windows beside the screen's own drawing: the mouse over the screen
// picture (cursor dragging and the zoom box, which opens the zoom window), and the models of
// the XY view and the zoom window, whose pictures the screen's redraws draw.

#include <optional>
#include <string>

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

struct XyWindowView {
    std::string label;  // scales, couplings and sample rate, as the last drawing wrote them
};

// The XY view ("XY-Display"): CH I against CH II, drawn by every redraw of the screen.
class XyWindowModel {
public:
    XyWindowModel(ProgramState& s, DisplayViews& views) : s_(s), views_(views) {}

    // The screen is drawn anew, and the figure with it (a resize, a restore, a refresh).
    Followup settle();
    XyWindowView view() const { return {views_.xy.label}; }
    bool wanted() const { return xyWindowWanted(s_, views_); }

    // The figure was double clicked: lines become dots and back at the next tick's redraw.
    void doubleClicked();
    // The user closed it: XY display goes off (the channels get back their own on-states) and
    // the screen is redrawn; the channel panel repaints when the channels changed.
    Followup closed();

private:
    ProgramState& s_;
    DisplayViews& views_;
};

// The picture is all the zoom window shows.
struct ZoomWindowView {};

// The zoom window ("Zoom-Window"): the part of the screen inside the zoom box. It shows the
// box while it is open, and every redraw of the screen draws it then.
class ZoomWindowModel {
public:
    ZoomWindowModel(ProgramState& s, DisplayViews& views) : s_(s), views_(views) {}

    void opened() { s_.zoom.zoomOpen = 1; }
    void closed() { s_.zoom.zoomOpen = 0; }
    // The picture is drawn anew (a resize, a restore, a refresh).
    Followup settle();
    ZoomWindowView view() const { return {}; }

private:
    ProgramState& s_;
    DisplayViews& views_;
};

}  // namespace ql
