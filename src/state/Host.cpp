#include "Host.h"

namespace ql {

void Host::stateChanged(const ProgramState& s, StateChange change)
{
    for (ToolWindow window : windowsShowing(s, change)) refreshWindow(window);
}

}  // namespace ql
