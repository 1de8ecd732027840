#include "PictureWindows.h"

#include "display/ScreenDrawing.h"
#include "display/XyDrawing.h"
#include "display/ZoomDrawing.h"

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

bool xyWindowWanted(const ProgramState& s, const DisplayViews& views)
{
    return views.xy.shown && s.ddf.xyMode == 1;
}

Followup XyWindowModel::settle()
{
    redrawForWindowEvent(s_, views_);
    return {};
}

void XyWindowModel::doubleClicked()
{
    toggleXyVectors(s_);
}

Followup XyWindowModel::closed()
{
    Followup f;
    if (closeXyView(s_, views_)) f.refresh.push_back(ToolWindow::ChannelPanel);
    return f;
}

Followup ZoomWindowModel::settle()
{
    drawZoom(s_, views_.zoom);
    return {};
}

}  // namespace ql
