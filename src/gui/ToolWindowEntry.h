#pragma once
// How the main window's registry sees one tool window, and what a window's own class tells
// it. Every window of the program is one class (a QWidget that also implements
// ToolWindowContent) and one row in the registry (an entry that places the class in the main
// window's area or as a dialog); QtHost answers the core's open, close, refresh, state and
// placement requests through the entry alone.

#include <optional>

#include "display/DisplayViews.h"
#include "display/RedrawChain.h"
#include "state/ProgramState.h"

class QWidget;

namespace ql::gui {

// What a window's own class may do at the moments its entry knows of. Nothing by default.
class ToolWindowContent {
public:
    virtual ~ToolWindowContent() = default;

    // Paint the controls from the state; only called while the window is open.
    virtual void refresh() {}
    // The window is about to be shown (paint from the state here), or has been hidden, by
    // the program or by the user's close box.
    virtual void opened() {}
    virtual void closed() {}
    // Whether the user's close box (or Escape) may close the window now.
    virtual bool mayClose() const { return true; }
    // The control that takes the focus when the window opens; none: the one it had last, or
    // else its first.
    virtual QWidget* openingFocus() const { return nullptr; }
    // The frame was minimised, restored or maximised.
    virtual void windowStateChanged(WindowState) {}
    // A window in the main window's area, while it is open: its frame became the active
    // window or stopped being it, or was moved or resized.
    virtual void activated() {}
    virtual void deactivated() {}
    virtual void placementChanged() {}
    // The member of the screen's redraw chain the window connects while it is open.
    virtual std::optional<RedrawLink> chainLink() const { return std::nullopt; }
    virtual void chainMember(ProgramState&) {}
};

// One row of the registry.
class ToolWindowEntry {
public:
    virtual ~ToolWindowEntry() = default;

    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Whether the window's class has been made: it is made when it is first needed.
    virtual bool isMade() const = 0;
    // Repaints an open window from the state; a closed one does nothing.
    virtual void refresh() = 0;
    virtual void setWindowState(WindowState state) = 0;
    // Placement in twips as the window layout keeps it (nothing for a window without one).
    virtual WindowPlacement placement() const = 0;
    // The window's own class.
    virtual QWidget& widget() const = 0;
    // The frame around it in the main window's area; none for a window of its own.
    virtual QWidget* areaFrame() const { return nullptr; }
};

}  // namespace ql::gui
