#pragma once
// Automatic measurements of CH I and CH II on what the screen shows: positive and negative peak,
// peak to peak, average, period and frequency.
//
// The peaks are the extremes of the last screen redraw (visible samples only); the average
// takes the whole record. The period runs from the first crossing of the band mid +- 3 codes
// to the next crossing in the same direction, the signal leaving the band on the other side in
// between, searched among the visible samples only.

#include <cstdint>
#include <optional>
#include <string>

#include "state/NumberFormat.h"
#include "state/ProgramState.h"

namespace ql {

struct ChannelMeasurement {
    bool measured = false;                            // on (CH II: and not in ADD mode)
    std::optional<double> vpPlus, vpMinus, vpp, vav;  // volts
    std::optional<double> period, frequency;          // seconds, hertz
    // "Off" when not measured; "---" when no sample is visible or the scale has no value.
    std::string vpPlusText, vpMinusText, vppText, vavText;
    std::string frequencyText, periodText;  // "---" when no period was found
};

struct AutoMeasurement {
    ChannelMeasurement ch1, ch2;
};

// Mid level of a trace between its extremes, a half going to the even neighbour.
int measureMidLevel(int minCode, int maxCode);

// Measures the channels and writes the period start and end fields of MeasurePoints for each
// period found (fields not found keep their values). Before the first data (NoDataYet) nothing
// is measured or written: nullopt.
std::optional<AutoMeasurement> autoMeasure(ProgramState& s, char decimalSign = systemDecimalSign());

// Value cells of the measurement window that move the cursors when clicked.
enum class MeasureCell {
    Ch1Voltage,  // Vp+, Vp-, Vpp of CH I: Cursor I on the maximum, Cursor II on the minimum
    Ch1Timing,   // frequency, period of CH I: Cursor I on the period's end, II on its start
    Ch2Voltage,
    Ch2Timing,
};

struct CursorTargets {
    std::int16_t cursor1 = 0, cursor2 = 0;
};

// Where a click on a cell puts the cursors; nullopt (nothing moves) unless both samples lie
// in 1..2046.
std::optional<CursorTargets> cursorTargetsForCell(const MeasurePoints& m, MeasureCell cell);

// Moves the cursors for a clicked cell through setCursorPositions; false when nothing moved.
bool moveCursorsToMeasurement(ProgramState& s, MeasureCell cell);

}  // namespace ql
