#pragma once
// The scroll bars of a list or text box, named after the box ("Note up/down", "Note
// left/right") and reached by Tab like every control.

class QAbstractScrollArea;

namespace ql::gui {

// Call once the box has its accessible name.
void nameScrollBars(QAbstractScrollArea* area);

}  // namespace ql::gui
