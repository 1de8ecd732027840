#include "NumberFormat.h"

#include <langinfo.h>
#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace ql {

char systemDecimalSign()
{
    static const char sign = [] {
        char result = '.';
        if (locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0))) {
            const char* radix = nl_langinfo_l(RADIXCHAR, loc);
            if (radix && radix[0] != '\0' && radix[1] == '\0') result = radix[0];
            freelocale(loc);
        }
        return result;
    }();
    return sign;
}

namespace {

struct Pattern {
    std::string prefix;
    std::string suffix;
    int intMinDigits = 0;  // count of '0' before the point
    bool hasPoint = false;
    int decForced = 0;    // '0' after the point
    int decOptional = 0;  // '#' after the point (after the forced ones)
    bool scientific = false;
    bool expAlwaysSigned = false;
    int expMinDigits = 1;
};

bool isPlaceholder(char c)
{
    return c == '#' || c == '0';
}

Pattern parsePattern(std::string_view p)
{
    Pattern result;
    std::size_t i = 0;
    // Prefix: everything before the first placeholder (or a point followed by one).
    while (i < p.size() && !isPlaceholder(p[i]) &&
           !(p[i] == '.' && i + 1 < p.size() && isPlaceholder(p[i + 1]))) {
        result.prefix.push_back(p[i++]);
    }
    while (i < p.size() && isPlaceholder(p[i])) {
        if (p[i] == '0') ++result.intMinDigits;
        ++i;
    }
    if (i < p.size() && p[i] == '.') {
        result.hasPoint = true;
        ++i;
        while (i < p.size() && isPlaceholder(p[i])) {
            if (p[i] == '0' && result.decOptional == 0)
                ++result.decForced;
            else
                ++result.decOptional;
            ++i;
        }
    }
    if (i + 1 < p.size() && (p[i] == 'E' || p[i] == 'e') && (p[i + 1] == '+' || p[i + 1] == '-')) {
        std::size_t j = i + 2;
        int zeros = 0;
        bool any = false;
        while (j < p.size() && isPlaceholder(p[j])) {
            if (p[j] == '0') ++zeros;
            any = true;
            ++j;
        }
        if (any) {
            result.scientific = true;
            result.expAlwaysSigned = p[i + 1] == '+';
            result.expMinDigits = zeros > 0 ? zeros : 1;
            i = j;
        }
    }
    result.suffix = std::string(p.substr(i));
    return result;
}

// Decimal digits of |value| (at most 15 significant) and the power of ten of the first digit.
struct Decimal {
    std::string digits;  // no leading zeros, empty for zero
    int exponent = 0;    // value = 0.d1d2d3... x 10^exponent
};

Decimal toDecimal(double magnitude)
{
    Decimal d;
    if (magnitude == 0.0) return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);  // d.dddddddddddddde+XX
    std::string text = buf;
    const auto e = text.find('e');
    const int exp10 = std::atoi(text.c_str() + e + 1);
    for (std::size_t k = 0; k < e; ++k)
        if (text[k] >= '0' && text[k] <= '9') d.digits.push_back(text[k]);
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    d.exponent = exp10 + 1;
    return d;
}

// Rounds to `decimals` digits after the point, half away from zero; returns the integer digits
// and the decimal digits as strings.
void roundFixed(const Decimal& d, int decimals, std::string& intPart, std::string& decPart)
{
    // All digits of the number up to the rounding position, as a digit string with an implied
    // point after `pointPos` digits.
    std::string all;
    int pointPos = d.exponent;
    if (pointPos < 0) {
        all.assign(static_cast<std::size_t>(-pointPos), '0');
        all += d.digits;
        pointPos = 0;
    } else {
        all = d.digits;
        if (static_cast<int>(all.size()) < pointPos) all.append(pointPos - all.size(), '0');
    }
    const int keep = pointPos + decimals;
    if (static_cast<int>(all.size()) < keep) all.append(keep - all.size(), '0');
    bool roundUp = static_cast<int>(all.size()) > keep && all[keep] >= '5';
    std::string kept = all.substr(0, keep);
    if (roundUp) {
        int k = keep - 1;
        while (k >= 0) {
            if (kept[k] == '9') {
                kept[k] = '0';
                --k;
            } else {
                ++kept[k];
                break;
            }
        }
        if (k < 0) {
            kept = std::string(1, '1') + kept;
            ++pointPos;
        }
    }
    intPart = kept.substr(0, pointPos);
    decPart = kept.substr(pointPos);
    while (!intPart.empty() && intPart.front() == '0') intPart.erase(0, 1);
}

std::string formatScientific(double value, const Pattern& p, char decimalSign)
{
    const int maxDecimals = p.decForced + p.decOptional;
    const bool negative = value < 0;
    Decimal d = toDecimal(std::fabs(value));
    std::string mantissaInt = "0";
    std::string mantissaDec(static_cast<std::size_t>(maxDecimals), '0');
    int exponent = 0;
    if (!d.digits.empty()) {
        exponent = d.exponent - 1;
        Decimal scaled = d;
        scaled.exponent = 1;  // one digit before the point
        std::string ip, dp;
        roundFixed(scaled, maxDecimals, ip, dp);
        if (ip.size() > 1) {  // 9.99995 rounded up to 10.0000: shift
            ++exponent;
            scaled.exponent = 1;
            Decimal shifted;
            shifted.digits = ip + dp;
            shifted.exponent = 1;
            roundFixed(shifted, maxDecimals, ip, dp);
        }
        mantissaInt = ip.empty() ? "0" : ip;
        mantissaDec = dp;
    }
    // Optional decimals drop their trailing zeros.
    while (static_cast<int>(mantissaDec.size()) > p.decForced && !mantissaDec.empty() &&
           mantissaDec.back() == '0')
        mantissaDec.pop_back();
    std::string out = p.prefix;
    if (negative && !d.digits.empty()) out = "-" + out;
    out += mantissaInt;
    if (!mantissaDec.empty()) {
        out.push_back(decimalSign);
        out += mantissaDec;
    }
    out.push_back('E');
    if (exponent < 0)
        out.push_back('-');
    else if (p.expAlwaysSigned)
        out.push_back('+');
    std::string expDigits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(expDigits.size()) < p.expMinDigits)
        expDigits.insert(0, static_cast<std::size_t>(p.expMinDigits) - expDigits.size(), '0');
    out += expDigits;
    out += p.suffix;
    return out;
}

}  // namespace

std::string formatNumber(double value, std::string_view pattern, char decimalSign)
{
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
    if (pattern == "scientific") {
        Pattern p;
        p.hasPoint = true;
        p.decForced = 2;
        p.scientific = true;
        p.expAlwaysSigned = true;
        p.expMinDigits = 2;
        p.intMinDigits = 1;
        return formatScientific(value, p, decimalSign);
    }
    const Pattern p = parsePattern(pattern);
    if (p.scientific) return formatScientific(value, p, decimalSign);

    const int maxDecimals = p.decForced + p.decOptional;
    std::string intPart, decPart;
    roundFixed(toDecimal(std::fabs(value)), maxDecimals, intPart, decPart);
    while (static_cast<int>(decPart.size()) > p.decForced && !decPart.empty() &&
           decPart.back() == '0')
        decPart.pop_back();
    const bool isZero = intPart.empty() && decPart.find_first_not_of('0') == std::string::npos;
    if (static_cast<int>(intPart.size()) < p.intMinDigits)
        intPart.insert(0, static_cast<std::size_t>(p.intMinDigits) - intPart.size(), '0');
    std::string out;
    if (value < 0 && !isZero) out.push_back('-');
    out += p.prefix;
    out += intPart;
    if (p.hasPoint) {
        out.push_back(decimalSign);
        out += decPart;
    }
    out += p.suffix;
    return out;
}

std::string withDecimalPoint(std::string text)
{
    if (const auto pos = text.find(','); pos != std::string::npos) text[pos] = '.';
    return text;
}

}  // namespace ql
