#include "WindowCycle.h"

#include <algorithm>
#include <vector>

#include "ActionTable.h"

namespace ql {

namespace {

bool contains(std::span<const ToolWindow> windows, ToolWindow w)
{
    return std::find(windows.begin(), windows.end(), w) != windows.end();
}

std::vector<ToolWindow> makeCycleOrder()
{
    std::vector<ToolWindow> order{ToolWindow::ScreenWindow};
    for (const ActionRow& row : actionRows())
        if (row.place == ActionPlace::ViewMenu && row.toggles && !contains(order, *row.toggles))
            order.push_back(*row.toggles);
    for (int i = 0; i < kToolWindowCount; ++i)
        if (!contains(order, static_cast<ToolWindow>(i)))
            order.push_back(static_cast<ToolWindow>(i));
    return order;
}

}  // namespace

std::optional<ToolWindow> windowAfter(std::span<const ToolWindow> open,
                                      std::optional<ToolWindow> from, bool backward)
{
    static const std::vector<ToolWindow> order = makeCycleOrder();
    std::vector<ToolWindow> walk;
    for (ToolWindow w : order)
        if (contains(open, w)) walk.push_back(w);
    if (walk.empty()) return std::nullopt;
    if (backward) std::reverse(walk.begin(), walk.end());
    const auto at = from ? std::find(walk.begin(), walk.end(), *from) : walk.end();
    if (at == walk.end() || at + 1 == walk.end()) return walk.front();
    return *(at + 1);
}

}  // namespace ql
