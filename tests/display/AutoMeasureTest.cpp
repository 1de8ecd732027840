#include <gtest/gtest.h>

#include <cmath>

#include "DisplayTestState.h"
#include "display/AutoMeasure.h"
#include "display/CursorReadout.h"
#include "display/VisibleExtremes.h"

using namespace ql;
using namespace ql::test;

namespace {

// What the screen redraw does before it measures: take the extremes of the visible samples.
std::optional<AutoMeasurement> redrawAndMeasure(ProgramState& s, int magnifiedScroll = 0)
{
    storeVisibleExtremes(s.measure, findVisibleExtremes(s, magnifiedScroll));
    return autoMeasure(s, '.');
}

// First sample after `from` whose code satisfies `test`, found by a plain scan.
int firstSample(const Waveform& w, int from, const std::function<bool(int)>& test)
{
    for (int i = from; i <= kLastShownSample; ++i)
        if (test(w[static_cast<std::size_t>(i)])) return i;
    return 0;
}

}  // namespace

TEST(AutoMeasure, NothingBeforeTheFirstData)
{
    ProgramState s = measuredState();
    s.screen.noDataYet = 1;
    s.measure.ch1PeriodStart = 11;
    EXPECT_FALSE(redrawAndMeasure(s));
    EXPECT_EQ(s.measure.ch1PeriodStart, 11);
}

TEST(AutoMeasure, SineOfFiveHundredSamplesPerCycle)
{
    ProgramState s = measuredState();
    s.ddf.ch2On = 0;
    fillWave(s.waves.waveCh1, sineCodes(128, 50, 500));  // codes 78..178, minimum at sample 1
    const auto m = redrawAndMeasure(s);
    ASSERT_TRUE(m);

    const Waveform& w = s.waves.waveCh1;
    const int below = firstSample(w, 1, [](int c) { return c < 125; });
    const int start = firstSample(w, below, [](int c) { return c > 131; });
    EXPECT_EQ(s.measure.ch1PeriodStart, start);
    EXPECT_EQ(s.measure.ch1PeriodEnd, start + 500);
    EXPECT_EQ(m->ch1.periodText, "2.500 ms");
    EXPECT_EQ(m->ch1.frequencyText, "400.000 Hz");

    EXPECT_EQ(m->ch1.vpPlusText, "2.000V");
    EXPECT_EQ(m->ch1.vpMinusText, "-2.000V");
    EXPECT_EQ(m->ch1.vppText, "4.0000V");

    EXPECT_EQ(m->ch2.vpPlusText, "Off");
    EXPECT_EQ(m->ch2.vavText, "Off");
    EXPECT_EQ(m->ch2.frequencyText, "---");
    EXPECT_EQ(m->ch2.periodText, "---");

    // A click on a frequency cell puts Cursor I on the period's end, Cursor II on its start.
    ASSERT_TRUE(moveCursorsToMeasurement(s, MeasureCell::Ch1Timing));
    EXPECT_EQ(s.cursor.cursor1Pos, start + 500);
    EXPECT_EQ(s.cursor.cursor2Pos, start);
    ASSERT_TRUE(moveCursorsToMeasurement(s, MeasureCell::Ch1Voltage));
    EXPECT_EQ(w[static_cast<std::size_t>(s.cursor.cursor1Pos)], 178);
    EXPECT_EQ(w[static_cast<std::size_t>(s.cursor.cursor2Pos)], 78);
}

TEST(AutoMeasure, SineOfKnownAmplitudeAndPeriodWithinOneCodeAndOneSample)
{
    const double amplitudes[] = {20, 60, 95};
    const double periods[] = {37.7, 181.25, 437.3, 880};
    for (double amplitude : amplitudes) {
        for (double period : periods) {
            ProgramState s = measuredState();
            s.ddf.ch1VoltsIndex = kVolts2V;  // 0.08 V per code
            s.ddf.tbAIndex = kTb50us;        // 0.25 µs per sample
            fillWave(s.waves.waveCh1, sineCodes(128, amplitude, period, 7));
            const auto m = redrawAndMeasure(s);
            ASSERT_TRUE(m);
            const double voltsPerCode = 0.08, secondsPerSample = 50e-6 / 200;
            ASSERT_TRUE(m->ch1.vpp && m->ch1.frequency);
            EXPECT_NEAR(*m->ch1.vpp, 2 * amplitude * voltsPerCode, voltsPerCode)
                << amplitude << " " << period;
            EXPECT_NEAR(*m->ch1.period, period * secondsPerSample, secondsPerSample)
                << amplitude << " " << period;
            EXPECT_NEAR(1 / *m->ch1.frequency, *m->ch1.period, 1e-15);
        }
    }
}

TEST(AutoMeasure, AverageTakesTheWholeRecord)
{
    ProgramState s = measuredState();
    // Square wave starting high, 150 samples at 200 then 150 at 50: a falling first crossing.
    fillWave(s.waves.waveCh1, [](int i) { return ((i - 1) / 150) % 2 == 0 ? 200 : 50; });
    fillWave(s.waves.waveCh2, sineCodes(100, 40, 341));  // 6 whole cycles in 2046 samples
    auto m = redrawAndMeasure(s);
    ASSERT_TRUE(m);
    EXPECT_EQ(s.measure.ch1PeriodStart, 151);
    EXPECT_EQ(s.measure.ch1PeriodEnd, 451);
    EXPECT_EQ(m->ch1.periodText, "1.500 ms");
    EXPECT_EQ(m->ch1.frequencyText, "666.667 Hz");

    double sum = 0;
    for (int i = 1; i <= 2046; ++i) sum += s.waves.waveCh1[static_cast<std::size_t>(i)];
    EXPECT_NEAR(*m->ch1.vav, (sum / 2046 - 128) * 0.04, 1e-9);
    EXPECT_NEAR(*m->ch2.vav, (100 - 128) * 0.04, 0.04);

    // Magnified on the centre division: the record's average does not change, a period of
    // more than one division is not found.
    s.ddf.xMag10 = 1;
    m = redrawAndMeasure(s, 900);
    EXPECT_NEAR(*m->ch1.vav, (sum / 2046 - 128) * 0.04, 1e-9);
    EXPECT_EQ(m->ch1.periodText, "---");
    EXPECT_EQ(m->ch1.frequencyText, "---");
}

TEST(AutoMeasure, MidLevelHalvesGoToEven)
{
    EXPECT_EQ(measureMidLevel(100, 151), 126);  // 125.5
    EXPECT_EQ(measureMidLevel(100, 153), 126);  // 126.5
    EXPECT_EQ(measureMidLevel(100, 155), 128);  // 127.5
    EXPECT_EQ(measureMidLevel(78, 178), 128);

    // The band decides: with min 100 and max 153 the band is 123..129, so a step to 130
    // starts the period, which a mid of 127 would not.
    ProgramState s = measuredState();
    fillWave(s.waves.waveCh1, [](int i) {
        const int phase = (i - 1) % 400;
        return phase < 100 ? 100 : phase < 200 ? 130 : phase < 300 ? 100 : 153;
    });
    redrawAndMeasure(s);
    EXPECT_EQ(s.measure.ch1PeriodStart, 101);
    EXPECT_EQ(s.measure.ch1PeriodEnd, 301);
}

TEST(AutoMeasure, TracesWithoutAPeriod)
{
    ProgramState s = measuredState();
    fillWave(s.waves.waveCh1, [](int i) { return 128 + i % 3; });          // inside mid +- 3
    fillWave(s.waves.waveCh2, [](int i) { return i < 1000 ? 60 : 190; });  // one crossing
    s.measure.ch1PeriodStart = 7;
    s.measure.ch2PeriodEnd = 9;
    auto m = redrawAndMeasure(s);
    EXPECT_EQ(m->ch1.periodText, "---");
    EXPECT_EQ(m->ch1.frequencyText, "---");
    EXPECT_FALSE(m->ch1.period);
    EXPECT_EQ(m->ch1.vppText, ".0800V");
    EXPECT_EQ(s.measure.ch1PeriodStart, 7);

    EXPECT_EQ(m->ch2.periodText, "---");
    EXPECT_EQ(s.measure.ch2PeriodStart, 1000);  // the start was found, the end kept
    EXPECT_EQ(s.measure.ch2PeriodEnd, 9);

    fillWave(s.waves.waveCh1, [](int) { return 140; });
    m = redrawAndMeasure(s);
    EXPECT_EQ(m->ch1.vppText, ".0000V");
    EXPECT_EQ(m->ch1.vpPlusText, ".480V");
}

TEST(AutoMeasure, ChannelsNotMeasured)
{
    ProgramState s = measuredState();
    fillWave(s.waves.waveCh1, sineCodes(128, 50, 500));
    fillWave(s.waves.waveCh2, sineCodes(128, 50, 500));
    redrawAndMeasure(s);
    const MeasurePoints found = s.measure;

    s.ddf.ch1On = 0;
    s.ddf.verAdd = 1;  // ADD mode: CH II like a channel switched off
    const auto m = redrawAndMeasure(s);
    for (const ChannelMeasurement* c : {&m->ch1, &m->ch2}) {
        EXPECT_FALSE(c->measured);
        EXPECT_EQ(c->vpPlusText, "Off");
        EXPECT_EQ(c->vpMinusText, "Off");
        EXPECT_EQ(c->vppText, "Off");
        EXPECT_EQ(c->vavText, "Off");
        EXPECT_EQ(c->frequencyText, "---");
        EXPECT_EQ(c->periodText, "---");
    }
    // Clicks go to the places of the last redraw in which the channel was measured.
    EXPECT_EQ(s.measure.ch1MaxIndex, found.ch1MaxIndex);
    EXPECT_EQ(s.measure.ch2PeriodStart, found.ch2PeriodStart);
    ASSERT_TRUE(moveCursorsToMeasurement(s, MeasureCell::Ch2Timing));
    EXPECT_EQ(s.cursor.cursor1Pos, found.ch2PeriodEnd);
    EXPECT_EQ(s.cursor.cursor2Pos, found.ch2PeriodStart);
}

TEST(AutoMeasure, ClicksBeforeAnythingWasFoundMoveNothing)
{
    ProgramState s = measuredState();
    for (MeasureCell cell : {MeasureCell::Ch1Voltage, MeasureCell::Ch1Timing,
                             MeasureCell::Ch2Voltage, MeasureCell::Ch2Timing}) {
        EXPECT_FALSE(cursorTargetsForCell(s.measure, cell));
        EXPECT_FALSE(moveCursorsToMeasurement(s, cell));
    }
    EXPECT_EQ(s.cursor.cursor1Pos, 500);
    EXPECT_EQ(s.cursor.cursor2Pos, 1500);
    s.measure.ch1MaxIndex = 2047;
    s.measure.ch1MinIndex = 3;
    EXPECT_FALSE(cursorTargetsForCell(s.measure, MeasureCell::Ch1Voltage));
}

TEST(AutoMeasure, NoVisibleSampleShowsNoValue)
{
    ProgramState s = measuredState();
    fillWave(s.waves.waveCh1, sineCodes(128, 50, 500));
    s.ddf.horPosition = 0;  // the record ends at screen x 998
    s.ddf.xMag10 = 1;
    const auto m = redrawAndMeasure(s, 1800);
    EXPECT_LT(s.measure.ch1Max, s.measure.ch1Min);
    EXPECT_TRUE(m->ch1.measured);
    EXPECT_FALSE(m->ch1.vpp);
    EXPECT_EQ(m->ch1.vpPlusText, "---");
    EXPECT_EQ(m->ch1.vpMinusText, "---");
    EXPECT_EQ(m->ch1.vppText, "---");
    EXPECT_EQ(m->ch1.vavText, "---");
    EXPECT_EQ(m->ch1.periodText, "---");
}

TEST(AutoMeasure, TimeBaseOfThePeriod)
{
    ProgramState s = measuredState();
    fillWave(s.waves.waveCh1, sineCodes(128, 50, 500));
    s.ddf.tbBIndex = kTb10us;
    s.ddf.timebaseMode = 3;  // only time base B shown
    auto m = redrawAndMeasure(s);
    EXPECT_EQ(m->ch1.periodText, "25.000 \u00b5s");
    EXPECT_EQ(m->ch1.frequencyText, "40.000 kHz");

    s.ddf.tbBIndex = kTbEmpty;
    m = redrawAndMeasure(s);
    EXPECT_EQ(m->ch1.periodText, "---");
    EXPECT_EQ(m->ch1.frequencyText, "---");
    EXPECT_EQ(m->ch1.vppText, "4.0000V");

    s.ddf.timebaseMode = 0;
    s.ddf.ch1VoltsIndex = 15;  // a volts step without a value
    m = redrawAndMeasure(s);
    EXPECT_EQ(m->ch1.vppText, "---");
    EXPECT_EQ(m->ch1.periodText, "2.500 ms");
}
