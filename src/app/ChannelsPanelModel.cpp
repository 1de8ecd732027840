#include "ChannelsPanelModel.h"

#include <algorithm>

#include "display/ReadoutText.h"
#include "state/NumberFormat.h"

namespace ql {

namespace {

constexpr int kCalibratedVariable = 255;
constexpr int kLastPosition = 1023;

// The settings fields of one channel.
struct ChannelFields {
    byte DdfSettings::*coupling;
    byte DdfSettings::*invert;
    byte DdfSettings::*on;
    byte DdfSettings::*voltsIndex;
    byte DdfSettings::*variable;
    std::int16_t DdfSettings::*probe;
    std::int16_t DdfSettings::*position;
};

constexpr ChannelFields kCh1Fields{&DdfSettings::ch1Coupling, &DdfSettings::ch1Invert,
                                   &DdfSettings::ch1On,       &DdfSettings::ch1VoltsIndex,
                                   &DdfSettings::ch1Variable, &DdfSettings::ch1ProbeFactor,
                                   &DdfSettings::ch1Position};
constexpr ChannelFields kCh2Fields{&DdfSettings::ch2Coupling, &DdfSettings::ch2Invert,
                                   &DdfSettings::ch2On,       &DdfSettings::ch2VoltsIndex,
                                   &DdfSettings::ch2Variable, &DdfSettings::ch2ProbeFactor,
                                   &DdfSettings::ch2Position};

const ChannelFields& fieldsOf(Channel ch)
{
    return ch == Channel::Ch1 ? kCh1Fields : kCh2Fields;
}

const ChannelFields& otherFields(Channel ch)
{
    return ch == Channel::Ch1 ? kCh2Fields : kCh1Fields;
}

// Number of volts/div steps the list offers, never more than the table holds.
int stepCount(const ScaleTables& t)
{
    const int tableSteps = static_cast<int>(t.voltsPerDiv.size()) - 1;
    return std::clamp<int>(t.voltsStepCount, 0, tableSteps);
}

// Coupling code 1 is AC, 0 DC, 2 and 3 GND (with DC or AC kept beneath it).
int couplingOption(byte coupling)
{
    switch (coupling) {
        case 0: return ChannelsPanelModel::kCouplingDc;
        case 1: return ChannelsPanelModel::kCouplingAc;
        case 2:
        case 3: return ChannelsPanelModel::kCouplingGnd;
        default: return kNoOption;
    }
}

int probeOption(int factor)
{
    const auto& factors = ChannelsPanelModel::kProbeFactors;
    const auto* found = std::find(std::begin(factors), std::end(factors), factor);
    return found == std::end(factors) ? kNoOption : static_cast<int>(found - std::begin(factors));
}

bool validOption(int option)
{
    return option >= 0 && option < static_cast<int>(std::size(ChannelsPanelModel::kProbeFactors));
}

}  // namespace

ChannelsPanelModel::ChannelsPanelModel(ProgramState& state, char decimalSign)
    : state_(state), decimalSign_(decimalSign)
{
}

ChannelColumnView ChannelsPanelModel::column(Channel ch) const
{
    const DdfSettings& d = state_.ddf;
    const ChannelFields& f = fieldsOf(ch);
    ChannelColumnView c;
    c.on = d.*f.on == 1;
    c.colourBarShown = c.on;
    c.positionEnabled = c.on;
    c.voltsEnabled = c.on;
    c.position = std::clamp<int>(d.*f.position, 0, kLastPosition);
    const double factor = channelVariableFactor(d.*f.variable);
    c.variableText = formatNumber(factor, "0.00", decimalSign_);
    if (c.on) {
        // Each text is the step's table value with the probe factor and the variable gain.
        const auto text = [&](int code) {
            const auto perDiv = voltsPerDivEntry(state_.tables, code);
            if (!perDiv) return std::string(kNoValueText);
            return formatNumber(*perDiv * d.*f.probe * factor, "#.000", decimalSign_);
        };
        const int code = d.*f.voltsIndex;
        c.voltsText = text(code);
        for (int step = 0; step < stepCount(state_.tables); ++step)
            c.voltsEntries.push_back(text(step));
        if (code < stepCount(state_.tables) && voltsPerDivEntry(state_.tables, code))
            c.voltsStep = code;
        c.voltsBackground =
            d.*f.variable == kCalibratedVariable ? kCalibratedBackground : kUncalibratedBackground;
    } else {
        c.voltsText = kOffText;
        c.voltsBackground = kCalibratedBackground;
    }
    c.coupling = couplingOption(d.*f.coupling);
    c.invert = d.*f.invert == 1;
    // Models without time base B cannot invert CH I.
    c.invertEnabled = ch == Channel::Ch2 || !state_.caps.unitNotbb;
    c.probe = probeOption(d.*f.probe);
    c.x100Enabled = state_.identity.analogModel != 1;
    return c;
}

ChannelsPanelView ChannelsPanelModel::view() const
{
    const DdfSettings& d = state_.ddf;
    ChannelsPanelView v;
    v.channels = {column(Channel::Ch1), column(Channel::Ch2)};
    // ADD and Chop mix both channels; with one of them off they keep their values, greyed.
    const bool bothOn = d.ch1On == 1 && d.ch2On == 1;
    v.add = d.verAdd == 1;
    v.addEnabled = bothOn;
    v.chop = d.verChop == 1;
    v.chopEnabled = bothOn;
    v.xy = d.xyMode == 1;
    v.componentTester = d.componentTester == 1;
    return v;
}

Followup ChannelsPanelModel::voltsChosen(Channel ch, int entry)
{
    if (entry >= 0 && entry < stepCount(state_.tables))
        state_.ddf.*fieldsOf(ch).voltsIndex = static_cast<byte>(entry);
    state_.screen.screenDirty = 1;
    return {};
}

Followup ChannelsPanelModel::couplingChosen(Channel ch, int option)
{
    byte& coupling = state_.ddf.*fieldsOf(ch).coupling;
    switch (option) {
        case kCouplingAc: coupling = 1; break;
        case kCouplingDc: coupling = 0; break;
        case kCouplingGnd: coupling = static_cast<byte>((coupling & 1) | 2); break;
        default: break;
    }
    return {};
}

Followup ChannelsPanelModel::probeChosen(Channel ch, int option)
{
    if (!validOption(option)) return {};
    state_.ddf.*fieldsOf(ch).probe = static_cast<std::int16_t>(kProbeFactors[option]);
    state_.screen.screenDirty = 1;
    return {};
}

Followup ChannelsPanelModel::onSwitched(Channel ch, bool checked)
{
    DdfSettings& d = state_.ddf;
    d.*fieldsOf(ch).on = checkValue(checked);
    if (d.*fieldsOf(ch).on == 0 && d.*otherFields(ch).on == 0) d.*otherFields(ch).on = 1;
    state_.screen.screenDirty = 1;
    Followup next;
    next.refresh = {ToolWindow::TriggerPanel};  // its source options follow the channels
    return next;
}

Followup ChannelsPanelModel::invertSwitched(Channel ch, bool checked)
{
    state_.ddf.*fieldsOf(ch).invert = checkValue(checked);
    return {};
}

Followup ChannelsPanelModel::variableStepped(Channel ch, SpinArrow arrow)
{
    byte& variable = state_.ddf.*fieldsOf(ch).variable;
    if (arrow == SpinArrow::Down && variable < kCalibratedVariable) {
        ++variable;
        state_.screen.screenDirty = 1;
    } else if (arrow == SpinArrow::Up && variable > 0) {
        --variable;
        state_.screen.screenDirty = 1;
    }
    return {};
}

Followup ChannelsPanelModel::positionMoved(Channel ch, int position)
{
    state_.ddf.*fieldsOf(ch).position =
        static_cast<std::int16_t>(std::clamp(position, 0, kLastPosition));
    return {};
}

Followup ChannelsPanelModel::addSwitched(bool checked)
{
    state_.ddf.verAdd = checkValue(checked);
    state_.screen.screenDirty = 1;
    return {};
}

Followup ChannelsPanelModel::chopSwitched(bool checked)
{
    state_.ddf.verChop = checkValue(checked);
    return {};
}

Followup ChannelsPanelModel::xySwitched(bool checked)
{
    DdfSettings& d = state_.ddf;
    if (checked && d.xyMode != 1) {
        // The XY view needs both channels; their own states are kept for XY off.
        d.xyMode = 1;
        d.savedCh1On = d.ch1On;
        d.savedCh2On = d.ch2On;
        d.ch1On = 1;
        d.ch2On = 1;
    } else if (!checked && d.xyMode == 1) {
        d.xyMode = 0;
        d.ch1On = d.savedCh1On;
        d.ch2On = d.savedCh2On;
        // Kept states from a damaged file or instrument may both be off.
        if (d.ch1On == 0 && d.ch2On == 0) d.ch1On = 1;
    }
    Followup next;
    next.redrawScreen = true;
    return next;
}

Followup ChannelsPanelModel::componentTesterSwitched(bool checked)
{
    state_.ddf.componentTester = checkValue(checked);
    if (!checked) return {};
    // The component tester and digital mode exclude each other.
    state_.ddf.digitalMode = 0;
    Followup next;
    next.refresh = {ToolWindow::StoragePanel};
    return next;
}

}  // namespace ql
