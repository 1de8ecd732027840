#include "FftReadout.h"

#include "FftLevels.h"

namespace ql {

std::string frequencyText(double hz, KiloStyle kilo, char decimalSign)
{
    if (hz < 1000.0) return formatNumber(hz, "###0.00Hz", decimalSign);
    if (hz < 1000000.0) {
        const char* pattern = kilo == KiloStyle::Lower   ? "###0.00kHz"
                              : kilo == KiloStyle::Upper ? "###0.00KHz"
                                                         : "###0.00kHZ";
        return formatNumber(hz / 1000.0, pattern, decimalSign);
    }
    return formatNumber(hz / 1000000.0, "###0.00MHz", decimalSign);
}

std::string spectrumVoltsText(double volts, char decimalSign)
{
    return formatNumber(volts, "0.000V", decimalSign);
}

std::string dbvText(double dbv, char decimalSign)
{
    return formatNumber(dbv, "0.0dBV", decimalSign);
}

std::string frequencyAxisText(double hz, char decimalSign)
{
    if (hz < 1000.0) return formatNumber(hz, "###0.00", decimalSign);
    if (hz < 1000000.0) return formatNumber(hz / 1000.0, "###0.00K", decimalSign);
    return formatNumber(hz / 1000000.0, "###0.00M", decimalSign);
}

std::string levelAxisText(double level, char decimalSign)
{
    const char* pattern = level <= 10000.0 ? "###0.00" : level <= 100000.0 ? "###0.0" : "###0";
    return formatNumber(spectrumVolts(level), pattern, decimalSign);
}

std::string decibelAxisText(double db, char decimalSign)
{
    return formatNumber(db, "###.0", decimalSign);
}

}  // namespace ql
