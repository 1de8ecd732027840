#pragma once
// The table of the program's tool windows, indexed by ToolWindow and owned by the main
// window. A window the program does not have has no row: it is never opened and reports
// itself closed.

#include <array>
#include <memory>

#include <QWidget>

#include "ToolWindowEntry.h"
#include "state/ToolWindow.h"

namespace ql::gui {

class WindowRegistry {
public:
    WindowRegistry();
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    // Adds the row of a window, replacing one added before.
    void add(ToolWindow window, std::unique_ptr<ToolWindowEntry> entry);
    // Removes every row (and so every window) at once.
    void clear();

    ToolWindowEntry* find(ToolWindow window) const;

    // The window's own class, when the program has the window and it is of that class.
    template <class W>
    W* window(ToolWindow window) const
    {
        ToolWindowEntry* entry = find(window);
        return entry ? qobject_cast<W*>(&entry->widget()) : nullptr;
    }

private:
    std::array<std::unique_ptr<ToolWindowEntry>, kToolWindowCount> entries_;
};

}  // namespace ql::gui
