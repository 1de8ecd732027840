#pragma once
// The one number formatter behind every readout, printout, table and remote answer.
//
// Patterns: "#" before the decimal point prints the integer digits with no leading zero
// (0.5 under "#.000V" prints ".500V"; 0 under "# ms" prints " ms"), each "0" forces a digit,
// "0"/"#" after the point are forced/optional decimals, "E+"/"E-" start an exponent, and every
// other character is copied unchanged. The value is rounded to the shown decimals with a tie
// going away from zero, judged on the value's 15-digit decimal form (so 2.675 shows 2.68).
// The named pattern "scientific" gives one digit, two decimals and a signed exponent of at
// least two digits ("1.23E+04").

#include <string>
#include <string_view>

namespace ql {

// Decimal separator of the user's regional settings (LC_ALL / LC_NUMERIC / LANG), read once.
char systemDecimalSign();

std::string formatNumber(double value, std::string_view pattern, char decimalSign);

inline std::string formatNumber(double value, std::string_view pattern)
{
    return formatNumber(value, pattern, systemDecimalSign());
}

// Replaces the first decimal comma by a point (answers to other programs are always '.').
std::string withDecimalPoint(std::string text);

}  // namespace ql
