#include "PictureWindows.h"

#include "display/XyDrawing.h"

namespace ql {

std::optional<ScreenPointer> screenMouseMoved(ProgramState& s, DisplayViews& views, Host& host,
                                              int buttons, double x, double y)
{
    const ScreenMouseOutcome outcome = screenMouseMove(s, views, buttons, x, y);
    if (outcome.zoomBoxReleased) {
        host.openWindow(ToolWindow::ZoomWindow);
        host.refreshWindow(ToolWindow::ZoomWindow);
    }
    return outcome.pointer;
}

void xyViewDoubleClicked(ProgramState& s)
{
    toggleXyVectors(s);
}

bool xyWindowWanted(const ProgramState& s, const DisplayViews& views)
{
    return views.xy.shown && s.ddf.xyMode == 1;
}

Followup xyViewClosed(ProgramState& s, DisplayViews& views)
{
    Followup f;
    if (closeXyView(s, views)) f.refresh.push_back(ToolWindow::ChannelPanel);
    return f;
}

void zoomWindowOpened(ProgramState& s)
{
    s.zoom.zoomOpen = 1;
}

void zoomWindowClosed(ProgramState& s)
{
    s.zoom.zoomOpen = 0;
}

}  // namespace ql
