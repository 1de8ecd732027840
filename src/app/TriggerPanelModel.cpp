#include "TriggerPanelModel.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "TimebasePanelModel.h"
#include "display/StatusLine.h"
#include "link/Identification.h"
#include "state/Numeric.h"

namespace ql {

namespace {

constexpr byte kTriggered = 1;  // "trgsta?": running and triggered

// The options are the coupling names of models with time base B, in their order.
std::span<const char* const> optionNames()
{
    return triggerCouplingNames(false);
}

int indexOf(std::span<const char* const> names, const char* name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (std::strcmp(names[i], name) == 0) return static_cast<int>(i);
    return kNoOption;
}

// A 0/1 field as an option of a two-option group.
int twoWay(byte value)
{
    return value <= 1 ? value : kNoOption;
}

bool validTwoWay(int option)
{
    return option == 0 || option == 1;
}

}  // namespace

Followup TriggerPanelModel::settle()
{
    DdfSettings& d = state_.ddf;
    if (d.ch1On != 0 && d.ch2On != 0) return {};
    if (d.trigSource < 2) d.trigSource = d.ch1On == 1 ? 0 : 1;
    if (d.trigAlternate != 1) return {};
    d.trigAlternate = 0;
    // The time-base panel greys its B controls for alternate triggering only.
    Followup next;
    next.refresh = {ToolWindow::TimebasePanel};
    return next;
}

TriggerPanelView TriggerPanelModel::view() const
{
    const DdfSettings& d = state_.ddf;
    const bool notbb = state_.caps.unitNotbb;
    TriggerPanelView v;
    v.slopeA = twoWay(d.trigSlopeA);
    v.slopeB = twoWay(d.trigSlopeB);
    v.slopeBEnabled = !notbb;
    v.nrEnabled = !notbb;
    const auto codes = triggerCouplingNames(notbb);
    if (d.trigCoupling < codes.size()) v.coupling = indexOf(optionNames(), codes[d.trigCoupling]);
    v.mode = twoWay(d.trigMode);
    v.alternateEnabled = d.ch1On != 0 && d.ch2On != 0;
    if (d.trigAlternate == 1)
        v.source = kAlternateOption;
    else if (d.trigSource < kAlternateOption)
        v.source = d.trigSource;
    v.level = std::clamp<int>(d.trigLevelA, 0, kLastLevel);
    // Firmware that reports its status as a character says "1" where older firmware sends 1.
    const byte status = state_.trigStatus.trigStatus;
    const bool characters =
        firmwareAbove(state_.identity.firmwareVersion, kCharacterStatusFirmware);
    const bool triggered = status == kTriggered || (characters && status == '0' + kTriggered);
    v.statusBackground = triggered ? kTriggeredBackground : kWaitingBackground;
    v.statusText = triggered ? "Triggered" : "Not triggered";
    return v;
}

Followup TriggerPanelModel::sourceChosen(int option)
{
    DdfSettings& d = state_.ddf;
    Followup next;
    if (option >= 0 && option < kAlternateOption) {
        d.trigSource = static_cast<byte>(option);
        d.trigAlternate = 0;
    } else if (option == kAlternateOption && d.ch1On != 0 && d.ch2On != 0) {
        // Alternate triggering runs time base A alone; the source stays for its return.
        d.trigAlternate = 1;
        next = chooseTimebaseMode(state_, 0);
    }
    next.refresh.insert(next.refresh.begin(), ToolWindow::TimebasePanel);
    return next;
}

Followup TriggerPanelModel::couplingChosen(int option)
{
    const auto names = optionNames();
    if (option < 0 || option >= static_cast<int>(names.size())) return {};
    const int code = indexOf(triggerCouplingNames(state_.caps.unitNotbb),
                             names[static_cast<std::size_t>(option)]);
    if (code != kNoOption) state_.ddf.trigCoupling = static_cast<byte>(code);
    return {};
}

Followup TriggerPanelModel::modeChosen(int option)
{
    if (validTwoWay(option)) state_.ddf.trigMode = static_cast<byte>(option);
    return {};
}

Followup TriggerPanelModel::slopeAChosen(int option)
{
    if (validTwoWay(option)) state_.ddf.trigSlopeA = static_cast<byte>(option);
    return {};
}

Followup TriggerPanelModel::slopeBChosen(int option)
{
    // Models without time base B have no delayed trigger slope.
    if (validTwoWay(option) && !state_.caps.unitNotbb)
        state_.ddf.trigSlopeB = static_cast<byte>(option);
    return {};
}

Followup TriggerPanelModel::levelMoved(int level)
{
    state_.ddf.trigLevelA = static_cast<std::int16_t>(std::clamp(level, 0, kLastLevel));
    return {};
}

}  // namespace ql
