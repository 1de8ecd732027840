#include "WindowPlaces.h"

#include <algorithm>
#include <vector>

#include "state/FirstLayout.h"
#include "state/ToolWindow.h"

namespace ql {

namespace {

void keepPlace(ProgramState& s, Host& host, ToolWindow window)
{
    keepWindowPlacement(s.layout, window, host.windowPlacement(window));
}

PixelSize sizeOf(const PixelRect& r)
{
    return {r.width, r.height};
}

}  // namespace

void placeFirstLayout(ProgramState& s, Host& host)
{
    // The places of the default layout were made for smaller windows than ours: the windows
    // are placed from their real sizes instead.
    const PixelSize area = host.workAreaSize();
    if (area.width <= 0 || area.height <= 0) return;
    std::vector<StartWindow> others;
    // In the order of the default layout: below the screen window, then its right-hand columns.
    for (ToolWindow w :
         {ToolWindow::ChannelPanel, ToolWindow::IntensityPanel, ToolWindow::MeasurementWindow,
          ToolWindow::StoragePanel, ToolWindow::TriggerPanel, ToolWindow::TimebasePanel,
          ToolWindow::CursorWindow}) {
        if (host.isWindowOpen(w)) others.push_back({w, sizeOf(host.windowFrame(w))});
    }
    const FirstLayout layout = planFirstLayout(area, others);
    // A window that gives way closes where it covers the least of the layout: the next start,
    // which opens it again, shows it there.
    std::vector<PixelRect> taken{layout.screen};
    for (const PlacedWindow& p : layout.windows) taken.push_back(p.place);
    for (ToolWindow w : layout.givenWay) {
        host.placeWindow(w, freePlace(area, sizeOf(host.windowFrame(w)), taken));
        host.closeWindow(w);
    }
    s.windowsGivenWay = layout.givenWay;
    host.placeWindow(ToolWindow::ScreenWindow, layout.screen);
    keepPlace(s, host, ToolWindow::ScreenWindow);
    for (const PlacedWindow& p : layout.windows) {
        host.placeWindow(p.window, p.place);
        keepPlace(s, host, p.window);
    }
}

void openWindowInPlace(ProgramState& s, Host& host, ToolWindow window)
{
    host.openWindow(window);
    const auto givenWay = std::find(s.windowsGivenWay.begin(), s.windowsGivenWay.end(), window);
    if (givenWay == s.windowsGivenWay.end() || !host.isWindowOpen(window)) return;
    s.windowsGivenWay.erase(givenWay);
    const PixelSize area = host.workAreaSize();
    if (area.width <= 0 || area.height <= 0) return;
    std::vector<PixelRect> taken;
    for (int i = 0; i < kToolWindowCount; ++i) {
        const auto other = static_cast<ToolWindow>(i);
        if (other == window || !host.isWindowOpen(other)) continue;
        const PixelRect frame = host.windowFrame(other);
        if (frame.width > 0 && frame.height > 0) taken.push_back(frame);
    }
    host.placeWindow(window, freePlace(area, sizeOf(host.windowFrame(window)), taken));
    keepPlace(s, host, window);
}

}  // namespace ql
