#include <gtest/gtest.h>

#include "DisplayTestState.h"
#include "display/VisibleExtremes.h"

using namespace ql;
using namespace ql::test;

TEST(VisibleExtremes, OnlySamplesStrictlyInsideTheScreenCount)
{
    ProgramState s = measuredState();
    s.ddf.horPosition = 512;  // the record starts 24 steps left of the screen
    EXPECT_EQ(traceOriginX(512), -24);
    fillWave(s.waves.waveCh1, [](int) { return 100; });
    s.waves.waveCh1[24] = 250;   // x = 0: on the edge, not shown
    s.waves.waveCh1[25] = 200;   // x = 1
    s.waves.waveCh1[2023] = 30;  // x = 1999
    s.waves.waveCh1[2024] = 5;   // x = 2000: on the edge
    const VisibleExtremes e = findVisibleExtremes(s, 0);
    EXPECT_EQ(e.window.first, 0);
    EXPECT_EQ(e.window.last, 2000);
    EXPECT_EQ(e.ch1.max, 200);
    EXPECT_EQ(e.ch1.maxIndex, 25);
    EXPECT_EQ(e.ch1.min, 30);
    EXPECT_EQ(e.ch1.minIndex, 2023);

    storeVisibleExtremes(s.measure, e);
    EXPECT_EQ(s.measure.ch1Max, 200);
    EXPECT_EQ(s.measure.ch1MinIndex, 2023);
    EXPECT_EQ(s.measure.visFirst, 0);
    EXPECT_EQ(s.measure.visLast, 2000);
}

TEST(VisibleExtremes, FirstSampleHoldingTheExtreme)
{
    ProgramState s = measuredState();
    fillWave(s.waves.waveCh1, [](int i) { return i % 2 ? 40 : 90; });
    VisibleExtremes e = findVisibleExtremes(s, 0);
    EXPECT_EQ(e.ch1.minIndex, 1);
    EXPECT_EQ(e.ch1.maxIndex, 2);

    // A trace at the top or bottom code still names the sample holding it.
    for (int code : {255, 0}) {
        fillWave(s.waves.waveCh1, [code](int) { return code; });
        e = findVisibleExtremes(s, 0);
        EXPECT_EQ(e.ch1.min, code);
        EXPECT_EQ(e.ch1.max, code);
        EXPECT_EQ(e.ch1.minIndex, 1);
        EXPECT_EQ(e.ch1.maxIndex, 1);
    }
}

TEST(VisibleExtremes, MagnifiedWindow)
{
    ProgramState s = measuredState();
    s.ddf.xMag10 = 1;
    fillWave(s.waves.waveCh1, [](int i) { return i / 10; });
    VisibleExtremes e = findVisibleExtremes(s, 900);
    EXPECT_EQ(e.window.first, 900);
    EXPECT_EQ(e.window.last, 1100);
    EXPECT_EQ(e.ch1.minIndex, 901);
    EXPECT_EQ(e.ch1.maxIndex, 1090);

    EXPECT_EQ(findVisibleExtremes(s, -50).window.first, 0);
    EXPECT_EQ(findVisibleExtremes(s, 5000).window.last, 2000);
    s.ddf.xMag10 = 0;
    EXPECT_EQ(findVisibleExtremes(s, 900).window.first, 0);
}

TEST(VisibleExtremes, TracesNotDrawnKeepTheResetValuesAndTheLastIndexes)
{
    ProgramState s = measuredState();
    fillWave(s.waves.waveCh1, [](int i) { return i % 200; });
    fillWave(s.waves.waveCh2, [](int i) { return 50 + i % 100; });
    storeVisibleExtremes(s.measure, findVisibleExtremes(s, 0));
    const MeasurePoints before = s.measure;
    EXPECT_EQ(before.ch2Max, 149);

    s.ddf.ch1On = 0;
    s.ddf.verAdd = 1;  // ADD mode draws CH I only
    const VisibleExtremes e = findVisibleExtremes(s, 0);
    EXPECT_FALSE(e.ch1.anyVisible);
    EXPECT_FALSE(e.ch2.anyVisible);
    storeVisibleExtremes(s.measure, e);
    EXPECT_EQ(s.measure.ch1Min, 255);
    EXPECT_EQ(s.measure.ch1Max, 0);
    EXPECT_EQ(s.measure.ch2Min, 255);
    EXPECT_EQ(s.measure.ch2Max, 0);
    EXPECT_EQ(s.measure.ch1MaxIndex, before.ch1MaxIndex);
    EXPECT_EQ(s.measure.ch2MinIndex, before.ch2MinIndex);
}
