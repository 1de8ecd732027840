#include <gtest/gtest.h>

#include "DisplayTestState.h"
#include "display/CursorReadout.h"

using namespace ql;
using namespace ql::test;

namespace {

// CH I at 0.5 V/div (0.02 V per code, zero at code 128), cursors at 500 and 1500, time base
// A at 1 ms/div with its variable at 0.
ProgramState cursorState()
{
    ProgramState s = measuredState();
    s.ddf.ch1VoltsIndex = kVolts500mV;
    s.ddf.tbAVariable = 0;
    setCursorPositions(s, 500, 1500);
    return s;
}

CursorReadout readout(const ProgramState& s)
{
    return cursorReadout(s, '.');
}

}  // namespace

TEST(CursorPositions, AreKeptOnTheRecord)
{
    ProgramState s = cursorState();
    setCursorPositions(s, 0, 5000);
    EXPECT_EQ(s.cursor.cursor1Pos, 1);
    EXPECT_EQ(s.cursor.cursor2Pos, 2046);
    setCursorPositions(s, -32768, 2046);
    EXPECT_EQ(s.cursor.cursor1Pos, 1);
    EXPECT_EQ(s.cursor.cursor2Pos, 2046);
    setCursorPositions(s, 17, 1);
    EXPECT_EQ(s.cursor.cursor1Pos, 17);
    EXPECT_EQ(s.cursor.cursor2Pos, 1);
}

TEST(CursorReadout, PositionsFromAnywhereAreClampedBeforeReading)
{
    ProgramState s = cursorState();
    s.waves.waveCh1[0] = 20;  // outside the shown record: must never be read
    s.waves.waveCh1[1] = 153;
    s.waves.waveCh1[2046] = 103;
    s.waves.waveCh1[2047] = 20;
    s.cursor.cursor1Pos = -5;  // as a damaged file could leave them
    s.cursor.cursor2Pos = 3000;
    const CursorReadout r = readout(s);
    EXPECT_EQ(r.trace1.atCursor1Text, ".500V");
    EXPECT_EQ(r.trace1.atCursor2Text, "-.500V");
    EXPECT_EQ(r.trace1.levelAtCursor1, 153);
    EXPECT_EQ(r.trace1.levelAtCursor2, 103);
    ASSERT_TRUE(r.dtSeconds);
    EXPECT_DOUBLE_EQ(*r.dtSeconds, 2045 / 200.0 * 0.001);
}

TEST(CursorReadout, VoltagesWithoutLeadingZeroAndWithTheLocaleSign)
{
    ProgramState s = cursorState();
    s.waves.waveCh1[500] = 153;   // +25 codes: 0.5 V
    s.waves.waveCh1[1500] = 154;  // 0.52 V
    CursorReadout r = readout(s);
    EXPECT_EQ(r.trace1Heading, "CH I");
    EXPECT_EQ(r.trace1.atCursor1Text, ".500V");
    EXPECT_EQ(r.trace1.atCursor2Text, ".520V");
    EXPECT_EQ(r.trace1.differenceText, "-.0200V");
    EXPECT_DOUBLE_EQ(*r.trace1.voltsAtCursor1, 0.5);
    EXPECT_EQ(r.trace1.levelAtCursor1, 153);

    r = cursorReadout(s, ',');
    EXPECT_EQ(r.trace1.atCursor1Text, ",500V");
    EXPECT_EQ(r.trace1.differenceText, "-,0200V");

    s.ddf.ch1VoltsIndex = kVolts20V;  // 200 V/div with the probe: 8 V per code
    s.ddf.ch1ProbeFactor = 10;
    s.waves.waveCh1[500] = 228;
    EXPECT_EQ(readout(s).trace1.atCursor1Text, "800.000V");
}

TEST(CursorReadout, TimeAndFrequencyBetweenTheCursors)
{
    ProgramState s = cursorState();
    CursorReadout r = readout(s);
    EXPECT_EQ(r.dtText, "5.000 ms");
    EXPECT_EQ(r.frequencyText, "200.000 Hz");
    setCursorPositions(s, 1500, 500);
    r = readout(s);
    EXPECT_EQ(r.dtText, "5.000 ms");
    EXPECT_EQ(r.frequencyText, "200.000 Hz");

    s.ddf.tbAIndex = kTb5us;
    setCursorPositions(s, 300, 500);
    r = readout(s);
    EXPECT_EQ(r.dtText, "5.000 \u00b5s");
    EXPECT_EQ(r.frequencyText, "200.000 kHz");

    s.ddf.tbAVariable = 1023;  // uncalibrated: 2.5 times longer
    r = readout(s);
    EXPECT_EQ(r.dtText, "12.500 \u00b5s");
    EXPECT_EQ(r.frequencyText, "80.000 kHz");
}

TEST(CursorReadout, CursorsOnOneSample)
{
    ProgramState s = cursorState();
    setCursorPositions(s, 700, 700);
    s.waves.waveCh1[700] = 140;
    const CursorReadout r = readout(s);
    EXPECT_EQ(r.dtText, "=");
    EXPECT_EQ(r.frequencyText, "=");
    EXPECT_EQ(r.trace1.atCursor1Text, ".240V");
    EXPECT_EQ(r.trace1.differenceText, ".0000V");
}

TEST(CursorReadout, TracesThatAreOffOrNotMeasured)
{
    ProgramState s = cursorState();
    s.ddf.ch1On = 0;
    CursorReadout r = readout(s);
    EXPECT_FALSE(r.trace1.trace);
    EXPECT_EQ(r.trace1.atCursor1Text, "Off");
    EXPECT_EQ(r.trace1.atCursor2Text, "Off");
    EXPECT_EQ(r.trace1.differenceText, "Off");
    EXPECT_EQ(r.trace1.levelAtCursor1, 0);
    EXPECT_EQ(r.trace1.levelAtCursor2, 0);
    EXPECT_EQ(r.dtText, "5.000 ms");  // time does not depend on the traces

    s.ddf.verAdd = 1;  // ADD mode: the live CH II is never measured
    EXPECT_EQ(readout(s).trace2.atCursor1Text, "Off");

    s.cursor.cursorOnRef = 1;  // REF I whatever CH I is; REF II with CH II's scale
    s.waves.waveRef1[500] = 178;
    s.waves.waveRef2[500] = 103;
    s.storage.ref1Pos = 10;
    r = readout(s);
    EXPECT_EQ(r.trace1Heading, "Ref I");
    EXPECT_EQ(r.trace2Heading, "Ref II");
    EXPECT_EQ(r.trace1.atCursor1Text, "1.000V");  // the stored code, without its position
    EXPECT_EQ(r.trace1.levelAtCursor1, 188);      // the mark sits where the trace is drawn
    EXPECT_EQ(r.trace2.atCursor1Text, "-1.000V");

    s.ddf.ref1On = 0;
    EXPECT_EQ(readout(s).trace1.atCursor1Text, "Off");
}

TEST(CursorReadout, ReferenceChoiceNeedsAReferenceTrace)
{
    ProgramState s = cursorState();
    s.cursor.cursorOnRef = 1;
    s.ddf.ref1On = 0;
    s.ddf.ref2On = 0;
    // The hardcopy reads without changing anything.
    CursorReadout r = readout(s);
    EXPECT_FALSE(r.refBoxEnabled);
    EXPECT_EQ(s.cursor.cursorOnRef, 1);

    r = updateCursorReadout(s, '.');
    EXPECT_EQ(s.cursor.cursorOnRef, 0);
    EXPECT_FALSE(r.refBoxEnabled);
    EXPECT_EQ(r.refBoxCaption, "Ref");
    EXPECT_EQ(r.trace1Heading, "CH I");
    EXPECT_EQ(r.trace2Heading, "CH II");

    s.ddf.ref2On = 1;
    s.cursor.cursorOnRef = 1;
    r = updateCursorReadout(s, '.');
    EXPECT_EQ(s.cursor.cursorOnRef, 1);
    EXPECT_TRUE(r.refBoxEnabled);
}

TEST(CursorReadout, TimeBaseBWindowTraces)
{
    ProgramState s = cursorState();
    s.tbB.tbBWindowOn = 1;
    s.ddf.tbBIndex = kTb10us;
    s.ddf.tbBVariable = 0;
    s.ddf.traceSeparation = 100;
    s.cursor.cursorOnRef = 1;
    s.waves.waveRef1[500] = 60;
    s.waves.waveRef2[1500] = 70;
    s.storage.ref1Pos = 50;  // ignored while the references hold the B traces
    CursorReadout r = readout(s);
    EXPECT_EQ(r.refBoxCaption, "TBB");
    EXPECT_EQ(r.trace1Heading, "TBB I");
    EXPECT_EQ(r.trace2Heading, "TBB II");
    EXPECT_EQ(r.trace1.levelAtCursor1, 60 + 28);
    EXPECT_EQ(r.trace2.levelAtCursor2, 70 + 28);
    EXPECT_EQ(r.dtText, "50.000 \u00b5s");  // 5 divisions of time base B
    EXPECT_EQ(r.frequencyText, "20.000 kHz");

    s.cursor.cursorOnRef = 0;  // the live channels keep time base A ...
    EXPECT_EQ(readout(s).dtText, "5.000 ms");
    s.ddf.timebaseMode = 3;  // ... unless only time base B is shown
    EXPECT_EQ(readout(s).dtText, "50.000 \u00b5s");
}

TEST(CursorReadout, StepsWithoutATableValueShowNoValue)
{
    ProgramState s = cursorState();
    s.ddf.tbAIndex = kTbEmpty;
    CursorReadout r = readout(s);
    EXPECT_FALSE(r.dtSeconds);
    EXPECT_EQ(r.dtText, "---");
    EXPECT_EQ(r.frequencyText, "---");
    EXPECT_EQ(r.trace1.atCursor1Text, "-2.560V");

    s.ddf.tbAIndex = kTb1ms;
    s.ddf.ch1VoltsIndex = 14;
    r = readout(s);
    EXPECT_EQ(r.trace1.atCursor1Text, "---");
    EXPECT_EQ(r.trace1.differenceText, "---");
    EXPECT_FALSE(r.trace1.voltsAtCursor1);
}
