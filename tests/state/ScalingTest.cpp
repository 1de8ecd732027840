#include <gtest/gtest.h>

#include "state/InitProgramState.h"
#include "state/Scaling.h"

using namespace ql;

namespace {

ProgramState startState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    return s;
}

}  // namespace

TEST(ScaleTables, EndsAndTheEntriesOthersSingleOut)
{
    const ProgramState s = startState();
    const auto& t = s.tables;
    EXPECT_EQ(t.voltsPerDiv[0], 0.0);
    EXPECT_EQ(t.voltsPerDiv[1], 0.001);
    EXPECT_EQ(t.voltsPerDiv[9], 0.5);
    EXPECT_EQ(t.voltsPerDiv[14], 20.0);
    EXPECT_EQ(t.voltsPerDiv[15], 0.0);
    EXPECT_EQ(t.voltsPerDiv[20], 0.0);
    EXPECT_EQ(t.voltsStepCount, 14);

    EXPECT_EQ(t.timePerDiv[1], 5e-8);
    EXPECT_EQ(t.timePerDiv[18], 2e-2);
    EXPECT_EQ(t.timePerDiv[29], 100.0);
    EXPECT_EQ(t.timePerDiv[30], 0.0);
    EXPECT_EQ(t.timePerDiv[31], 0.0);
    EXPECT_EQ(t.timePerDiv[32], 2e-8);
    EXPECT_EQ(t.timePerDiv[33], 0.0);
    EXPECT_EQ(t.timePerDiv[40], 0.0);
    EXPECT_EQ(s.tbRange.tbAMaxIndex, 29);
    EXPECT_EQ(s.tbRange.tbBMaxIndex, 19);

    EXPECT_EQ(t.averageSteps[0], 0);
    EXPECT_EQ(t.averageSteps[1], 2);
    EXPECT_EQ(t.averageSteps[9], 512);
    EXPECT_EQ(t.averageSteps[10], 0);
    EXPECT_EQ(t.pretriggerSteps[1], -75);
    EXPECT_EQ(t.pretriggerSteps[4], 0);
    EXPECT_EQ(t.pretriggerSteps[8], 100);
    EXPECT_EQ(t.pretriggerSteps[9], 0);
}

TEST(Scaling, CodesWithoutATableValueGiveNoValue)
{
    const ProgramState s = startState();
    EXPECT_FALSE(voltsPerDivEntry(s.tables, 14));
    EXPECT_FALSE(voltsPerDivEntry(s.tables, 15));
    EXPECT_FALSE(voltsPerDivEntry(s.tables, -2));
    EXPECT_FALSE(voltsPerDivEntry(s.tables, 200));
    EXPECT_FALSE(timePerDivEntry(s.tables, 29));
    EXPECT_FALSE(timePerDivEntry(s.tables, 30));
    EXPECT_FALSE(timePerDivEntry(s.tables, 99));
    EXPECT_DOUBLE_EQ(*timePerDivEntry(s.tables, 31), 2e-8);
    EXPECT_DOUBLE_EQ(*timePerDivEntry(s.tables, 28), 100.0);
    EXPECT_FALSE(averageCount(s.tables, 0));
    EXPECT_FALSE(averageCount(s.tables, 300));
    EXPECT_EQ(*averageCount(s.tables, 4), 16);
    EXPECT_FALSE(pretriggerPercent(s.tables, 8));
    EXPECT_EQ(*pretriggerPercent(s.tables, 3), 0);

    ProgramState bad = startState();
    bad.ddf.tbAIndex = 30;
    bad.ddf.ch2VoltsIndex = 15;
    EXPECT_FALSE(timebaseATimePerSample(bad));
    EXPECT_FALSE(channelVoltsPerCode(bad, Channel::Ch2));
    EXPECT_FALSE(sampleVolts(bad, Channel::Ch2, 200));
}

TEST(Scaling, StartStateVoltsAndTimes)
{
    ProgramState s = startState();
    // 0.5 V/div with probe factor 10 and calibrated variable: 5 V/div, 0.2 V per code.
    EXPECT_DOUBLE_EQ(*channelVoltsPerDiv(s, Channel::Ch1), 5.0);
    EXPECT_DOUBLE_EQ(*channelVoltsPerCode(s, Channel::Ch1), 0.2);
    s.preamble.ch1ZeroOffset = 1;  // 0 V at code 128
    EXPECT_DOUBLE_EQ(*sampleVolts(s, Channel::Ch1, 128), 0.0);
    EXPECT_DOUBLE_EQ(*sampleVolts(s, Channel::Ch1, 153), 5.0);
    EXPECT_DOUBLE_EQ(*sampleVolts(s, Channel::Ch1, 28), -20.0);
    // 20 ms/div: 100 µs per sample.
    EXPECT_DOUBLE_EQ(*timebaseATimePerDiv(s), 0.02);
    EXPECT_DOUBLE_EQ(*timebaseATimePerSample(s), 1e-4);
    EXPECT_DOUBLE_EQ(*timebaseBTimePerDiv(s), 0.2);

    // Fully uncalibrated variables multiply by 2.5.
    s.ddf.ch2Variable = 0;
    s.ddf.tbAVariable = 1023;
    EXPECT_DOUBLE_EQ(*channelVoltsPerDiv(s, Channel::Ch2), 12.5);
    EXPECT_DOUBLE_EQ(*timebaseATimePerDiv(s), 0.05);
    EXPECT_DOUBLE_EQ(channelVariableFactor(255), 1.0);
    EXPECT_DOUBLE_EQ(timebaseVariableFactor(0), 1.0);
}
