#include "Host.h"

namespace ql {

void Host::stateChanged(const ProgramState& s, StateChange change)
{
    for (ToolWindow window : windowsShowing(s, change)) refreshWindow(window);
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
