#include "ScreenCursors.h"

#include "CursorReadout.h"
#include "TraceDrawing.h"
#include "ZoomDrawing.h"
#include "draw/Surface.h"

namespace ql {

namespace {

CursorMarkSet recordedMarks(const ScreenCursorMarks& m)
{
    CursorMarkSet set;
    set.cursor1 = m.screenOldCursor1;
    set.cursor2 = m.screenOldCursor2;
    set.trace1AtCursor1 = m.screenOldLevelA1;
    set.trace1AtCursor2 = m.screenOldLevelA2;
    set.trace2AtCursor1 = m.screenOldLevelB1;
    set.trace2AtCursor2 = m.screenOldLevelB2;
    return set;
}

void record(ScreenCursorMarks& m, const CursorMarkSet& set)
{
    m.screenOldCursor1 = static_cast<std::int16_t>(set.cursor1);
    m.screenOldCursor2 = static_cast<std::int16_t>(set.cursor2);
    m.screenOldLevelA1 = static_cast<std::int16_t>(set.trace1AtCursor1);
    m.screenOldLevelA2 = static_cast<std::int16_t>(set.trace1AtCursor2);
    m.screenOldLevelB1 = static_cast<std::int16_t>(set.trace2AtCursor1);
    m.screenOldLevelB2 = static_cast<std::int16_t>(set.trace2AtCursor2);
}

}  // namespace

void drawScreenCursors(ProgramState& s, ScreenView& view)
{
    Surface picture(deviceOrNone(view.picture));
    picture.scale(view.shownWindow.first, kScreenTop, view.shownWindow.last, kScreenBottom);
    const auto everywhere = [](int) { return true; };

    ScreenCursorMarks& marks = s.screenMarks;
    if (marks.screenCursorsDrawn == 1)
        drawCursorMarks(picture, recordedMarks(marks), view.shownOriginX, view.markHalfWidth,
                        everywhere);
    const CursorMarkSet now = currentCursorMarks(s);
    marks.screenCursorsDrawn = 1;
    record(marks, now);
    drawCursorMarks(picture, now, view.shownOriginX, view.markHalfWidth, everywhere);
    notifyUpdated(view.updated);
}

void showCursorValues(ProgramState& s, DisplayViews& views)
{
    updateCursorReadout(s);
    views.chain.run(RedrawLink::CursorReadout, s);
    drawScreenCursors(s, views.screen);
    if (s.zoom.zoomOpen == 1) drawZoomCursors(s, views.zoom);
}

}  // namespace ql
