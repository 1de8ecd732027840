#pragma once
// A link talking to the simulated instrument on a fake clock, with a recording host: the
// harness of every link test.

#include <memory>
#include <string>

#include "link/InstrumentLink.h"
#include "scopesim/ScopeSimulator.h"
#include "scopesim/SimulatedPort.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

namespace ql::testing {

inline std::string modelTablePath()
{
    const char* dir = std::getenv("QL240_DATA_DIR");
    return std::string(dir ? dir : "data") + "/scopes.db";
}

struct SimLink {
    explicit SimLink(scopesim::SimulatorConfig config = {}, std::string table = modelTablePath())
        : sim(clock, config), port(sim, clock)
    {
        initProgramState(state, "/tmp");
        state.screen.screenBusy = 0;
        state.link.comPort = 1;
        state.link.baudRate = config.baudRate;
        link = std::make_unique<InstrumentLink>(state, port, clock, host, table, "/help");
    }

    static scopesim::SimulatorConfig model(const std::string& name,
                                           const std::string& firmware = "")
    {
        scopesim::SimulatorConfig c;
        c.model = name;
        c.firmware = firmware;
        return c;
    }

    // Opens the port and takes the instrument into remote by identification.
    bool connect()
    {
        const bool ok = link->connectInstrument();
        sim.clearRecording();
        host.clear();
        return ok;
    }

    // Opens the port and marks the instrument held without any traffic.
    void holdWithoutIdentifying(float firmware)
    {
        link->line().openComPort();
        state.link.remoteHeld = 1;
        state.identity.firmwareVersion = firmware;
    }

    std::vector<std::string> commands() const { return sim.commandTexts(); }
    int messageCount() const { return static_cast<int>(host.messages.size()); }

    FakeClock clock;
    scopesim::ScopeSimulator sim;
    scopesim::SimulatedPort port;
    RecordingHost host;
    ProgramState state;
    std::unique_ptr<InstrumentLink> link;
};

}  // namespace ql::testing
