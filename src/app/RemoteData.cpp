#include "RemoteData.h"

#include <cmath>

#include "state/NumberFormat.h"
#include "state/Text.h"

namespace ql {

namespace {

const Waveform& waveOf(const ProgramState& s, Channel ch)
{
    return ch == Channel::Ch1 ? s.waves.waveCh1 : s.waves.waveCh2;
}

}  // namespace

std::string binaryChannelText(const ProgramState& s, Channel ch)
{
    const Waveform& w = waveOf(s, ch);
    std::string out;
    out.reserve(kRemoteSampleCount * 4);
    for (int i = 1; i <= kRemoteSampleCount; ++i) {
        out += std::to_string(w[static_cast<std::size_t>(i)]);
        out += ',';
    }
    return out;
}

std::string channelText(const ProgramState& s, Channel ch, char decimalSign)
{
    const Waveform& w = waveOf(s, ch);
    const double voltsPerCode = channelVoltsPerCode(s, ch).value_or(0.0);
    const int zero =
        (ch == Channel::Ch1 ? s.preamble.ch1ZeroOffset : s.preamble.ch2ZeroOffset) + kZeroCodeBase;
    // Time base B when it alone is shown, else time base A.
    const auto perDiv = s.ddf.timebaseMode >= 3 ? timebaseBTimePerDiv(s) : timebaseATimePerDiv(s);
    const double timePerDiv = perDiv.value_or(0.0);
    std::string out;
    out.reserve(kRemoteSampleCount * 20);
    for (int i = 1; i <= kRemoteSampleCount; ++i) {
        const double volts = (w[static_cast<std::size_t>(i)] - zero) * voltsPerCode;
        const double time = std::fabs((i - 1) / kSamplesPerDivision) * timePerDiv;
        out += trim(withDecimalPoint(formatNumber(time, "#.#####E+###", decimalSign)));
        out += ',';
        out += trim(withDecimalPoint(formatNumber(volts, "scientific", decimalSign)));
        out += ',';
    }
    return out;
}

}  // namespace ql
