#include "PrintSettingsModel.h"

#include "ScreenPrintout.h"
#include "state/Text.h"

namespace ql {

namespace {

const std::vector<PrintOption> kSettingsBoxes(kPrintOptions.begin(), kPrintOptions.end());

Followup previewFollows()
{
    Followup f;
    f.refresh = {ToolWindow::PrintPreview};
    return f;
}

// Closes the other window of the pair unless it is closed already (or closing right now), so
// closing either never runs back into the one that started it.
void closeIfOpen(Host& host, ToolWindow window)
{
    if (host.isWindowOpen(window)) host.closeWindow(window);
}

}  // namespace

PrintSettingsModel::PrintSettingsModel(ProgramState& s, Host& host, Printer& printer)
    : s_(s), host_(host), printer_(printer)
{
}

void PrintSettingsModel::opened()
{
    typed_ = trimRight(s_.print.printHeadline.str());
    host_.openWindow(ToolWindow::PrintPreview);
}

void PrintSettingsModel::closed()
{
    closeIfOpen(host_, ToolWindow::PrintPreview);
}

Followup PrintSettingsModel::settle()
{
    const std::string kept = trimRight(s_.print.printHeadline.str());
    if (trimRight(typed_) != kept) typed_ = kept;
    return {};
}

PrintSettingsView PrintSettingsModel::view() const
{
    PrintSettingsView v;
    v.headline = trimRight(s_.print.printHeadline.str());
    v.headlineBox = typed_;
    const PrintOptions& o = s_.print;
    v.boxes = optionBoxes(
        kSettingsBoxes, [&](PrintOption option) { return printOptionField(o, option) == 1; },
        s_.cursor.cursorsOn == 1);
    return v;
}

Followup PrintSettingsModel::headlineEdited(std::string_view text)
{
    typed_ = text;
    s_.print.printHeadline.assign(trimRight(text));
    return previewFollows();
}

Followup PrintSettingsModel::headlineEntered()
{
    typed_ = trimRight(s_.print.printHeadline.str());
    return previewFollows();
}

Followup PrintSettingsModel::optionToggled(PrintOption option, bool checked)
{
    printOptionField(s_.print, option) = checked ? 1 : 0;
    return previewFollows();
}

Followup PrintSettingsModel::print()
{
    // The printout closes both windows and reports how it ended.
    (void)printScreenHardcopy(s_, host_, printer_, PrintoutStart::Interactive);
    return {};
}

Followup PrintSettingsModel::cancel()
{
    Followup f;
    f.closeWindow = true;
    return f;
}

void PrintPreviewModel::opened()
{
    s_.print.printPreviewOpen = 1;
}

void PrintPreviewModel::closed()
{
    s_.print.printPreviewOpen = 0;
    closeIfOpen(host_, ToolWindow::PrinterSettings);
}

Followup PrintPreviewModel::pictureClicked() const
{
    Followup f;
    f.refresh = {ToolWindow::PrinterSettings, ToolWindow::PrintPreview};
    return f;
}

Followup PrintPreviewModel::screenRedrawn() const
{
    Followup f;
    f.refresh = {ToolWindow::PrinterSettings};
    return f;
}

}  // namespace ql
