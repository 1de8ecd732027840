#include "CursorWindowModel.h"

#include "display/ScreenCursors.h"

namespace ql {

CursorWindowModel::CursorWindowModel(ProgramState& state, DisplayViews& views, Host& host)
    : state_(state), views_(views), host_(host)
{
}

void CursorWindowModel::opened()
{
    state_.cursor.cursorsOn = 1;
    host_.setActionChecked(UiAction::CursorMenuItem, true);
    settle();
}

void CursorWindowModel::closed()
{
    // The marks stay on the picture until the redraw, which draws none.
    state_.cursor.cursorsOn = 0;
    state_.screen.screenDirty = 1;
    host_.setActionChecked(UiAction::CursorMenuItem, false);
}

Followup CursorWindowModel::settle()
{
    showCursorValues(state_, views_);
    return {};
}

CursorWindowView CursorWindowModel::view() const
{
    CursorWindowView v;
    v.readout = cursorReadout(state_);
    v.refBoxChecked = state_.cursor.cursorOnRef == 1;
    v.cursor1 = clampCursorPosition(state_.cursor.cursor1Pos);
    v.cursor2 = clampCursorPosition(state_.cursor.cursor2Pos);
    return v;
}

Followup CursorWindowModel::moveTo(int cursor1, int cursor2)
{
    setCursorPositions(state_, cursor1, cursor2);
    return settle();
}

Followup CursorWindowModel::cursor1BarChanged(int position)
{
    return moveTo(position, state_.cursor.cursor2Pos);
}

Followup CursorWindowModel::cursor2BarChanged(int position)
{
    return moveTo(state_.cursor.cursor1Pos, position);
}

Followup CursorWindowModel::refBoxChanged(bool checked)
{
    state_.cursor.cursorOnRef = checked ? 1 : 0;
    return settle();
}

Followup CursorWindowModel::stepCursor1Left()
{
    return moveTo(state_.cursor.cursor1Pos - 1, state_.cursor.cursor2Pos);
}

Followup CursorWindowModel::stepCursor1Right()
{
    return moveTo(state_.cursor.cursor1Pos + 1, state_.cursor.cursor2Pos);
}

Followup CursorWindowModel::stepCursor2Left()
{
    return moveTo(state_.cursor.cursor1Pos, state_.cursor.cursor2Pos - 1);
}

Followup CursorWindowModel::stepCursor2Right()
{
    return moveTo(state_.cursor.cursor1Pos, state_.cursor.cursor2Pos + 1);
}

}  // namespace ql
