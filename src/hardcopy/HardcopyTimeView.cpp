// The time view of the hardcopy: graticule, the four traces with their labels, the zero marks
// and the trigger-level mark, and the status line above the screen area.

#include <algorithm>
#include <optional>

#include "HardcopyPage.h"
#include "display/StatusLine.h"
#include "display/TraceDrawing.h"
#include "display/TriggerMark.h"
#include "state/Scaling.h"

namespace ql::hardcopy {

namespace {

constexpr int kDivision = 200;
constexpr int kZeroMarkFrom = 30, kZeroMarkTo = 5;  // left of the screen area, times xScale
constexpr int kChannelLabelLeft = 170, kChannelLeaderFrom = 50;
constexpr int kReferenceLabelRight = 70, kReferenceLeaderTo = 50;
constexpr int kLabelRaise = 4;  // a label's top edge stands 4 codes above its trace
constexpr int kTriggerTick = 5;
constexpr int kTriggerMarkColour = 2;
constexpr int kNoSampleAfter = kLastTransferredSample;  // the trigger sample must lie before

// Division lines black, the frame and centre lines heavy; a vertical line only inside the
// screen area, so the magnified view shows the ones its window holds.
void drawGraticule(const Page& p)
{
    Surface& surface = p.surface;
    surface.setForeColor(kBlack);
    surface.setDrawWidth(1);
    for (int y : {103, 78, 53, 28, 153, 178, 203, 228}) surface.line(p.xFrom, y, p.xTo, y);
    auto vertical = [&](int x) {
        if (p.xFrom <= x && x <= p.xTo) surface.line(x, kBottom, x, kTop);
    };
    for (int x = 0; x <= 4 * kDivision; x += kDivision) vertical(x);
    surface.setDrawWidth(p.target.heavyWidth);
    surface.line(p.xFrom, kBottom, p.xTo, kBottom);
    surface.line(p.xFrom, kTop, p.xTo, kTop);
    surface.line(p.xFrom, kBottom, p.xFrom, kTop);
    surface.line(p.xTo, kBottom, p.xTo, kTop);
    vertical(5 * kDivision);
    surface.line(p.xFrom, kCentre, p.xTo, kCentre);
    surface.setDrawWidth(1);
    for (int x = 6 * kDivision; x <= 10 * kDivision; x += kDivision) vertical(x);
}

// The first and the last sample index whose segment the trace pass draws (strictly inside
// the screen area), or none.
std::optional<int> firstShownSample(const Page& p)
{
    const int first = std::max(kFirstSample, p.xFrom - p.originX + 1);
    if (first > kLastShownSample || p.originX + first >= p.xTo) return std::nullopt;
    return first;
}

std::optional<int> lastShownSample(const Page& p)
{
    const int last = std::min(kLastShownSample, p.xTo - p.originX - 1);
    if (last < kFirstSample || p.originX + last <= p.xFrom) return std::nullopt;
    return last;
}

TraceStyle traceStyle(const Page& p, CursorTrace trace)
{
    return TraceStyle{p.colour(traceColor(trace)), p.target.traceWidth,
                      p.target.timebaseBTraceWidth};
}

// A channel trace, its zero mark at the left edge (drawn even when no sample shows), and its
// label with a dotted leader to the first sample shown.
void drawChannel(const Page& p, CursorTrace trace, const char* label, int zeroOffset)
{
    Surface& surface = p.surface;
    const TraceStyle style = traceStyle(p, trace);
    const Rgb colour = *style.color;
    drawTrace(surface, p.s, trace, p.originX, p.xFrom, p.xTo, style);
    surface.setDrawWidth(1);
    const int zero = zeroOffset + kZeroCodeBase;
    surface.line(p.xFrom - kZeroMarkFrom * p.xScale, zero, p.xFrom - kZeroMarkTo * p.xScale, zero,
                 colour);
    const auto first = firstShownSample(p);
    if (!first) return;
    const int level = traceSamples(p.s, trace)[static_cast<std::size_t>(*first)];
    surface.setForeColor(colour);
    p.printAt(p.xFrom - kChannelLabelLeft * p.xScale, level + kLabelRaise, label);
    surface.setDrawStyle(DrawStyle::Dot);
    surface.line(p.xFrom - kChannelLeaderFrom * p.xScale, level, p.originX + *first, level, colour);
    surface.setDrawStyle(DrawStyle::Solid);
}

// A reference trace and its label right of the screen area, with a dotted leader from the
// last segment shown; nothing at all when no segment shows.
void drawReference(const Page& p, CursorTrace trace, const char* label)
{
    Surface& surface = p.surface;
    const TraceStyle style = traceStyle(p, trace);
    const Rgb colour = *style.color;
    drawTrace(surface, p.s, trace, p.originX, p.xFrom, p.xTo, style);
    const auto last = lastShownSample(p);
    if (!last) return;
    const int level = drawnCode(p.s, trace, *last + 1);
    surface.setForeColor(colour);
    p.printAt(p.xTo + kReferenceLabelRight * p.xScale, level + kLabelRaise, label);
    surface.setDrawStyle(DrawStyle::Dot);
    surface.line(p.originX + *last, level, p.xTo + kReferenceLeaderTo * p.xScale, level, colour);
    surface.setDrawStyle(DrawStyle::Solid);
}

void drawTraces(const Page& p)
{
    const DdfSettings& d = p.s.ddf;
    const PrintOptions& o = p.options;
    const bool timebaseB = p.s.tbB.tbBWindowOn == 1;
    if (traceDrawn(p.s, CursorTrace::Ch1) && o.printChI == 1)
        drawChannel(p, CursorTrace::Ch1, "CH I", p.s.preamble.ch1ZeroOffset);
    if (traceDrawn(p.s, CursorTrace::Ch2) && o.printChII == 1)
        drawChannel(p, CursorTrace::Ch2, "CH II", p.s.preamble.ch2ZeroOffset);
    if (d.ref1On == 1 && o.printRefI == 1)
        drawReference(p, CursorTrace::Ref1, timebaseB ? "TBB I" : "REF I");
    if (d.ref2On == 1 && o.printRefII == 1)
        drawReference(p, CursorTrace::Ref2, timebaseB ? "TBB II" : "REF II");
}

// The trigger-level mark at the trigger point, kept inside the screen area (its edges
// included): the tick, and the level bar unless the mark sits on the trace. In colour it is
// drawn in not-XOR mode, and the mode found is put back.
void drawTriggerLevelMark(const Page& p)
{
    Surface& surface = p.surface;
    const int triggerSample = p.s.preamble.wfmTrigPos + 1;
    if (triggerSample < 0 || triggerSample >= kNoSampleAfter) return;
    const int halfWidth = markHalfWidth(p.s.ddf);
    const int x = std::clamp(p.originX + triggerSample, p.xFrom, p.xTo);
    const TrigMark mark = computeTriggerMark(p.s).mark;
    if (mark.trigMarkY <= 0) return;  // 0, and no mark at all (65535)
    const DrawMode mode = surface.drawMode();
    if (p.options.printColor == 1) surface.setDrawMode(DrawMode::NotXorPen);
    surface.setDrawWidth(p.target.triggerMarkWidth);
    surface.setForeColor(p.colour(kTriggerMarkColour));
    const int y = mark.trigMarkY;
    surface.line(x, y - kTriggerTick, x, y + kTriggerTick);
    if (mark.trigMarkOnTrace == 0) surface.line(x - halfWidth, y, x + halfWidth, y);
    surface.setDrawMode(mode);
}

void drawStatusText(const Page& p)
{
    p.surface.setForeColor(kBlack);
    const double y = p.rowAbove(p.target.statusRow) + p.target.statusRaise;
    p.printAt(p.xFrom, y, buildStatusLine(p.s, p.target.statusLine, p.decimalSign));
}

}  // namespace

void drawTimeView(Page& page)
{
    drawGraticule(page);
    drawTraces(page);
    drawTriggerLevelMark(page);
    drawStatusText(page);
}

}  // namespace ql::hardcopy
