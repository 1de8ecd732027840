#pragma once
// The keys of the program's keyboard work, one row each, written as the help writes it
// ("Ctrl+Shift+Tab": Ctrl, Shift and Alt before the key): the window keys, which the user
// interface takes wherever the focus is in the main window (src/gui's WindowKeys binds these
// rows alone), and the keys by which the control, open list, menu or window frame that has the
// focus is worked (a control's own letters and shortcuts are not rows). The help's section on
// working by keyboard names exactly these keys.

#include <span>
#include <string_view>

namespace ql {

enum class KeyAction {
    NextWindow,       // the next open window of the walk (WindowCycle) takes the keys
    PreviousWindow,   // the one before
    ToolbarOrWindow,  // from a window to the toolbar; from the toolbar back to the window
    FirstMenu,        // opens the first menu
    CloseWindow,      // closes the active window as its close box does
    NextTab,          // shows the active window's next tab
    PreviousTab,      // and its previous one
    ByControl,        // taken by the control, list, menu or frame that has the focus
};

struct KeyRow {
    std::string_view keys;
    KeyAction action;
};

std::span<const KeyRow> keyRows();

}  // namespace ql
