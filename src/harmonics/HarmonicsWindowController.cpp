#include "HarmonicsWindowController.h"

#include <array>
#include <cmath>

#include "HarmonicSweeps.h"
#include "fft/FftLevels.h"
#include "state/Numeric.h"
#include "state/Text.h"
#include "state/ToolWindow.h"

namespace ql {

namespace {

// Lines shown by each span option, in the options' order.
constexpr std::array<std::int16_t, kHarmonicsSpanCount> kSpanLines = {1024, 512, 256, 128};

// The option a span code chooses; a code no option has (0 or 5 from an old settings file)
// chooses "View 0 - SR/4".
HarmonicsSpan spanOfCode(byte code)
{
    if (code >= 1 && code <= kHarmonicsSpanCount) return static_cast<HarmonicsSpan>(code - 1);
    return HarmonicsSpan::Quarter;
}

HarmonicsWindowFunction windowFunctionOfCode(byte code)
{
    return code == 1 ? HarmonicsWindowFunction::Rectangle : HarmonicsWindowFunction::Hanning;
}

// The first characters of a text that the headline holds.
std::string headlineOf(std::string_view text)
{
    const std::string bytes = utf8ToCp1252(text);
    return trim(cp1252ToUtf8(std::string_view(bytes).substr(0, kHarmonicsHeadlineLength)));
}

}  // namespace

HarmonicsWindowController::HarmonicsWindowController(ProgramState& state, Host& host,
                                                     LimitSource& limits, char decimalSign)
    : s_(state), host_(host), limits_(limits), decimalSign_(decimalSign)
{
}

HarmonicsWindowView HarmonicsWindowController::view() const
{
    const HarmView& h = s_.harm;
    HarmonicsWindowView v;
    v.voltsPerAmpText = boxNumberText(h.harmVoltsPerAmp, decimalSign_);
    v.lineFrequencyText = boxNumberText(h.harmLineFreq, decimalSign_);
    v.powerFactorText = boxNumberText(h.harmPowerFactor, decimalSign_);
    v.autoFrequency = h.harmAutoFreq == 1;
    v.maxHold = h.harmMaxHold == 1;
    v.span = spanOfCode(h.harmSpanCode);
    v.windowFunction = windowFunctionOfCode(h.harmWindowCode);
    v.headline = headlineOf(h.harmPrintHeadline.str());
    if (result_.judged) {
        v.fundamentalText = result_.fundamentalText;
        v.lineFrequencyLabel = result_.lineFrequencyText;
        v.rmsText = result_.rmsText;
    } else {
        v.lineFrequencyLabel = lineFrequencyLabelText(h.harmLineFreq, decimalSign_);
    }
    v.startCaption = s_.link.autoUpdate == 1 ? "Stop" : "Start";
    const OverallResult overall = result_.judged ? result_.overall : OverallResult::None;
    v.tableColor = harmonicsTableColor(overall);
    v.resultText = overallResultText(overall);
    return v;
}

void HarmonicsWindowController::opened()
{
    resetHarmonicsOnOpening(s_);
    result_ = HarmonicsResult{};
    activated();
}

void HarmonicsWindowController::activated()
{
    // The window's limit editor brings the definition named by HarmLimitName back into its list
    // at every activation; the analysis looks it up by that name.
    spanChosen(spanOfCode(s_.harm.harmSpanCode));
    windowFunctionChosen(windowFunctionOfCode(s_.harm.harmWindowCode));
}

void HarmonicsWindowController::keepPlacement()
{
    const WindowPlacement now = host_.windowPlacement(ToolWindow::HarmonicsWindow);
    // A frame not laid out yet has no size to keep.
    if (now.width <= 0 || now.height <= 0) return;
    keepNormalPlacement(now, s_.layout.analysisChart);
}

void HarmonicsWindowController::closed()
{
    keepPlacement();
    s_.harm.obwActive = 0;
    host_.setActionChecked(UiAction::HarmonicsMenuItem, false);
    // An operation in progress keeps "Auto" disabled; its guard enables it when it ends.
    if (!s_.busy.uiBusy) host_.setActionEnabled(UiAction::AutoBox, true);
    host_.setAutoBox(false);
    s_.link.autoUpdate = 0;
}

HarmonicsRun HarmonicsWindowController::run()
{
    const HarmonicsRun r = analyzeHarmonics(s_, limits_, result_, decimalSign_);
    // With CH I off the chart keeps what the last run drew.
    if (r == HarmonicsRun::ChannelOff) return r;
    frame_ = harmonicsChartFrame(s_);
    redrawChart();
    return r;
}

void HarmonicsWindowController::redrawChart()
{
    drawHarmonicsChart(chart_, frame_, result_, decimalSign_);
}

void HarmonicsWindowController::resized(bool minimised)
{
    if (!minimised) run();
}

Followup HarmonicsWindowController::tabChosen(HarmonicsTab tab)
{
    if (tab == HarmonicsTab::Measurement) run();
    return {};
}

HarmonicsRun HarmonicsWindowController::clearPressed()
{
    clearHarmonics(s_);
    return run();
}

Followup HarmonicsWindowController::maxHoldToggled(bool checked)
{
    s_.harm.harmMaxHold = checked ? 1 : 0;
    return {};
}

Followup HarmonicsWindowController::autoFrequencyToggled(bool checked)
{
    s_.harm.harmAutoFreq = checked ? 1 : 0;
    return {};
}

Followup HarmonicsWindowController::spanChosen(HarmonicsSpan span)
{
    const auto index = static_cast<std::size_t>(span);
    s_.harm.harmSpan = kSpanLines.at(index);
    s_.harm.harmSpanCode = static_cast<byte>(index + 1);
    return {};
}

Followup HarmonicsWindowController::windowFunctionChosen(HarmonicsWindowFunction function)
{
    s_.harm.harmWindowCode = function == HarmonicsWindowFunction::Rectangle ? 1 : 2;
    return {};
}

Followup HarmonicsWindowController::voltsPerAmpEntered(std::string_view text)
{
    const std::optional<double> number = numberInText(text, decimalSign_);
    if (!number) return {};
    const auto voltsPerAmp = static_cast<float>(*number);
    if (std::isfinite(voltsPerAmp) && voltsPerAmp > 0.0f) s_.harm.harmVoltsPerAmp = voltsPerAmp;
    return {};
}

Followup HarmonicsWindowController::powerFactorEntered(std::string_view text)
{
    const std::optional<double> number = numberInText(text, decimalSign_);
    if (!number) return {};
    const auto powerFactor = static_cast<float>(*number);
    s_.harm.harmPowerFactor = powerFactor < 0.0f || powerFactor > 1.0f ? 1.0f : powerFactor;
    return {};
}

Followup HarmonicsWindowController::headlineEdited(std::string_view text)
{
    s_.harm.harmPrintHeadline.assign(headlineOf(text));
    return {};
}

bool HarmonicsWindowController::rowDoubleClicked(int gridRow)
{
    if (!result_.judged || gridRow < 1 || gridRow > static_cast<int>(result_.rows.size()))
        return false;
    const HarmonicRow& row = result_.rows[static_cast<std::size_t>(gridRow - 1)];
    // The line of the row's frequency on the time base the table was measured on.
    const double hz = val(row.cells[static_cast<std::size_t>(HarmonicColumn::Frequency)]);
    const double line = hz / (200.0 / result_.timePerDiv) * kFftLength;
    double marker = line;
    const HarmonicPeak peak =
        findHarmonicPeak(s_.fftBuf.spectrumCh1, static_cast<std::int64_t>(intFloor(line)));
    if (peak.found()) {
        s_.harmTest.harmPeakBin = static_cast<std::int16_t>(peak.line);
        marker = peak.line;
    }
    if (!(marker >= 0.0) || marker > s_.harm.harmSpan) marker = 0.0;
    s_.fft.fftCursorCh1 = marker;
    frame_.marker = marker;
    redrawChart();
    return true;
}

}  // namespace ql
