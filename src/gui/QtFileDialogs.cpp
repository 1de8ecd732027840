#include "QtFileDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "ModalBoxes.h"

namespace ql::gui {

QStringList QtFileDialogs::nameFilters(std::string_view filter)
{
    QStringList filters;
    for (const NameFilter& entry : nameFiltersOf(filter)) {
        const QString description = QString::fromStdString(entry.description);
        QStringList patterns;
        for (const std::string& p : entry.patterns) patterns << QString::fromStdString(p);
        // Qt reads the patterns from the parentheses at the end of each entry.
        filters << (description.endsWith(QLatin1Char(')'))
                        ? description
                        : description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                              QLatin1Char(')'));
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
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));

    const FileDialogStart start = fileDialogStart(request, lastPath_, filesFolder_);
    dialog.setDirectory(QFile::decodeName(start.folder.c_str()));
    if (start.filterIndex < static_cast<std::size_t>(filters.size()))
        dialog.selectNameFilter(filters[static_cast<qsizetype>(start.filterIndex)]);
    if (!start.name.empty()) dialog.selectFile(QFile::decodeName(start.name.c_str()));
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
        lastPath_ = QFile::encodeName(path).toStdString();
        return lastPath_;
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
