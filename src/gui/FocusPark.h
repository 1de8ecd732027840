#pragma once
// Where the focus waits while the program has switched off the control that had it (Read
// during its read, Pause while its request waits, a button of a window while it works). Left
// to itself the toolkit moves the focus on to the next control (after Read onto Autoset, after
// Pause onto Stop), where a second Space meant for the same button would act. Instead the
// focus waits at a neutral place (the toolbar, the window's frame, the dialog) and goes back
// to the control when it is switched on again, provided the focus is still at that place and
// no other window of the program is active: a user who moved meanwhile keeps their place, and a
// control that stays off gets nothing.
//
// The toolkit moves the focus off a control being switched off through focusNextPrevChild() of
// the outermost widget that holds the control: the main window, a frame in the work area or a
// dialog. Each of those asks its FocusPark first.

#include <QObject>
#include <QPointer>

class QWidget;

namespace ql::gui {

// The control inside `area` (a window's frame, the toolbar) that last had the focus, or else
// its first one in Tab order: where the keys go back to in that place. The area itself, where
// the focus waits while a control is off, is none.
QWidget* controlIn(QWidget& area);

class FocusPark : public QObject {
public:
    // The focus waits at `place`, which lives as long as this.
    explicit FocusPark(QWidget& place);

    // For focusNextPrevChild() of `holder`: when the control of `holder` that has the focus
    // has just been switched off, the focus goes to the place and the answer is true (the
    // move is done); otherwise false, and the focus moves as it would.
    bool parkFocusOf(const QWidget& holder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forget();

    QWidget& place_;
    QPointer<QWidget> control_;  // switched off while it had the focus
};

}  // namespace ql::gui
