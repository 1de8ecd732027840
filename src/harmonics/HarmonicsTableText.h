#pragma once
// The harmonics table (*.tab) as other programs read it: one line per row of the result table,
// the header row first, every cell followed by a TAB (the last one too) and each line ended by
// CR LF, the cells exactly as the window shows them in single-byte Windows-1252 text.

#include <string>

#include "HarmonicAnalysis.h"

namespace ql {

// The header line and one line per harmonic of the last run's table.
std::string harmonicsTabText(const HarmonicsResult& result);

}  // namespace ql
