#include "TraceDrawing.h"

#include <algorithm>
#include <vector>

namespace ql {

namespace {

constexpr int kTraceWidth = 1;
constexpr int kTriggerMarkWidth = 2;
constexpr int kTriggerMarkHalfHeight = 5;
constexpr int kLevelMarkWidth = 3;

bool isChannel(CursorTrace trace)
{
    return trace == CursorTrace::Ch1 || trace == CursorTrace::Ch2;
}

// What the screen adds to a stored code: nothing for the channels, the reference's position,
// or 128 - trace separation while the time-base B window is on.
int drawnShift(const ProgramState& s, CursorTrace trace)
{
    if (isChannel(trace)) return 0;
    if (s.tbB.tbBWindowOn == 1) return 128 - s.ddf.traceSeparation;
    return trace == CursorTrace::Ref1 ? s.storage.ref1Pos : s.storage.ref2Pos;
}

}  // namespace

int traceColor(CursorTrace trace)
{
    switch (trace) {
        case CursorTrace::Ch1: return 12;
        case CursorTrace::Ch2: return 9;
        case CursorTrace::Ref1: return 4;
        case CursorTrace::Ref2: return 1;
    }
    return 0;
}

int markHalfWidth(const DdfSettings& ddf)
{
    return ddf.xMag10 == 1 ? 4 : 40;
}

bool traceDrawn(const ProgramState& s, CursorTrace trace)
{
    const DdfSettings& d = s.ddf;
    switch (trace) {
        case CursorTrace::Ch1: return d.ch1On == 1;
        case CursorTrace::Ch2: return d.ch2On == 1 && d.verAdd == 0;
        case CursorTrace::Ref1: return d.ref1On == 1;
        case CursorTrace::Ref2: return d.ref2On == 1;
    }
    return false;
}

int drawnCode(const ProgramState& s, CursorTrace trace, int index)
{
    return traceSamples(s, trace)[static_cast<std::size_t>(index)] + drawnShift(s, trace);
}

void drawTrace(Surface& surface, const ProgramState& s, CursorTrace trace, int originX, int left,
               int right, const TraceStyle& style)
{
    const Rgb color = style.color.value_or(qbColor(traceColor(trace)));
    const bool thickWindow = isChannel(trace) && s.tbB.tbBWindowOn == 1;
    const auto widthAt = [&](int x) {
        const bool inB = thickWindow && s.tbB.tbBWinFirst <= x && x <= s.tbB.tbBWinLast;
        return inB ? style.timebaseBWidth : style.width;
    };
    const Waveform& codes = traceSamples(s, trace);
    const int shift = drawnShift(s, trace);
    const auto point = [&](int i) {
        return UserPoint{static_cast<double>(originX + i),
                         static_cast<double>(codes[static_cast<std::size_t>(i)] + shift)};
    };
    // The segments drawn start at the samples whose x lies strictly between left and right.
    const int first = std::max(kFirstSample, left - originX + 1);
    const int last = std::min(kLastShownSample, right - originX - 1);
    // Consecutive segments of one width go to the device as one path: one call for the whole
    // trace instead of one per sample.
    std::vector<UserPoint> path;
    path.reserve(static_cast<std::size_t>(std::max(last - first + 2, 0)));
    for (int i = first; i <= last;) {
        const int width = widthAt(originX + i);
        path.clear();
        path.push_back(point(i));
        for (; i <= last && widthAt(originX + i) == width; ++i) path.push_back(point(i + 1));
        surface.setDrawWidth(width);
        surface.polyline(path, color);
    }
    surface.setDrawWidth(kTraceWidth);
}

void drawTriggerMark(Surface& surface, int x, int markY, bool onTrace, int halfWidth)
{
    const DrawMode mode = surface.drawMode();
    surface.setDrawMode(DrawMode::NotXorPen);
    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawWidth(kTriggerMarkWidth);
    const Rgb color = qbColor(kTriggerMarkColor);
    surface.line(x, markY - kTriggerMarkHalfHeight, x, markY + kTriggerMarkHalfHeight, color);
    if (!onTrace) surface.line(x - halfWidth, markY, x + halfWidth, markY, color);
    surface.setDrawWidth(kTraceWidth);
    surface.setDrawMode(mode);
}

CursorMarkSet currentCursorMarks(const ProgramState& s)
{
    CursorMarkSet m;
    m.cursor1 = s.cursor.cursor1Pos;
    m.cursor2 = s.cursor.cursor2Pos;
    if (const auto t1 = cursorTrace1(s)) {
        m.trace1AtCursor1 = traceScreenCode(s, *t1, m.cursor1);
        m.trace1AtCursor2 = traceScreenCode(s, *t1, m.cursor2);
    }
    if (const auto t2 = cursorTrace2(s)) {
        m.trace2AtCursor1 = traceScreenCode(s, *t2, m.cursor1);
        m.trace2AtCursor2 = traceScreenCode(s, *t2, m.cursor2);
    }
    return m;
}

void drawCursorMarks(Surface& surface, const CursorMarkSet& marks, int originX, int halfWidth,
                     const std::function<bool(int x)>& shows)
{
    const DrawMode mode = surface.drawMode();
    surface.setDrawMode(DrawMode::NotXorPen);
    const int x1 = originX + marks.cursor1;
    const int x2 = originX + marks.cursor2;
    const bool at1 = shows(x1), at2 = shows(x2);

    surface.setDrawStyle(DrawStyle::Dash);
    surface.setDrawWidth(1);
    if (at1) surface.line(x1, kScreenBottom, x1, kScreenTop, qbColor(kCursor1LineColor));
    if (at2) surface.line(x2, kScreenBottom, x2, kScreenTop, qbColor(kCursor2LineColor));

    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawWidth(kLevelMarkWidth);
    auto level = [&](bool shown, int x, int code, int color) {
        // A code of 0 (or below) stands for no mark.
        if (shown && code > 0)
            surface.line(x - halfWidth, code, x + halfWidth, code, qbColor(color));
    };
    level(at1, x1, marks.trace1AtCursor1, kCursor1LevelColor);
    level(at2, x2, marks.trace1AtCursor2, kCursor2LevelColor);
    level(at1, x1, marks.trace2AtCursor1, kCursor1LevelColor);
    level(at2, x2, marks.trace2AtCursor2, kCursor2LevelColor);

    surface.setDrawWidth(1);
    surface.setDrawStyle(DrawStyle::Solid);
    surface.setDrawMode(mode);
}

}  // namespace ql
