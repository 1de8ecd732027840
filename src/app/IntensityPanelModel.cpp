#include "IntensityPanelModel.h"

#include <algorithm>

namespace ql {

namespace {

IntensityBarView bar(byte value)
{
    return {value, std::to_string(value)};
}

byte intensity(int value)
{
    return static_cast<byte>(std::clamp(value, 0, IntensityPanelModel::kMaximum));
}

}  // namespace

IntensityPanelView IntensityPanelModel::view() const
{
    const DdfSettings& d = state_.ddf;
    IntensityPanelView v;
    v.timebaseA = bar(d.tbAIntensity);
    v.timebaseB = bar(d.tbBIntensity);
    v.readout = bar(d.readoutIntensity);
    v.timebaseBShown = state_.identity.analogModel != 1 && !state_.caps.unitDigimodea;
    return v;
}

Followup IntensityPanelModel::timebaseAMoved(int value)
{
    state_.ddf.tbAIntensity = intensity(value);
    return {};
}

Followup IntensityPanelModel::timebaseBMoved(int value)
{
    state_.ddf.tbBIntensity = intensity(value);
    return {};
}

Followup IntensityPanelModel::readoutMoved(int value)
{
    state_.ddf.readoutIntensity = intensity(value);
    return {};
}

}  // namespace ql
