#include "QtFileDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "ModalBoxes.h"

namespace ql::gui {

QStringList QtFileDialogs::nameFilters(std::string_view filter)
{
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
            .split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        // Several patterns are separated by semicolons in the filter text, by blanks for Qt.
        const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses at the end of each entry.
        filters << (description.endsWith(QLatin1Char(')'))
                        ? description
                        : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

void QtFileDialogs::configure(QFileDialog& dialog, const FileDialogRequest& request,
                              bool save) const
{
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setNameFilters(nameFilters(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!lastPath_.isEmpty()) dialog.selectFile(lastPath_);
}

std::optional<std::string> QtFileDialogs::choose(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(parent_);
    configure(dialog, request, save);
    for (;;) {
        // A dialog closed by the program's end counts as cancelled, and is not shown again.
        if (runModal(boxes_, dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = dialog.selectedFiles().constFirst();
        if (save && request.confirmCreate && !QFileInfo::exists(path)) {
            QMessageBox question(QMessageBox::Question, dialog.windowTitle(),
                                 QStringLiteral("%1 does not exist.\nCreate the file?")
                                     .arg(QFileInfo(path).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, &dialog);
            if (runModal(boxes_, question) != QMessageBox::Yes) continue;  // choose another name
        }
        lastPath_ = path;
        return QFile::encodeName(path).toStdString();
    }
}

std::optional<std::string> QtFileDialogs::chooseFileToOpen(const FileDialogRequest& request)
{
    return choose(request, false);
}

std::optional<std::string> QtFileDialogs::chooseFileToSave(const FileDialogRequest& request)
{
    return choose(request, true);
}

}  // namespace ql::gui
