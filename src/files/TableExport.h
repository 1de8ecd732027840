#pragma once
// The waveform table (*.tab): a text table other programs read, one row per shown sample
// with the time in seconds and the volts of each trace that is switched on. Written only,
// never read back.

#include <string>

#include "state/ProgramState.h"

namespace ql {

// The whole table as single-byte text, lines ending in CR LF, columns separated by a tab.
// Numbers use `decimalSign` (the user's regional settings in the program).
std::string waveformTableText(const ProgramState& s, char decimalSign);

}  // namespace ql
