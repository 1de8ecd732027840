#pragma once
// Everything that talks to the instrument, wired together once: the serial line, the command
// frame, every command group, identification, the sequences, the port search and the copy
// request. The program and the tests build one over a port, a clock and a host.

#include "ControlCommands.h"
#include "Identification.h"
#include "PortSearch.h"
#include "Sequences.h"

namespace ql {

class InstrumentLink {
public:
    InstrumentLink(ProgramState& state, SerialPort& port, Clock& clock, Host& host,
                   std::string modelTablePath, std::string helpFolder);

    LinkContext& context() { return ctx_; }
    SerialLine& line() { return line_; }
    CommandFrame& frame() { return frame_; }
    SettingsCommands& settings() { return settings_; }
    TriggerCommands& trigger() { return trigger_; }
    WaveformCommands& waves() { return waves_; }
    ControlCommands& control() { return control_; }
    Sequences& sequences() { return sequences_; }
    Identification& identification() { return identification_; }
    PortSearch& portSearch() { return portSearch_; }
    const ModelTable& modelTable() const { return table_; }

    bool connectInstrument() { return identification_.connectInstrument(); }
    void releaseRemote() { frame_.releaseRemote(); }

    // Looks for a hardcopy request the instrument sent on its own ("COP:" among the first 80
    // bytes of a run of more than 6) and discards the run. True when there was a request, or
    // one was kept from an exchange that met it; the caller serves it. Called by the main
    // timer while the port is open and the line is idle.
    bool checkCopyRequest();
    // Whether checkCopyRequest has something to look at (a run of bytes that may hold the
    // request, one kept from an exchange, a port that has vanished); takes nothing off the line.
    bool copyRequestMayWait();

private:
    LinkMessages messages_;
    LinkContext ctx_;
    ModelTable table_;
    SerialLine line_;
    CommandFrame frame_;
    SettingsCommands settings_;
    TriggerCommands trigger_;
    WaveformCommands waves_;
    ControlCommands control_;
    Sequences sequences_;
    Identification identification_;
    PortSearch portSearch_;
};

}  // namespace ql
