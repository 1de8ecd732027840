#pragma once
// The open and save dialogs of the program on QFileDialog. One object serves every dialog,
// so each starts with the name last chosen in any of them. Once the program is ending, every
// dialog counts as cancelled.

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

    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) override;

    // Qt's name filters for a filter text of description and pattern pairs separated by bars.
    static QStringList nameFilters(std::string_view filter);
    // Sets a dialog up as the request asks (title, filters, default extension, what may be
    // chosen, whether replacing asks first) and starts it at the name last chosen.
    void configure(QFileDialog& dialog, const FileDialogRequest& request, bool save) const;

private:
    std::optional<std::string> choose(const FileDialogRequest& request, bool save);

    QWidget* parent_;
    ModalBoxes* boxes_;
    QString lastPath_;
};

}  // namespace ql::gui
