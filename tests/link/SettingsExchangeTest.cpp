// The settings blocks travel through the simulated instrument, which keeps its own copy of
// the layouts: what the program writes is what the instrument holds, and reads back the same.
#include <gtest/gtest.h>

#include "SimLink.h"

using namespace ql;
using ql::testing::SimLink;
using scopesim::Fault;
using scopesim::MainField;

namespace {

void setDistinctSettings(ProgramState& s)
{
    auto& d = s.ddf;
    // clang-format off: one row per group of the settings block
    d.ch1Coupling = 1;
    d.ch1Invert = 1;
    d.ch1On = 1;
    d.ch1VoltsIndex = 7;
    d.ch2Coupling = 2;
    d.ch2Invert = 0;
    d.ch2On = 1;
    d.ch2VoltsIndex = 11;
    d.trigAlternate = 0;
    d.bandwidthLimit = 1;
    d.verChop = 1;
    d.verAdd = 0;
    d.trigSource = 1;
    d.singleShot = 0;
    d.tbAIndex = 12;
    d.trigSlopeB = 1;
    d.trigDelayOn = 1;
    d.tbBIndex = 9;
    d.componentTester = 0;
    d.xyMode = 0;
    d.xMag10 = 1;
    d.digitalMode = 1;
    d.peakDetect = 1;
    d.timebaseMode = 3;
    d.trigSlopeA = 1;
    d.trigLevelRelative = 1;
    d.trigMode = 1;
    d.trigCoupling = 5;
    d.ref2On = 0;
    d.ref1On = 1;
    d.pretriggerIndex = 5;
    d.storageMode = 4;
    d.ch2Variable = 200;
    d.ch1Variable = 100;
    d.traceSeparation = 40;
    d.ddfByte12 = 7;
    d.tbAIntensity = 90;
    d.tbBIntensity = 91;
    d.ch1ProbeFactor = 10;
    d.ch2ProbeFactor = 1;
    d.trigLevelA = 300;
    d.tbAVariable = 12;
    d.horPosition = 100;
    d.ch2Position = 900;
    d.ch1Position = 511;
    d.trigLevelB = 800;
    d.tbBVariable = 1000;
    d.delayPosition = 4000;
    d.readoutIntensity = 111;
    d.readoutBit7 = 1;
    d.readoutBit2 = 1;
    d.readoutValue1 = 0;
    d.readoutValue2 = 300;
    d.readoutValue3 = 700;
    d.readoutValue4 = 1023;
    // clang-format on
    d.averageIndex = 6;
    d.pretriggerPosition = -200;
    s.storage.ref1Pos = -128;
    s.storage.ref2Pos = 127;
    s.storage.holdWaveform = 0;
}

}  // namespace

TEST(SettingsExchange, EveryFieldRoundTripsThroughTheInstrument)
{
    for (const char* firmware : {"1.05", "2.10"}) {
        SimLink t(SimLink::model("TC308", firmware));
        ASSERT_TRUE(t.connect());
        setDistinctSettings(t.state);
        ASSERT_TRUE(t.link->sequences().writeAllToScope()) << firmware;
        EXPECT_TRUE(t.sim.protocolNotes().empty()) << t.sim.protocolNotes().front();

        // The instrument's own view of what arrived.
        const auto& main = t.sim.instrument().mainBlock();
        EXPECT_EQ(main.get(MainField::Ch1VoltsIndex), 7);
        EXPECT_EQ(main.get(MainField::Ch2Coupling), 2);
        EXPECT_EQ(main.get(MainField::TrigCoupling), 5);
        EXPECT_EQ(main.get(MainField::PretriggerIndex), 5);
        EXPECT_EQ(main.get(MainField::Ch2Variable), 200);
        EXPECT_EQ(main.get(MainField::Byte12), 7);
        EXPECT_EQ(t.sim.instrument().settings().averageIndex, 6);
        EXPECT_EQ(t.sim.instrument().settings().ref1PosByte, 0);
        EXPECT_EQ(t.sim.instrument().settings().ref2PosByte, 255);
        EXPECT_EQ(t.sim.instrument().settings().pretriggerPosition, -200);

        ProgramState written = t.state;
        ProgramState& s = t.state;
        s.ddf = DdfSettings{};
        s.ddf.ch1ProbeFactor = s.ddf.ch2ProbeFactor = 1;
        s.storage = StorageExtras{};
        ASSERT_TRUE(t.link->sequences().readAllFromScope()) << firmware;
        const auto& a = written.ddf;
        const auto& b = s.ddf;
        EXPECT_EQ(b.ch1Coupling, a.ch1Coupling);
        EXPECT_EQ(b.ch1Invert, a.ch1Invert);
        EXPECT_EQ(b.ch1VoltsIndex, a.ch1VoltsIndex);
        EXPECT_EQ(b.ch2Coupling, a.ch2Coupling);
        EXPECT_EQ(b.bandwidthLimit, a.bandwidthLimit);
        EXPECT_EQ(b.verChop, a.verChop);
        EXPECT_EQ(b.trigSource, a.trigSource);
        EXPECT_EQ(b.tbAIndex, a.tbAIndex);
        EXPECT_EQ(b.trigSlopeB, a.trigSlopeB);
        EXPECT_EQ(b.trigDelayOn, a.trigDelayOn);
        EXPECT_EQ(b.tbBIndex, a.tbBIndex);
        EXPECT_EQ(b.xMag10, a.xMag10);
        EXPECT_EQ(b.peakDetect, a.peakDetect);
        EXPECT_EQ(b.timebaseMode, a.timebaseMode);
        EXPECT_EQ(b.trigSlopeA, a.trigSlopeA);
        EXPECT_EQ(b.trigLevelRelative, a.trigLevelRelative);
        EXPECT_EQ(b.trigMode, a.trigMode);
        EXPECT_EQ(b.trigCoupling, a.trigCoupling);
        EXPECT_EQ(b.ref1On, a.ref1On);
        EXPECT_EQ(b.ref2On, a.ref2On);
        EXPECT_EQ(b.pretriggerIndex, a.pretriggerIndex);
        EXPECT_EQ(b.storageMode, a.storageMode);
        EXPECT_EQ(b.ch1Variable, a.ch1Variable);
        EXPECT_EQ(b.ch2Variable, a.ch2Variable);
        EXPECT_EQ(b.traceSeparation, a.traceSeparation);
        EXPECT_EQ(b.ddfByte12, a.ddfByte12);
        EXPECT_EQ(b.tbAIntensity, a.tbAIntensity);
        EXPECT_EQ(b.tbBIntensity, a.tbBIntensity);
        EXPECT_EQ(b.trigLevelA, a.trigLevelA);
        EXPECT_EQ(b.tbAVariable, a.tbAVariable);
        EXPECT_EQ(b.horPosition, a.horPosition);
        EXPECT_EQ(b.ch2Position, a.ch2Position);
        EXPECT_EQ(b.ch1Position, a.ch1Position);
        EXPECT_EQ(b.trigLevelB, a.trigLevelB);
        EXPECT_EQ(b.tbBVariable, a.tbBVariable);
        EXPECT_EQ(b.delayPosition, a.delayPosition);
        EXPECT_EQ(b.readoutIntensity, a.readoutIntensity);
        EXPECT_EQ(b.averageIndex, a.averageIndex);
        EXPECT_EQ(b.pretriggerPosition, a.pretriggerPosition);
        EXPECT_EQ(s.storage.ref1Pos, -128);
        EXPECT_EQ(s.storage.ref2Pos, 127);
        const bool probeBits = std::string(firmware) == "2.10";
        EXPECT_EQ(b.ch1ProbeFactor, probeBits ? 10 : 1);
        EXPECT_EQ(b.ch2ProbeFactor, 1);
    }
}

TEST(SettingsExchange, XyModeSendsTheSavedChannelStates)
{
    SimLink t(SimLink::model("TC304"));
    ASSERT_TRUE(t.connect());
    auto& main = t.sim.instrument().mainBlock();
    main.set(MainField::XYMode, 1);
    main.set(MainField::Ch2On, 0);
    main.set(MainField::Ch1On, 1);
    ASSERT_TRUE(t.link->settings().queryDdf());
    EXPECT_EQ(t.state.ddf.ch2On, 1);
    EXPECT_EQ(t.state.ddf.savedCh2On, 0);
    ASSERT_TRUE(t.link->settings().sendDdf());
    EXPECT_EQ(t.sim.instrument().mainBlock().get(MainField::Ch2On), 0);
    EXPECT_EQ(t.state.ddf.ch2On, 0);
}

TEST(SettingsExchange, MeasurementBlockThatStallsKeepsWhatArrived)
{
    SimLink t(SimLink::model("TC308"));
    ASSERT_TRUE(t.connect());
    t.state.ddf.measDdfData.fill(0xEE);
    t.state.ddf.readoutIntensity = 33;
    t.sim.injectFault(*Fault::parse("stop:18@measddf?"));  // echo of 8 and 10 data bytes
    EXPECT_FALSE(t.link->settings().queryMeasDdf());
    const auto& expected = t.sim.instrument().settings().measddf;
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(t.state.ddf.measDdfData[i], expected[i - 1]) << i;
    for (int i = 11; i <= 22; ++i) EXPECT_EQ(t.state.ddf.measDdfData[i], 0xEE) << i;
    EXPECT_EQ(t.state.ddf.readoutIntensity, 33);
    EXPECT_FALSE(t.state.link.measDdfReceived);
    EXPECT_EQ(t.messageCount(), 1);
}

TEST(SettingsExchange, HoldAndAveragingBytes)
{
    SimLink t;
    ASSERT_TRUE(t.connect());
    t.state.storage.holdWaveform = 1;
    t.state.ddf.averageIndex = 4;
    ASSERT_TRUE(t.link->settings().sendHldWfm());
    ASSERT_TRUE(t.link->settings().sendAvrNm());
    const auto& cmds = t.sim.recorder().commands();
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0].params(), std::vector<std::uint8_t>{'1'});
    EXPECT_EQ(cmds[1].params(), std::vector<std::uint8_t>{4});
}
