#pragma once
// The scaling rule that turns sample codes and step codes into volts and seconds:
//   volts of a sample = (code - (zero offset + 127)) x probe x VoltsPerDiv x variable / 25
//   variable factor   = (255 - channel variable) / 255 x 1.5 + 1
//   time per division = TimePerDiv x (time-base variable / 1023 x 1.5 + 1)
// 25 codes and 200 samples make one division. A step code outside its table, or a table entry
// of 0, has no value: the functions return nullopt and callers show none.

#include <cstdint>
#include <optional>

#include "ProgramState.h"

namespace ql {

constexpr double kCodesPerDivision = 25.0;
constexpr double kSamplesPerDivision = 200.0;
constexpr int kZeroCodeBase = 127;  // the code of 0 V is the zero offset + 127

enum class Channel { Ch1, Ch2 };

double channelVariableFactor(int channelVariable);
double timebaseVariableFactor(int timebaseVariable);

// Table entry for a volts/div code (looked up at code + 1); nullopt outside the table or for 0.
std::optional<double> voltsPerDivEntry(const ScaleTables& t, int voltsCode);
// Table entry for a time-base code (looked up at code + 1); nullopt outside the table or for 0.
std::optional<double> timePerDivEntry(const ScaleTables& t, int timebaseCode);

// Volts per division of a channel with probe factor and variable gain, by the given settings
// or the state's.
std::optional<double> channelVoltsPerDiv(const ScaleTables& t, const DdfSettings& d, Channel ch);
std::optional<double> channelVoltsPerDiv(const ProgramState& s, Channel ch);
// Volts per sample code of a channel (volts per division / 25).
std::optional<double> channelVoltsPerCode(const ScaleTables& t, const DdfSettings& d, Channel ch);
std::optional<double> channelVoltsPerCode(const ProgramState& s, Channel ch);
// Volts of a sample code of a channel, with the channel's zero offset.
std::optional<double> sampleVolts(const ProgramState& s, Channel ch, int code);

// Seconds per division of time base A or B with its variable, by the given settings or the
// state's.
std::optional<double> timebaseATimePerDiv(const ScaleTables& t, const DdfSettings& d);
std::optional<double> timebaseBTimePerDiv(const ScaleTables& t, const DdfSettings& d);
std::optional<double> timebaseATimePerDiv(const ProgramState& s);
std::optional<double> timebaseBTimePerDiv(const ProgramState& s);
// Seconds per sample (time per division / 200).
std::optional<double> timebaseATimePerSample(const ProgramState& s);
std::optional<double> timebaseBTimePerSample(const ProgramState& s);

// Number of averages of an averaging index (1..9), pre-trigger per cent of a pre-trigger code.
std::optional<int> averageCount(const ScaleTables& t, int averageIndex);
std::optional<int> pretriggerPercent(const ScaleTables& t, int pretriggerCode);

}  // namespace ql
