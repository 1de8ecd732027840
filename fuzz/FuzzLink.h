#pragma once
// The link of a fuzz target: the program's own command layer over a ScriptedPort, on a fake
// clock whose idle steps are long, so that a reply the frame waits for in vain costs a few
// loop turns instead of eight seconds of polling.

#include <cmath>
#include <string>

#include "ScriptedPort.h"
#include "link/InstrumentLink.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

namespace ql::fuzz {

// The firmware forms at which the instrument's answers change (0: a reply without one).
inline constexpr float kFirmwareForms[] = {0.0f, 1.04f, 1.05f, 1.10f, 1.16f, 1.17f, 2.00f, 2.10f};

inline const ProgramState& startState()
{
    static const ProgramState s = [] {
        ProgramState st;
        initProgramState(st, "/tmp");
        st.screen.screenBusy = 0;
        st.link.comPort = 1;
        st.link.baudRate = 19200;
        return st;
    }();
    return s;
}

// Ends the run as a finding when a property does not hold.
inline void require(bool condition)
{
    if (!condition) __builtin_trap();
}

struct FuzzLink {
    explicit FuzzLink(std::string modelTable = "/nonexistent/scopes.db")
        : state(startState()), link(state, port, clock, host, std::move(modelTable), "/help")
    {
        clock.setIdleStepMs(250);
    }

    // Opens the port and marks the instrument held, as a successful identification leaves it.
    void hold(float firmware)
    {
        link.line().openComPort();
        state.link.remoteHeld = 1;
        state.identity.firmwareVersion = firmware;
    }

    FakeClock clock;
    ScriptedPort port;
    RecordingHost host;
    ProgramState state;
    InstrumentLink link;
};

}  // namespace ql::fuzz
