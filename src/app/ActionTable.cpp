#include "ActionTable.h"

#include <algorithm>

#include "AppController.h"
#include "InstrumentOperations.h"
#include "MenuController.h"

namespace ql {

namespace {

using T = ActionTargets;
using R = ActionRow;
using enum ActionPlace;
using enum ActionLook;
constexpr auto kAlways = std::nullopt;  // an item the core never disables

void toggleView(T& t, const R& row)
{
    t.menus.viewItemChosen(*row.name);
}

// Hands a help document or manual to the desktop's viewer.
void show(T& t, const std::string& document)
{
    t.controller.showDocument(t.desktop, document);
}

constexpr ActionRow kActions[] = {
    // Toolbar, left to right (the check boxes stand after "Config" and "Read").
    {"Config", "configButton", Toolbar, Plain, UiAction::Config,
     [](T& t, const R&) { t.operations.config(); }},
    {"Read", "readButton", Toolbar, Plain, UiAction::Read,
     [](T& t, const R&) { t.operations.read(); }},
    {"Set/Read", "setReadButton", Toolbar, Plain, UiAction::SetRead,
     [](T& t, const R&) { t.operations.setRead(); }},
    {"Set", "setButton", Toolbar, Plain, UiAction::Set, [](T& t, const R&) { t.operations.set(); }},
    {"Autoset", "autosetButton", Toolbar, Plain, UiAction::Autoset,
     [](T& t, const R&) { t.operations.autoset(); }},
    {"Notes", "notesButton", Toolbar, Plain, UiAction::Notes,
     [](T& t, const R&) { t.operations.notes(); }},
    {"WMF-Export", "wmfExportButton", Toolbar, Plain, UiAction::WmfExport,
     [](T& t, const R&) { t.operations.wmfExport(); }},
    // Data menu.
    {"&Load", "loadItem", DataMenu, Plain, kAlways,
     [](T& t, const R&) { t.controller.loadDataMenu(t.fileDialogs); }},
    {"&Save", "saveItem", DataMenu, Plain, kAlways,
     [](T& t, const R&) { t.controller.saveDataMenu(t.fileDialogs); }},
    {"&Print", "printItem", DataMenu, LineAbove, UiAction::PrintMenuItem,
     [](T& t, const R&) { t.operations.print(); }},
    {"Printer &setup", "printerSetupItem", DataMenu, Plain, UiAction::PrinterSetupMenuItem,
     [](T& t, const R&) { t.showPrinterSetup(); }},
    {"&Clipboard", "clipboardItem", DataMenu, LineAbove, UiAction::ClipboardMenuItem,
     [](T& t, const R&) { t.copyScreenToClipboard(); }},
    {"&Config port", "configPortItem", DataMenu, LineAbove, kAlways,
     [](T& t, const R&) { t.operations.config(); }},
    {"E&xit", "exitItem", DataMenu, LineAbove, kAlways,
     [](T& t, const R&) { t.controller.exitProgram(); }},
    // View menu: each item opens and closes its window.
    {"&Channel", "channelItem", ViewMenu, Checkable, UiAction::ChannelMenuItem, toggleView,
     ToolWindow::ChannelPanel},
    {"&Timebase", "timebaseItem", ViewMenu, Checkable, UiAction::TimebaseMenuItem, toggleView,
     ToolWindow::TimebasePanel},
    {"T&rigger", "triggerItem", ViewMenu, Checkable, UiAction::TriggerMenuItem, toggleView,
     ToolWindow::TriggerPanel},
    {"&Storage", "storageItem", ViewMenu, Checkable, UiAction::StorageMenuItem, toggleView,
     ToolWindow::StoragePanel},
    {"&Intensity", "intensityItem", ViewMenu, Checkable, UiAction::IntensityMenuItem, toggleView,
     ToolWindow::IntensityPanel},
    {"&Cursor", "cursorItem", ViewMenu, Checkable, UiAction::CursorMenuItem, toggleView,
     ToolWindow::CursorWindow},
    {"Auto&measurement", "automeasurementItem", ViewMenu, Checkable,
     UiAction::AutomeasurementMenuItem, [](T& t, const R&) { t.menus.automeasurementChosen(); },
     ToolWindow::MeasurementWindow},
    // Measurement menu.
    {"&Autostore", "autostoreItem", MeasurementMenu, Plain, UiAction::AutostoreMenuItem,
     [](T& t, const R&) { t.operations.autostore(); }},
    {"&FFT", "fftItem", MeasurementMenu, Checkable, UiAction::FftMenuItem,
     [](T& t, const R&) { t.menus.fftChosen(); }},
    {"&Harm. current emissions", "harmonicsItem", MeasurementMenu, Checkable,
     UiAction::HarmonicsMenuItem, [](T& t, const R&) { t.menus.harmonicsChosen(); }},
    // Help menu "?".
    {"&Help", "helpItem", HelpMenu, Plain, kAlways,
     [](T& t, const R&) { show(t, t.controller.helpDocument()); }},
    {"&Deutsch", "germanItem", HelpMenu, LineAbove, kAlways,
     [](T& t, const R&) { show(t, t.controller.helpDocumentInLanguage(0)); }},
    {"&English", "englishItem", HelpMenu, Plain, kAlways,
     [](T& t, const R&) { show(t, t.controller.helpDocumentInLanguage(1)); }},
    {"FF&T/QZV Anleitung", "germanManualItem", HelpMenu, LineAbove, kAlways,
     [](T& t, const R&) { show(t, t.controller.fftManual(true)); }},
    {"&FFT/QZV Manual", "englishManualItem", HelpMenu, Plain, kAlways,
     [](T& t, const R&) { show(t, t.controller.fftManual(false)); }},
    {"&About/Support", "aboutItem", HelpMenu, LineAbove, kAlways,
     [](T& t, const R&) { t.menus.aboutChosen(); }},
};

constexpr MenuRow kMenus[] = {
    {"Data", "dataMenu", DataMenu, kAlways},
    {"&View", "viewMenu", ViewMenu, kAlways},
    {"Measurement", "measurementMenu", MeasurementMenu, UiAction::MeasurementMenu},
    {"?", "helpMenu", HelpMenu, kAlways},
};

}  // namespace

std::span<const ActionRow> actionRows()
{
    return kActions;
}

std::span<const MenuRow> menuRows()
{
    return kMenus;
}

const ActionRow* actionRow(UiAction name)
{
    const auto* found = std::find_if(std::begin(kActions), std::end(kActions),
                                     [name](const ActionRow& row) { return row.name == name; });
    return found == std::end(kActions) ? nullptr : found;
}

}  // namespace ql
