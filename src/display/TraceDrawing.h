#pragma once
// Drawing pieces the screen and the zoom window share: the palette of the screen, the trace
// passes, the trigger mark and the cursor marks. Everything is drawn in screen coordinates
// (x in sample steps, y in sample codes) on a Surface whose scale the caller has set.

#include <functional>
#include <optional>

#include "CursorReadout.h"
#include "draw/Surface.h"
#include "state/ProgramState.h"

namespace ql {

// Palette numbers of the screen.
inline constexpr int kGraticuleColor = 8;
inline constexpr int kFineGridColor = 7;
inline constexpr int kTriggerMarkColor = 2;
inline constexpr int kCursor1LineColor = 2;
inline constexpr int kCursor2LineColor = 3;
inline constexpr int kCursor1LevelColor = 5;
inline constexpr int kCursor2LevelColor = 2;
int traceColor(CursorTrace trace);

// Codes of the screen's edges and centre line.
inline constexpr int kScreenBottom = 28;
inline constexpr int kScreenTop = 228;
inline constexpr int kScreenCentre = 128;

// Half width of the trigger and level marks: 40 steps, 4 in the magnified view.
int markHalfWidth(const DdfSettings& ddf);

// Whether the screen draws the trace: CH II not in ADD mode.
bool traceDrawn(const ProgramState& s, CursorTrace trace);

// Code at which the trace is drawn at sample `index` (1..2047): the channels as stored, a
// reference shifted by its position, or by 128 - trace separation while the time-base B
// window is on (the references then hold the time-base B traces).
int drawnCode(const ProgramState& s, CursorTrace trace, int index);

// Colour and widths (device pixels) of a trace pass. The screen's: the trace's own colour,
// 1 wide, the channels 3 wide where they run through the time-base B window.
struct TraceStyle {
    std::optional<Rgb> color;  // none: the trace's colour on the screen
    int width = 1;
    int timebaseBWidth = 3;  // channels only
};

// One pass over samples 1..2046: the segment from sample i to i + 1, at x = originX + i, is
// drawn when left < x < right, `style.width` wide; a channel segment whose x lies in the
// time-base B window (while it is on) is `style.timebaseBWidth` wide. Draws whether or not the
// trace is on, and leaves the width at 1.
void drawTrace(Surface& surface, const ProgramState& s, CursorTrace trace, int originX, int left,
               int right, const TraceStyle& style = {});

// The trigger mark in not-XOR mode: the vertical stroke, and the horizontal one unless the mark
// sits on the trace.
void drawTriggerMark(Surface& surface, int x, int markY, bool onTrace, int halfWidth);

// A set of cursor marks: the two cursor lines and the level marks of trace 1 and trace 2 at
// each cursor (code 0: no mark).
struct CursorMarkSet {
    int cursor1 = 0, cursor2 = 0;
    int trace1AtCursor1 = 0, trace1AtCursor2 = 0;
    int trace2AtCursor1 = 0, trace2AtCursor2 = 0;
};

// The set for the current cursor positions and traces.
CursorMarkSet currentCursorMarks(const ProgramState& s);

// Draws the set in not-XOR mode, so drawing it again erases it: dashed lines from code 28 to
// 228, level marks 3 wide and 2 x halfWidth long. A mark at a cursor whose x fails `shows` is
// left out.
void drawCursorMarks(Surface& surface, const CursorMarkSet& marks, int originX, int halfWidth,
                     const std::function<bool(int x)>& shows);

}  // namespace ql
