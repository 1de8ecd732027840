#pragma once
// Texts of the harmonics window, report and table export: the seven columns of the result
// table with their cell formats, the verdict words, the value labels, the labels of the chart's
// level and frequency axes, and the table's colour for the overall result. Levels come in
// spectrum units (1000 per volt) and are shown in amperes through the probe's volts per ampere.
// The decimal sign is the user's (pass '.' for a fixed one).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "draw/DrawTypes.h"
#include "state/NumberFormat.h"
#include "state/ProgramState.h"

namespace ql {

enum class HarmonicVerdict { Pass, MaxFail, Fail, NotDefined };

// "Pass", "Max-Fail", "Fail", "Not def.".
std::string_view verdictText(HarmonicVerdict v);

// The columns of the result table, in their order, with their headers.
enum class HarmonicColumn { Order, Frequency, AverageLevel, MaxLevel, Percent, Check, Limit };
inline constexpr int kHarmonicColumnCount = 7;
inline constexpr std::array<std::string_view, kHarmonicColumnCount> kHarmonicColumnHeaders = {
    "Harm.", "Freq. (Hz)", "Av-Lev.", "Max-Lev.", "Lev.in %", "Check", "Limit"};

// What the "Max-Lev." cells read while Max. Hold is off.
inline constexpr std::string_view kMaxHoldOffText = "Off";

// "0.000A": the level cells and an absolute limit.
std::string tableAmperesText(double amperes, char decimalSign = systemDecimalSign());
// "0.00A": the "I rms" and "Pk I-rms" labels.
std::string labelAmperesText(double amperes, char decimalSign = systemDecimalSign());
// "0.00%": a level in per cent of the fundamental.
std::string percentText(double percent, char decimalSign = systemDecimalSign());
// "0.0%": a relative limit.
std::string relativeLimitText(double percent, char decimalSign = systemDecimalSign());
// A single-precision value as a box shows it: the shortest text that reads back as the same
// value, with the decimal sign ("0.1", "50", "59.9").
std::string boxNumberText(float value, char decimalSign = systemDecimalSign());
// The line frequency beside the level labels: a blank, the number, "Hz" (" 50Hz").
std::string lineFrequencyLabelText(float hz, char decimalSign = systemDecimalSign());

// Label of the level axis at a level in spectrum units, in amperes: "###0.00" while the level
// divided by the volts per ampere is at most 10000, "###0.0" up to 100000, "###0" above
// (0.5 A reads "0.50", 50 A "50.0", 150 A "150").
std::string levelAxisAmperesText(double level, float voltsPerAmp,
                                 char decimalSign = systemDecimalSign());
// Label of the frequency axis at a (fractional) line for a time per division: "###0.00" in Hz,
// "###0.00K" from 1000 Hz, "###0.00M" from 1000000 Hz; nullopt for a line below 0, which gets
// no label.
std::optional<std::string> frequencyAxisLineText(double line, double timePerDiv,
                                                 char decimalSign = systemDecimalSign());

// Background of the result table: light red when a harmonic failed, light green when all that
// were judged passed, white when nothing was judged.
Rgb harmonicsTableColor(OverallResult result);
// The same in words, for a screen reader: "Fail", "Pass", "No result".
std::string_view overallResultText(OverallResult result);

}  // namespace ql
