#include "Host.h"

namespace ql {

std::string_view toolWindowName(ToolWindow w)
{
    switch (w) {
        case ToolWindow::ScreenWindow: return "ScreenWindow";
        case ToolWindow::MeasurementWindow: return "MeasurementWindow";
        case ToolWindow::ChannelPanel: return "ChannelPanel";
        case ToolWindow::TimebasePanel: return "TimebasePanel";
        case ToolWindow::TriggerPanel: return "TriggerPanel";
        case ToolWindow::IntensityPanel: return "IntensityPanel";
        case ToolWindow::StoragePanel: return "StoragePanel";
        case ToolWindow::CursorWindow: return "CursorWindow";
        case ToolWindow::ZoomWindow: return "ZoomWindow";
        case ToolWindow::XyView: return "XyView";
        case ToolWindow::PrintPreview: return "PrintPreview";
        case ToolWindow::PrinterSettings: return "PrinterSettings";
        case ToolWindow::ExportSettings: return "ExportSettings";
        case ToolWindow::FftWindow: return "FftWindow";
        case ToolWindow::HarmonicsWindow: return "HarmonicsWindow";
        case ToolWindow::AutostoreWindow: return "AutostoreWindow";
        case ToolWindow::NotesWindow: return "NotesWindow";
        case ToolWindow::AboutWindow: return "AboutWindow";
        case ToolWindow::PortSetup: return "PortSetup";
    }
    return "?";
}

std::string_view uiActionName(UiAction a)
{
    switch (a) {
        case UiAction::Config: return "Config";
        case UiAction::RemoteBox: return "RemoteBox";
        case UiAction::Read: return "Read";
        case UiAction::AutoBox: return "AutoBox";
        case UiAction::SetRead: return "SetRead";
        case UiAction::Set: return "Set";
        case UiAction::Autoset: return "Autoset";
        case UiAction::Notes: return "Notes";
        case UiAction::WmfExport: return "WmfExport";
        case UiAction::PrintMenuItem: return "PrintMenuItem";
        case UiAction::PrinterSetupMenuItem: return "PrinterSetupMenuItem";
        case UiAction::ClipboardMenuItem: return "ClipboardMenuItem";
        case UiAction::ChannelMenuItem: return "ChannelMenuItem";
        case UiAction::TimebaseMenuItem: return "TimebaseMenuItem";
        case UiAction::TriggerMenuItem: return "TriggerMenuItem";
        case UiAction::StorageMenuItem: return "StorageMenuItem";
        case UiAction::IntensityMenuItem: return "IntensityMenuItem";
        case UiAction::CursorMenuItem: return "CursorMenuItem";
        case UiAction::AutomeasurementMenuItem: return "AutomeasurementMenuItem";
        case UiAction::MeasurementMenu: return "MeasurementMenu";
        case UiAction::AutostoreMenuItem: return "AutostoreMenuItem";
        case UiAction::FftMenuItem: return "FftMenuItem";
        case UiAction::HarmonicsMenuItem: return "HarmonicsMenuItem";
    }
    return "?";
}

}  // namespace ql
