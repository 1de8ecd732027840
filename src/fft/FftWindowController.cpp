#include "FftWindowController.h"

#include <algorithm>

#include "WindowPreview.h"
#include "draw/MetafileName.h"
#include "draw/Surface.h"
#include "state/ToolWindow.h"

namespace ql {

namespace {

std::size_t chartIndex(FftTab chart)
{
    return std::min<std::size_t>(static_cast<std::size_t>(chart), 2);
}

// The first `count` characters of a UTF-8 text.
std::string firstCharacters(std::string_view text, std::size_t count)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == count) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

// The tab the window opens on, by the channels that are on.
FftTab firstTab(const DdfSettings& d)
{
    if (d.ch1On == 1 && d.ch2On == 1) return FftTab::Dual;
    return d.ch1On == 1 ? FftTab::Ch1 : FftTab::Ch2;
}

}  // namespace

FftWindowController::FftWindowController(ProgramState& s, Host& host, FileDialogs& dialogs,
                                         char decimalSign)
    : s_(s), host_(host), dialogs_(dialogs), decimalSign_(decimalSign)
{
    for (std::size_t i = 0; i < titles_.size(); ++i) titles_[i] = kFftDefaultTitles[i];
}

FftChartView& FftWindowController::chart(FftTab tab)
{
    switch (tab) {
        case FftTab::Ch2: return charts_.ch2;
        case FftTab::Dual: return charts_.dual;
        case FftTab::Ch1:
        case FftTab::Settings: break;
    }
    return charts_.ch1;
}

const std::string& FftWindowController::title(FftTab chart) const
{
    return titles_[chartIndex(chart)];
}

bool FftWindowController::outputsAvailable() const
{
    return static_cast<bool>(outputs_.render);
}

FftWindowView FftWindowController::view() const
{
    FftWindowView v;
    v.tab = charts_.selectedTab;
    v.windowFunction = windowFromCode(s_.fft.fftWindowCode);
    v.logLevels = s_.fft.fftLogFlag != 0;
    v.dualView = charts_.dualView;
    v.zoomFactor = zoomFactor_;
    v.zoom = xZoomRange(zoomFactor_, scrollPosition_);
    v.titles = titles_;
    const FftChartView* charts[] = {&charts_.ch1, &charts_.ch2, &charts_.dual};
    for (std::size_t i = 0; i < v.printEnabled.size(); ++i)
        v.printEnabled[i] = outputs_.print && charts[i]->printEnabled;
    v.outputsEnabled = outputsAvailable();
    return v;
}

void FftWindowController::loaded()
{
    applyZoom(1, 0);
    charts_.dualView = DualView::Both;
    for (std::size_t i = 0; i < titles_.size(); ++i) titles_[i] = kFftDefaultTitles[i];
    // A freshly opened window shows nothing of an earlier opening.
    for (FftChartView* v : {&charts_.ch1, &charts_.ch2, &charts_.dual}) {
        v->notActualVisible = false;
        v->printEnabled = false;
        v->noSpectrumReason.clear();
        v->cells = {};
        v->shown = {};
    }
    charts_.selectedTab = firstTab(s_.ddf);
}

void FftWindowController::activated()
{
    s_.fft.fftWindowCode = static_cast<byte>(windowFromCode(s_.fft.fftWindowCode));
    s_.fft.fftLogFlag = s_.fft.fftLogFlag != 0 ? 1 : 0;
}

void FftWindowController::deactivated()
{
    keepNormalPlacement(host_.windowPlacement(ToolWindow::FftWindow),
                        s_.layout.*layoutSlot(ToolWindow::FftWindow).placement);
}

void FftWindowController::unloaded()
{
    deactivated();
    s_.fft.fftActive = 0;
    host_.setActionChecked(UiAction::FftMenuItem, false);
}

void FftWindowController::show()
{
    showFft(s_, charts_, decimalSign_);
}

void FftWindowController::resized()
{
    show();
}

void FftWindowController::redraw()
{
    show();
}

void FftWindowController::drawPreview()
{
    if (!preview_.picture) return;
    drawWindowedSignal(*preview_.picture, windowFromCode(s_.fft.fftWindowCode));
    if (preview_.updated) preview_.updated();
}

Followup FftWindowController::tabChosen(FftTab tab)
{
    charts_.selectedTab = tab;
    if (tab == FftTab::Settings)
        drawPreview();
    else
        show();
    return {};
}

Followup FftWindowController::windowFunctionChosen(WindowFunction window)
{
    // The spectra take the new window at their next computation.
    s_.fft.fftWindowCode = static_cast<byte>(window);
    drawPreview();
    return {};
}

Followup FftWindowController::logToggled(bool on)
{
    // The charts change at their next computation.
    s_.fft.fftLogFlag = on ? 1 : 0;
    return {};
}

Followup FftWindowController::dualViewChosen(DualView view)
{
    charts_.dualView = view;
    show();
    return {};
}

void FftWindowController::applyZoom(int factor, int position)
{
    zoomFactor_ = std::clamp(factor, 1, kFftMaxZoom);
    // A position beyond the new range is moved onto the bar, as the bar itself does.
    const XZoomRange range = xZoomRange(zoomFactor_, position);
    scrollPosition_ = range.scrollPos;
    applyXZoom(s_.fft, range);
}

Followup FftWindowController::zoomChanged(int factor)
{
    applyZoom(factor, scrollPosition_);
    show();
    return {};
}

Followup FftWindowController::scrollChanged(int position)
{
    applyZoom(zoomFactor_, position);
    show();
    return {};
}

Followup FftWindowController::titleEdited(FftTab chart, std::string_view text)
{
    titles_[chartIndex(chart)] = firstCharacters(text, kFftTitleLength);
    return {};
}

Followup FftWindowController::printClicked(FftTab chart)
{
    if (!isChartTab(chart) || !outputs_.print || !this->chart(chart).printEnabled) return {};
    outputs_.print(chart, title(chart));
    return {};
}

Followup FftWindowController::copyClicked(FftTab chart)
{
    if (!isChartTab(chart) || !outputsAvailable()) return {};
    s_.exportTarget.exportToFile = false;
    outputs_.render(chart, title(chart));
    return {};
}

Followup FftWindowController::saveClicked(FftTab chart)
{
    if (!isChartTab(chart) || !outputsAvailable()) return {};
    const std::optional<std::string> chosen = dialogs_.chooseFileToSave(wmfSaveDialogRequest());
    if (!chosen) return {};
    s_.exportTarget.exportFileName = *chosen;
    if (!isMetafileName(*chosen)) {
        host_.report(badMetafileName(*chosen));
        return {};
    }
    s_.exportTarget.exportToFile = true;
    host_.setBusyPointer(true);
    outputs_.render(chart, title(chart));
    host_.setBusyPointer(false);
    return {};
}

void FftWindowController::chartMouseMoved(FftTab chart, int buttons, double x, double y)
{
    if (!isChartTab(chart)) return;
    const FftChartView& view = this->chart(chart);
    const ShownChart& shown = view.shown;
    if (!view.chart || !shown.drawn || view.chart->size() != shown.chartSize) return;
    Surface picture(*view.chart);
    picture.setUserScale(shown.scale);
    const double line = picture.userX(x), level = picture.userY(y);
    if (chart == FftTab::Dual)
        moveDualCursor(s_, charts_, buttons, line, level, decimalSign_);
    else
        moveChannelCursor(s_, charts_, chart == FftTab::Ch1 ? Channel::Ch1 : Channel::Ch2, buttons,
                          line, decimalSign_);
}

}  // namespace ql
