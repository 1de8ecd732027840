// Generated records against the scaling rule computed by hand (25 codes and 200 samples per
// division, 0 V at zero offset + 127) and a naive DFT for the line current's harmonics.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "scopesim/Instrument.h"
#include "scopesim/WaveformGenerator.h"

using namespace ql::scopesim;

namespace {

struct Scope {
    explicit Scope(std::string model = "TX226-2")
    {
        SimulatorConfig c;
        c.model = std::move(model);
        c.firmware = "2.10";
        instrument.emplace(c);
        // 1:1 probes, so the volts below are the volts at the input.
        instrument->settings().ch1ProbeFactor = 1;
        instrument->settings().ch2ProbeFactor = 1;
    }
    Instrument& in() { return *instrument; }
    MainBlock& m() { return instrument->mainBlock(); }
    std::optional<Instrument> instrument;
};

std::pair<int, int> extremes(const WaveRecord& r)
{
    const auto [lo, hi] = std::minmax_element(r.begin(), r.end());
    return {*lo, *hi};
}

// Amplitude (in codes) of the DFT bin k over the first n samples.
double binAmplitude(const WaveRecord& r, int n, int k)
{
    std::complex<double> sum;
    for (int i = 0; i < n; ++i)
        sum += static_cast<double>(r[static_cast<std::size_t>(i)]) *
               std::polar(1.0, -2.0 * std::numbers::pi * k * i / n);
    return 2.0 * std::abs(sum) / n;
}

}  // namespace

TEST(StepTables, OneTwoFiveFromOneMillivoltAndFiftyNanoseconds)
{
    EXPECT_DOUBLE_EQ(voltsPerDivOfStep(0), 1e-3);
    EXPECT_DOUBLE_EQ(voltsPerDivOfStep(8), 0.5);
    EXPECT_DOUBLE_EQ(voltsPerDivOfStep(13), 20.0);
    EXPECT_DOUBLE_EQ(timePerDivOfStep(0), 50e-9);
    EXPECT_DOUBLE_EQ(timePerDivOfStep(13), 1e-3);
    EXPECT_DOUBLE_EQ(timePerDivOfStep(18), 50e-3);
    EXPECT_DOUBLE_EQ(timePerDivOfStep(28), 100.0);
    EXPECT_DOUBLE_EQ(timePerDivOfStep(31), 20e-9);
    EXPECT_EQ(timePerDivOfStep(29), 0.0);
}

TEST(Waveform, SineSpansTheCodesOfItsVoltsPerDivision)
{
    Scope s;
    s.in().setSignal(1, Signal::sine(1000.0, 1.0));  // 2 Vpp at 0.5 V/div: four divisions
    s.m().set(MainField::Ch1VoltsIndex, 8);
    const auto [lo, hi] = extremes(s.in().channelRecord(1));
    EXPECT_EQ(lo, 127 - 50);
    EXPECT_EQ(hi, 127 + 50);

    // Probe x10 and the variable at 0 (factor 2.5): 20 Vpp over 12.5 V/div = 40 codes.
    s.in().setSignal(1, Signal::sine(1000.0, 10.0));
    s.in().settings().ch1ProbeFactor = 10;
    s.m().set(MainField::Ch1Variable, 0);
    const auto [lo2, hi2] = extremes(s.in().channelRecord(1));
    EXPECT_EQ(lo2, 127 - 20);
    EXPECT_EQ(hi2, 127 + 20);
}

TEST(Waveform, ClipsAtTheEndsOfTheByte)
{
    Scope s;
    s.in().setSignal(1, Signal::square(1000.0, 20.0));
    const auto [lo, hi] = extremes(s.in().channelRecord(1));
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 255);
}

TEST(Waveform, PositionCouplingAndInversion)
{
    Scope s;
    s.in().setSignal(1, Signal::dc(1.0));  // 0.5 V/div: +50 codes
    s.m().set(MainField::Ch1VoltsIndex, 8);
    s.in().setChannelPosition(1, 511 + 40);  // zero offset +10
    EXPECT_EQ(s.in().preamble().ch1ZeroOffset, 10);
    EXPECT_EQ(s.in().channelRecord(1)[0], 127 + 10 + 50);
    s.m().set(MainField::Ch1Invert, 1);
    EXPECT_EQ(s.in().channelRecord(1)[0], 127 + 10 - 50);
    s.m().set(MainField::Ch1Coupling, 1);  // AC removes the level
    EXPECT_EQ(s.in().channelRecord(1)[0], 137);
    s.m().set(MainField::Ch1Invert, 0);
    s.m().set(MainField::Ch1Coupling, 2);  // GND
    s.in().setSignal(1, Signal::sine(1000.0, 1.0));
    const auto [lo, hi] = extremes(s.in().channelRecord(1));
    EXPECT_EQ(lo, 137);
    EXPECT_EQ(hi, 137);
}

TEST(Waveform, TimeBaseGivesTwoHundredSamplesPerDivisionAndTheTriggerAtTheLevel)
{
    Scope s;
    s.in().setSignal(1, Signal::sine(1000.0, 1.0));
    s.m().set(MainField::Ch1VoltsIndex, 8);
    s.m().set(MainField::TbAIndex, 13);        // 1 ms/div: one period per division
    s.m().set(MainField::PretriggerIndex, 4);  // 25 %: trigger sample 501
    const WaveRecord r = s.in().channelRecord(1);
    const Preamble p = s.in().preamble();
    EXPECT_EQ(p.trigPos, 500);
    int rising = 0;
    for (int i = 0; i + 1 < 2000; ++i)
        if (r[static_cast<std::size_t>(i)] < 127 && r[static_cast<std::size_t>(i + 1)] >= 127)
            ++rising;
    EXPECT_EQ(rising, 10);
    // Level 511 lies 0.9 codes above 0 V; the trace rises through it at the trigger sample.
    EXPECT_LE(r[499], 128);
    EXPECT_GE(r[501], 128);
    EXPECT_LT(r[400], r[500]);
    // A time-base variable of 1023 makes a division 2.5 times as long.
    s.in().settings().ddf1[kTbAVariable] = 1023;
    EXPECT_DOUBLE_EQ(s.in().generator().sampleIntervalA(), 1e-3 * 2.5 / 200.0);
}

TEST(Waveform, LineCurrentHarmonicsHaveTheirChosenAmplitudes)
{
    Scope s;
    s.in().setSignal(1, Signal::lineCurrent(50.0, 2.0, {{3, 0.4, 0.0}, {5, 0.2, 30.0}}));
    s.m().set(MainField::Ch1VoltsIndex, 9);  // 1 V/div: 25 codes per volt
    s.m().set(MainField::TbAIndex, 16);      // 10 ms/div: 2000 samples hold five periods
    s.m().set(MainField::TrigCoupling, 6);   // LINE on a model without time base B
    const WaveRecord r = s.in().channelRecord(1);
    const double voltsPerCode = s.in().generator().voltsPerCode(1);
    EXPECT_DOUBLE_EQ(voltsPerCode, 0.04);
    EXPECT_NEAR(binAmplitude(r, 2000, 5) * voltsPerCode, 2.0, 0.01);
    EXPECT_NEAR(binAmplitude(r, 2000, 15) * voltsPerCode, 0.4, 0.01);
    EXPECT_NEAR(binAmplitude(r, 2000, 25) * voltsPerCode, 0.2, 0.01);
    EXPECT_NEAR(binAmplitude(r, 2000, 10) * voltsPerCode, 0.0, 0.01);
}

TEST(Waveform, HoldFreezesTheRecords)
{
    Scope s;
    const WaveRecord before = s.in().channelRecord(1);
    s.in().setHoldWaveform(true);
    s.in().setSignal(1, Signal::square(300.0, 1.5));
    EXPECT_EQ(s.in().channelRecord(1), before);
    s.in().setHoldWaveform(false);
    EXPECT_NE(s.in().channelRecord(1), before);
}

TEST(Autoset, FitsVoltsAndTimeToTheSignals)
{
    Scope s;
    s.in().setSignal(1, Signal::sine(50.0, 3.0));  // 6 Vpp: 1 V/div; two periods need 4 ms/div
    s.in().setSignal(2, Signal::dc(0.0));
    s.m().set(MainField::Ch1Coupling, 2);
    s.m().set(MainField::XYMode, 1);
    s.m().set(MainField::StorageMode, 1);
    s.in().setChannelPosition(1, 100);
    s.in().runAutoset();
    EXPECT_EQ(s.m().get(MainField::Ch1VoltsIndex), 9);
    EXPECT_EQ(s.m().get(MainField::TbAIndex), 15);  // 5 ms/div
    EXPECT_EQ(s.m().get(MainField::Ch1On), 1);
    EXPECT_EQ(s.m().get(MainField::Ch2On), 0);
    EXPECT_EQ(s.m().get(MainField::Ch1Coupling), 0);
    EXPECT_EQ(s.m().get(MainField::XYMode), 0);
    EXPECT_EQ(s.m().get(MainField::StorageMode), 0);
    EXPECT_EQ(s.in().preamble().ch1ZeroOffset, 0);
    const auto [lo, hi] = extremes(s.in().channelRecord(1));
    EXPECT_EQ(hi - lo, 150);
}
