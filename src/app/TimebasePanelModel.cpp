#include "TimebasePanelModel.h"

#include <algorithm>
#include <optional>

#include "display/ReadoutText.h"
#include "state/NumberFormat.h"
#include "state/Numeric.h"
#include "state/Scaling.h"

namespace ql {

namespace {

constexpr int kFastestStepCode = 31;            // the 20 ns step of models that have it
constexpr int kTimebaseBCalibratedColour = 14;  // yellow: time base B's list when calibrated
constexpr int kRaisedStepDefault = 4;           // fastest step without time base B, digital
constexpr int kRaisedStepTx226 = 2;
constexpr const char* kTx226 = "TX226-2";

// The current time per division with two decimals, the unit chosen by the value.
std::string timeValueText(double seconds, char decimalSign)
{
    if (seconds < 1e-6) return formatNumber(seconds / 1e-9, "#.00 ns", decimalSign);
    if (seconds < 0.001) return formatNumber(seconds / 1e-6, "#.00 \u00b5s", decimalSign);
    if (seconds < 1) return formatNumber(seconds / 0.001, "#.00 ms", decimalSign);
    return formatNumber(seconds, "#.00 s", decimalSign);
}

// A time-base table element (0 for one outside the table).
double tableElement(const ScaleTables& t, int element)
{
    if (element < 0 || element >= static_cast<int>(t.timePerDiv.size())) return 0.0;
    return t.timePerDiv[static_cast<std::size_t>(element)];
}

// The mode the two "On" boxes give, ticked as they are after the click; none when both are
// off (the mode stays and the box that belongs to it is ticked again).
std::optional<byte> onRuleMode(bool aOn, bool bOn)
{
    if (aOn && bOn) return 1;
    if (aOn) return 0;
    if (bOn) return 3;
    return std::nullopt;
}

// One press of a spin on a value kept within 0..last; true when the value changed.
bool step(std::int16_t& value, SpinArrow arrow, int amount, int last)
{
    const int before = value;
    if (arrow == SpinArrow::Down && before > 0)
        value = static_cast<std::int16_t>(std::clamp(before - amount, 0, last));
    else if (arrow == SpinArrow::Up && before < last)
        value = static_cast<std::int16_t>(std::clamp(before + amount, 0, last));
    return value != before;
}

}  // namespace

Followup chooseTimebaseMode(ProgramState& state, byte mode)
{
    const byte before = state.tbB.tbBWindowOn;
    state.ddf.timebaseMode = mode;
    state.tbB.tbBWindowOn = mode == 1 && !state.caps.unitNotbb ? 1 : 0;
    if (state.tbB.tbBWindowOn == before) return {};
    // The cursor readouts and the storage panel show the time base B traces as such.
    Followup next;
    next.refresh = {ToolWindow::CursorWindow, ToolWindow::StoragePanel};
    return next;
}

TimebasePanelModel::TimebasePanelModel(ProgramState& state, char decimalSign)
    : state_(state), decimalSign_(decimalSign)
{
}

Followup TimebasePanelModel::settle()
{
    DdfSettings& d = state_.ddf;
    if (!state_.caps.unitNotbb || d.digitalMode != 1) return {};
    FixedText<10>& name = state_.identity.modelName;
    name.assign(name.trimmed());
    if (name.trimmed() == kTx226) {
        if (d.tbAIndex < kRaisedStepTx226) d.tbAIndex = kRaisedStepTx226;
    } else if (!state_.caps.unitNewtbmode && d.tbAIndex < kRaisedStepDefault) {
        d.tbAIndex = kRaisedStepDefault;
    }
    return {};
}

// The step codes a list offers, in its order: the 20 ns step first on models that have it,
// then the table elements from the first listed one to `lastElement`. Steps without a table
// value are left out.
std::vector<int> TimebasePanelModel::listedCodes(int lastElement) const
{
    const ScaleTables& t = state_.tables;
    std::vector<int> codes;
    if (state_.caps.unitTbma && timePerDivEntry(t, kFastestStepCode))
        codes.push_back(kFastestStepCode);
    const int first = std::max<int>(state_.tbRange.tbAFirstIndex, 1);
    const int last = std::min<int>(lastElement, static_cast<int>(t.timePerDiv.size()) - 1);
    for (int element = first; element <= last; ++element)
        if (timePerDivEntry(t, element - 1)) codes.push_back(element - 1);
    return codes;
}

TimebaseColumnView TimebasePanelModel::column(byte code, std::int16_t variable, int lastElement,
                                              int calibratedBackground) const
{
    TimebaseColumnView c;
    const double factor = timebaseVariableFactor(variable);
    const auto perDiv = timePerDivEntry(state_.tables, code);
    c.text = perDiv ? timeValueText(*perDiv * factor, decimalSign_) : kNoValueText;
    for (int listed : listedCodes(lastElement)) {
        if (listed == code) c.step = static_cast<int>(c.entries.size());
        c.entries.push_back(timePerDivText(*timePerDivEntry(state_.tables, listed), decimalSign_));
    }
    c.background = variable < 1 ? calibratedBackground : kUncalibratedBackground;
    c.variableText = formatNumber(factor, "0.00", decimalSign_);
    return c;
}

std::string TimebasePanelModel::delayText() const
{
    const DdfSettings& d = state_.ddf;
    const int position = d.delayPosition;
    // Analog operation shows the delay as a share of the sweep, digital storage as a time.
    if (state_.identity.analogModel == 1 || (d.digitalMode != 1 && !state_.caps.unitDigimodec2))
        return str(intFloor(position / double(kLastDelayPosition) * 100));

    const auto perDiv = timePerDivEntry(state_.tables, d.tbAIndex);
    if (!perDiv) return kNoValueText;
    const double t = *perDiv;
    double delay = t / 5;
    if (position != 0)
        delay = state_.caps.unitTbma ? t / 1000 * position : t / 5 + t * 10 * position / 4095;
    if (delay < 1e-6) return formatNumber(delay / 1e-9, "#.00 ns", decimalSign_);
    // The unit follows the step one faster than the current one, as the instrument's readout
    // does; without such a step it follows the delay itself.
    const double faster = tableElement(state_.tables, d.tbAIndex);
    const double unitOf = faster > 0 ? faster : delay;
    if (unitOf < 0.001) return formatNumber(delay / 1e-6, "#.00 us", decimalSign_);
    if (unitOf < 1) return formatNumber(delay / 0.001, "#.00 ms", decimalSign_);
    return formatNumber(delay, "#.00 s", decimalSign_);
}

TimebasePanelView TimebasePanelModel::view() const
{
    const DdfSettings& d = state_.ddf;
    const ModelCaps& caps = state_.caps;
    const int mode = d.timebaseMode;
    const bool digital = d.digitalMode == 1;
    TimebasePanelView v;
    v.timebaseB = !caps.unitNotbb;

    v.a = column(d.tbAIndex, d.tbAVariable, state_.tbRange.tbAMaxIndex, kCalibratedBackground);
    v.a.on = mode < 3;
    v.a.listEnabled = v.a.on;
    v.a.variableEnabled = v.a.on;

    // Alternate triggering greys the B box; a mode with time base B on keeps its list usable.
    v.b = column(d.tbBIndex, d.tbBVariable, state_.tbRange.tbBMaxIndex, kTimebaseBCalibratedColour);
    v.b.on = mode != 0;
    v.b.onEnabled = d.trigAlternate != 1;
    v.b.listEnabled = v.b.on;
    v.b.variableEnabled = v.b.on;

    // Without time base B: the delayed sweep and the search run in analog operation only, and
    // only on models with the newer time-base modes.
    v.delayedSweep = mode == 3;
    v.search = mode == 2;
    v.delayedSweepEnabled = !digital && caps.unitNewtbmode;
    v.searchEnabled = v.delayedSweepEnabled;

    v.delayText = delayText();
    v.delayEnabled = mode != 0 && d.trigDelayOn == 0;

    v.trigDelay = d.trigDelayOn == 1;
    v.trigDelayShown = !caps.unitNotbb || (!digital && state_.identity.analogModel != 1);
    v.trigDelayEnabled = d.trigAlternate != 1;
    v.xMag10 = d.xMag10 == 1;
    v.bandwidthLimit = d.bandwidthLimit == 1;
    v.bandwidthLimitShown = caps.unitTbma;
    return v;
}

Followup TimebasePanelModel::chooseStep(byte& code, int entry, int lastElement)
{
    const std::vector<int> codes = listedCodes(lastElement);
    if (entry >= 0 && entry < static_cast<int>(codes.size()))
        code = static_cast<byte>(codes[static_cast<std::size_t>(entry)]);
    state_.screen.screenDirty = 1;
    return {};
}

Followup TimebasePanelModel::timebaseAChosen(int entry)
{
    return chooseStep(state_.ddf.tbAIndex, entry, state_.tbRange.tbAMaxIndex);
}

Followup TimebasePanelModel::timebaseBChosen(int entry)
{
    return chooseStep(state_.ddf.tbBIndex, entry, state_.tbRange.tbBMaxIndex);
}

Followup TimebasePanelModel::timebaseASwitched(bool checked)
{
    const DdfSettings& d = state_.ddf;
    std::optional<byte> mode = onRuleMode(checked, d.timebaseMode != 0);
    // On these models the A box chooses between time base A (always so in digital storage)
    // and the delayed sweep.
    if (state_.identity.analogModel == 1 || state_.caps.unitDigimodea)
        mode = d.digitalMode == 1 || checked ? 0 : 3;
    state_.screen.screenDirty = 1;
    return mode ? chooseTimebaseMode(state_, *mode) : Followup{};
}

Followup TimebasePanelModel::timebaseBSwitched(bool checked)
{
    const std::optional<byte> mode = onRuleMode(state_.ddf.timebaseMode < 3, checked);
    return mode ? chooseTimebaseMode(state_, *mode) : Followup{};
}

Followup TimebasePanelModel::delayedSweepSwitched(bool checked)
{
    state_.screen.screenDirty = 1;
    return chooseTimebaseMode(state_, checked ? 3 : 0);
}

Followup TimebasePanelModel::searchSwitched(bool checked)
{
    state_.screen.screenDirty = 1;
    return chooseTimebaseMode(state_, checked ? 2 : 0);
}

Followup TimebasePanelModel::trigDelaySwitched(bool checked)
{
    state_.ddf.trigDelayOn = checkValue(checked);
    // On digital-mode-A models the delayed trigger runs on the delayed sweep.
    if (!state_.caps.unitDigimodea) return {};
    return chooseTimebaseMode(state_, checked ? 3 : 0);
}

Followup TimebasePanelModel::xMag10Switched(bool checked)
{
    state_.ddf.xMag10 = checkValue(checked);
    state_.screen.screenDirty = 1;
    return {};
}

Followup TimebasePanelModel::bandwidthLimitSwitched(bool checked)
{
    state_.ddf.bandwidthLimit = checkValue(checked);
    return {};
}

Followup TimebasePanelModel::variableAStepped(SpinArrow arrow)
{
    if (step(state_.ddf.tbAVariable, arrow, kVariableStep, kLastVariable))
        state_.screen.screenDirty = 1;
    return {};
}

Followup TimebasePanelModel::variableBStepped(SpinArrow arrow)
{
    if (step(state_.ddf.tbBVariable, arrow, kVariableStep, kLastVariable))
        state_.screen.screenDirty = 1;
    return {};
}

Followup TimebasePanelModel::delayStepped(SpinArrow arrow)
{
    std::int16_t& position = state_.ddf.delayPosition;
    step(position, arrow, state_.screen.delayStep, kLastDelayPosition);
    // A value from a damaged file comes back into range with the first press.
    position = static_cast<std::int16_t>(std::clamp<int>(position, 0, kLastDelayPosition));
    return {};
}

}  // namespace ql
