#pragma once
// Every box and dialog of the program that waits for the user (message boxes, questions,
// input boxes, file dialogs) runs through here, so that an end asked for from outside can
// reach them: the boxes open then are closed as if cancelled (a box without a cancel gives its
// default answer), and every later box is answered so without being shown, its message going
// to standard error instead. A box that closes gives the keyboard back to its window. One per
// main window.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <vector>

namespace ql::gui {

class ModalBoxes {
public:
    // Shows `dialog` and waits for the user; returns its result. Closed by the end, or once
    // the program ends, QDialog::Rejected without showing anything.
    int run(QDialog& dialog);

    // The program is asked to end: closes every box now open, the innermost first, as if
    // cancelled, and from now on answers every box so without showing it.
    void endWithoutAsking();
    bool ending() const { return ending_; }
    // Boxes shown whose run() has not returned yet.
    int openCount() const { return static_cast<int>(open_.size()); }

    // What a box that is not shown said: one line "QL240: <title>: <text>" on standard error.
    static void writeUnseen(const QString& title, const QString& text);

private:
    struct Open {
        QPointer<QDialog> dialog;
        bool closedByEnd = false;
    };
    std::vector<Open> open_;
    bool ending_ = false;
};

// Runs `dialog` through `boxes`, or on its own where there are none (a window shown without
// the main window, as in some tests).
int runModal(ModalBoxes* boxes, QDialog& dialog);

// The window a box raised now belongs to: the modal dialog open beneath it (the innermost),
// which then keeps the box above it also where no window manager stacks them, or else
// `mainWindow`.
QWidget& boxOwner(QWidget& mainWindow);

// A box or window of its own that has just closed gives the keyboard back: to the modal dialog
// still open beneath it (the innermost), the one window that can take keys then, or else, where
// no window manager gives it on (no window is active), to the window it belongs to. The keys
// then act where the user looks, never nowhere or in a window a dialog blocks; the window that
// is itself closing is never given them.
void giveBackKeyboard(const QWidget& closed);

}  // namespace ql::gui
