// The simulator's answers against the documented framing: identity replies, echo and payload
// lengths, acknowledgements, position and reference bytes, trigger status, waveform requests.

#include <gtest/gtest.h>

#include "SimBench.h"
#include "state/Numeric.h"
#include "state/Text.h"

using namespace ql::scopesim;
using ql::scopesim::test::bytesOf;
using ql::scopesim::test::SimBench;

namespace {

SimulatorConfig config(std::string model, std::string firmware = "")
{
    SimulatorConfig c;
    c.model = std::move(model);
    c.firmware = std::move(firmware);
    return c;
}

int u8(const std::string& s, std::size_t i)
{
    return static_cast<std::uint8_t>(s.at(i));
}

}  // namespace

TEST(Identity, ReplyCarriesTheModelAsTheIdentificationReadsIt)
{
    for (const auto& profile : modelProfiles()) {
        SimBench b(config(profile.name));
        const std::string reply = b.exchange("id?");
        ASSERT_GE(reply.size(), 29u) << profile.name;
        const std::size_t t = ql::instr(reply, "T");
        ASSERT_GT(t, 0u);
        EXPECT_EQ(ql::trim(reply.substr(t - 1, 8)), profile.name);
        EXPECT_EQ(ql::instr(reply, "id?"), 0u) << "no echo";
    }
}

TEST(Identity, VersionReplyCarriesEveryFirmwareAfterFc)
{
    for (const std::string& fw : knownFirmwareVersions()) {
        SimBench b(config("TC308", fw));
        const std::string reply = b.exchange("vers?");
        ASSERT_GE(reply.size(), 20u);
        const std::size_t fc = ql::instr(reply, "FC");
        ASSERT_GT(fc, 0u);
        EXPECT_FLOAT_EQ(static_cast<float>(ql::val(reply.substr(fc + 1, 4))), firmwareNumber(fw));
        EXPECT_EQ(ql::instr(reply, "V"), 1u);
        EXPECT_EQ(b.sim.instrument().firmware(), firmwareNumber(fw));
    }
    SimBench none(config("TX220", "none"));
    const std::string reply = none.exchange("vers?");
    EXPECT_GE(reply.size(), 20u);
    EXPECT_EQ(ql::instr(reply, "FC"), 0u);
    EXPECT_EQ(ql::val(reply.substr(1, 4)), 0.0);
    EXPECT_EQ(none.sim.instrument().firmware(), 0.0f);
}

TEST(Framing, SetAndControlCommandsAnswerZeroCrLfWithoutEcho)
{
    SimBench b(config("TC308"));
    const std::pair<std::string, std::size_t> sets[] = {
        {"ddf=", 14}, {"vermode=", 1},  {"ddf1=", 16},   {"roddf=", 10},
        {"ddf2=", 8}, {"measddf=", 22}, {"ref1pos=", 1}, {"ref2pos=", 1}};
    for (const auto& [text, n] : sets)
        EXPECT_EQ(b.exchange(text + std::string(n, '\x01')), "0\r\n") << text;
    EXPECT_EQ(b.exchange("avrnm=" + bytesOf({4})), "0\r\n");
    EXPECT_EQ(b.exchange("hldwfm=1"), "0\r\n");
    EXPECT_EQ(b.exchange("savedf=9"), "0\r\n");
    EXPECT_EQ(b.exchange("recdf=9"), "0\r\n");
    for (const char* control : {"AUTOSET\r", "RES\r\n", "savref1\r", "savref2\r", " \r", "rm0\r"})
        EXPECT_EQ(b.exchange(control), "0\r\n") << control;
    const auto& log = b.sim.recorder().commands();
    EXPECT_EQ(log[log.size() - 5].text(), "RES");
    EXPECT_EQ(log[log.size() - 5].received.terminator, "\r\n");
    EXPECT_EQ(log[log.size() - 2].text(), " ");
}

TEST(Framing, RefusedParametersGetANegativeAcknowledgement)
{
    SimBench b(config("TC308"));
    EXPECT_EQ(b.exchange("hldwfm=" + bytesOf({1})), "1\r\n");  // a byte, not the digit
    EXPECT_EQ(b.exchange("avrnm=" + bytesOf({12})), "1\r\n");
    EXPECT_EQ(b.exchange("savedf=0"), "1\r\n");
    EXPECT_EQ(b.sim.protocolNotes().size(), 3u);
}

TEST(Framing, JunkBeforeACommandIsRecordedAndTheCommandAnswered)
{
    SimBench b;
    EXPECT_EQ(b.exchange("xyavrnm?"), "avrnm?" + bytesOf({4}));
    const auto lines = b.sim.recorder().commandLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "<junk [78 79]>");
    EXPECT_EQ(lines[1], "avrnm?");
}

TEST(Framing, AnIncompleteCommandIsGivenUpAfterASecond)
{
    SimBench b;
    b.send("ddf=" + std::string(5, '\0'));
    b.clock.advance(1500);
    EXPECT_EQ(b.exchange("avrnm?").substr(0, 6), "avrnm?");
    EXPECT_NE(b.sim.recorder().commandLines()[0].find("<incomplete ddf="), std::string::npos);
}

TEST(Positions, TravelInTenthsAboveFirmware105)
{
    SimBench b(config("TX226-2", "1.06"));
    Instrument& in = b.sim.instrument();
    const std::pair<int, std::pair<int, int>> cases[] = {
        {511, {0, 0}}, {0, {10, 236}}, {1023, {0x00, 0x14}}};
    for (const auto& [position, bytes] : cases) {
        in.setHorizontalPosition(position);
        const std::string r = b.exchange("ddf1?");
        EXPECT_EQ(u8(r, 5 + 4), bytes.first) << position;
        EXPECT_EQ(u8(r, 5 + 5), bytes.second) << position;
    }
    std::string block(16, '\0');
    block[8] = 10;  // CH I position word 60426 = -5110: position 0
    block[9] = static_cast<char>(236);
    EXPECT_EQ(b.exchange("ddf1=" + block), "0\r\n");
    EXPECT_EQ(positionFromWord(in.settings().ddf1[kCh1Position], in.firmware()), 0.0);
}

TEST(Positions, TravelUnconvertedOnFirmware105)
{
    SimBench b(config("TX226-2", "1.05"));
    b.sim.instrument().setHorizontalPosition(1023);
    const std::string r = b.exchange("ddf1?");
    EXPECT_EQ(u8(r, 9), 0xFF);
    EXPECT_EQ(u8(r, 10), 0x03);
}

TEST(StorageQueries, ReferencePositionsAveragingHoldAndDdf2)
{
    SimBench b(config("TC308"));
    EXPECT_EQ(b.exchange("ref1pos?"), "ref1pos?" + bytesOf({0x80}));
    EXPECT_EQ(b.exchange("ref1pos=" + bytesOf({0x00})), "0\r\n");
    EXPECT_EQ(b.exchange("ref1pos?"), "ref1pos?" + bytesOf({0x00}));
    EXPECT_EQ(b.exchange("ref2pos=" + bytesOf({0xFF})), "0\r\n");
    EXPECT_EQ(b.sim.instrument().settings().ref2PosByte, 0xFF);

    EXPECT_EQ(b.exchange("hldwfm?"), "hldwfm?0");
    EXPECT_EQ(b.exchange("hldwfm=1"), "0\r\n");
    EXPECT_EQ(b.exchange("hldwfm?"), "hldwfm?1");

    EXPECT_EQ(b.exchange("avrnm=" + bytesOf({6})), "0\r\n");
    // ddf2: averaging, storage mode, REF display and the pre-trigger position -200.
    EXPECT_EQ(b.exchange("ddf2=" + bytesOf({5, 4, 9, 2, 8, 7, 56, 255})), "0\r\n");
    const auto& s = b.sim.instrument().settings();
    EXPECT_EQ(s.pretriggerPosition, -200);
    EXPECT_EQ(s.averageIndex, 5);
    EXPECT_EQ(s.main.get(MainField::StorageMode), 4);
    EXPECT_EQ(s.main.get(MainField::Ref2On), 1);
    EXPECT_EQ(s.main.get(MainField::Ref1On), 0);
    EXPECT_EQ(b.exchange("ddf2?"), "ddf2?" + bytesOf({5, 4, 9, 2, 8, 7, 56, 255}));
    EXPECT_EQ(b.exchange("avrnm?"), "avrnm?" + bytesOf({5}));
    EXPECT_EQ(b.exchange("wfmpre?").substr(7, 2), bytesOf({56, 255}));  // trigger at -200
}

TEST(StorageQueries, ReadoutIntensityIsOneRegisterForRoddfAndMeasddf)
{
    SimBench b(config("TC308"));
    std::string meas(22, '\x05');
    meas[0] = 77;
    EXPECT_EQ(b.exchange("measddf=" + meas), "0\r\n");
    EXPECT_EQ(u8(b.exchange("roddf?"), 6), 77);
    std::string ro(10, '\0');
    ro[0] = 33;
    EXPECT_EQ(b.exchange("roddf=" + ro), "0\r\n");
    const std::string r = b.exchange("measddf?");
    EXPECT_EQ(u8(r, 8), 33);
    EXPECT_EQ(u8(r, 9), 5);
}

TEST(TriggerStatus, ByteUpTo116DigitFrom117)
{
    for (const auto& [fw, armed, done] : {std::tuple{"1.16", 2, 0}, {"1.17", '2', '0'}}) {
        SimulatorConfig c = config("TX220", fw);
        c.singleShotTriggerMs.reset();
        SimBench b(c);
        b.sim.instrument().mainBlock().set(MainField::StorageMode, 1);  // single
        EXPECT_EQ(b.exchange("trgsta?"), "trgsta?" + bytesOf({done})) << fw;
        EXPECT_EQ(b.exchange("RES\r\n"), "0\r\n");
        EXPECT_EQ(b.exchange("trgsta?"), "trgsta?" + bytesOf({armed})) << fw;
        b.sim.instrument().fireTrigger();
        EXPECT_EQ(b.exchange("trgsta?"), "trgsta?" + bytesOf({done})) << fw;
    }
}

TEST(TriggerStatus, ArmedAcquisitionTriggersAfterTheConfiguredDelay)
{
    SimulatorConfig c = config("TC308");
    c.singleShotTriggerMs = 300;
    SimBench b(c);
    b.sim.instrument().mainBlock().set(MainField::SingleShot, 1);
    EXPECT_EQ(b.exchange("RES\r\n", 100), "0\r\n");
    EXPECT_EQ(b.exchange("trgsta?", 10), "trgsta?2");
    b.clock.advance(300);
    EXPECT_EQ(b.exchange("trgsta?", 10), "trgsta?0");
}

TEST(TriggerValues, WordsAndPositionsLowByteFirst)
{
    SimulatorConfig c = config("TC308");
    c.triggerValues = {-32768, -1, 10, 513};
    SimBench b(c);
    EXPECT_EQ(b.exchange("trgval?"), "trgval?" + bytesOf({0x00, 0x80, 0xFF, 0xFF, 10, 0, 1, 2}));
    b.sim.instrument().settings().ddf1[kTrigLevelA] = 0;  // bottom of the screen: code 28
    EXPECT_EQ(b.exchange("trgposa?"), "trgposa?" + bytesOf({0x60, 0xF0}));  // -4000
}

TEST(WaveformRequest, FormFollowsTheFirmware)
{
    const std::string newForm = "rdwfm1:" + bytesOf({0, 0, 0xFF, 0x07});
    const std::string oldForm = "rdwfm1:" + bytesOf({0, 0, ',', 0xFF, 0x07});
    for (const auto& [fw, good, bad] :
         {std::tuple{"1.05", newForm, oldForm}, {"1.04", oldForm, newForm}}) {
        SimBench b(config("TX220", fw));
        const std::string reply = b.exchange(good, 3000);
        ASSERT_EQ(reply.size(), good.size() + 2047) << fw;
        EXPECT_EQ(reply.substr(0, good.size()), good);
        const WaveRecord rec = b.sim.instrument().channelRecord(1);
        EXPECT_EQ(reply.substr(good.size()), std::string(rec.begin(), rec.end()));
        b.sim.clearProtocolNotes();
        EXPECT_EQ(b.exchange(bad, 3000), "") << fw;
        EXPECT_FALSE(b.sim.protocolNotes().empty());
    }
}

TEST(WaveformRequest, PartOfARecord)
{
    SimBench b;
    const std::string reply = b.exchange("rdwfm2:" + bytesOf({10, 0, 5, 0}));
    const WaveRecord rec = b.sim.instrument().channelRecord(2);
    EXPECT_EQ(reply.substr(11), std::string(rec.begin() + 10, rec.begin() + 15));
}

TEST(WaveformRequest, NoiseMakesEachAcquisitionDifferAndHoldKeepsOne)
{
    SimulatorConfig c;
    c.noiseCodes = 3;
    SimBench b(c);
    const std::string request = "rdwfm1:" + bytesOf({0, 0, 0xFF, 0x07});
    const auto record = [&] { return b.exchange(request, 3000).substr(request.size()); };
    const std::string first = record();
    ASSERT_EQ(first.size(), 2047u);
    const std::string second = record();
    EXPECT_NE(second, first) << "a free-running instrument acquires anew";
    SimulatorConfig quiet;
    SimBench clean(quiet);
    const WaveRecord exact = clean.sim.instrument().channelRecord(1);
    for (std::size_t i = 0; i < exact.size(); ++i)
        EXPECT_LE(std::abs(static_cast<std::uint8_t>(second[i]) - exact[i]), 3) << i;
    EXPECT_EQ(b.exchange("hldwfm=1"), "0\r\n");
    const std::string held = record();
    EXPECT_EQ(record(), held);
    EXPECT_EQ(b.exchange("hldwfm=0"), "0\r\n");
    EXPECT_NE(record(), held);
}

TEST(Models, CommandsAModelDoesNotHaveGoUnanswered)
{
    const std::pair<const char*, std::string> cases[] = {
        {"TC304", "ddf2?"},
        {"TC304", "measddf?"},
        {"TX226-2", "measddf?"},
        {"TX220", "trgposa?"},
        {"TA100", "wfmpre?"},
        {"TA100", "hldwfm?"},
        {"TA100", "rdwfm1:" + bytesOf({0, 0, ',', 0xFF, 0x07})}};
    for (const auto& [model, command] : cases) {
        SimBench b(config(model));
        EXPECT_EQ(b.exchange(command), "") << model << " " << command;
        EXPECT_EQ(b.sim.protocolNotes().size(), 1u);
    }
    SimBench tc308(config("TC308"));
    EXPECT_EQ(tc308.exchange("trgposb?").size(), 10u);
}

TEST(Memories, SetupSlotsAndReferenceStores)
{
    SimBench b(config("TC308"));
    Instrument& in = b.sim.instrument();
    EXPECT_EQ(b.exchange("savedf=3"), "0\r\n");
    const InstrumentSettings saved = in.settings();
    in.mainBlock().set(MainField::Ch1VoltsIndex, 2);
    EXPECT_EQ(b.exchange("recdf=3"), "0\r\n");
    EXPECT_EQ(in.settings(), saved);

    in.setSignal(1, Signal::triangle(2000.0, 0.7));
    EXPECT_NE(in.storedReference(1), in.channelRecord(1));
    EXPECT_EQ(b.exchange("savref1\r"), "0\r\n");
    EXPECT_EQ(in.storedReference(1), in.channelRecord(1));
    EXPECT_EQ(in.referenceRecord(1), in.storedReference(1));

    // In the A-and-B view the reference requests carry the time-base-B traces.
    in.mainBlock().set(MainField::TimebaseMode, 2);
    const std::string reply = b.exchange("rdref1:" + bytesOf({0, 0, 0xFF, 0x07}), 3000);
    const WaveRecord traceB = in.generator().timebaseBRecord(1);
    EXPECT_EQ(reply.substr(11), std::string(traceB.begin(), traceB.end()));
    EXPECT_NE(traceB, in.storedReference(1));
}

TEST(Remote, AnyCommandTakesTheInstrumentIntoRemoteAndRm0ReleasesIt)
{
    SimBench b;
    EXPECT_FALSE(b.sim.instrument().remote());
    b.exchange(" \r");
    EXPECT_TRUE(b.sim.instrument().remote());
    b.exchange("rm0\r");
    EXPECT_FALSE(b.sim.instrument().remote());
}

TEST(CopyKey, InstrumentSendsARequestLongerThanSixBytes)
{
    SimBench b;
    b.clock.advance(50);
    b.sim.pressCopyKey();
    const std::string got = b.receive(kCopyRequest.size(), 100);
    EXPECT_EQ(got, kCopyRequest);
    EXPECT_GT(got.size(), 6u);
}

TEST(Recording, ExactWireOrderAndPauses)
{
    SimulatorConfig c = config("TC308");
    c.strictPauses = true;
    SimBench b(c);
    b.exchange(" \r", 20);
    b.exchange("id?", 50);
    b.exchange("hldwfm=1", 20);
    b.port.discardInput();
    b.sendWithPause("ddf=" + std::string(14, '\0'), 4 + 7, 100);
    EXPECT_EQ(b.receive(3), "0\r\n");
    EXPECT_EQ(b.sim.commandTexts(), (std::vector<std::string>{" ", "id?", "hldwfm=", "ddf="}));
    const auto& ddf = b.sim.recorder().commands().back().received;
    EXPECT_GE(ddf.idleBeforeParamUs(8), 100'000);
    EXPECT_LT(ddf.idleBeforeParamUs(8), 101'000);
    EXPECT_LT(ddf.idleBeforeParamUs(7), 1'000);
    EXPECT_EQ(b.sim.recorder().commands()[2].describe(), "hldwfm= [31]");
    EXPECT_EQ(b.sim.recorder().bytes().size(), 2u + 3u + 8u + 18u);
}

TEST(Sequences, TheDocumentedReadAllOrderIsAnsweredInFull)
{
    // Digital storage, A-and-B view, a model with measddf, trigger positions and ddf2.
    SimBench b(config("TC308", "1.17"));
    b.sim.instrument().mainBlock().set(MainField::TimebaseMode, 2);
    const std::string request = bytesOf({0, 0, 0xFF, 0x07});
    const std::pair<std::string, std::size_t> steps[] = {{"hldwfm?", 8},
                                                         {"ddf?", 18},
                                                         {"hldwfm=1", 3},
                                                         {"measddf?", 30},
                                                         {"ddf1?", 21},
                                                         {"roddf?", 16},
                                                         {"trgsta?", 8},
                                                         {"trgval?", 15},
                                                         {"wfmpre?", 17},
                                                         {"ref1pos?", 9},
                                                         {"ref2pos?", 9},
                                                         {"avrnm?", 7},
                                                         {"trgposa?", 10},
                                                         {"trgposb?", 10},
                                                         {"ddf2?", 13},
                                                         {"hldwfm=1", 3},
                                                         {"rdwfm1:" + request, 2058},
                                                         {"rdwfm2:" + request, 2058},
                                                         {"rdref1:" + request, 2058},
                                                         {"rdref2:" + request, 2058},
                                                         {"rdref1:" + request, 2058},
                                                         {"rdref2:" + request, 2058},
                                                         {"hldwfm=0", 3}};
    std::vector<std::string> texts;
    for (const auto& [command, length] : steps) {
        EXPECT_EQ(b.exchange(command, 3000).size(), length) << command;
        texts.push_back(command.substr(0, command.find_first_of("?=:") + 1));
    }
    EXPECT_EQ(b.sim.commandTexts(), texts);
    EXPECT_TRUE(b.sim.protocolNotes().empty());
    EXPECT_FALSE(b.sim.instrument().holdWaveform());
}
