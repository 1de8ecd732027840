#pragma once
// The open and save dialogs of the program on QFileDialog. One object serves every dialog,
// so each starts from the name last chosen in any of them (fileDialogStart), or in the user's
// files folder before the first choice; a filter entry lists only its own kind of file. Once the
// program is ending, every dialog counts as cancelled.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

#include "state/FileDialogs.h"

class QFileDialog;
class QWidget;

namespace ql::gui {

class ModalBoxes;

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent, ModalBoxes* boxes = nullptr)
        : parent_(parent), boxes_(boxes)
    {
    }

    // The folder every dialog starts in before the first choice (AppPaths::userFilesDir).
    void setFilesFolder(std::string folder) { filesFolder_ = std::move(folder); }

    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) override;

    // Qt's name filters for a filter text of description and pattern pairs separated by bars.
    static QStringList nameFilters(std::string_view filter);
    // Sets a dialog up as the request asks (title, filters, default extension, what may be
    // chosen, whether replacing asks first) and starts it where fileDialogStart says.
    void configure(QFileDialog& dialog, const FileDialogRequest& request, bool save) const;

private:
    std::optional<std::string> choose(const FileDialogRequest& request, bool save);

    QWidget* parent_;
    ModalBoxes* boxes_;
    std::string filesFolder_;
    std::string lastPath_;
};

}  // namespace ql::gui
