#include "WindowModel.h"

namespace ql {

void carryOut(Host& host, const Followup& followup)
{
    if (followup.redrawScreen) host.refreshWindow(ToolWindow::ScreenWindow);
    for (ToolWindow window : followup.refresh) host.refreshWindow(window);
}

}  // namespace ql
