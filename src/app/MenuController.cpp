#include "MenuController.h"

#include <algorithm>

#include "ActionTable.h"
#include "OperationGuard.h"
#include "WindowPlaces.h"

namespace ql {

void MenuController::viewItemChosen(UiAction item)
{
    const ActionRow* row = actionRow(item);
    if (!row || !row->toggles) return;
    const ToolWindow window = *row->toggles;
    // The cursor window draws and erases its marks on the screen, which an operation in
    // progress is about to redraw.
    if (item != UiAction::CursorMenuItem || !operationRunning(state_)) {
        if (host_.isWindowOpen(window))
            host_.closeWindow(window);
        else
            openWindowInPlace(state_, host_, window);
    }
    // The windows check and clear their items themselves; this also covers a window that did
    // not open and a click the item toggled on its own.
    host_.setActionChecked(item, host_.isWindowOpen(window));
}

void MenuController::automeasurementChosen()
{
    viewItemChosen(UiAction::AutomeasurementMenuItem);
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
