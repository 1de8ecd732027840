#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "DisplayTestState.h"
#include "display/TriggerMark.h"

using namespace ql;
using namespace ql::test;

namespace {

// Firmware 2.0 model with the first comparator references, DC trigger on CH I at the centre
// position, and CH I's visible trace spanning the whole screen.
ProgramState markState()
{
    ProgramState s = measuredState();
    s.identity.firmwareVersion = 2.0f;
    s.caps.unitXyinv = true;
    s.ddf.trigSource = 0;
    s.ddf.trigCoupling = 1;
    s.ddf.timebaseMode = 0;
    s.ddf.ch1Position = 511;
    s.ddf.trigLevelA = 510;
    s.preamble.wfmTrigPos = 999;
    s.measure.ch1Min = 28;
    s.measure.ch1Max = 228;
    fillWave(s.waves.waveCh1, [](int i) { return 40 + i % 150; });
    return s;
}

}  // namespace

TEST(TriggerMark, OlderFirmwarePutsTheMarkOnTheTrace)
{
    ProgramState s = markState();
    s.identity.firmwareVersion = 1.16f;
    s.waves.waveCh1[1000] = 173;
    const TrigMark m = calcTriggerMark(s);
    EXPECT_EQ(m.trigMarkY, 173);
    EXPECT_EQ(m.trigMarkOnTrace, 0);
    EXPECT_EQ(s.trigMark.trigMarkY, 173);

    s.ddf.trigSource = 1;
    s.waves.waveCh2[1000] = 61;
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, 61);
}

TEST(TriggerMark, DcLevelOnTimeBaseA)
{
    ProgramState s = markState();
    const TrigMark m = calcTriggerMark(s);
    // (510 x 5 / 1023 - 2.43) x 4000 = 250.67 thousandths of a division above the zero line.
    EXPECT_NEAR(s.trigCal.trigLevelMdiv, 250.67, 0.01);
    EXPECT_EQ(s.trigCal.trigRefVoltsA, 2.43f);
    EXPECT_EQ(s.trigCal.trigRefVoltsB, 2.69f);
    EXPECT_EQ(m.trigMarkY, 133);
    EXPECT_EQ(m.trigMarkOnTrace, 0);

    // The channel position moves the level with the trace: +10 steps are 100 thousandths.
    s.ddf.ch1Position = 521;
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, 135);

    // Time base B on a model with separate B comparator: B level, reference and scale.
    s = markState();
    s.ddf.timebaseMode = 3;
    s.ddf.trigLevelB = 600;
    calcTriggerMark(s);
    const double expected = (600 * 5 / 1023.0 - 2.69f) * static_cast<float>(1000 / 0.28);
    EXPECT_NEAR(s.trigCal.trigLevelMdiv, expected, 0.01);
    EXPECT_EQ(s.trigMark.trigMarkY, static_cast<int>(std::floor(expected * 25 / 1000 + 127)));
}

TEST(TriggerMark, OtherCouplingsUseTheReportedCalibration)
{
    ProgramState s = markState();
    s.caps.unitXyinv = false;
    s.caps.unitDigimodec = true;
    s.trigCal.trgVal1 = 300;
    s.trigCal.trgVal2 = 100;
    s.trigCal.trgVal3 = -20;
    s.ddf.trigCoupling = 0;
    const double offset = (300 - 100) / 2.0 - 20 - 100;  // -20
    calcTriggerMark(s);
    EXPECT_EQ(s.trigCal.trigRefVoltsA, 2.66f);
    const double plain = (5 / 1023.0 * 510 - 2.66f + offset / 4000) * 4000;
    EXPECT_NEAR(s.trigCal.trigLevelMdiv, plain, 0.01);

    s.ddf.trigLevelRelative = 1;
    calcTriggerMark(s);
    const double zero = 2.66f * 1023 / 5.0;
    const double relative = (510 - zero) * 200 / 1023 + offset;
    EXPECT_NEAR(s.trigCal.trigLevelMdiv, relative, 0.01);
    EXPECT_EQ(s.trigMark.trigMarkY, static_cast<int>(std::floor(relative * 25 / 1000 + 127)));
}

TEST(TriggerMark, ALevelOutsideTheVisibleTraceGoesOnTheTrace)
{
    ProgramState s = markState();
    s.measure.ch1Max = 130;  // computed 133 lies above the visible trace
    s.waves.waveCh1[1000] = 90;
    TrigMark m = calcTriggerMark(s);
    EXPECT_EQ(m.trigMarkY, 90);
    EXPECT_EQ(m.trigMarkOnTrace, 1);

    // CH I not drawn: the extremes keep their reset values and the mark is always replaced.
    s.measure.ch1Min = 255;
    s.measure.ch1Max = 0;
    m = calcTriggerMark(s);
    EXPECT_EQ(m.trigMarkY, 90);
    EXPECT_EQ(m.trigMarkOnTrace, 1);
}

TEST(TriggerMark, CouplingsWithoutALevelSourcesWithoutAMark)
{
    ProgramState s = markState();
    s.identity.firmwareVersion = 1.0f;
    s.waves.waveCh1[1000] = 150;
    auto markFor = [&](bool digimodea, bool digimodec2, int coupling) {
        s.caps.unitDigimodea = digimodea;
        s.caps.unitDigimodec2 = digimodec2;
        s.ddf.trigCoupling = static_cast<byte>(coupling);
        return calcTriggerMark(s).trigMarkY;
    };
    EXPECT_EQ(markFor(true, false, 2), kNoTriggerMark);  // HF
    EXPECT_EQ(markFor(false, true, 2), kNoTriggerMark);
    EXPECT_EQ(markFor(true, false, 3), 150);  // LF
    EXPECT_EQ(markFor(false, true, 3), 150);
    EXPECT_EQ(markFor(true, false, 4), kNoTriggerMark);
    EXPECT_EQ(markFor(false, true, 4), 150);
    EXPECT_EQ(markFor(false, true, 5), kNoTriggerMark);
    EXPECT_EQ(markFor(false, false, 6), 150);

    s.ddf.trigCoupling = 1;
    s.ddf.trigSource = 2;
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, kNoTriggerMark);
    s.ddf.trigSource = 3;
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, kNoTriggerMark);
    s.ddf.trigSource = 0;
    s.ddf.trigAlternate = 1;
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, kNoTriggerMark);
}

TEST(TriggerMark, ReportedPositionRoundsHalvesToEven)
{
    ProgramState s = markState();
    s.caps.unitTrgypos = true;
    s.trgPos.trgPosA = -400;
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, 118);
    EXPECT_EQ(s.trigMark.trigMarkOnTrace, 0);

    const std::pair<int, int> halves[] = {{20, 128}, {60, 130}, {-20, 128}, {-60, 126}};
    for (const auto& [reported, expected] : halves) {
        s.trgPos.trgPosA = reported;
        EXPECT_EQ(calcTriggerMark(s).trigMarkY, expected) << reported;
    }
    s.trgPos.trgPosA = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, 255);
    s.trgPos.trgPosA = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, 0);

    s.ddf.timebaseMode = 3;
    s.trgPos.trgPosB = 400;
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, 138);
}

TEST(TriggerMark, ModelWithoutComparatorReferencesShowsNoMark)
{
    for (int coupling : {0, 1}) {
        for (int relative : {0, 1}) {
            ProgramState s = markState();
            s.caps.unitXyinv = false;
            s.caps.unitDigimodec = false;
            s.trigCal.trigRefVoltsA = 0;  // never defined for this model
            s.ddf.trigCoupling = static_cast<byte>(coupling);
            s.ddf.trigLevelRelative = static_cast<byte>(relative);
            EXPECT_EQ(calcTriggerMark(s).trigMarkY, kNoTriggerMark);
            EXPECT_EQ(s.trigMark.trigMarkOnTrace, 0);
            EXPECT_EQ(s.trigCal.trigRefVoltsA, 0.0f);

            // The instrument's own mark position needs no references.
            s.caps.unitTrgypos = true;
            s.trgPos.trgPosA = 400;
            EXPECT_EQ(calcTriggerMark(s).trigMarkY, 138);
        }
    }
}

TEST(TriggerMark, TriggerSampleOutsideTheRecordShowsNoMark)
{
    for (int trigPos : {2046, 3000, 32767, -2, -32768}) {
        ProgramState s = markState();
        s.identity.firmwareVersion = 1.0f;
        s.trigMark.trigMarkOnTrace = 1;
        s.preamble.wfmTrigPos = static_cast<std::int16_t>(trigPos);
        EXPECT_EQ(calcTriggerMark(s).trigMarkY, kNoTriggerMark) << trigPos;
        EXPECT_EQ(s.trigMark.trigMarkOnTrace, 0);
    }
    ProgramState s = markState();
    s.identity.firmwareVersion = 1.0f;
    s.preamble.wfmTrigPos = 2045;  // sample 2046, the last one shown
    s.waves.waveCh1[2046] = 77;
    EXPECT_EQ(calcTriggerMark(s).trigMarkY, 77);
}

TEST(TriggerMark, ExtremeCalibrationValuesStayInRange)
{
    ProgramState s = markState();
    s.trigCal.trgVal1 = 32767;
    s.trigCal.trgVal2 = -32768;
    s.trigCal.trgVal3 = 32767;
    s.ddf.trigCoupling = 0;
    s.ddf.trigLevelRelative = 1;
    s.ddf.trigLevelA = 1023;
    s.measure.ch1Min = -32768;  // so the computed level is kept, not replaced by the trace
    s.measure.ch1Max = 32767;
    const double zero = 2.43f * 1023 / 5.0;
    const double offset = 65535 / 2.0 + 32767 - 32768;
    const double expected = (1023 - zero) * 65535 / 1023 + offset;
    calcTriggerMark(s);
    EXPECT_NEAR(s.trigCal.trigLevelMdiv, expected, expected * 1e-6);
    EXPECT_EQ(s.trigMark.trigMarkY, 255);

    s.trigCal.trgVal1 = -32768;
    s.trigCal.trgVal2 = 32767;
    calcTriggerMark(s);
    EXPECT_LT(s.trigCal.trigLevelMdiv, -1e4);
    EXPECT_EQ(s.trigMark.trigMarkY, 0);
}

TEST(TriggerMark, ComputingAloneAgreesWithTheStoredMarkAndWritesNothing)
{
    const std::function<void(ProgramState&)> setups[] = {
        [](ProgramState&) {},
        [](ProgramState& s) { s.identity.firmwareVersion = 1.16f; },
        [](ProgramState& s) { s.caps.unitXyinv = false, s.caps.unitDigimodec = true; },
        [](ProgramState& s) { s.caps.unitXyinv = false; },  // no comparator references
        [](ProgramState& s) { s.preamble.wfmTrigPos = 2046; },
        [](ProgramState& s) { s.caps.unitTrgypos = true, s.trgPos.trgPosA = 400; },
        [](ProgramState& s) { s.measure.ch1Max = 100; },  // the mark goes onto the trace
    };
    for (const auto& setup : setups) {
        ProgramState s = markState();
        setup(s);
        s.trigMark = {77, 1};
        const TrigCalibration calibrationBefore = s.trigCal;
        const TriggerMarkValues computed = computeTriggerMark(s);
        EXPECT_EQ(s.trigMark.trigMarkY, 77);
        EXPECT_EQ(s.trigMark.trigMarkOnTrace, 1);
        EXPECT_EQ(s.trigCal.trigLevelMdiv, calibrationBefore.trigLevelMdiv);
        EXPECT_EQ(s.trigCal.trigRefVoltsA, calibrationBefore.trigRefVoltsA);

        const TrigMark stored = calcTriggerMark(s);
        EXPECT_EQ(computed.mark.trigMarkY, stored.trigMarkY);
        EXPECT_EQ(computed.mark.trigMarkOnTrace, stored.trigMarkOnTrace);
        EXPECT_EQ(computed.calibration.trigLevelMdiv, s.trigCal.trigLevelMdiv);
        EXPECT_EQ(computed.calibration.trigRefVoltsA, s.trigCal.trigRefVoltsA);
        EXPECT_EQ(computed.calibration.trigRefVoltsB, s.trigCal.trigRefVoltsB);
    }
}
