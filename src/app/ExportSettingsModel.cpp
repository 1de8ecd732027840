#include "ExportSettingsModel.h"

#include "hardcopy/HardcopyOutput.h"

namespace ql {

namespace {

const std::vector<PrintOption> kExportBoxes = {
    PrintOption::ChI,    PrintOption::ChII, PrintOption::RefI,     PrintOption::RefII,
    PrintOption::Cursor, PrintOption::XY,   PrintOption::MeasTime, PrintOption::Color};

std::size_t slot(PrintOption option)
{
    return static_cast<std::size_t>(option);
}

}  // namespace

ExportSettingsModel::ExportSettingsModel(ProgramState& s, Host& host, PictureClipboard& clipboard,
                                         const PaintDevice* textMetrics)
    : s_(s), host_(host), clipboard_(clipboard), textMetrics_(textMetrics)
{
    opened();
}

void ExportSettingsModel::opened()
{
    if (!keepBoxes_) {
        checked_.fill(true);
        checked_[slot(PrintOption::XY)] = false;
        checked_[slot(PrintOption::Notes)] = false;  // the picture never carries notes
    }
    keepBoxes_ = false;
}

ExportSettingsView ExportSettingsModel::view() const
{
    ExportSettingsView v;
    v.boxes = optionBoxes(
        kExportBoxes, [&](PrintOption option) { return checked_[slot(option)]; },
        s_.cursor.cursorsOn == 1);
    return v;
}

Followup ExportSettingsModel::optionToggled(PrintOption option, bool checked)
{
    if (option != PrintOption::Notes) checked_[slot(option)] = checked;
    return {};
}

Followup ExportSettingsModel::copyToClipboard()
{
    s_.exportTarget.exportToFile = false;
    return exportPicture();
}

Followup ExportSettingsModel::saveAsWmf(FileDialogs& dialogs)
{
    const std::optional<std::string> chosen = dialogs.chooseFileToSave(wmfSaveDialogRequest());
    if (!chosen) return {};
    s_.exportTarget.exportFileName = *chosen;
    if (!isMetafileName(*chosen)) {
        host_.report(badMetafileName(*chosen));
        return {};
    }
    s_.exportTarget.exportToFile = true;
    return exportPicture();
}

Followup ExportSettingsModel::cancel()
{
    keepBoxes_ = true;
    Followup f;
    f.closeWindow = true;
    return f;
}

Followup ExportSettingsModel::exportPicture()
{
    // The options of the picture are kept like those of a printout (a settings file stores
    // them); the picture has no notes.
    for (PrintOption option : kExportBoxes)
        printOptionField(s_.print, option) = checked_[slot(option)] ? 1 : 0;
    s_.print.printNotes = 0;
    host_.setBusyPointer(true);
    const Status exported =
        drawWmf(hardcopyInputFor(s_), s_.exportTarget, clipboard_, textMetrics_);
    host_.setBusyPointer(false);
    if (!exported) host_.report(exported.failure());
    Followup f;
    f.refresh = {ToolWindow::PrinterSettings, ToolWindow::PrintPreview};
    return f;
}

}  // namespace ql
