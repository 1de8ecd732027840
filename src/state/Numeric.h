#pragma once
// Numeric conventions shared by every subsystem: the instrument program's own rules for
// truncation, rounding and reading numbers out of text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ql {

// Largest integer not above x ("Int" of the classic dialect: -2.5 gives -3).
double intFloor(double x);

// Nearest integer, a tie going to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Every conversion of a computed value to an integer field uses this, never std::round.
double roundHalfEven(double x);

// roundHalfEven clamped into [lo, hi] and returned as an integer; NaN gives lo.
std::int64_t roundClamp(double x, std::int64_t lo, std::int64_t hi);

// Reads the leading number of a text: blanks, tabs and line feeds are skipped anywhere,
// an optional sign, digits with one '.', an optional exponent (E or D). Stops at the first
// character that cannot continue the number; no number at all gives 0. The decimal sign is
// always '.', whatever the locale.
double val(std::string_view text);

// A number typed into a box: blanks around it, an optional sign, and digits with at most one
// decimal sign ('.' or the regional one); nullopt for anything else (no exponent, no text).
std::optional<double> numberInText(std::string_view text, char decimalSign);

// Text of a number with a leading blank for non-negative values and a '-' otherwise, at most
// 15 significant digits, no leading zero before the decimal point (" .5"), no trailing zeros.
std::string str(double value);

// Firmware thresholds are compared as single-precision numbers, as the instrument reports
// its version: firmwareAbove(1.05f) is true for 1.06 and false for 1.05 itself.
inline bool firmwareAbove(float version, float threshold)
{
    return version > threshold;
}
inline bool firmwareAtLeast(float version, float threshold)
{
    return version >= threshold;
}

// Two's complement view of a 16-bit word (32768..65535 stand for -32768..-1).
inline std::int16_t asSigned16(std::uint16_t word)
{
    return static_cast<std::int16_t>(word);
}

}  // namespace ql
