#pragma once
// How a simulated instrument is set up: model, firmware, line, timing and the signals at its
// inputs.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Signal.h"

namespace ql::scopesim {

// Codes the instrument serves in place of its own in one record, from a given sample on: any
// byte pattern a test needs at a known place (the text of a copy request, say).
struct PlantedCodes {
    int record = 1;  // 1, 2: CH I, CH II; 3, 4: REF I, REF II (what "rdwfm1:" ... "rdref2:" send)
    int index = 0;   // the first sample replaced, from 0
    std::vector<std::uint8_t> codes;
};

struct SimulatorConfig {
    std::string model = "TX226-2";
    // "" = the model's default firmware, "none" = a version reply without a firmware field
    // (the instrument then behaves as the oldest firmware), else "x.yz", e.g. "1.16".
    std::string firmware;
    std::int32_t baudRate = 19200;  // the instrument's line: 8 data bits, no parity
    int stopBits = 2;
    double latencyMs = 2.0;     // from the end of a command to the start of its answer
    bool strictPauses = false;  // refuse set commands whose mandated pause was too short
    // A single-shot acquisition armed by "RES" triggers this long after arming; nullopt: only
    // when the test calls fireTrigger().
    std::optional<double> singleShotTriggerMs = 300.0;
    std::array<Signal, 2> inputs = {Signal::sine(1000.0, 1.0), Signal::square(500.0, 0.5)};
    std::array<std::int16_t, 4> triggerValues = {600, -600, 20, 0};  // the "trgval?" words
    std::string serialNumber = "0471100";  // seven characters in the identity reply
    // Peak sample codes of noise added to every sample, so that no two acquisitions are alike:
    // a free-running instrument acquires anew every kAcquisitionUs, a single acquisition at its
    // trigger. 0 keeps every record exactly as its signal gives it.
    int noiseCodes = 0;
    // Served over every acquisition and the noise, in every request for the record.
    std::vector<PlantedCodes> plantedCodes;
    // How the copy request ends: CR LF, or CR or LF alone. Where it comes inside an answer, the
    // rest of the answer follows it after this pause.
    std::string copyRequestEnd = "\r\n";
    double copyRequestPauseMs = 0.0;
};

// What is wrong with a configuration, or nullopt when it is usable.
std::optional<std::string> configProblem(const SimulatorConfig& config);

}  // namespace ql::scopesim
