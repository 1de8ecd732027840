#pragma once
// The two measurement cursors on the screen picture: dashed lines (Cursor I green, Cursor II
// cyan) with level marks where they meet the traces they measure (magenta at Cursor I, green at
// Cursor II), drawn in not-XOR mode. ScreenCursorMarks records the set that stands on the
// picture, so the next update erases exactly that set by drawing it again.

#include "DisplayViews.h"
#include "state/ProgramState.h"

namespace ql {

// Erases the recorded marks (when ScreenCursorsDrawn is 1), draws the marks of the current
// cursor positions and traces and records them.
void drawScreenCursors(ProgramState& s, ScreenView& view);

// What follows every change of the cursors or of what they measure: CursorOnRef cleared when
// neither reference is on, the cursor window's readouts (its chain member), the screen marks,
// and the zoom window's marks while it is open.
void showCursorValues(ProgramState& s, DisplayViews& views);

}  // namespace ql
