#include "HarmonicTexts.h"

#include <charconv>

#include "fft/FftLevels.h"
#include "fft/FftReadout.h"

namespace ql {

std::string_view verdictText(HarmonicVerdict v)
{
    switch (v) {
        case HarmonicVerdict::Pass: return "Pass";
        case HarmonicVerdict::MaxFail: return "Max-Fail";
        case HarmonicVerdict::Fail: return "Fail";
        case HarmonicVerdict::NotDefined: break;
    }
    return "Not def.";
}

std::string tableAmperesText(double amperes, char decimalSign)
{
    return formatNumber(amperes, "0.000A", decimalSign);
}

std::string labelAmperesText(double amperes, char decimalSign)
{
    return formatNumber(amperes, "0.00A", decimalSign);
}

std::string percentText(double percent, char decimalSign)
{
    return formatNumber(percent, "0.00", decimalSign) + "%";
}

std::string relativeLimitText(double percent, char decimalSign)
{
    return formatNumber(percent, "0.0", decimalSign) + "%";
}

std::string boxNumberText(float value, char decimalSign)
{
    // The shortest text that reads back as the same single-precision value: 50 reads "50",
    // 59.9 "59.9", not the digits of its double.
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    std::string text(digits, end);
    for (char& c : text) {
        if (c == '.') c = decimalSign;
    }
    return text;
}

std::string lineFrequencyLabelText(float hz, char decimalSign)
{
    return (hz < 0.0f ? "" : " ") + boxNumberText(hz, decimalSign) + "Hz";
}

std::string levelAxisAmperesText(double level, float voltsPerAmp, char decimalSign)
{
    // The FFT window's level labels with the level taken through the probe: volts become
    // amperes, and the number of decimals follows the level in amperes.
    return levelAxisText(level / voltsPerAmp, decimalSign);
}

std::optional<std::string> frequencyAxisLineText(double line, double timePerDiv, char decimalSign)
{
    if (line < 0.0) return std::nullopt;
    return frequencyAxisText(lineFrequency(timePerDiv, line), decimalSign);
}

Rgb harmonicsTableColor(OverallResult result)
{
    switch (result) {
        case OverallResult::Fail: return Rgb{255, 128, 128};
        case OverallResult::Pass: return Rgb{128, 255, 128};
        case OverallResult::None: break;
    }
    return kWhite;
}

std::string_view overallResultText(OverallResult result)
{
    switch (result) {
        case OverallResult::Fail: return "Fail";
        case OverallResult::Pass: return "Pass";
        case OverallResult::None: break;
    }
    return "No result";
}

}  // namespace ql
