#pragma once
// The two measurement cursors: their positions and the values read under them.
//
// Trace 1 is CH I (REF I while the cursors measure the references), trace 2 is CH II (REF II).
// A reference is measured with the scale and zero offset of its channel; while the time-base B
// window is on, the references hold the time-base B traces of CH I and CH II.

#include <cstdint>
#include <optional>
#include <string>

#include "state/NumberFormat.h"
#include "state/ProgramState.h"

namespace ql {

constexpr int kFirstCursorPosition = kFirstSample;
constexpr int kLastCursorPosition = kLastShownSample;

std::int16_t clampCursorPosition(int position);

// The one way to move the cursors (cursor window, screen dragging, measurement clicks, loaded
// files): both positions are kept within 1..2046.
void setCursorPositions(ProgramState& s, int cursor1, int cursor2);

enum class CursorTrace { Ch1, Ch2, Ref1, Ref2 };

// The record a trace is drawn and measured from.
const Waveform& traceSamples(const ProgramState& s, CursorTrace trace);

// The trace a row measures, or nullopt when it shows "Off" (switched off; in ADD mode the live
// CH II is never measured).
std::optional<CursorTrace> cursorTrace1(const ProgramState& s);
std::optional<CursorTrace> cursorTrace2(const ProgramState& s);

// Code at which the screen draws a trace at sample `index` (kept within 1..2046): a reference
// shifted by its position, or by 128 - trace separation while the time-base B window is on.
int traceScreenCode(const ProgramState& s, CursorTrace trace, int index);

struct TraceReadout {
    std::optional<CursorTrace> trace;                      // nullopt: "Off"
    std::optional<double> voltsAtCursor1, voltsAtCursor2;  // nullopt: no value
    std::string atCursor1Text, atCursor2Text, differenceText;
    // Screen codes of the level marks at the cursors; 0 for no mark.
    std::int16_t levelAtCursor1 = 0, levelAtCursor2 = 0;
};

struct CursorReadout {
    std::string refBoxCaption;                 // "Ref", or "TBB" while the time-base B window is on
    bool refBoxEnabled = false;                // a reference trace is on
    std::string trace1Heading, trace2Heading;  // "CH I" / "Ref I" / "TBB I", likewise II
    TraceReadout trace1, trace2;
    std::optional<double> dtSeconds;  // nullopt when the time base has no value
    std::string dtText, frequencyText;
};

// Readouts for the current state; writes nothing (the hardcopy computes its texts with it).
CursorReadout cursorReadout(const ProgramState& s, char decimalSign = systemDecimalSign());

// What the cursor window shows: clears CursorOnRef when neither reference trace is on, then
// returns the readouts.
CursorReadout updateCursorReadout(ProgramState& s, char decimalSign = systemDecimalSign());

}  // namespace ql
