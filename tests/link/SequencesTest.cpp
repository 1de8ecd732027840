// The read-all and write-all sequences: wire order by firmware and model, what a failure at
// any command leaves behind, and the control commands.
#include <gtest/gtest.h>

#include "SimLink.h"

using namespace ql;
using ql::testing::SimLink;
using scopesim::Fault;
using scopesim::MainField;
using Commands = std::vector<std::string>;

namespace {

// The documented order of a read-all, built from the model's flags and the settings the
// instrument reported.
Commands expectedReadAll(const ProgramState& s, float firmware)
{
    const bool analog = s.caps.unitAnalog;
    const bool digital = s.ddf.digitalMode == 1;
    const bool forcedHold = !analog && digital && firmware > 1.05f;
    Commands c;
    if (!analog)
        c = {"hldwfm?", "ddf?"};
    else
        c = {"ddf?"};
    if (forcedHold) c.push_back("hldwfm=");
    if (s.caps.unitMeasa) c.push_back("measddf?");
    for (const char* q : {"ddf1?", "roddf?", "trgsta?", "trgval?"}) c.push_back(q);
    if (!analog) {
        for (const char* q : {"wfmpre?", "ref1pos?", "ref2pos?", "avrnm?"}) c.push_back(q);
        if (s.caps.unitTrgypos) {
            c.push_back("trgposa?");
            c.push_back("trgposb?");
        }
    }
    if (s.caps.unitDdf2) c.push_back("ddf2?");
    const auto refs = [&] {
        if (s.ddf.ref1On == 1 || (s.ddf.ch1On == 1 && s.tbB.tbBWindowOn == 1))
            c.push_back("rdref1:");
        if (s.ddf.ref2On == 1 || (s.ddf.ch2On == 1 && s.tbB.tbBWindowOn == 1))
            c.push_back("rdref2:");
    };
    if (digital) {
        if (firmware >= 1.05f) c.push_back("hldwfm=");
        if (s.ddf.ch1On == 1 || s.ddf.xyMode == 1) c.push_back("rdwfm1:");
        if (s.ddf.ch2On == 1 || s.ddf.xyMode == 1) c.push_back("rdwfm2:");
        refs();
    }
    if (s.tbB.tbBWindowOn == 1 && !analog) refs();
    if (forcedHold) c.push_back("hldwfm=");
    return c;
}

}  // namespace

TEST(ReadAll, WireOrderForEveryModelAndFirmwareThreshold)
{
    const char* models[] = {"TX220", "TX226-2", "TC304", "TC308", "TC310X"};
    const char* firmwares[] = {"1.04", "1.05", "1.06", "1.16", "1.17", "2.00", "2.10"};
    for (const char* model : models) {
        for (const char* firmware : firmwares) {
            SimLink t(SimLink::model(model, firmware));
            ASSERT_TRUE(t.connect()) << model << " " << firmware;
            ASSERT_TRUE(t.link->sequences().readAllFromScope()) << model << " " << firmware;
            EXPECT_EQ(t.commands(), expectedReadAll(t.state, std::stof(firmware)))
                << model << " " << firmware;
            EXPECT_TRUE(t.sim.protocolNotes().empty()) << model << " " << firmware;
            EXPECT_EQ(t.messageCount(), 0);
        }
    }
}

TEST(ReadAll, TimebaseBViewReadsTheReferencesTwiceAndAnalogModeOnlyThem)
{
    SimLink t(SimLink::model("TC308", "1.10"));
    ASSERT_TRUE(t.connect());
    auto& main = t.sim.instrument().mainBlock();
    main.set(MainField::TimebaseMode, 2);
    main.set(MainField::Ref1On, 0);
    main.set(MainField::Ref2On, 0);
    ASSERT_TRUE(t.link->sequences().readAllFromScope());
    EXPECT_EQ(t.state.tbB.tbBWindowOn, 1);
    EXPECT_EQ(t.commands(), expectedReadAll(t.state, 1.10f));
    int refReads = 0;
    for (const auto& c : t.commands()) refReads += c == "rdref1:";
    EXPECT_EQ(refReads, 2);

    t.sim.clearRecording();
    main.set(MainField::DigitalMode, 0);
    ASSERT_TRUE(t.link->sequences().readAllFromScope());
    const Commands cmds = t.commands();
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "rdwfm1:"), 0);
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), "rdref1:"), 1);
}

TEST(ReadAll, AnalogOnlyModelReadsSettingsOnly)
{
    SimLink t(SimLink::model("TA100"));
    ASSERT_TRUE(t.connect());
    t.sim.instrument().mainBlock().set(MainField::ComponentTester, 1);
    ASSERT_TRUE(t.link->sequences().readAllFromScope());
    EXPECT_EQ(t.commands(), (Commands{"ddf?", "ddf1?", "roddf?", "trgsta?", "trgval?"}));
    EXPECT_EQ(t.state.ddf.componentTester, 0);
    EXPECT_EQ(t.host.countEvents("refresh CursorWindow"), 0);
    EXPECT_EQ(t.host.countEvents("refresh ChannelPanel"), 1);
}

TEST(ReadAll, FillsTheRecordsAndLeavesTheOtherElementsAlone)
{
    SimLink t(SimLink::model("TC308"));
    ASSERT_TRUE(t.connect());
    t.state.waves.waveCh1[0] = -5;
    t.state.waves.waveCh1[2048] = 11;
    t.state.waves.waveCh1[2050] = 13;
    t.clock.setWallClock(DateTime{2026, 3, 4, 5, 6, 7});
    ASSERT_TRUE(t.link->sequences().readAllFromScope());
    const auto& ch1 = t.sim.instrument().channelRecord(1);
    for (std::size_t i = 0; i < 2047; ++i) ASSERT_EQ(t.state.waves.waveCh1[i + 1], ch1[i]) << i;
    EXPECT_EQ(t.state.waves.waveCh1[0], -5);
    EXPECT_EQ(t.state.waves.waveCh1[2048], 11);
    EXPECT_EQ(t.state.waves.waveCh1[2050], 13);
    EXPECT_EQ(t.state.stamp.waveTime.str(), "05:06:07  ");
    EXPECT_EQ(t.state.screen.noDataYet, 0);
    EXPECT_EQ(t.state.screen.scrollResyncPending, 1);
    EXPECT_EQ(t.state.preamble.wfmTrigPos, t.sim.instrument().preamble().trigPos);
    EXPECT_TRUE(t.host.actionEnabled[static_cast<int>(UiAction::Set)]);
    EXPECT_EQ(t.host.countEvents("refresh ScreenWindow"), 1);
    EXPECT_EQ(t.host.countEvents("busy: 1"), 1);
    EXPECT_FALSE(t.host.busyPointer);
}

TEST(ReadAll, AFailureAtAnyCommandSendsNothingMoreAndKeepsTheOldData)
{
    SimLink probe(SimLink::model("TC308", "2.10"));
    ASSERT_TRUE(probe.connect());
    ASSERT_TRUE(probe.link->sequences().readAllFromScope());
    const Commands full = probe.commands();
    ASSERT_GT(full.size(), 18u);
    // From its first "hldwfm=" on, the read has held the instrument's records itself.
    const auto held = std::find(full.begin(), full.end(), "hldwfm=") - full.begin();

    for (std::size_t k = 0; k < full.size(); ++k) {
        // The first use of each command text is the one made to fail.
        if (std::find(full.begin(), full.begin() + static_cast<long>(k), full[k]) !=
            full.begin() + static_cast<long>(k))
            continue;
        SimLink t(SimLink::model("TC308", "2.10"));
        ASSERT_TRUE(t.connect());
        t.sim.injectFault(*Fault::parse("silence@" + full[k]));
        EXPECT_FALSE(t.link->sequences().readAllFromScope()) << full[k];
        Commands sent(full.begin(), full.begin() + static_cast<long>(k) + 1);
        if (static_cast<long>(k) >= held) sent.push_back("hldwfm=");  // the hold given back
        EXPECT_EQ(t.commands(), sent) << full[k];
        EXPECT_FALSE(t.sim.instrument().holdWaveform()) << full[k];
        EXPECT_EQ(t.messageCount(), 1) << full[k];
        // Nothing of a failed read is taken over, not even settings that all arrived before a
        // record failed: "Set" and "Set/Read" stay as they were.
        EXPECT_EQ(t.state.screen.noDataYet, 1) << full[k];
        EXPECT_EQ(t.host.countEvents("enable Set"), 0) << full[k];
        EXPECT_EQ(t.host.countEvents("refresh"), 0) << full[k];
        EXPECT_FALSE(t.host.busyPointer);
    }
}

TEST(ReadAll, OnlyATakenOverTransferAdvancesTheWaveformGenerationOnce)
{
    SimLink t(SimLink::model("TC308", "1.10"));
    ASSERT_TRUE(t.connect());
    ASSERT_TRUE(t.link->sequences().readAllFromScope());
    EXPECT_EQ(t.state.waves.generation, 1u);
    // The A-and-B view reads the references twice: still one new acquisition.
    t.sim.instrument().mainBlock().set(MainField::TimebaseMode, 2);
    ASSERT_TRUE(t.link->sequences().readAllFromScope());
    EXPECT_EQ(t.state.waves.generation, 2u);
    ASSERT_TRUE(t.link->sequences().readSettingsFromScope());
    EXPECT_EQ(t.state.waves.generation, 2u);
    t.sim.injectFault(*Fault::parse("silence@rdwfm2:"));
    EXPECT_FALSE(t.link->sequences().readAllFromScope());
    EXPECT_EQ(t.state.waves.generation, 2u);

    SimLink analog(SimLink::model("TA100"));
    ASSERT_TRUE(analog.connect());
    ASSERT_TRUE(analog.link->sequences().readAllFromScope());
    EXPECT_EQ(analog.state.waves.generation, 0u) << "no records travel";
}

TEST(WriteAll, WireOrderByModel)
{
    struct Case {
        const char* model;
        int digitalMode;
        Commands expected;
    } cases[] = {
        {"TC308",
         1,
         {"measddf?", "ddf2?", "measddf=", "ddf=", "ddf1=", "ref1pos=", "ref2pos=", "avrnm=",
          "hldwfm=", "ddf2=", "vermode="}},
        {"TC304",
         1,
         {"ddf=", "ddf1=", "ref1pos=", "ref2pos=", "avrnm=", "hldwfm=", "roddf=", "vermode="}},
        {"TC304", 0, {"ddf=", "ddf1=", "ref1pos=", "ref2pos=", "roddf=", "vermode="}},
        {"TA100", 1, {"ddf=", "ddf1=", "roddf=", "vermode="}},
    };
    for (const auto& c : cases) {
        SimLink t(SimLink::model(c.model));
        ASSERT_TRUE(t.connect());
        t.state.ddf.digitalMode = static_cast<byte>(c.digitalMode);
        t.state.ddf.averageIndex = 3;
        EXPECT_TRUE(t.link->sequences().writeAllToScope()) << c.model;
        EXPECT_EQ(t.commands(), c.expected) << c.model;
        EXPECT_TRUE(t.sim.protocolNotes().empty()) << c.model;
    }

    // Once both opaque blocks have been read, a write-all sends them without asking again.
    SimLink t(SimLink::model("TC308"));
    ASSERT_TRUE(t.connect());
    ASSERT_TRUE(t.link->sequences().readAllFromScope());
    t.sim.clearRecording();
    EXPECT_TRUE(t.link->sequences().writeAllToScope());
    EXPECT_EQ(t.commands().front(), "measddf=");
}

TEST(WriteAll, UnreadOpaqueBlocksKeepTheInstrumentsBytesAndTheProgramsFields)
{
    SimLink t(SimLink::model("TC308"));
    ASSERT_TRUE(t.connect());
    const auto instrumentBytes = t.sim.instrument().settings().measddf;
    t.state.ddf.readoutIntensity = 222;  // e.g. loaded from a file
    t.state.ddf.pretriggerPosition = 321;
    ASSERT_TRUE(t.link->sequences().writeAllToScope());
    const auto& now = t.sim.instrument().settings();
    EXPECT_EQ(now.measddf[0], 222);
    for (std::size_t i = 1; i < 22; ++i) EXPECT_EQ(now.measddf[i], instrumentBytes[i]) << i;
    EXPECT_EQ(now.pretriggerPosition, 321);
    EXPECT_EQ(t.state.ddf.readoutIntensity, 222);
}

TEST(ControlCommands, SlotsReferencesAutosetAndReset)
{
    SimLink t(SimLink::model("TC304", "2.00"));
    ASSERT_TRUE(t.connect());
    t.state.storage.setupSlot = 9;
    ASSERT_TRUE(t.link->control().saveSettingsInScope());
    ASSERT_TRUE(t.link->control().recallSettingsInScope());
    const auto& cmds = t.sim.recorder().commands();
    EXPECT_EQ(cmds[0].params(), std::vector<std::uint8_t>{0x39});
    EXPECT_EQ(cmds[1].text(), "recdf=");

    t.sim.clearRecording();
    t.state.ddf.ref1On = 0;
    t.state.ddf.ref2On = 1;
    ASSERT_TRUE(t.link->control().saveRefInScope());
    EXPECT_EQ(t.commands(), Commands{"savref2"});

    // AUTOSET takes any answer with a "0" in it ...
    t.sim.clearRecording();
    t.sim.injectFault(*Fault::parse("silence@AUTOSET"));
    bool answered = false;
    t.host.onPumpEvents = [&] {
        if (!answered && !t.commands().empty()) {
            answered = true;
            t.sim.sendUnsolicited("10\r");
        }
    };
    EXPECT_TRUE(t.link->control().sendAutoset());
    t.host.onPumpEvents = nullptr;
    // ... but not one without.
    t.sim.injectFault(*Fault::parse("ack:1crlf@AUTOSET"));
    EXPECT_FALSE(t.link->control().sendAutoset());
    EXPECT_EQ(t.messageCount(), 1);
}

TEST(ControlCommands, ResetSingleShotAsksFirstAndNeverResetsAfterAFailedQuestion)
{
    scopesim::SimulatorConfig config = SimLink::model("TC304", "1.17");
    config.singleShotTriggerMs.reset();
    SimLink t(config);
    ASSERT_TRUE(t.connect());
    t.sim.instrument().mainBlock().set(MainField::StorageMode, 1);  // single
    ASSERT_TRUE(t.link->control().resetSingleShot());               // not armed yet: RES
    EXPECT_EQ(t.commands(), (Commands{"trgsta?", "RES"}));
    t.sim.clearRecording();
    ASSERT_TRUE(t.link->control().resetSingleShot());  // armed now: only the question
    EXPECT_EQ(t.commands(), Commands{"trgsta?"});
    EXPECT_EQ(t.state.trigStatus.trigStatus, '2');

    t.sim.clearRecording();
    t.sim.instrument().fireTrigger();
    t.sim.injectFault(*Fault::parse("silence@trgsta?"));
    EXPECT_FALSE(t.link->control().resetSingleShot());
    EXPECT_EQ(t.commands(), Commands{"trgsta?"});  // no RES that could lose the capture
}

TEST(TriggerQueries, WordsAndPositionsKeepTheirSigns)
{
    SimLink t(SimLink::model("TC308"));
    ASSERT_TRUE(t.connect());
    t.sim.instrument().triggerValues() = {-32768, -1, 10, 0};
    ASSERT_TRUE(t.link->trigger().queryTrgVal());
    EXPECT_EQ(t.state.trigCal.trgVal1, -32768);
    EXPECT_EQ(t.state.trigCal.trgVal2, -1);
    EXPECT_EQ(t.state.trigCal.trgVal3, 10);
    EXPECT_EQ(trgPosFromWire(0x00, 0x80), 32768);
    EXPECT_EQ(trgPosFromWire(0x01, 0x80), -32767);
    EXPECT_EQ(refPosFromWire(0x80), 0);
    EXPECT_EQ(refPosFromWire(0x00), -128);
    EXPECT_EQ(refPosFromWire(0xFF), 127);
    EXPECT_EQ(refPosToWire(-128), 0x00);
    EXPECT_EQ(refPosToWire(500), 0xFF);  // a damaged value never wraps

    t.state.storage.ref1Pos = 5;
    t.sim.clearRecording();
    t.sim.injectFault(*Fault::parse("ack:1crlf@ref1pos="));
    EXPECT_FALSE(t.link->trigger().sendRefPos());
    EXPECT_EQ(t.commands(), Commands{"ref1pos="});  // "ref2pos=" not sent
}

TEST(Waveforms, RequestFormFollowsTheFirmware)
{
    EXPECT_EQ(waveformRequest("rdwfm1:", 1.04f).size(), 12u);
    EXPECT_EQ(waveformRequest("rdwfm1:", 1.04f)[9], ',');
    EXPECT_EQ(waveformRequest("rdwfm1:", 1.05f).size(), 11u);
    const auto r = waveformRequest("rdref2:", 2.1f);
    EXPECT_EQ(std::vector<std::uint8_t>(r.begin() + 7, r.end()),
              (std::vector<std::uint8_t>{0x00, 0x00, 0xFF, 0x07}));

    SimLink t(SimLink::model("TX226-2", "2.10"));
    ASSERT_TRUE(t.connect());
    t.state.ddf.ch1On = 1;
    t.state.ddf.ch2On = 0;
    t.state.ddf.xyMode = 0;
    t.sim.injectFault(*Fault::parse("stop:1011@rdwfm1:"));  // echo and 1000 samples
    t.state.waves.waveCh1.fill(-1);
    EXPECT_FALSE(t.link->waves().readChannelWaveforms());
    const auto& ch1 = t.sim.instrument().channelRecord(1);
    EXPECT_EQ(t.state.waves.waveCh1[1000], ch1[999]);
    EXPECT_EQ(t.state.waves.waveCh1[1001], -1);
    EXPECT_EQ(t.state.screen.scrollResyncPending, 1);  // from start-up, not set again
}
