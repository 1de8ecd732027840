#pragma once
// Start state for the display tests and the waveforms they measure.

#include <cmath>
#include <functional>
#include <numbers>

#include "state/InitProgramState.h"
#include "state/ProgramState.h"

namespace ql::test {

// Volts/div and time-base codes (the table element minus one).
constexpr int kVolts5mV = 2, kVolts500mV = 8, kVolts1V = 9, kVolts2V = 10, kVolts20V = 13;
constexpr int kTb50ns = 0, kTb1us = 4, kTb5us = 6, kTb10us = 7, kTb50us = 9, kTb1ms = 13,
              kTb2ms = 14, kTb100s = 28;
constexpr int kTbEmpty = 29;  // a code whose table entry is 0

// Start values with data present, calibrated channels at 1 V/div and probe x1, CH I's zero at
// code 128 (so a code reads (code - 128) x 0.04 V) and the record starting at screen x 0.
inline ProgramState measuredState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.screen.noDataYet = 0;
    s.ddf.ch1ProbeFactor = s.ddf.ch2ProbeFactor = 1;
    s.ddf.ch1VoltsIndex = s.ddf.ch2VoltsIndex = kVolts1V;
    s.preamble.ch1ZeroOffset = s.preamble.ch2ZeroOffset = 1;
    s.ddf.horPosition = 524;
    s.ddf.tbAIndex = kTb1ms;
    return s;
}

inline void fillWave(Waveform& w, const std::function<double(int)>& codeOfSample)
{
    for (int i = 0; i < kWaveArraySize; ++i)
        w[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(codeOfSample(i)));
}

// Sine around `centre` that is at its minimum at sample `minimumAt`.
inline std::function<double(int)> sineCodes(double centre, double amplitude, double period,
                                            int minimumAt = 1)
{
    return [=](int i) {
        return centre - amplitude * std::cos(2 * std::numbers::pi * (i - minimumAt) / period);
    };
}

}  // namespace ql::test
