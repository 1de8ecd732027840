#pragma once
// Recording devices wired into the display views, sized so that user units land on whole
// pixels: the screen picture is 2001 x 201 pixels (x 0..2000 and codes 228..28 map one to one),
// the zero-mark strip 31 x 201 (x -30..0), the XY picture 251 x 201 (x 3..253).

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "DisplayTestState.h"
#include "display/DisplayViews.h"
#include "draw/RecordingDevice.h"

namespace ql::test {

struct ScreenRig {
    RecordingDevice picture{{2001, 201}};
    RecordingDevice strip{{31, 201}};
    RecordingDevice status{{1200, 20}};
    RecordingDevice xy{{251, 201}};
    RecordingDevice zoom{{201, 201}};
    DisplayViews views;

    ScreenRig()
    {
        views.screen.picture = &picture;
        views.screen.zeroMarkStrip = &strip;
        views.screen.statusStrip = &status;
        views.xy.picture = &xy;
        views.zoom.picture = &zoom;
    }

    operator DisplayViews&() { return views; }

    void forgetAll()
    {
        for (RecordingDevice* d : {&picture, &strip, &status, &xy, &zoom}) d->forget();
    }
};

// A ready state for the screen: data present, no redraw running, every trace off.
inline ProgramState screenState()
{
    ProgramState s = measuredState();
    s.screen.screenBusy = 0;
    s.screen.scrollResyncPending = 0;
    s.screen.scrollValue = 524;
    s.ddf.ch1On = s.ddf.ch2On = s.ddf.ref1On = s.ddf.ref2On = 0;
    s.preamble.wfmTrigPos = -5;  // no trigger mark unless a test asks for one
    return s;
}

// A straight line in user units of a picture, as a test expects it.
struct Segment {
    int x1, y1, x2, y2;
    bool operator==(const Segment&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const Segment& s)
    {
        return os << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ")";
    }
};

inline bool hasPen(const DrawOp& op, Rgb color, int width = 0)
{
    return op.pen.color == color && (width == 0 || op.pen.width == width);
}

// Straight lines of one colour (and width, when not 0) in drawing order, in device pixels; a
// path counts as the lines between its points.
inline std::vector<DrawOp> linesIn(const std::vector<DrawOp>& ops, Rgb color, int width = 0)
{
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops) {
        if (!hasPen(op, color, width)) continue;
        if (op.kind == DrawOp::Kind::Line) out.push_back(op);
        if (op.kind != DrawOp::Kind::Polyline) continue;
        for (std::size_t i = 1; i < op.points.size(); ++i)
            out.push_back({DrawOp::Kind::Line, {op.points[i - 1], op.points[i]}, op.pen, {}, {}});
    }
    return out;
}

inline std::vector<DrawOp> linesIn(const RecordingDevice& d, Rgb color, int width = 0)
{
    return linesIn(d.ops(), color, width);
}

// The device line as a segment in user units of a picture whose x starts at `left` with
// `pixelsPerStep` pixels per step and whose top row is code `top` (one pixel per code).
inline Segment userSegment(const DrawOp& op, int left = 0, int pixelsPerStep = 1, int top = 228)
{
    return Segment{op.points[0].x / pixelsPerStep + left, top - op.points[0].y,
                   op.points[1].x / pixelsPerStep + left, top - op.points[1].y};
}

inline std::vector<Segment> userSegments(const std::vector<DrawOp>& ops, int left = 0,
                                         int pixelsPerStep = 1, int top = 228)
{
    std::vector<Segment> out;
    for (const DrawOp& op : ops) out.push_back(userSegment(op, left, pixelsPerStep, top));
    return out;
}

// Order-free comparison of mark lists (not-XOR marks cancel whatever their order).
inline bool sameMarks(std::vector<DrawOp> a, std::vector<DrawOp> b)
{
    const auto key = [](const DrawOp& op) { return RecordingDevice::describe(op); };
    const auto less = [&](const DrawOp& x, const DrawOp& y) { return key(x) < key(y); };
    std::sort(a.begin(), a.end(), less);
    std::sort(b.begin(), b.end(), less);
    return a == b;
}

}  // namespace ql::test
