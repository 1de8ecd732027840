#pragma once
// The one guard of the instrument operations. Whoever talks to the instrument from the user
// interface (a toolbar button, a menu item, a storage panel button, a remote READ, the main
// timer's line work) holds it for the whole connect ... operation ... release bracket. While
// it is held the busy pointer shows, "RM" is disabled and so is "Auto" unless automatic update
// is on (clearing "Auto" never touches the line), and every other operation that tries to
// start does nothing. An exchange that runs outside such a bracket (LinkBusy) counts as well.

#include "state/Host.h"
#include "state/ProgramState.h"

namespace ql {

// True while an operation holds the guard or a command exchange is on the line.
bool operationRunning(const ProgramState& s);

class OperationGuard {
public:
    OperationGuard(ProgramState& s, Host& host);
    ~OperationGuard();
    OperationGuard(const OperationGuard&) = delete;
    OperationGuard& operator=(const OperationGuard&) = delete;

    // False when another operation was running: the caller must do nothing.
    bool acquired() const { return acquired_; }
    explicit operator bool() const { return acquired_; }

private:
    ProgramState& state_;
    Host& host_;
    bool acquired_ = false;
};

}  // namespace ql
