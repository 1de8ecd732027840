#pragma once
// The one line of settings above the screen and on every time-view hardcopy: volts per
// division and coupling of the channels shown, time per division, trigger source, slope and
// coupling, pre-trigger or delay, peak detect.

#include <span>
#include <string>

#include "state/NumberFormat.h"
#include "state/ProgramState.h"

namespace ql {

// Where the line goes. The printer carries the peak-detect mark on its time-base-B line
// instead; the metafile writes the pre-trigger per cent only when it is not 0 %.
enum class StatusLineTarget { Screen, Printer, Preview, Metafile };

// Coupling of a channel as the status line and the XY label show it: " DC", " AC", " GND".
const char* channelCouplingText(int coupling);

// Trigger coupling names by stored coupling code, one list per model family: models without
// time base B (`notbb`) have no "NR", and their codes after "HF" close up behind it. The status
// line shows these names; the trigger panel maps its options to codes through them.
std::span<const char* const> triggerCouplingNames(bool notbb);

// Horizontal view factor: 0.1 in the magnified view, else 1 (held in single precision, as the
// instrument's own readout does, so 10 µs/div magnified reads "1 µs").
double viewFactor(const DdfSettings& ddf);

// The line for the current state. A time-base step whose table entry is empty (or a step
// outside the table) shows "---" in place of every time it would give; a volts/div step
// without a value shows "---" in place of the volts.
std::string buildStatusLine(const ProgramState& s, StatusLineTarget target,
                            char decimalSign = systemDecimalSign());

}  // namespace ql
