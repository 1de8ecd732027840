#include "StatusLine.h"

#include <array>
#include <cmath>
#include <optional>

#include "ReadoutText.h"
#include "state/Numeric.h"
#include "state/Scaling.h"

namespace ql {

namespace {

// Trigger coupling names of the two model families; only the second one has "NR".
constexpr std::array<const char*, 7> kCouplingsNotbb{"AC", "DC", "HF", "LF", "TVL", "TVF", "LINE"};
constexpr std::array<const char*, 8> kCouplingsOther{"AC", "DC",  "HF",  "NR",
                                                     "LF", "TVL", "TVF", "LINE"};

std::string triggerCouplingText(bool notbb, int coupling)
{
    const auto names = triggerCouplingNames(notbb);
    if (coupling < 0 || static_cast<std::size_t>(coupling) >= names.size()) return "";
    return names[static_cast<std::size_t>(coupling)];
}

std::string channelPiece(const ProgramState& s, Channel ch, char decimalSign)
{
    const bool one = ch == Channel::Ch1;
    std::string piece = one ? "CH1: " : "CH2: ";
    const auto perDiv = channelVoltsPerDiv(s, ch);
    piece += perDiv ? formatNumber(*perDiv, "#.000V/DIV", decimalSign) : kNoValueText;
    piece += channelCouplingText(one ? s.ddf.ch1Coupling : s.ddf.ch2Coupling);
    return piece;
}

// Time per division shown for a time-base step: the table entry times the view factor,
// without the time-base variable.
std::string timebaseValue(const ProgramState& s, int timebaseCode, char decimalSign)
{
    const auto perDiv = timePerDivEntry(s.tables, timebaseCode);
    if (!perDiv) return kNoValueText;
    return timePerDivText(viewFactor(s.ddf) * *perDiv, decimalSign);
}

std::string timebasePiece(const ProgramState& s, char decimalSign)
{
    const DdfSettings& d = s.ddf;
    const bool separateB = !s.caps.unitDigimodea && s.identity.analogModel != 1;
    if (d.timebaseMode >= 3 && separateB)
        return "  TB B:" + timebaseValue(s, d.tbBIndex, decimalSign);
    if (d.timebaseMode == 3) return "   TB D: " + timebaseValue(s, d.tbBIndex, decimalSign);
    return "   TB A: " + timebaseValue(s, d.tbAIndex, decimalSign);
}

std::string triggerPiece(const ProgramState& s)
{
    const DdfSettings& d = s.ddf;
    std::string piece = "  TR: ";
    if (d.trigAlternate == 1) {
        piece += "ALT";
    } else if (d.trigSource <= 2) {
        static constexpr std::array<const char*, 3> kSources{"CH1", "CH2", "EXT"};
        piece += kSources[d.trigSource];
    }
    piece += d.trigSlopeA == 1 ? "-" : "+";
    piece += triggerCouplingText(s.caps.unitNotbb, d.trigCoupling);
    return piece;
}

// Signed time with two decimals, the unit chosen by its magnitude.
std::string signedTimeText(double seconds, char decimalSign)
{
    const double magnitude = std::fabs(seconds);
    if (magnitude < 1e-6) return formatNumber(seconds / 1e-9, "#.00 ns", decimalSign);
    if (magnitude < 0.001) return formatNumber(seconds / 1e-6, "#.00 us", decimalSign);
    if (magnitude < 1) return formatNumber(seconds / 0.001, "#.00 ms", decimalSign);
    return formatNumber(seconds, "#.00 s", decimalSign);
}

std::string pretriggerPercentText(const DdfSettings& d)
{
    return "PT:" + str(d.pretriggerIndex * 25 - 75);
}

std::string pretriggerPiece(const ProgramState& s, StatusLineTarget target, char decimalSign)
{
    const DdfSettings& d = s.ddf;
    if (d.trigAlternate == 1 && d.pretriggerIndex != 3) return "PT: 0";
    if (target == StatusLineTarget::Metafile)
        return d.pretriggerIndex != 3 ? pretriggerPercentText(d) : "";
    if (!s.caps.unitPtVariabel) return pretriggerPercentText(d);
    const auto perDiv = timePerDivEntry(s.tables, d.tbAIndex);
    if (!perDiv) return std::string("PT:") + kNoValueText;
    const double seconds = s.preamble.wfmTrigPos / kSamplesPerDivision * *perDiv;
    return "PT:" + signedTimeText(seconds, decimalSign);
}

// Delay of time base B: 0.2 to 10.2 divisions of time base A. Its unit follows the table entry
// one step faster than the current time base, as the instrument's own readout does.
std::string delayPiece(const ProgramState& s, char decimalSign)
{
    const DdfSettings& d = s.ddf;
    const auto perDiv = timePerDivEntry(s.tables, d.tbAIndex);
    if (!perDiv) return std::string("Dt:") + kNoValueText;
    const double delay = *perDiv / 5 + *perDiv * 10 * d.delayPosition / 4095;
    if (delay < 1e-6) return "Dt:" + formatNumber(delay / 1e-9, "#.00 ns", decimalSign);
    const std::size_t fasterElement = d.tbAIndex;  // element of the next faster step
    const double faster =
        fasterElement < s.tables.timePerDiv.size() ? s.tables.timePerDiv[fasterElement] : 0.0;
    if (faster >= 1) return "Dt:" + formatNumber(delay, "#.00 s", decimalSign);
    if (faster >= 0.001) return "Dt:" + formatNumber(delay / 0.001, "#.00 ms", decimalSign);
    return "Dt:" + formatNumber(delay / 1e-6, "#.00 us", decimalSign);
}

std::string triggerTimePiece(const ProgramState& s, StatusLineTarget target, char decimalSign)
{
    const DdfSettings& d = s.ddf;
    if (d.timebaseMode < 2) return pretriggerPiece(s, target, decimalSign);
    if (d.trigDelayOn == 1) return d.trigSlopeB == 1 ? "DTr:-DC" : "DTr:+DC";
    return delayPiece(s, decimalSign);
}

}  // namespace

std::span<const char* const> triggerCouplingNames(bool notbb)
{
    if (notbb) return kCouplingsNotbb;
    return kCouplingsOther;
}

const char* channelCouplingText(int coupling)
{
    switch (coupling) {
        case 0: return " DC";
        case 1: return " AC";
        case 2:
        case 3: return " GND";
        default: return "";
    }
}

double viewFactor(const DdfSettings& ddf)
{
    return ddf.xMag10 == 1 ? static_cast<double>(0.1f) : 1.0;
}

std::string buildStatusLine(const ProgramState& s, StatusLineTarget target, char decimalSign)
{
    const DdfSettings& d = s.ddf;
    std::string line;
    if (d.ch1On == 1) line += channelPiece(s, Channel::Ch1, decimalSign);
    line += "  ";
    if (d.ch2On == 1) line += channelPiece(s, Channel::Ch2, decimalSign);
    line += timebasePiece(s, decimalSign);
    line += triggerPiece(s);
    line += "  ";
    line += triggerTimePiece(s, target, decimalSign);
    if (d.peakDetect == 1 && target != StatusLineTarget::Printer) line += "  PK";
    return line;
}

}  // namespace ql
