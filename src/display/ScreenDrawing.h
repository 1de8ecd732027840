#pragma once
// The redraw of the scope screen: the screen window's picture (graticule, the four traces,
// zero marks, trigger mark, cursor marks), its status line, labels, caption and scroll bar,
// then the XY view and the windows that follow every redraw.
//
// Screen picture: x is the screen position in sample steps, 0..2000 over ten divisions (a
// magnified window of 200 steps in the X-Mag x10 view), y the sample code, 28 at the bottom
// edge and 228 at the top. Sample i of a trace stands at x = (HorPosition - 524) x 2 + i.

#include <cstdint>

#include "DisplayViews.h"
#include "state/ProgramState.h"

namespace ql {

inline constexpr int kHorPositionMax = 1023;
inline constexpr int kMagnifiedCentreScroll = 900;  // first step of the centre division

// Redraws the screen and everything that follows it:
//  - nothing at all while ScreenBusy is 1 or while a redraw (its chain included) runs, so no
//    window brought up to date by the redraw can start another one;
//  - the screen window's part unless the window is minimised (a maximised window is drawn like
//    a normal one): ScreenBusy set, extremes reset and gathered anew over the visible samples,
//    the scroll bar settled (HorPosition follows it in the normal view), the time-base B
//    window range, the trigger mark (calcTriggerMark on every redraw: a trigger sample out of
//    range clears the mark), the status line, and the cursor marks while the cursor window is
//    open;
//  - the XY view while XY display is on;
//  - the chain: automatic measurements, FFT, harmonics and print preview while their windows
//    are open; then ScreenBusy is cleared and the zoom window is drawn while it is open.
void drawScreen(ProgramState& s, DisplayViews& views);

// The redraw asked for by paint and resize of the screen window and the XY view and by the
// screen's scroll bar: drawScreen unless ScreenBusy is 1 or the screen window is minimised.
void redrawForWindowEvent(ProgramState& s, DisplayViews& views);

// Screen x range of the time-base B window while it is on: it starts at the trigger point plus
// half the delay position and spans ten time-base B divisions in time-base A steps, each end
// rounded (a half to even) and kept within 16 bits. A time-base step without a table value
// gives the window no width.
struct TimebaseBRange {
    std::int16_t first = 0, last = 0;
};
TimebaseBRange timebaseBWindowRange(const ProgramState& s);

}  // namespace ql
