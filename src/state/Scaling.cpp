#include "Scaling.h"

namespace ql {

double channelVariableFactor(int channelVariable)
{
    return (255.0 - channelVariable) / 255.0 * 1.5 + 1.0;
}

double timebaseVariableFactor(int timebaseVariable)
{
    return timebaseVariable / 1023.0 * 1.5 + 1.0;
}

std::optional<double> voltsPerDivEntry(const ScaleTables& t, int voltsCode)
{
    const int element = voltsCode + 1;
    if (element < 0 || element >= static_cast<int>(t.voltsPerDiv.size())) return std::nullopt;
    const double v = t.voltsPerDiv[static_cast<std::size_t>(element)];
    if (v == 0.0) return std::nullopt;
    return v;
}

std::optional<double> timePerDivEntry(const ScaleTables& t, int timebaseCode)
{
    const int element = timebaseCode + 1;
    if (element < 0 || element >= static_cast<int>(t.timePerDiv.size())) return std::nullopt;
    const double v = t.timePerDiv[static_cast<std::size_t>(element)];
    if (v == 0.0) return std::nullopt;
    return v;
}

std::optional<double> channelVoltsPerDiv(const ScaleTables& t, const DdfSettings& d, Channel ch)
{
    const bool one = ch == Channel::Ch1;
    const auto entry = voltsPerDivEntry(t, one ? d.ch1VoltsIndex : d.ch2VoltsIndex);
    if (!entry) return std::nullopt;
    const int probe = one ? d.ch1ProbeFactor : d.ch2ProbeFactor;
    const int variable = one ? d.ch1Variable : d.ch2Variable;
    return *entry * probe * channelVariableFactor(variable);
}

std::optional<double> channelVoltsPerDiv(const ProgramState& s, Channel ch)
{
    return channelVoltsPerDiv(s.tables, s.ddf, ch);
}

std::optional<double> channelVoltsPerCode(const ScaleTables& t, const DdfSettings& d, Channel ch)
{
    const auto perDiv = channelVoltsPerDiv(t, d, ch);
    if (!perDiv) return std::nullopt;
    return *perDiv / kCodesPerDivision;
}

std::optional<double> channelVoltsPerCode(const ProgramState& s, Channel ch)
{
    return channelVoltsPerCode(s.tables, s.ddf, ch);
}

std::optional<double> sampleVolts(const ProgramState& s, Channel ch, int code)
{
    const auto perCode = channelVoltsPerCode(s, ch);
    if (!perCode) return std::nullopt;
    const int zero =
        (ch == Channel::Ch1 ? s.preamble.ch1ZeroOffset : s.preamble.ch2ZeroOffset) + kZeroCodeBase;
    return (code - zero) * *perCode;
}

std::optional<double> timebaseATimePerDiv(const ScaleTables& t, const DdfSettings& d)
{
    const auto entry = timePerDivEntry(t, d.tbAIndex);
    if (!entry) return std::nullopt;
    return *entry * timebaseVariableFactor(d.tbAVariable);
}

std::optional<double> timebaseBTimePerDiv(const ScaleTables& t, const DdfSettings& d)
{
    const auto entry = timePerDivEntry(t, d.tbBIndex);
    if (!entry) return std::nullopt;
    return *entry * timebaseVariableFactor(d.tbBVariable);
}

std::optional<double> timebaseATimePerDiv(const ProgramState& s)
{
    return timebaseATimePerDiv(s.tables, s.ddf);
}

std::optional<double> timebaseBTimePerDiv(const ProgramState& s)
{
    return timebaseBTimePerDiv(s.tables, s.ddf);
}

std::optional<double> timebaseATimePerSample(const ProgramState& s)
{
    const auto perDiv = timebaseATimePerDiv(s);
    if (!perDiv) return std::nullopt;
    return *perDiv / kSamplesPerDivision;
}

std::optional<double> timebaseBTimePerSample(const ProgramState& s)
{
    const auto perDiv = timebaseBTimePerDiv(s);
    if (!perDiv) return std::nullopt;
    return *perDiv / kSamplesPerDivision;
}

std::optional<int> averageCount(const ScaleTables& t, int averageIndex)
{
    if (averageIndex < 0 || averageIndex >= static_cast<int>(t.averageSteps.size()))
        return std::nullopt;
    const int v = t.averageSteps[static_cast<std::size_t>(averageIndex)];
    if (v == 0) return std::nullopt;
    return v;
}

std::optional<int> pretriggerPercent(const ScaleTables& t, int pretriggerCode)
{
    const int element = pretriggerCode + 1;
    if (element < 1 || element > t.pretriggerStepCount ||
        element >= static_cast<int>(t.pretriggerSteps.size()))
        return std::nullopt;
    return t.pretriggerSteps[static_cast<std::size_t>(element)];
}

}  // namespace ql
