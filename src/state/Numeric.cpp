#include "Numeric.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "Text.h"

namespace ql {

double intFloor(double x)
{
    return std::floor(x);
}

double roundHalfEven(double x)
{
    if (!std::isfinite(x)) return x;
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::int64_t roundClamp(double x, std::int64_t lo, std::int64_t hi)
{
    if (std::isnan(x)) return lo;
    const double r = roundHalfEven(x);
    if (r <= static_cast<double>(lo)) return lo;
    if (r >= static_cast<double>(hi)) return hi;
    return static_cast<std::int64_t>(r);
}

double val(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
        compact.push_back(c);
    }
    // Collect the longest prefix that forms a number.
    std::string number;
    std::size_t i = 0;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-'))
        number.push_back(compact[i++]);
    bool digits = false;
    while (i < compact.size() && compact[i] >= '0' && compact[i] <= '9') {
        number.push_back(compact[i++]);
        digits = true;
    }
    if (i < compact.size() && compact[i] == '.') {
        number.push_back(compact[i++]);
        while (i < compact.size() && compact[i] >= '0' && compact[i] <= '9') {
            number.push_back(compact[i++]);
            digits = true;
        }
    }
    if (!digits) return 0.0;
    if (i < compact.size() &&
        (compact[i] == 'E' || compact[i] == 'e' || compact[i] == 'D' || compact[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
            exponent.push_back(compact[j++]);
        bool expDigits = false;
        while (j < compact.size() && compact[j] >= '0' && compact[j] <= '9') {
            exponent.push_back(compact[j++]);
            expDigits = true;
        }
        if (expDigits) number += exponent;
    }
    if (number.front() == '+') number.erase(0, 1);
    // Built anew rather than with insert(), which GCC 12 at -O3 flags with a false -Wrestrict.
    if (number.front() == '.') number = "0" + number;
    if (number.size() >= 2 && number[0] == '-' && number[1] == '.') {
        number = "-0" + number.substr(1);
    }
    double result = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
    if (ec == std::errc::result_out_of_range) {
        return number.front() == '-' ? -std::numeric_limits<double>::max()
                                     : std::numeric_limits<double>::max();
    }
    (void)ptr;
    return result;
}

std::optional<double> numberInText(std::string_view text, char decimalSign)
{
    const std::string t = trim(text);
    std::string number;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) number += t[i++];
    bool digits = false;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            number += c;
        } else if ((c == '.' || c == decimalSign) && !point) {
            point = true;
            number += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    return val(number);
}

std::string str(double value)
{
    if (std::isnan(value)) return " NaN";
    if (value == 0.0) return " 0";
    char buf[64];
    // 15 significant digits, then strip what the classic text form leaves out.
    std::snprintf(buf, sizeof buf, "%.15G", value);
    std::string text = buf;
    std::string mantissa = text;
    std::string exponent;
    if (const auto e = text.find('E'); e != std::string::npos) {
        mantissa = text.substr(0, e);
        exponent = text.substr(e);  // E+16 / E-05
        // Exponent with at least two digits, sign always written.
        const char sign = exponent[1];
        std::string digitsPart = exponent.substr(2);
        while (digitsPart.size() > 2 && digitsPart.front() == '0') digitsPart.erase(0, 1);
        exponent = std::string("E") + sign + digitsPart;
    }
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    }
    bool negative = false;
    if (!mantissa.empty() && mantissa.front() == '-') {
        negative = true;
        mantissa.erase(0, 1);
    }
    if (mantissa.size() >= 2 && mantissa[0] == '0' && mantissa[1] == '.') mantissa.erase(0, 1);
    return std::string(negative ? "-" : " ") + mantissa + exponent;
}

}  // namespace ql
