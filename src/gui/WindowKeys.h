#pragma once
// The keys that move between the windows of the main window, wherever the focus is in it (the
// toolbar included): the window keys of the key table (app/KeyTable), which the help names too.
// They are taken before the work area's own key handling, whose quick Ctrl+Tab goes back to the
// window used before when Ctrl is released quickly:
// - Ctrl+Tab and Ctrl+F6 activate the next open window of the work area in the core's walking
//   order (app/WindowCycle), Ctrl+Shift+Tab and Ctrl+Shift+F6 the one before; the control the
//   window last had, or else its first one, takes the focus, so a screen reader says where the
//   user is.
// - F6 and Shift+F6 take the focus from a window of the work area to the toolbar and from the
//   toolbar (or the menu bar) to the active window.
// - F10 opens the menu bar's first menu; Left and Right walk the menus from there.
// - Ctrl+F4 closes the active window as its close box does (the screen window has none and
//   stays).
// - Ctrl+PgDn and Ctrl+PgUp show the next and the previous tab of the active window, before a
//   table of the tab takes them as its page keys; a window without tabs keeps them.
// Tab and Shift+Tab stay inside the active window, as the work area has them. A window that
// closes while it has the focus hands it on the same way (leaveWindow), before it hides. A
// modal box is a window of its own and keeps every key.

#include <QObject>
#include <optional>
#include <vector>

#include "state/ToolWindow.h"

class QMdiArea;
class QMdiSubWindow;
class QMenuBar;
class QTabBar;
class QWidget;

namespace ql::gui {

class WindowRegistry;

class WindowKeys : public QObject {
public:
    // Watches the key presses of the whole application for those of `window`.
    WindowKeys(QWidget& window, QMdiArea& area, QWidget& toolbar, QMenuBar& menus,
               const WindowRegistry& windows);
    ~WindowKeys() override;

    // Ctrl+Tab (`backward`: Ctrl+Shift+Tab).
    void activateNextWindow(bool backward);
    // F6.
    void switchToolbarAndWindow();
    // The open window `closing` is about to close while it has the focus: the next open
    // window of the walk is activated and its control takes the focus (the toolbar's, when
    // no other window is open).
    void leaveWindow(ToolWindow closing);
    // Activates the open window `window` and gives its control the focus.
    void focusWindow(ToolWindow window);
    // F10.
    void openFirstMenu();
    // Ctrl+F4.
    void closeActiveWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The frame of an open window in the work area.
    QMdiSubWindow* frameOf(ToolWindow window) const;
    // The open windows of the work area, and the active one among them.
    std::vector<ToolWindow> openWindows(std::optional<ToolWindow>* active = nullptr) const;
    void activate(QMdiSubWindow* frame);
    // The tabs of the active window, when it shows some.
    QTabBar* activeTabs() const;
    // Ctrl+PgDn (`backward`: Ctrl+PgUp) on `tabs`.
    static void showNextTab(QTabBar& tabs, bool backward);

    QWidget& window_;
    QMdiArea& area_;
    QWidget& toolbar_;
    QMenuBar& menus_;
    const WindowRegistry& windows_;
};

}  // namespace ql::gui
