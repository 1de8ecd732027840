#include "StoragePanelModel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "state/NumberFormat.h"
#include "state/Numeric.h"
#include "state/Scaling.h"

namespace ql {

namespace {

// Firmware above which "Single" is a single-shot switch beside the storage mode.
constexpr float kSingleShotSwitchFirmware = 2.0f;
// Firmware above which the instrument can hold its waveform.
constexpr float kHoldFirmware = 1.05f;

// Number of entries of a scale list, never more than its table holds.
template <class Table>
int entryCount(const Table& table, int count)
{
    return std::clamp<int>(count, 0, static_cast<int>(table.size()) - 1);
}

// The list entries of elements 1..count: numbers with their sign position (" 2", "-75").
template <class Table>
std::vector<std::string> entries(const Table& table, int count)
{
    std::vector<std::string> texts;
    for (int k = 1; k <= entryCount(table, count); ++k)
        texts.push_back(str(table[static_cast<std::size_t>(k)]));
    return texts;
}

// While the time base B window is on, the reference memories carry the time base B traces
// and the REF I bar moves them apart instead of moving REF I.
bool timebaseBTraces(const ProgramState& s)
{
    return s.tbB.tbBWindowOn != 0;
}

}  // namespace

StoragePanelModel::StoragePanelModel(ProgramState& state, char decimalSign)
    : state_(state), decimalSign_(decimalSign)
{
}

Followup StoragePanelModel::settle()
{
    if (state_.identity.analogModel == 1) state_.ddf.pretriggerIndex = kZeroPretriggerStep;
    return {};
}

StoragePanelView StoragePanelModel::view() const
{
    const ProgramState& s = state_;
    const DdfSettings& d = s.ddf;
    const ScaleTables& t = s.tables;
    const float firmware = s.identity.firmwareVersion;
    const bool analogOnly = s.identity.analogModel == 1;
    const bool bTraces = timebaseBTraces(s);
    StoragePanelView v;

    v.holdShown = firmwareAbove(firmware, kHoldFirmware);
    v.peakDetectShown = s.caps.unitPk;
    v.peakDetect = d.peakDetect == 1;

    v.averageEntries = entries(t.averageSteps, t.averageStepCount);
    const auto averages = averageCount(t, d.averageIndex);
    if (averages && d.averageIndex >= 1 &&
        d.averageIndex <= entryCount(t.averageSteps, t.averageStepCount)) {
        v.averageText = str(*averages);
        v.averageStep = d.averageIndex - 1;
    }

    v.digital = d.digitalMode == 1;
    if (v.digital) {
        v.pretriggerBarShown = s.caps.unitPtVariabel;
        v.modesEnabled = true;
        v.pretriggerStepsEnabled = true;
        v.averageEnabled = true;
        v.ref1Enabled = true;
        v.ref2Enabled = true;
        if (d.singleShot == 1 && firmwareAbove(firmware, kSingleShotSwitchFirmware))
            v.mode = kSingleMode;
        else if (d.storageMode < kModeCount)
            v.mode = d.storageMode;
    } else {
        v.mode = d.singleShot == 1 ? kSingleMode : kNoOption;
    }
    v.pretriggerStepsShown = !v.pretriggerBarShown;
    v.pretriggerPosition =
        std::clamp<std::int32_t>(d.pretriggerPosition, -kPretriggerReach, kPretriggerReach);
    v.pretriggerTime = pretriggerTimeText();

    v.pretriggerEntries = entries(t.pretriggerSteps, t.pretriggerStepCount);
    if (const auto percent = pretriggerPercent(t, d.pretriggerIndex)) {
        v.pretriggerText = std::to_string(*percent);
        v.pretriggerStep = d.pretriggerIndex;
    }
    v.pretriggerOn = d.pretriggerIndex != kZeroPretriggerStep;

    v.ref1 = d.ref1On == 1;
    v.ref2 = d.ref2On == 1;
    v.hold = s.storage.holdWaveform == 1;

    v.ref1Bar = bTraces ? kRefTop - d.traceSeparation
                        : std::clamp<int>(s.storage.ref1Pos, kRefBottom, kRefTop);
    v.ref2Bar = std::clamp<int>(s.storage.ref2Pos, kRefBottom, kRefTop);
    v.ref1BarEnabled = v.ref1 || (v.ref2 && bTraces);
    v.ref2BarEnabled = v.ref2 && !bTraces;

    for (int slot = 1; slot <= kSlotCount; ++slot) v.slotEntries.push_back(str(slot));
    if (s.storage.setupSlot >= 1 && s.storage.setupSlot <= kSlotCount) {
        v.slotText = std::to_string(s.storage.setupSlot);
        v.slotStep = s.storage.setupSlot - 1;
    }

    v.resetEnabled = v.mode == kSingleMode;

    // The time base B traces take REF I's place and cannot be stored as references.
    v.traceSeparationShown = bTraces;
    v.ref1Shown = !bTraces;
    v.saveReferencesEnabled = !bTraces;
    if (v.digital && bTraces) v.ref2Enabled = false;

    // An analog-only model has no digital storage.
    if (analogOnly) {
        v.singleEnabled = false;
        v.digitalEnabled = false;
        v.holdEnabled = false;
        v.averageEnabled = false;
        v.saveReferencesEnabled = false;
        v.pretriggerOn = false;
    }
    return v;
}

std::string StoragePanelModel::pretriggerTimeText() const
{
    const DdfSettings& d = state_.ddf;
    const auto perDiv = timePerDivEntry(state_.tables, d.tbAIndex);
    if (!perDiv || std::abs(d.pretriggerPosition) > kPretriggerReach) return {};
    const double t = d.pretriggerPosition / kSamplesPerDivision * *perDiv;
    const double size = std::fabs(t);
    if (size < 1e-6) return formatNumber(t / 1e-9, "##.000 ns", decimalSign_);
    if (size < 1e-3) return formatNumber(t / 1e-6, "##.000 us", decimalSign_);
    if (size >= 1.0) return formatNumber(t, "##.000 s", decimalSign_);
    return formatNumber(t / 1e-3, "##.000 ms", decimalSign_);
}

Followup StoragePanelModel::digitalSwitched(bool checked)
{
    DdfSettings& d = state_.ddf;
    d.digitalMode = checkValue(checked);
    state_.screen.screenDirty = 1;
    if (!checked) return {};
    // Digital storage and the component tester exclude each other.
    d.componentTester = 0;
    Followup next;
    next.refresh = {ToolWindow::ChannelPanel};
    return next;
}

Followup StoragePanelModel::modeChosen(int option)
{
    if (option < 0 || option >= kModeCount) return {};
    DdfSettings& d = state_.ddf;
    if (option == kSingleMode &&
        (d.digitalMode == 0 ||
         firmwareAbove(state_.identity.firmwareVersion, kSingleShotSwitchFirmware))) {
        d.singleShot = 1;
    } else {
        d.singleShot = 0;
        d.storageMode = static_cast<byte>(option);
    }
    // The envelope shows the extremes itself.
    if (option == kEnvelopeMode) d.peakDetect = 0;
    return {};
}

Followup StoragePanelModel::averageChosen(int entry)
{
    const ScaleTables& t = state_.tables;
    if (entry >= 0 && entry < entryCount(t.averageSteps, t.averageStepCount))
        state_.ddf.averageIndex = static_cast<std::int16_t>(entry + 1);
    return {};
}

Followup StoragePanelModel::peakDetectSwitched(bool checked)
{
    state_.ddf.peakDetect = checkValue(checked);
    return {};
}

Followup StoragePanelModel::holdSwitched(bool checked)
{
    state_.storage.holdWaveform = checkValue(checked);
    return {};
}

Followup StoragePanelModel::pretriggerSwitched(bool checked)
{
    // Ticking the box chooses nothing: the list does.
    if (!checked) state_.ddf.pretriggerIndex = kZeroPretriggerStep;
    return {};
}

Followup StoragePanelModel::pretriggerChosen(int entry)
{
    const ScaleTables& t = state_.tables;
    if (entry >= 0 && entry < entryCount(t.pretriggerSteps, t.pretriggerStepCount))
        state_.ddf.pretriggerIndex = static_cast<byte>(entry);
    state_.screen.screenDirty = 1;
    return {};
}

Followup StoragePanelModel::pretriggerMoved(int position)
{
    state_.ddf.pretriggerPosition = std::clamp(position, -kPretriggerReach, kPretriggerReach);
    return {};
}

Followup StoragePanelModel::ref1Switched(bool checked)
{
    state_.ddf.ref1On = checkValue(checked);
    state_.screen.screenDirty = 1;
    return {};
}

Followup StoragePanelModel::ref2Switched(bool checked)
{
    state_.ddf.ref2On = checkValue(checked);
    state_.screen.screenDirty = 1;
    return {};
}

Followup StoragePanelModel::ref1Moved(int value)
{
    const int bar = std::clamp(value, kRefBottom, kRefTop);
    if (timebaseBTraces(state_))
        state_.ddf.traceSeparation = static_cast<byte>(kRefTop - bar);
    else
        state_.storage.ref1Pos = static_cast<std::int16_t>(bar);
    state_.screen.screenDirty = 1;
    return {};
}

Followup StoragePanelModel::ref2Moved(int value)
{
    state_.storage.ref2Pos = static_cast<std::int16_t>(std::clamp(value, kRefBottom, kRefTop));
    state_.screen.screenDirty = 1;
    return {};
}

Followup StoragePanelModel::slotChosen(int entry)
{
    if (entry >= 0 && entry < kSlotCount)
        state_.storage.setupSlot = static_cast<std::int16_t>(entry + 1);
    return {};
}

}  // namespace ql
