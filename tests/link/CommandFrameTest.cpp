// The command frame against the simulated instrument on the fake clock.
#include <gtest/gtest.h>

#include "SimLink.h"

using namespace ql;
using ql::testing::SimLink;
using scopesim::Fault;

namespace {

bool firstLineIs(const RecordingHost& host, const std::string& text, const std::string& title)
{
    if (host.messages.empty()) return false;
    const auto& m = host.messages.front();
    return m.text.substr(0, m.text.find('\n')) == text && m.title == title;
}

}  // namespace

TEST(CommandFrame, SendsNothingUnlessTheInstrumentIsHeld)
{
    SimLink t;
    ASSERT_TRUE(t.link->line().openComPort());
    t.state.ddf.ch1VoltsIndex = 3;
    EXPECT_FALSE(t.link->settings().queryDdf());
    EXPECT_FALSE(t.link->settings().sendDdf());
    EXPECT_FALSE(t.link->trigger().queryTrgVal());
    EXPECT_TRUE(t.sim.recorder().bytes().empty());
    EXPECT_EQ(t.state.ddf.ch1VoltsIndex, 3);
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(CommandFrame, StaleInputIsFlushedBeforeTheCommand)
{
    SimLink t;
    ASSERT_TRUE(t.connect());
    t.sim.sendUnsolicited("0\r\n0\r\nxyz");  // leftovers of earlier traffic
    t.clock.advance(50);
    t.sim.instrument().triggerValues() = {1, 2, 3, 4};
    ASSERT_TRUE(t.link->trigger().queryTrgVal());
    EXPECT_EQ(t.state.trigCal.trgVal1, 1);
    EXPECT_EQ(t.state.trigCal.trgVal4, 4);
}

TEST(CommandFrame, ALineThatNeverStopsSendingARequestsStartHoldsAFlushForABoundedTime)
{
    SimLink t;
    t.holdWithoutIdentifying(2.10f);
    t.sim.sendUnsolicited(std::string(100000, 'C'));  // a minute of the line at 19200 Bd
    t.clock.advance(5);
    const std::int64_t start = t.clock.monotonicMs();
    t.link->frame().discardUntilQuiet();
    EXPECT_LE(t.clock.monotonicMs() - start, 2 * kReplyTimeoutMs + 100);
}

TEST(CommandFrame, AcknowledgementMustBeExactlyZeroCrLf)
{
    const struct {
        const char* fault;
        bool accepted;
    } cases[] = {
        {"ack:1crlf@avrnm=", false},    {"ack:0cr@avrnm=", false},  {"ack:0crx@avrnm=", false},
        {"late-lf:3000@avrnm=", true},  // a late LF within the wait is fine
        {"late-lf:9000@avrnm=", false}, {"surplus:5@avrnm=", true},
    };
    for (const auto& c : cases) {
        SimLink t;
        ASSERT_TRUE(t.connect());
        t.sim.injectFault(*Fault::parse(c.fault));
        EXPECT_EQ(t.link->settings().sendAvrNm(), c.accepted) << c.fault;
        EXPECT_EQ(t.messageCount(), c.accepted ? 0 : 1) << c.fault;
        EXPECT_EQ(t.state.link.remoteHeld, c.accepted ? 1 : 0) << c.fault;
        if (!c.accepted) {
            EXPECT_TRUE(firstLineIs(t.host, "Transmission Error", "Serial - Error"));
        }
    }
}

TEST(CommandFrame, AReplyThatStopsAfterTheEchoFailsOnceAndSilencesTheSequence)
{
    SimLink t;
    ASSERT_TRUE(t.connect());
    t.state.link.autoUpdate = 1;
    t.state.trigCal.trgVal1 = 77;
    t.sim.injectFault(*Fault::parse("stop:7@trgval?"));
    const auto start = t.clock.monotonicMs();
    EXPECT_FALSE(t.link->trigger().queryTrgVal());
    const auto waited = t.clock.monotonicMs() - start;
    EXPECT_GT(waited, 8000);
    EXPECT_LT(waited, 8200);
    EXPECT_EQ(t.state.trigCal.trgVal1, 77);  // nothing half-decoded
    EXPECT_EQ(t.state.link.remoteHeld, 0);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_FALSE(t.host.remoteBox);
    EXPECT_FALSE(t.host.autoBox);
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_TRUE(firstLineIs(t.host, "Transmission Error", "Serial - Error"));
    EXPECT_NE(t.host.messages[0].text.find("trgval?"), std::string::npos);

    t.sim.clearRecording();
    EXPECT_FALSE(t.link->settings().queryDdf1());
    EXPECT_FALSE(t.link->settings().sendVerMode());
    EXPECT_TRUE(t.sim.recorder().bytes().empty());
    EXPECT_EQ(t.messageCount(), 1);
}

TEST(CommandFrame, AnAnswerThatDoesNotBeginWithItsEchoIsAFailureNeverData)
{
    // Four exchanges in a row; the fault puts bytes ahead of one answer's echo (the answer to
    // "avrnm?" runs on past the flush of "trgval?"). A good line passes unchanged.
    const std::vector<std::string> order = {"hldwfm?", "avrnm?", "trgval?", "rdwfm1:"};
    const struct {
        const char* fault;
        const char* failing;  // "" when every exchange gets through
    } cases[] = {
        {"", ""},
        {"junk-before:1@hldwfm?", "hldwfm?"},
        {"junk-before:5@trgval?", "trgval?"},
        {"surplus:8@avrnm?", "trgval?"},
        {"junk-before:5@rdwfm1:", "rdwfm1:"},  // the echo is the whole request
    };
    for (const auto& c : cases) {
        SimLink t;
        ASSERT_TRUE(t.connect());
        if (*c.fault) t.sim.injectFault(*Fault::parse(c.fault));
        t.state.ddf.ch1On = 1;
        t.state.trigCal.trgVal1 = 77;
        t.state.waves.waveCh1.fill(-1);
        t.sim.instrument().triggerValues() = {1, 2, 3, 4};
        const bool ok = t.link->trigger().queryHldWfm() && t.link->trigger().queryAvrNm() &&
                        t.link->trigger().queryTrgVal() && t.link->waves().readChannelWaveforms();
        const std::string failing = c.failing;
        const auto failsAt = std::find(order.begin(), order.end(), failing) - order.begin();
        EXPECT_EQ(ok, failing.empty()) << c.fault;
        // What a failed exchange would have filled keeps its old value.
        EXPECT_EQ(t.state.trigCal.trgVal1, failsAt > 2 ? 1 : 77) << c.fault;
        const auto& record = t.sim.instrument().channelRecord(1);
        EXPECT_EQ(t.state.waves.waveCh1[1], failsAt > 3 ? record[0] : -1) << c.fault;
        EXPECT_EQ(t.state.waves.waveCh1[2047], failsAt > 3 ? record[2046] : -1) << c.fault;
        if (failing.empty()) {
            EXPECT_EQ(t.messageCount(), 0);
            continue;
        }
        ASSERT_EQ(t.messageCount(), 1) << c.fault;
        EXPECT_TRUE(firstLineIs(t.host, "Transmission Error", "Serial - Error"));
        const std::string& text = t.host.messages[0].text;
        EXPECT_NE(text.find("\"" + failing + "\" began with \""), std::string::npos) << text;
        EXPECT_EQ(t.commands().back(), failing) << c.fault;
        EXPECT_EQ(t.state.link.remoteHeld, 0);
    }
}

TEST(CommandFrame, ReleaseRemote)
{
    SimLink t;
    t.state.link.remoteHeld = 1;
    t.state.link.autoUpdate = 1;
    t.host.remoteBox = t.host.autoBox = true;
    t.link->releaseRemote();  // port closed: nothing sent, flags cleared
    EXPECT_TRUE(t.sim.recorder().bytes().empty());
    EXPECT_EQ(t.state.link.remoteHeld, 0);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_FALSE(t.host.remoteBox);
    EXPECT_FALSE(t.host.autoBox);

    ASSERT_TRUE(t.connect());
    t.link->releaseRemote();
    EXPECT_EQ(t.commands(), std::vector<std::string>{"rm0"});
    EXPECT_FALSE(t.sim.instrument().remote());
    EXPECT_TRUE(t.port.isOpen());  // releasing does not close the port

    // A silent instrument: no message, flags cleared all the same.
    ASSERT_TRUE(t.connect());
    t.sim.injectFault(*Fault::parse("silence@rm0"));
    t.link->releaseRemote();
    EXPECT_EQ(t.messageCount(), 0);
    EXPECT_EQ(t.state.link.remoteHeld, 0);
}

TEST(CommandFrame, WaitsAreMeasuredOnTheMonotonicClockAcrossMidnight)
{
    SimLink t;
    ASSERT_TRUE(t.connect());
    t.clock.setWallClock(DateTime{2026, 12, 31, 23, 59, 57});
    t.sim.injectFault(*Fault::parse("silence@ddf?"));
    const auto start = t.clock.monotonicMs();
    EXPECT_FALSE(t.link->settings().queryDdf());
    const auto waited = t.clock.monotonicMs() - start;
    EXPECT_GT(waited, 8000);
    EXPECT_LT(waited, 8100);
    EXPECT_EQ(t.clock.now().day, 1);
}

TEST(CommandFrame, EventsArePumpedDuringWaitsWhileLinkBusyIsHeld)
{
    SimLink t;
    ASSERT_TRUE(t.connect());
    int pumpsWhileIdle = 0;
    int pumpsWhileBusy = 0;
    // A timer tick fired from inside a wait sees the line busy and must leave it alone.
    t.host.onPumpEvents = [&] {
        if (t.state.busy.linkBusy > 0)
            ++pumpsWhileBusy;
        else
            ++pumpsWhileIdle;
    };
    ASSERT_TRUE(t.link->sequences().readAllFromScope());
    EXPECT_GT(pumpsWhileBusy, 100);
    EXPECT_EQ(pumpsWhileIdle, 0);
    EXPECT_EQ(t.state.busy.linkBusy, 0);
}

TEST(CommandFrame, AVanishedPortFailsAtOnceAndIsReopenedByTheNextOperation)
{
    SimLink t;
    ASSERT_TRUE(t.connect());
    t.sim.injectFault(*Fault::parse("vanish:100@rdwfm1:"));
    t.state.ddf.ch1On = 1;
    const auto start = t.clock.monotonicMs();
    EXPECT_FALSE(t.link->waves().readChannelWaveforms());
    EXPECT_LT(t.clock.monotonicMs() - start, 1000);
    EXPECT_EQ(t.messageCount(), 1);
    EXPECT_FALSE(t.port.isOpen());
    EXPECT_EQ(t.state.link.remoteHeld, 0);

    t.port.reconnect();
    t.host.clear();
    EXPECT_TRUE(t.link->connectInstrument());
    EXPECT_TRUE(t.port.isOpen());
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(SerialLine, OpenFailuresSayWhyAndPortNumbersOutsideOneToFourOpenNothing)
{
    SimLink t;
    t.port.addDevice("/dev/ttyS0", scopesim::DeviceKind::Busy);
    EXPECT_FALSE(t.link->line().openComPort());
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_TRUE(firstLineIs(t.host, "Can not open com.-port", "Serial - Error"));

    t.host.clear();
    t.state.link.comPort = 7;
    EXPECT_FALSE(t.link->line().openComPort());
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_NE(t.host.messages[0].text.find("not one of 1 to 4"), std::string::npos);
    EXPECT_FALSE(t.port.isOpen());
}

TEST(SerialLine, PauseBetweenParameterBytesLetsTheStrictInstrumentAccept)
{
    scopesim::SimulatorConfig config;
    config.model = "TC308";
    config.strictPauses = true;
    SimLink t(config);
    ASSERT_TRUE(t.connect());
    EXPECT_TRUE(t.link->settings().sendDdf());
    EXPECT_TRUE(t.link->settings().sendDdf1());
    EXPECT_TRUE(t.link->settings().sendMeasDdf());
    EXPECT_TRUE(t.link->settings().sendDdf2());
    EXPECT_EQ(t.messageCount(), 0);
    EXPECT_TRUE(t.sim.protocolNotes().empty()) << t.sim.protocolNotes().front();
}
