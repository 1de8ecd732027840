#include "MenuController.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "OperationGuard.h"

namespace ql {

namespace {

// The View items that toggle a window of their own, and their windows.
constexpr std::pair<UiAction, ToolWindow> kViewItems[] = {
    {UiAction::ChannelMenuItem, ToolWindow::ChannelPanel},
    {UiAction::TimebaseMenuItem, ToolWindow::TimebasePanel},
    {UiAction::TriggerMenuItem, ToolWindow::TriggerPanel},
    {UiAction::StorageMenuItem, ToolWindow::StoragePanel},
    {UiAction::IntensityMenuItem, ToolWindow::IntensityPanel},
    {UiAction::CursorMenuItem, ToolWindow::CursorWindow},
};

}  // namespace

void MenuController::toggle(UiAction item, ToolWindow window)
{
    if (host_.isWindowOpen(window))
        host_.closeWindow(window);
    else
        host_.openWindow(window);
    // The windows check and clear their items themselves; this also covers a window that did
    // not open and a click the item toggled on its own.
    host_.setActionChecked(item, host_.isWindowOpen(window));
}

void MenuController::viewItemChosen(UiAction item)
{
    const auto* found = std::find_if(std::begin(kViewItems), std::end(kViewItems),
                                     [item](const auto& row) { return row.first == item; });
    if (found == std::end(kViewItems)) return;
    // The cursor window draws and erases its marks on the screen, which an operation in
    // progress is about to redraw.
    if (item == UiAction::CursorMenuItem && operationRunning(state_)) {
        host_.setActionChecked(item, host_.isWindowOpen(found->second));
        return;
    }
    toggle(item, found->second);
}

void MenuController::automeasurementChosen()
{
    toggle(UiAction::AutomeasurementMenuItem, ToolWindow::MeasurementWindow);
    state_.layout.automesVisible = host_.isWindowOpen(ToolWindow::MeasurementWindow) ? 1 : 0;
}

void MenuController::endFft()
{
    host_.setActionChecked(UiAction::FftMenuItem, false);
    host_.closeWindow(ToolWindow::FftWindow);
    state_.fft.fftActive = 0;
}

void MenuController::endHarmonics()
{
    host_.setActionChecked(UiAction::HarmonicsMenuItem, false);
    host_.closeWindow(ToolWindow::HarmonicsWindow);
    state_.harm.obwActive = 0;
    // "Auto" can be ticked again, whichever item ended the harmonics view. An operation in
    // progress keeps it disabled; its guard enables it when the operation ends.
    if (!state_.busy.uiBusy) host_.setActionEnabled(UiAction::AutoBox, true);
}

void MenuController::fftChosen()
{
    if (state_.fft.fftActive == 1) {
        endFft();
        return;
    }
    if (state_.harm.obwActive == 1) endHarmonics();
    host_.setActionChecked(UiAction::FftMenuItem, true);
    // The flag first, so that the window's first spectrum and every later redraw include it.
    state_.fft.fftActive = 1;
    host_.openWindow(ToolWindow::FftWindow);
}

void MenuController::harmonicsChosen()
{
    if (state_.harm.obwActive == 1) {
        endHarmonics();
        return;
    }
    if (state_.fft.fftActive == 1) endFft();
    host_.setActionEnabled(UiAction::AutoBox, false);
    host_.setAutoBox(false);
    state_.link.autoUpdate = 0;
    host_.setActionChecked(UiAction::HarmonicsMenuItem, true);
    // A new test: no sweep of an earlier one is held, averaged or compared.
    std::fill(state_.fftBuf.spectrumCh1.begin(), state_.fftBuf.spectrumCh1.end(), 0.0);
    std::fill(state_.fftBuf.spectrumCh2.begin(), state_.fftBuf.spectrumCh2.end(), 0.0);
    std::fill(state_.harmTest.harmAvgSpectrum.begin(), state_.harmTest.harmAvgSpectrum.end(), 0.0);
    state_.harmTest.harmFundamentalLevel = 0.0;
    state_.harmTest.harmAverageCount = 1;
    state_.harm.obwActive = 1;
    host_.openWindow(ToolWindow::HarmonicsWindow);
}

void MenuController::aboutChosen()
{
    host_.openWindow(ToolWindow::AboutWindow);
}

}  // namespace ql
