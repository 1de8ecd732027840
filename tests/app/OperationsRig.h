#pragma once
// The main window's operations over the simulated instrument on a fake clock, with a
// recording host, a recording printer and a recording autostore.

#include "SimLink.h"
#include "app/InstrumentOperations.h"
#include "app/RemoteCommands.h"
#include "draw/RecordingPrinter.h"
#include "link/PortMap.h"

namespace ql::testing {

using Commands = std::vector<std::string>;

struct OperationsRig : SimLink {
    explicit OperationsRig(scopesim::SimulatorConfig config = {}, char decimalSign = '.')
        : SimLink(std::move(config)),
          ops(*link, printer, "", decimalSign),
          remote(state, ops, decimalSign)
    {
        ops.setAutoStoreFile([this] {
            ++stores;
            ++state.autoStore.autoStoreCounter;  // what storing a numbered file does
            return Status::success();
        });
    }

    // Nothing answers on the configured port.
    void unplugInstrument()
    {
        port.addDevice(*portDevice(state.link.comPort), scopesim::DeviceKind::Silent);
    }

    bool enabled(UiAction a) const { return host.actionEnabled[static_cast<int>(a)]; }

    RecordingPrinter printer;
    InstrumentOperations ops;
    RemoteCommands remote;
    int stores = 0;
};

inline Commands join(std::initializer_list<Commands> parts)
{
    Commands all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

inline const Commands kConnect = {" ", "id?", "vers?"};
inline const Commands kRelease = {"rm0"};

// The wire traffic of sequences run one after the other on a fresh simulator of the same
// model, as the simulator recorded each: the reference for the operations' wire order.
enum class Probe { ReadAll, ReadSettings, WriteAll };

inline std::vector<Commands> probeCommands(const scopesim::SimulatorConfig& config,
                                           std::initializer_list<Probe> steps)
{
    SimLink t(config);
    t.connect();
    std::vector<Commands> traffic;
    for (Probe step : steps) {
        Sequences& seq = t.link->sequences();
        if (step == Probe::ReadAll) seq.readAllFromScope();
        if (step == Probe::ReadSettings) seq.readSettingsFromScope();
        if (step == Probe::WriteAll) seq.writeAllToScope();
        traffic.push_back(t.commands());
        t.sim.clearRecording();
    }
    return traffic;
}

}  // namespace ql::testing
