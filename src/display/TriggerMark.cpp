#include "TriggerMark.h"

#include <algorithm>
#include <cmath>

#include "state/Numeric.h"

namespace ql {

namespace {

constexpr double kLevelRange = 1023.0;  // trigger level 0..1023 stands for 0..5 V
constexpr double kLevelVolts = 5.0;
constexpr double kScaleA = 1000.0 / 0.25;  // thousandths of a division per volt, time base A
const double kScaleB = static_cast<double>(static_cast<float>(1000.0 / 0.28));  // time base B
constexpr double kZeroCode = 127.0;
constexpr int kLastTriggerSample = kLastShownSample;

// Channel position relative to the centre 511, limited and scaled to the level's units.
double positionTerm(const DdfSettings& d)
{
    int position = 0;
    if (d.trigSource == 0)
        position = d.ch1Position;
    else if (d.trigSource == 1)
        position = d.ch2Position;
    else
        return 0.0;
    return std::clamp(position - 511, -511, 512) * 10.0;
}

// Mark height computed from the trigger level; `cal` takes the comparator values. False when
// the model names no comparator references: the formulas would then divide by a zero scale.
bool levelMark(const ProgramState& s, TrigCalibration& cal, double& markY)
{
    const ModelCaps& caps = s.caps;
    if (caps.unitXyinv) {
        cal.trigRefVoltsA = 2.43f;
        cal.trigRefVoltsB = 2.69f;
    } else if (caps.unitDigimodec) {
        cal.trigRefVoltsA = 2.66f;
        cal.trigRefVoltsB = 2.92f;
    } else {
        return false;
    }
    const DdfSettings& d = s.ddf;
    const double refA = cal.trigRefVoltsA;
    const double zero = refA * kLevelRange / kLevelVolts;
    const double val1 = cal.trgVal1, val2 = cal.trgVal2, val3 = cal.trgVal3;
    const double offset = (val1 - val2) / 2 + val3 - std::fabs(val2);
    const double position = positionTerm(d);

    const bool baseA = d.timebaseMode < 3 || caps.unitDigimodea;
    const double level = baseA ? d.trigLevelA : d.trigLevelB;
    const double ref = baseA ? refA : static_cast<double>(cal.trigRefVoltsB);
    const double scale = baseA ? kScaleA : kScaleB;

    double mdiv = 0.0;
    if (d.trigCoupling == 1) {  // DC
        mdiv = (level * kLevelVolts / kLevelRange - ref) * scale + position;
    } else if (d.trigLevelRelative == 1) {
        mdiv = (level - zero) * (val1 - val2) / kLevelRange + offset + position;
    } else {
        mdiv = (kLevelVolts / kLevelRange * level - ref + offset / scale) * scale + position;
    }
    cal.trigLevelMdiv = static_cast<float>(mdiv);
    markY = std::floor(static_cast<double>(cal.trigLevelMdiv) * 25 / 1000 + kZeroCode);
    return true;
}

bool couplingHasNoLevel(const ModelCaps& caps, int coupling)
{
    if (caps.unitDigimodea) return coupling == 2 || coupling >= 4;
    if (caps.unitDigimodec2) return coupling == 2 || coupling >= 5;
    return false;
}

}  // namespace

TriggerMarkValues computeTriggerMark(const ProgramState& s)
{
    TriggerMarkValues values{s.trigMark, s.trigCal};
    TrigMark& mark = values.mark;
    const DdfSettings& d = s.ddf;
    const int triggerSample = s.preamble.wfmTrigPos + 1;
    if (triggerSample < 0 || triggerSample > kLastTriggerSample) {
        mark.trigMarkY = kNoTriggerMark;
        mark.trigMarkOnTrace = 0;
        return values;
    }
    const auto at = static_cast<std::size_t>(triggerSample);

    double markY = mark.trigMarkY;  // sources other than CH I/CH II leave it (cleared below)
    bool noMark = false;
    int onTrace = 0;
    if (firmwareAtLeast(s.identity.firmwareVersion, 2.0f)) {
        if (!levelMark(s, values.calibration, markY)) {
            noMark = true;
        } else if (d.trigSource == 0 && (markY > s.measure.ch1Max || markY < s.measure.ch1Min)) {
            markY = s.waves.waveCh1[at];
            onTrace = 1;
        } else if (d.trigSource == 1 && (markY > s.measure.ch2Max || markY < s.measure.ch2Min)) {
            markY = s.waves.waveCh2[at];
            onTrace = 1;
        }
    } else {  // older firmware: the mark sits on the trace
        if (d.trigSource == 0)
            markY = s.waves.waveCh1[at];
        else if (d.trigSource == 1)
            markY = s.waves.waveCh2[at];
    }

    if (s.caps.unitTrgypos) {  // the instrument reports the mark position itself
        const std::int32_t reported = d.timebaseMode >= 3 ? s.trgPos.trgPosB : s.trgPos.trgPosA;
        markY = roundHalfEven(reported / 40.0 + 128);
        onTrace = 0;
        noMark = false;
    }
    markY = std::clamp(markY, 0.0, 255.0);

    if (couplingHasNoLevel(s.caps, d.trigCoupling) || d.trigSource > 1 || d.trigAlternate == 1)
        noMark = true;
    mark.trigMarkY = noMark ? kNoTriggerMark : static_cast<std::int16_t>(markY);
    mark.trigMarkOnTrace = static_cast<std::int16_t>(onTrace);
    return values;
}

TrigMark calcTriggerMark(ProgramState& s)
{
    const TriggerMarkValues values = computeTriggerMark(s);
    s.trigCal = values.calibration;
    s.trigMark = values.mark;
    return s.trigMark;
}

}  // namespace ql
