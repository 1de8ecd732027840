#include "ModalBoxes.h"

#include <QApplication>
#include <QByteArray>
#include <algorithm>
#include <cstdio>

namespace ql::gui {

int ModalBoxes::run(QDialog& dialog)
{
    if (ending_) return QDialog::Rejected;
    open_.push_back(Open{&dialog, false});
    const int result = dialog.exec();
    giveBackKeyboard(dialog);
    // Boxes close in the reverse order of opening, so this one is the last entry.
    const auto mine = std::find_if(open_.begin(), open_.end(),
                                   [&](const Open& o) { return o.dialog == &dialog; });
    const bool closedByEnd = mine != open_.end() && mine->closedByEnd;
    if (mine != open_.end()) open_.erase(mine);
    return closedByEnd ? QDialog::Rejected : result;
}

void ModalBoxes::endWithoutAsking()
{
    ending_ = true;
    for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
        if (it->closedByEnd || !it->dialog) continue;
        it->closedByEnd = true;
        it->dialog->done(QDialog::Rejected);
    }
}

void ModalBoxes::writeUnseen(const QString& title, const QString& text)
{
    // The lines of the message joined, so that a log keeps each message on one line.
    QString line = text.trimmed();
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    line.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    line.replace(QLatin1Char('\n'), QStringLiteral(" - "));
    const QByteArray bytes =
        (QStringLiteral("QL240: ") + title + QStringLiteral(": ") + line + QLatin1Char('\n'))
            .toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

namespace {

// The innermost modal dialog open now, other than `closing`.
QWidget* openModalDialog(const QWidget* closing)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != closing && modal->isVisible() ? modal : nullptr;
}

}  // namespace

QWidget& boxOwner(QWidget& mainWindow)
{
    QWidget* modal = openModalDialog(nullptr);
    return modal ? *modal : mainWindow;
}

void giveBackKeyboard(const QWidget& closed)
{
    const QWidget* active = QApplication::activeWindow();
    if (QWidget* modal = openModalDialog(&closed)) {
        if (active != modal) modal->activateWindow();
        return;
    }
    // Right after it closed, the box may still count as the active window.
    QWidget* owner = closed.parentWidget();
    if (owner && (!active || active == &closed || !active->isVisible()))
        owner->window()->activateWindow();
}

int runModal(ModalBoxes* boxes, QDialog& dialog)
{
    return boxes ? boxes->run(dialog) : dialog.exec();
}

}  // namespace ql::gui
