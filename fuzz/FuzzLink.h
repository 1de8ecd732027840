#pragma once
// The link of a fuzz target: the program's own command layer over a ScriptedPort, on a fake
// clock whose idle steps are long, so that a reply the frame waits for in vain costs a few
// loop turns instead of eight seconds of polling.

#include <cmath>
#include <string>

#include "FuzzSupport.h"
#include "ScriptedPort.h"
#include "link/InstrumentLink.h"
#include "state/RecordingHost.h"

namespace ql::fuzz {

// The firmware forms at which the instrument's answers change (0: a reply without one).
inline constexpr float kFirmwareForms[] = {0.0f, 1.04f, 1.05f, 1.10f, 1.16f, 1.17f, 2.00f, 2.10f};

struct FuzzLink {
    explicit FuzzLink(std::string modelTable = "/nonexistent/scopes.db")
        : state(startState()), link(state, port, clock, host, std::move(modelTable), "/help")
    {
        state.screen.screenBusy = 0;
        state.link.comPort = 1;
        state.link.baudRate = 19200;
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
