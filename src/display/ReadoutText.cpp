#include "ReadoutText.h"

#include "state/NumberFormat.h"

namespace ql {

std::string readoutVoltsText(double volts, char decimalSign)
{
    return formatNumber(volts, "#.000V", decimalSign);
}

std::string voltsDifferenceText(double volts, char decimalSign)
{
    return formatNumber(volts, "#.0000V", decimalSign);
}

std::string timeText(double seconds, char decimalSign)
{
    if (seconds < 1e-6) return formatNumber(seconds / 1e-9, "#.000 ns", decimalSign);
    if (seconds < 0.001) return formatNumber(seconds / 1e-6, "#.000 \u00b5s", decimalSign);
    if (seconds < 1) return formatNumber(seconds / 0.001, "#.000 ms", decimalSign);
    return formatNumber(seconds, "#.000 s", decimalSign);
}

std::string frequencyText(double hertz, char decimalSign)
{
    if (hertz > 1e6) return formatNumber(hertz / 1e6, "#.000 MHz", decimalSign);
    if (hertz > 1000) return formatNumber(hertz / 1000, "#.000 kHz", decimalSign);
    if (hertz > 1) return formatNumber(hertz, "#.000 Hz", decimalSign);
    return formatNumber(hertz * 1000, "#.000 mHz", decimalSign);
}

std::string timePerDivText(double seconds, char decimalSign)
{
    if (seconds < 1e-6) return formatNumber(seconds / 1e-9, "# ns", decimalSign);
    if (seconds < 0.001) return formatNumber(seconds / 1e-6, "# \u00b5s", decimalSign);
    if (seconds < 1) return formatNumber(seconds / 0.001, "# ms", decimalSign);
    return formatNumber(seconds, "# s", decimalSign);
}

}  // namespace ql
