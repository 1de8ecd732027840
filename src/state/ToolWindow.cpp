#include "ToolWindow.h"

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

LayoutSlot layoutSlot(ToolWindow w)
{
    using L = WindowLayout;
    switch (w) {
        case ToolWindow::ScreenWindow: return {&L::screenWindow, true};
        case ToolWindow::MeasurementWindow: return {&L::measurementWindow, false, false};
        case ToolWindow::ChannelPanel: return {&L::channelPanel};
        case ToolWindow::TimebasePanel: return {&L::timebasePanel};
        case ToolWindow::TriggerPanel: return {&L::triggerPanel};
        case ToolWindow::IntensityPanel: return {&L::intensityPanel};
        case ToolWindow::StoragePanel: return {&L::storagePanel};
        case ToolWindow::CursorWindow: return {&L::cursorWindow};
        case ToolWindow::ZoomWindow: return {&L::zoomWindow, true};
        case ToolWindow::XyView: return {&L::xyView, true};
        case ToolWindow::PrintPreview: return {&L::printPreview, true};
        case ToolWindow::PrinterSettings: return {&L::printerSettings};
        // The FFT and harmonics windows share one place and keep no state; only one of them
        // is open at a time.
        case ToolWindow::FftWindow:
        case ToolWindow::HarmonicsWindow: return {&L::analysisChart, true, false};
        case ToolWindow::ExportSettings:
        case ToolWindow::AutostoreWindow:
        case ToolWindow::NotesWindow:
        case ToolWindow::AboutWindow:
        case ToolWindow::PortSetup: return {};
    }
    return {};
}

void keepNormalPlacement(const WindowPlacement& now, WindowPlacement& kept, bool withSize)
{
    if (now.windowState != 0) return;
    kept.left = now.left;
    kept.top = now.top;
    if (withSize) {
        kept.width = now.width;
        kept.height = now.height;
    }
}

void keepWindowPlacement(WindowLayout& layout, ToolWindow window, const WindowPlacement& now)
{
    const LayoutSlot slot = layoutSlot(window);
    if (!slot) return;
    WindowPlacement& kept = layout.*slot.placement;
    if (slot.withState) kept.windowState = now.windowState;
    keepNormalPlacement(now, kept, slot.withSize);
}

std::vector<ToolWindow> windowsShowing(const ProgramState& s, StateChange change)
{
    std::vector<ToolWindow> windows;
    if (change.screen) windows.push_back(ToolWindow::ScreenWindow);
    if (change.settings) {
        // Analog-only models have no cursors.
        if (s.identity.analogModel != 1) windows.push_back(ToolWindow::CursorWindow);
        for (ToolWindow panel :
             {ToolWindow::ChannelPanel, ToolWindow::TimebasePanel, ToolWindow::TriggerPanel,
              ToolWindow::IntensityPanel, ToolWindow::StoragePanel})
            windows.push_back(panel);
    }
    return windows;
}

}  // namespace ql
