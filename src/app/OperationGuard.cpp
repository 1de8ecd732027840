#include "OperationGuard.h"

namespace ql {

bool operationRunning(const ProgramState& s)
{
    return s.busy.uiBusy || s.busy.linkBusy > 0;
}

OperationGuard::OperationGuard(ProgramState& s, Host& host) : state_(s), host_(host)
{
    if (operationRunning(s)) return;
    acquired_ = true;
    state_.busy.uiBusy = true;
    host_.setBusyPointer(true);
    host_.setActionEnabled(UiAction::RemoteBox, false);
    // A ticked "Auto" can only be cleared, which is safe at any time; a clear one would connect.
    if (state_.link.autoUpdate != 1) host_.setActionEnabled(UiAction::AutoBox, false);
}

OperationGuard::~OperationGuard()
{
    if (!acquired_) return;
    state_.busy.uiBusy = false;
    host_.setActionEnabled(UiAction::RemoteBox, true);
    // The harmonics window keeps "Auto" disabled while it is open.
    host_.setActionEnabled(UiAction::AutoBox, state_.harm.obwActive != 1);
    host_.setBusyPointer(false);
}

}  // namespace ql
