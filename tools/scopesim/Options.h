#pragma once
// Command line of the scopesim program.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Fault.h"
#include "Signal.h"
#include "SimulatorConfig.h"
#include "state/Status.h"

namespace ql::scopesim {

struct ScopesimOptions {
    SimulatorConfig config;
    std::vector<Fault> faults;
    std::string linkPath;  // a symbolic link to the terminal, made at start and removed at exit
    bool showHelp = false;
    bool listModels = false;
};

// Reads the arguments after the program name; the failure text says what is wrong.
Result<ScopesimOptions> parseOptions(const std::vector<std::string>& args);
std::string usageText();

// "sine:FREQ:AMPL[:OFFSET]", "square:...", "triangle:...", "dc:VOLTS", "off",
// "line:FREQ:FUNDAMENTAL[:N=AMPL,N=AMPL...]".
std::optional<Signal> parseSignal(std::string_view text);

}  // namespace ql::scopesim
