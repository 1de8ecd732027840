#pragma once
// The texts other programs fetch by remote command: the sample codes of a channel, or its
// samples as time and voltage pairs. Numbers always use "." whatever the user's locale.

#include <string>

#include "state/ProgramState.h"
#include "state/Scaling.h"

namespace ql {

// Number of samples every answer holds (elements 1..2048).
constexpr int kRemoteSampleCount = 2048;

// "127,128,...," : the decimal codes of elements 1..2048, each followed by ",".
std::string binaryChannelText(const ProgramState& s, Channel ch);
// "0E+0,-2.54E+01,...," : time and volts of elements 1..2048, each followed by ",". A step
// code without a table value gives 0 for the volts or the times instead of a false number.
std::string channelText(const ProgramState& s, Channel ch, char decimalSign);

}  // namespace ql
