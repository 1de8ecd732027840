#include "TableExport.h"

#include <cstdlib>

#include "state/NumberFormat.h"
#include "state/Scaling.h"

namespace ql {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr char kTab = '\t';
constexpr const char* kVoltsPattern = "scientific";
constexpr const char* kTimePattern = "#.#####E+###";

// Volts per sample code of a channel; a step without a table value gives 0 V throughout.
double voltsPerCode(const ProgramState& s, Channel ch)
{
    return channelVoltsPerCode(s, ch).value_or(0.0);
}

}  // namespace

std::string waveformTableText(const ProgramState& s, char decimalSign)
{
    const DdfSettings& d = s.ddf;
    const bool ch1 = d.ch1On == 1, ch2 = d.ch2On == 1, ref1 = d.ref1On == 1, ref2 = d.ref2On == 1;

    // Every column but REF II ends with a tab, so a line without REF II ends in one.
    std::string text = "Time in s";
    text += kTab;
    if (ch1) text += "CH I in Volt\t";
    if (ch2) text += "CH II in Volt\t";
    if (ref1) text += "REF I in Volt\t";
    if (ref2) text += "REF II in Volt";
    text += kLineEnd;

    // The references are scaled with the settings and zero offsets of their channels; their
    // display offsets are not applied.
    const double scale1 = voltsPerCode(s, Channel::Ch1);
    const double scale2 = voltsPerCode(s, Channel::Ch2);
    const int zero1 = s.preamble.ch1ZeroOffset + kZeroCodeBase;
    const int zero2 = s.preamble.ch2ZeroOffset + kZeroCodeBase;
    // Time base B from mode 3 on, else A; the time counts from the first sample.
    const bool baseB = d.timebaseMode >= 3;
    const double variable = timebaseVariableFactor(baseB ? d.tbBVariable : d.tbAVariable);
    const double perDiv = timePerDivEntry(s.tables, baseB ? d.tbBIndex : d.tbAIndex).value_or(0.0);
    const auto volts = [&](const Waveform& w, std::size_t i, int zero, double scale) {
        return formatNumber((w[i] - zero) * scale, kVoltsPattern, decimalSign);
    };

    for (int i = kFirstSample; i <= kLastShownSample; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const double seconds = std::abs(i - 1) / kSamplesPerDivision * variable * perDiv;
        text += formatNumber(seconds, kTimePattern, decimalSign);
        text += kTab;
        if (ch1) text += volts(s.waves.waveCh1, at, zero1, scale1) + kTab;
        if (ch2) text += volts(s.waves.waveCh2, at, zero2, scale2) + kTab;
        if (ref1) text += volts(s.waves.waveRef1, at, zero1, scale1) + kTab;
        if (ref2) text += volts(s.waves.waveRef2, at, zero2, scale2);
        text += kLineEnd;
    }
    return text;
}

}  // namespace ql
