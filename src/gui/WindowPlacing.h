#pragma once
// Reading and restoring where a window stands, in the twips of the window layout.

#include "state/ProgramState.h"

class QWidget;

namespace ql::gui {

// Smallest size a restored resizable window gets, in pixels.
inline constexpr int kMinimumWindowWidth = 160;
inline constexpr int kMinimumWindowHeight = 120;

// Position, size and state (0 normal, 1 minimised, 2 maximised) of a window now.
WindowPlacement gatherPlacement(const QWidget& window);

// Puts a window where `placement` says: position always, size only when `withSize` (the
// fixed-size panels keep theirs), then the state; a state outside 0-2 means normal. The window
// is kept wholly on a visible screen (inside its parent for a child window) and a resizable
// window gets at least the minimum size, so a layout from another monitor set-up or a damaged
// file cannot lose it.
void applyPlacement(QWidget& window, const WindowPlacement& placement, bool withSize);

}  // namespace ql::gui
