#pragma once
// Where the program itself puts the windows of the work area: on a first start the windows
// shown at start, side by side from their real sizes (state/FirstLayout); later, a window the
// first layout closed to make room, where it covers no other window when it is opened again.
// Every place given here is kept in the window's layout slot, as a place the user gives is
// when the window closes, so the window comes back there.

#include "state/Host.h"
#include "state/ProgramState.h"

namespace ql {

// Places the windows open now as a first start has them. The windows that give way for a
// usable screen window are closed (their View items unticked as they close) and remembered in
// `s.windowsGivenWay`.
void placeFirstLayout(ProgramState& s, Host& host);

// Opens `window`. A window the first layout closed goes, when it is first opened again, where
// it covers none of the open windows (or as little of them as the work area allows).
void openWindowInPlace(ProgramState& s, Host& host, ToolWindow window);

}  // namespace ql
