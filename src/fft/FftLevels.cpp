#include "FftLevels.h"

#include <cmath>

#include "state/Scaling.h"

namespace ql {

double log10Floored(double v)
{
    if (v < kLogFloor) v = kLogFloor;
    return std::log10(v);
}

double spectrumVolts(double value)
{
    return value / kSpectrumUnitsPerVolt;
}

double spectrumDbv(double value)
{
    return 20.0 * log10Floored(value / kSpectrumUnitsPerVolt);
}

std::optional<double> spectrumTimePerDiv(const ScaleTables& tables, const DdfSettings& d)
{
    const auto t =
        d.timebaseMode >= 3 ? timebaseBTimePerDiv(tables, d) : timebaseATimePerDiv(tables, d);
    // A variable far outside 0..1023 could make the time zero or negative: no frequency then.
    if (!t || !std::isfinite(*t) || *t <= 0.0) return std::nullopt;
    return t;
}

std::optional<double> spectrumTimePerDiv(const ProgramState& s)
{
    return spectrumTimePerDiv(s.tables, s.ddf);
}

double lineFrequency(double timePerDiv, double x)
{
    return kSamplesPerDivision / timePerDiv * (x / kFftLength);
}

}  // namespace ql
