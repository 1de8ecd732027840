#pragma once
// What a user action in a window asks of the rest of the program once the window shows its
// new view. A window model returns it from each handler; the window carries it out with
// carryOut and closes itself when asked. The instrument is never written here: settings reach
// it only through "Set".

#include <vector>

#include "state/Host.h"

namespace ql {

struct Followup {
    bool redrawScreen = false;        // redraw the screen now (the deferred redraw is the
                                      // state's screenDirty, served by the next tick)
    std::vector<ToolWindow> refresh;  // other windows that show what the action changed
    bool closeWindow = false;         // the window that took the action closes
};

// The redraw, then the refreshes in their order. Closing is left to the window.
void carryOut(Host& host, const Followup& followup);

}  // namespace ql
