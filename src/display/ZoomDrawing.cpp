#include "ZoomDrawing.h"

#include "TraceDrawing.h"
#include "VisibleExtremes.h"
#include "draw/Surface.h"

namespace ql {

namespace {

// Holds ZoomDrawing while the zoom picture is drawn.
class ZoomDrawingScope {
public:
    explicit ZoomDrawingScope(ZoomState& zoom) : zoom_(zoom) { zoom_.zoomDrawing = 1; }
    ~ZoomDrawingScope() { zoom_.zoomDrawing = 0; }
    ZoomDrawingScope(const ZoomDrawingScope&) = delete;
    ZoomDrawingScope& operator=(const ZoomDrawingScope&) = delete;

private:
    ZoomState& zoom_;
};

// The screen's graticule in light grey, seen through the box; no frame.
void drawZoomGraticule(Surface& p, const ZoomBox& box)
{
    const Rgb grey = qbColor(kFineGridColor);
    const auto within = [&](int x) { return box.x1 <= x && x <= box.x2; };
    p.setDrawWidth(1);
    for (int y : {103, 78, 53, 28, 153, 178, 203, 228}) p.line(box.x1, y, box.x2, y, grey);
    for (int x : {0, 200, 400, 600, 800})
        if (within(x)) p.line(x, kScreenBottom, x, kScreenTop, grey);
    p.setDrawWidth(2);
    if (within(1000)) p.line(1000, kScreenBottom, 1000, kScreenTop, grey);
    p.line(box.x1, kScreenCentre, box.x2, kScreenCentre, grey);
    p.setDrawWidth(1);
    for (int x : {1200, 1400, 1600, 1800, 2000})
        if (box.x1 < x && x < box.x2) p.line(x, 0, x, 255, grey);
}

CursorMarkSet recordedMarks(const ZoomCursorMarks& m)
{
    CursorMarkSet set;
    set.cursor1 = m.zoomMarkCursor1Pos;
    set.cursor2 = m.zoomMarkCursor2Pos;
    set.trace1AtCursor1 = m.zoomMarkCh1AtCursor1;
    set.trace1AtCursor2 = m.zoomMarkCh1AtCursor2;
    set.trace2AtCursor1 = m.zoomMarkCh2AtCursor1;
    set.trace2AtCursor2 = m.zoomMarkCh2AtCursor2;
    return set;
}

void record(ZoomCursorMarks& m, const CursorMarkSet& set)
{
    m.zoomMarkCursor1Pos = static_cast<std::int16_t>(set.cursor1);
    m.zoomMarkCursor2Pos = static_cast<std::int16_t>(set.cursor2);
    m.zoomMarkCh1AtCursor1 = static_cast<std::int16_t>(set.trace1AtCursor1);
    m.zoomMarkCh1AtCursor2 = static_cast<std::int16_t>(set.trace1AtCursor2);
    m.zoomMarkCh2AtCursor1 = static_cast<std::int16_t>(set.trace2AtCursor1);
    m.zoomMarkCh2AtCursor2 = static_cast<std::int16_t>(set.trace2AtCursor2);
}

void scaleToBox(Surface& p, const ZoomBox& box)
{
    p.scale(box.x1, box.y2, box.x2, box.y1);
}

// Erases the recorded marks and draws the current ones; the caller reports the view.
void markZoomCursors(ProgramState& s, ZoomView& view)
{
    const ZoomBox box = view.shownBox;
    Surface p(deviceOrNone(view.picture));
    if (box.usable()) scaleToBox(p, box);
    const auto inside = [&box](int x) { return box.usable() && box.x1 < x && x < box.x2; };

    ZoomCursorMarks& marks = s.zoomMarks;
    if (marks.zoomCursorMarksDrawn == 1)
        drawCursorMarks(p, recordedMarks(marks), view.shownOriginX, view.markHalfWidth, inside);
    const CursorMarkSet now = currentCursorMarks(s);
    marks.zoomCursorMarksDrawn = 1;
    record(marks, now);
    drawCursorMarks(p, now, view.shownOriginX, view.markHalfWidth, inside);
}

}  // namespace

void drawZoom(ProgramState& s, ZoomView& view)
{
    if (view.state == WindowState::Minimised) return;
    if (s.zoom.zoomOpen == 0 || s.zoom.zoomDrawing == 1) return;
    ZoomDrawingScope drawing(s.zoom);

    Surface p(deviceOrNone(view.picture));
    p.setBackColor(kWhite);
    p.setDrawMode(DrawMode::CopyPen);
    p.cls();
    s.zoomMarks.zoomCursorMarksDrawn = 0;

    const ZoomBox box{s.zoom.zoomX1, s.zoom.zoomY1, s.zoom.zoomX2, s.zoom.zoomY2};
    const int originX = traceOriginX(s.ddf.horPosition);
    view.shownBox = box;
    view.shownOriginX = originX;
    view.markHalfWidth = markHalfWidth(s.ddf);
    if (!box.usable()) {
        notifyUpdated(view.updated);
        return;
    }
    scaleToBox(p, box);
    drawZoomGraticule(p, box);

    for (CursorTrace trace :
         {CursorTrace::Ch1, CursorTrace::Ch2, CursorTrace::Ref1, CursorTrace::Ref2})
        if (traceDrawn(s, trace)) drawTrace(p, s, trace, originX, box.x1, box.x2);

    // Outside the box there is no mark (the screen would put it at its edge).
    const int triggerX = originX + s.preamble.wfmTrigPos + 1;
    if (box.x1 <= triggerX && triggerX <= box.x2 && s.trigMark.trigMarkY >= 1)
        drawTriggerMark(p, triggerX, s.trigMark.trigMarkY, s.trigMark.trigMarkOnTrace != 0,
                        view.markHalfWidth);

    if (s.cursor.cursorsOn == 1) markZoomCursors(s, view);
    notifyUpdated(view.updated);
}

void drawZoomCursors(ProgramState& s, ZoomView& view)
{
    if (s.zoom.zoomOpen == 0) return;
    markZoomCursors(s, view);
    notifyUpdated(view.updated);
}

}  // namespace ql
