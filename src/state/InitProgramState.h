#pragma once
// Start values of the program-wide state and the scale tables, set once before the
// parameter file is read.

#include <string>

#include "ProgramState.h"

namespace ql {

// Window caption before any instrument is identified or file loaded.
inline constexpr const char* kProgramCaption = "QL240E - V3.02";

// Sets every start value and fills the scale tables. `autostoreFolder` is the folder the
// default autostore prefix points into. The "RM" and "Auto" check boxes show remoteHeld and
// autoUpdate (both 0 here); start-up clears them through the host.
void initProgramState(ProgramState& s, const std::string& autostoreFolder);

}  // namespace ql
