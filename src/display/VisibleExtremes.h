#pragma once
// Screen geometry of the traces and the extremes of what the screen shows.
//
// The screen is 2000 sample steps wide (10 divisions of 200). Sample i (1..2047) of every trace
// stands at x = origin + i, origin = (HorPosition - 524) x 2: with the default position 512
// the record starts 24 steps left of the screen edge. The magnified view (X-Mag x10) shows the
// 200 steps from the screen scroll bar's value on. A sample is visible only strictly inside the
// window, so samples on either edge are neither drawn nor counted.

#include <cstdint>

#include "state/ProgramState.h"

namespace ql {

constexpr int kScreenSteps = 2000;
constexpr int kMagnifiedSteps = 200;
constexpr int kMagnifiedScrollMax = kScreenSteps - kMagnifiedSteps;

// x of sample 0 for a horizontal position.
constexpr int traceOriginX(int horPosition)
{
    return (horPosition - 524) * 2;
}

struct VisibleWindow {
    int first = 0;
    int last = kScreenSteps;
    bool contains(int x) const { return first < x && x < last; }
};

// [0, 2000], or [v, v + 200] in the magnified view; v (the scroll value) is kept in 0..1800.
VisibleWindow visibleWindow(const DdfSettings& ddf, int magnifiedScroll);

// Smallest and largest code among the visible samples of a trace with the index of the first
// sample holding each. With nothing visible (or the trace not drawn) min is 255 and max 0, so
// max < min tells "no visible sample", and the indexes are 0.
struct TraceExtremes {
    std::int16_t min = 255, max = 0;
    std::int16_t minIndex = 0, maxIndex = 0;
    bool anyVisible = false;
};

struct VisibleExtremes {
    VisibleWindow window;
    TraceExtremes ch1, ch2;  // CH II only when drawn: on and not in ADD mode
};

// Extremes over samples 1..2046 that lie inside the visible window, for the traces the screen
// draws. Reads HorPosition as it will be drawn, so the redraw takes its scroll value first.
VisibleExtremes findVisibleExtremes(const ProgramState& s, int magnifiedScroll);

// Writes the extremes and the window into MeasurePoints. The index of an extreme is written
// only when a sample was found; otherwise the last one found stays (a measurement click then
// goes to the last extremes that existed).
void storeVisibleExtremes(MeasurePoints& m, const VisibleExtremes& e);

}  // namespace ql
