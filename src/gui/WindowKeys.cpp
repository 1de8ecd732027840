#include "WindowKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "WindowRegistry.h"
#include "app/WindowCycle.h"

namespace ql::gui {

namespace {

enum class KeyMeaning { None, NextWindow, PreviousWindow, ToolbarOrWindow };

KeyMeaning meaningOf(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier;
    switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_F6:
            if (ctrl) return shift ? KeyMeaning::PreviousWindow : KeyMeaning::NextWindow;
            if (key.key() == Qt::Key_F6 && (mods & ~Qt::ShiftModifier) == Qt::NoModifier)
                return KeyMeaning::ToolbarOrWindow;
            return KeyMeaning::None;
        // Shift+Tab arrives as Backtab.
        case Qt::Key_Backtab: return ctrl ? KeyMeaning::PreviousWindow : KeyMeaning::None;
        default: return KeyMeaning::None;
    }
}

bool takesFocus(const QWidget* w)
{
    return (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
           !w->focusProxy();
}

// The control inside `area` that last had the focus, or else its first one in Tab order (the
// area itself, where the focus waited while a control was off, is none).
QWidget* controlIn(QWidget& area)
{
    QWidget* last = area.focusWidget();
    if (last && last != &area && area.isAncestorOf(last) && takesFocus(last)) return last;
    for (QWidget* w = area.nextInFocusChain(); w && w != &area; w = w->nextInFocusChain())
        if (area.isAncestorOf(w) && takesFocus(w)) return w;
    return nullptr;
}

}  // namespace

WindowKeys::WindowKeys(QWidget& window, QMdiArea& area, QWidget& toolbar,
                       const WindowRegistry& windows)
    : window_(window), area_(area), toolbar_(toolbar), windows_(windows)
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

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_) return false;
    const KeyMeaning meaning = meaningOf(*static_cast<QKeyEvent*>(event));
    if (meaning == KeyMeaning::None) return false;
    // Claimed before any shortcut, so the key press itself comes here.
    event->accept();
    if (type == QEvent::ShortcutOverride) return true;
    if (meaning == KeyMeaning::ToolbarOrWindow)
        switchToolbarAndWindow();
    else
        activateNextWindow(meaning == KeyMeaning::PreviousWindow);
    return true;
}

}  // namespace ql::gui
