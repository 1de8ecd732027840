#include "WindowRegistry.h"

namespace ql::gui {

namespace {

std::size_t slot(ToolWindow window)
{
    return static_cast<std::size_t>(window);
}

}  // namespace

WindowRegistry::WindowRegistry() = default;

WindowRegistry::~WindowRegistry()
{
    clear();
}

void WindowRegistry::add(ToolWindow window, std::unique_ptr<ToolWindowEntry> entry)
{
    entries_[slot(window)] = std::move(entry);
}

void WindowRegistry::clear()
{
    // From the last row to the first, so the screen window goes last.
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) it->reset();
}

ToolWindowEntry* WindowRegistry::find(ToolWindow window) const
{
    return entries_[slot(window)].get();
}

}  // namespace ql::gui
