#include "FocusPark.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ql::gui {

namespace {

bool takesFocus(const QWidget* w)
{
    return (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
           !w->focusProxy();
}

}  // namespace

QWidget* controlIn(QWidget& area)
{
    QWidget* last = area.focusWidget();
    if (last && last != &area && area.isAncestorOf(last) && takesFocus(last)) return last;
    for (QWidget* w = area.nextInFocusChain(); w && w != &area; w = w->nextInFocusChain())
        if (area.isAncestorOf(w) && takesFocus(w)) return w;
    return nullptr;
}

FocusPark::FocusPark(QWidget& place) : QObject(&place), place_(place)
{
    // The user moved the focus on from the place, inside its window: they keep their place.
    // (A message box of its own window takes the focus for a while and gives it back.)
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* from, QWidget* to) {
        if (control_ && from == &place_ && to && to->window() == place_.window()) forget();
    });
}

bool FocusPark::parkFocusOf(const QWidget& holder)
{
    // A control that has the focus while it is off is being switched off now: the toolkit
    // asks where the focus goes next before it moves it.
    QWidget* focus = holder.window()->focusWidget();
    if (!focus || focus->isEnabled() || !holder.isAncestorOf(focus) || focus == &place_)
        return false;
    forget();
    control_ = focus;
    focus->installEventFilter(this);
    place_.setFocus(Qt::OtherFocusReason);
    return true;
}

bool FocusPark::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && watched == control_ && control_->isEnabled()) {
        QWidget* control = control_;
        forget();
        // Another window of the program active now is where the user went; a box the operation
        // showed has closed by now (it may still count as active a moment longer), and the
        // control takes the focus when its window is active again.
        const QWidget* active = QApplication::activeWindow();
        const bool sameWindow = !active || active == place_.window() || !active->isVisible();
        if (place_.window()->focusWidget() == &place_ && sameWindow && control->isVisible())
            control->setFocus(Qt::OtherFocusReason);
    }
    return QObject::eventFilter(watched, event);
}

void FocusPark::forget()
{
    if (control_) control_->removeEventFilter(this);
    control_ = nullptr;
}

}  // namespace ql::gui
