#include "WindowKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTabBar>
#include <optional>
#include <utility>
#include <vector>

#include "FocusPark.h"
#include "WindowRegistry.h"
#include "app/KeyTable.h"
#include "app/WindowCycle.h"

namespace ql::gui {

namespace {

// The window keys of the key table.
std::optional<KeyAction> windowKeyOf(const QKeyEvent& key)
{
    static const std::vector<std::pair<QKeyCombination, KeyAction>> windowKeys = [] {
        std::vector<std::pair<QKeyCombination, KeyAction>> keys;
        for (const KeyRow& row : keyRows()) {
            const QKeySequence sequence = QKeySequence::fromString(
                QString::fromUtf8(row.keys.data(), static_cast<qsizetype>(row.keys.size())),
                QKeySequence::PortableText);
            if (row.action != KeyAction::ByControl && !sequence.isEmpty())
                keys.emplace_back(sequence[0], row.action);
        }
        return keys;
    }();
    // Shift+Tab arrives as Backtab.
    const bool backtab = key.key() == Qt::Key_Backtab;
    Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (backtab) modifiers |= Qt::ShiftModifier;
    const QKeyCombination pressed(modifiers, backtab ? Qt::Key_Tab : Qt::Key(key.key()));
    for (const auto& [combination, action] : windowKeys)
        if (combination == pressed) return action;
    return std::nullopt;
}

}  // namespace

WindowKeys::WindowKeys(QWidget& window, QMdiArea& area, QWidget& toolbar, QMenuBar& menus,
                       const WindowRegistry& windows)
    : window_(window), area_(area), toolbar_(toolbar), menus_(menus), windows_(windows)
{
    qApp->installEventFilter(this);
}

WindowKeys::~WindowKeys()
{
    qApp->removeEventFilter(this);
}

QMdiSubWindow* WindowKeys::frameOf(ToolWindow window) const
{
    const ToolWindowEntry* entry = windows_.find(window);
    if (!entry || !entry->isOpen()) return nullptr;
    return qobject_cast<QMdiSubWindow*>(entry->areaFrame());
}

void WindowKeys::activate(QMdiSubWindow* frame)
{
    // Where no window manager gives the main window the keyboard, the keys still arrive; the
    // window takes the keyboard itself so the focus shows.
    if (!window_.isActiveWindow()) window_.activateWindow();
    area_.setActiveSubWindow(frame);
    if (QWidget* control = controlIn(*frame)) control->setFocus(Qt::TabFocusReason);
}

std::vector<ToolWindow> WindowKeys::openWindows(std::optional<ToolWindow>* active) const
{
    std::vector<ToolWindow> open;
    for (int i = 0; i < kToolWindowCount; ++i) {
        const auto window = static_cast<ToolWindow>(i);
        if (QMdiSubWindow* frame = frameOf(window)) {
            open.push_back(window);
            if (active && frame == area_.activeSubWindow()) *active = window;
        }
    }
    return open;
}

void WindowKeys::activateNextWindow(bool backward)
{
    std::optional<ToolWindow> active;
    const std::vector<ToolWindow> open = openWindows(&active);
    if (const std::optional<ToolWindow> next = windowAfter(open, active, backward))
        activate(frameOf(*next));
}

void WindowKeys::leaveWindow(ToolWindow closing)
{
    const std::optional<ToolWindow> next = windowAfter(openWindows(), closing, false);
    if (next && *next != closing) return activate(frameOf(*next));
    if (QWidget* control = controlIn(toolbar_)) control->setFocus(Qt::TabFocusReason);
}

void WindowKeys::focusWindow(ToolWindow window)
{
    if (QMdiSubWindow* frame = frameOf(window)) activate(frame);
}

void WindowKeys::switchToolbarAndWindow()
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus && area_.isAncestorOf(focus)) {
        if (QWidget* control = controlIn(toolbar_)) control->setFocus(Qt::TabFocusReason);
        return;
    }
    if (QMdiSubWindow* frame = area_.activeSubWindow(); frame && frame->isVisible())
        return activate(frame);
    activateNextWindow(false);
}

void WindowKeys::openFirstMenu()
{
    if (!window_.isActiveWindow()) window_.activateWindow();
    const QList<QAction*> menus = menus_.actions();
    if (!menus.isEmpty()) menus_.setActiveAction(menus.first());
}

void WindowKeys::closeActiveWindow()
{
    // The close box's own way, which the window may refuse.
    QMdiSubWindow* frame = area_.activeSubWindow();
    if (frame && frame->isVisible() && frame->windowFlags().testFlag(Qt::WindowCloseButtonHint))
        frame->close();
}

QTabBar* WindowKeys::activeTabs() const
{
    const QMdiSubWindow* frame = area_.activeSubWindow();
    if (!frame || !frame->isVisible() || !frame->widget()) return nullptr;
    for (QTabBar* tabs : frame->widget()->findChildren<QTabBar*>())
        if (tabs->isVisible() && tabs->count() > 1) return tabs;
    return nullptr;
}

void WindowKeys::showNextTab(QTabBar& tabs, bool backward)
{
    const int count = tabs.count();
    for (int step = 1; step < count; ++step) {
        const int tab = (tabs.currentIndex() + (backward ? count - step : step)) % count;
        // The window hears the tab chosen as it hears a click on it.
        if (tabs.isTabEnabled(tab) && tabs.isTabVisible(tab)) return tabs.setCurrentIndex(tab);
    }
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_) return false;
    const std::optional<KeyAction> action = windowKeyOf(*static_cast<QKeyEvent*>(event));
    if (!action) return false;
    const bool tabKey = action == KeyAction::NextTab || action == KeyAction::PreviousTab;
    QTabBar* tabs = tabKey ? activeTabs() : nullptr;
    if (tabKey && !tabs) return false;
    // Claimed before any shortcut, so the key press itself comes here.
    event->accept();
    if (type == QEvent::ShortcutOverride) return true;
    switch (*action) {
        case KeyAction::ToolbarOrWindow: switchToolbarAndWindow(); break;
        case KeyAction::FirstMenu: openFirstMenu(); break;
        case KeyAction::CloseWindow: closeActiveWindow(); break;
        case KeyAction::NextTab:
        case KeyAction::PreviousTab: showNextTab(*tabs, action == KeyAction::PreviousTab); break;
        default: activateNextWindow(action == KeyAction::PreviousWindow); break;
    }
    return true;
}

}  // namespace ql::gui
