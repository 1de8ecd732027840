#pragma once
// Height of the trigger-level mark at the trigger point, in sample codes.
//
// The instrument's trigger level (0..1023 for 0..5 V at the comparator) is turned into
// thousandths of a division with calibration values the instrument reports and comparator
// reference voltages that depend on the model. When the level lies outside the visible span
// of the source trace, the mark sits on the trace's own sample at the trigger point and shows
// only its vertical stroke.

#include <cstdint>

#include "state/ProgramState.h"

namespace ql {

constexpr std::int16_t kNoTriggerMark = -1;  // stored as 65535 in the unsigned view

// Writes TrigMark (trigMarkY 0..255 or kNoTriggerMark, trigMarkOnTrace) and, on firmware 2.0
// or later, the comparator references and the level in thousandths of a division; returns the
// mark. Reads the extremes of the last screen redraw. Safe to call whatever the state holds:
//  - a trigger sample (WfmTrigPos + 1) outside 0..2046 gives no mark and reads no sample;
//  - a model whose flags name no comparator references gives no mark on firmware 2.0 or
//    later, unless it reports the mark position itself;
//  - every intermediate is computed wide and clamped before it is stored.
TrigMark calcTriggerMark(ProgramState& s);

// What calcTriggerMark would store, computed from a state it leaves untouched: the mark and
// the comparator values (the calibration group as it would be afterwards). The hardcopy draws
// its mark with it, so a printout never changes what the screen shows.
struct TriggerMarkValues {
    TrigMark mark;
    TrigCalibration calibration;
};
TriggerMarkValues computeTriggerMark(const ProgramState& s);

}  // namespace ql
