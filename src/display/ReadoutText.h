#pragma once
// Texts shared by the cursor readouts, the automatic measurements and the status line: volts,
// times and frequencies with their unit ranges, and the fixed texts for "no value".
// Every function takes the decimal sign explicitly; callers pass systemDecimalSign() by default.

#include <string>

namespace ql {

inline constexpr const char* kOffText = "Off";       // trace switched off or not measurable
inline constexpr const char* kNoValueText = "---";   // no value can be given
inline constexpr const char* kSameSampleText = "=";  // both cursors on one sample

// Volts with three decimals ("#.000V") and differences with four ("#.0000V").
std::string readoutVoltsText(double volts, char decimalSign);
std::string voltsDifferenceText(double volts, char decimalSign);

// A time of more than 0 s in ns, µs, ms or s with three decimals; a range starts at its lower
// bound (exactly 1 ms reads "1.000 ms").
std::string timeText(double seconds, char decimalSign);

// A frequency in MHz, kHz, Hz or mHz with three decimals; a range starts only above its lower
// bound (exactly 1 kHz reads "1000.000 Hz").
std::string frequencyText(double hertz, char decimalSign);

// Time per division as a whole number of ns, µs, ms or s ("1 ms", "100 µs").
std::string timePerDivText(double seconds, char decimalSign);

}  // namespace ql
