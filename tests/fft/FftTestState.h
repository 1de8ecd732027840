#pragma once
// A program state set up for spectrum tests and waveforms made from their definition.

#include <vector>

#include "state/ProgramState.h"

namespace ql::test {

// Both channels on at 0.5 V/div (20 mV per code, probe 1, variable calibrated), time base A
// at 1 ms/div (lines 97.65625 Hz apart), zero offsets 0 (code 127 is 0 V), zoom 1.
ProgramState spectrumState();

// Codes 1..2046 of zeroCode + dc + amplitude x sin(2 pi line (i - 1) / 2048 + phase).
void fillSine(Waveform& wave, int zeroCode, double amplitude, double line, double phase = 0.3,
              double dc = 0.0);

// Everything a computation may change, to show that a refused one changed nothing.
struct SpectrumSnapshot {
    std::vector<std::vector<double>> buffers;
    std::vector<double> fields;
    bool operator==(const SpectrumSnapshot&) const = default;
};
SpectrumSnapshot snapshot(const ProgramState& s);

}  // namespace ql::test
