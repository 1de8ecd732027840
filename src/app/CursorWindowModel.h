#pragma once
// The rules of the cursor window ("Cursor"): the voltages of trace 1 and trace 2 under both
// cursors with their differences, the time between the cursors and its reciprocal, the "Ref"
// box that moves the readouts to the reference traces, and one scroll bar per cursor.
//
// While the window is open the cursors are on: every screen redraw draws them and the screen's
// cursors can be dragged. Opening it ticks the "&Cursor" item; closing it clears the tick and
// asks for a redraw without cursors. Every move of a cursor goes through setCursorPositions and
// then brings the readouts and the marks up to date; the bars always show the positions.

#include "display/CursorReadout.h"
#include "display/DisplayViews.h"
#include "state/WindowModel.h"

namespace ql {

struct CursorWindowView {
    CursorReadout readout;
    bool refBoxChecked = false;
    int cursor1 = kFirstCursorPosition, cursor2 = kFirstCursorPosition;  // the bars
};

class CursorWindowModel {
public:
    CursorWindowModel(ProgramState& state, DisplayViews& views, Host& host);

    void opened();
    void closed();
    // Readouts, screen marks and zoom marks brought up to date (the window's repaint); the
    // "Ref" box goes off when no reference trace is on.
    Followup settle();
    CursorWindowView view() const;

    Followup cursor1BarChanged(int position);
    Followup cursor2BarChanged(int position);
    // The "Ref" box, by mouse or keyboard, with its new value.
    Followup refBoxChanged(bool checked);

    // One sample left or right, never beyond 1 or 2046.
    Followup stepCursor1Left();
    Followup stepCursor1Right();
    Followup stepCursor2Left();
    Followup stepCursor2Right();

private:
    Followup moveTo(int cursor1, int cursor2);

    ProgramState& state_;
    DisplayViews& views_;
    Host& host_;
};

}  // namespace ql
