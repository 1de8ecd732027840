#pragma once
// Turns the signals at the two inputs into what the instrument stores: 2047 eight-bit sample
// codes per record, 25 codes and 200 samples per division, the code of 0 V at the zero offset
// + 127, clipped at 0 and 255, taken through the instrument's current volts/div, probe factor,
// variable gain, coupling, inversion, time/div and trigger.

#include <array>
#include <cstdint>

#include "InstrumentSettings.h"
#include "ModelProfile.h"
#include "Signal.h"

namespace ql::scopesim {

constexpr int kRecordLength = 2047;
using WaveRecord = std::array<std::uint8_t, kRecordLength>;

struct Preamble {
    std::int16_t trigPos = 0;  // samples before the trigger: the trigger sample is trigPos + 1
    std::int16_t pre2 = 0;     // record length
    std::int16_t pre3 = 0;     // time-base A step
    std::int16_t ch1ZeroOffset = 0;
    std::int16_t ch2ZeroOffset = 0;
};

// The instrument's step tables, by step code: 1 mV..20 V per division for 0..13 and 50 ns..
// 100 s per division for 0..28, 20 ns for 31, all in 1-2-5 steps. A code outside the table
// acts as the nearest end of it (volts) or as 0 s (time).
double voltsPerDivOfStep(int code);
double timePerDivOfStep(int code);

class WaveformGenerator {
public:
    WaveformGenerator(const InstrumentSettings& settings, const ModelProfile& profile,
                      float firmware, const std::array<Signal, 2>& inputs);

    Preamble preamble() const;
    // CH I (channel 1) or CH II (channel 2) on the displayed time base.
    WaveRecord channelRecord(int channel) const;
    // The time-base-B trace of a channel (what REF I/REF II carry in the A-and-B view).
    WaveRecord timebaseBRecord(int channel) const;

    // Volts per sample code of a channel, and the code of 0 V.
    double voltsPerCode(int channel) const;
    int zeroOffset(int channel) const;
    int zeroCode(int channel) const { return zeroOffset(channel) + 127; }
    // Sample code of a voltage at the probe tip (before coupling), clipped to 0..255.
    std::uint8_t codeOf(int channel, double volts) const;

    // Seconds between samples on time base A and B.
    double sampleIntervalA() const;
    double sampleIntervalB() const;
    // Time of the trigger point (seconds on the signals' clock).
    double triggerTime() const;
    // Trigger-level mark height in 1/40 code around code 128, for time base A and B.
    std::int16_t triggerPositionA() const;
    std::int16_t triggerPositionB() const;

private:
    double coupledVolts(int channel, double t) const;
    WaveRecord sampleRecord(int channel, double firstSampleTime, double interval) const;
    double levelCode(int levelWord) const;

    const InstrumentSettings& settings_;
    const ModelProfile& profile_;
    float firmware_;
    const std::array<Signal, 2>& signals_;
};

}  // namespace ql::scopesim
