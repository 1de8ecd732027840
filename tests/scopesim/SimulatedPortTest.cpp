// The in-process port: line-rate timing on the fake clock, latency, mismatched lines,
// devices, and the vanishing adapter.

#include <gtest/gtest.h>

#include "SimBench.h"
#include "scopesim/LineTiming.h"

using namespace ql::scopesim;
using ql::LineSettings;
using ql::scopesim::test::SimBench;

namespace {

LineSettings line(std::int32_t baud, int stopBits = 2)
{
    LineSettings l;
    l.baudRate = baud;
    l.stopBits = stopBits;
    return l;
}

bool write(SimBench& b, std::string_view text)
{
    return b.port.write(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace

TEST(LineTiming, ElevenBitsPerByteAt8N2AndTenAt8N1)
{
    EXPECT_EQ(byteDurationUs(line(19200)), 573);
    EXPECT_EQ(byteDurationUs(line(19200, 1)), 521);
    EXPECT_EQ(byteDurationUs(line(2400)), 4584);
    EXPECT_TRUE(linesMatch(line(19200, 1), line(19200, 2)));
    EXPECT_FALSE(linesMatch(line(9600), line(19200)));
}

TEST(SimulatedPort, RepliesArriveAtTheLineRatePlusLatency)
{
    SimulatorConfig c;
    c.baudRate = 2400;
    c.latencyMs = 10.0;
    SimBench b(c, line(2400));
    const std::int64_t t0 = b.nowMs();
    ASSERT_TRUE(write(b, "ddf?"));
    EXPECT_EQ(b.port.outputCount(), 4);
    b.clock.advance(10);  // 4584 us per byte: two are out
    EXPECT_EQ(b.port.outputCount(), 2);
    // Command ends at 4 x 4584 us; the answer starts 10 ms later; 18 bytes of 4584 us each.
    const std::int64_t lastByteUs = 4 * 4584 + 10'000 + 18 * 4584;
    const std::int64_t firstByteUs = 4 * 4584 + 10'000 + 4584;
    b.clock.advance(firstByteUs / 1000 - 10);
    EXPECT_EQ(b.port.inputCount(), 0);
    b.clock.advance(1);
    EXPECT_EQ(b.port.inputCount(), 1);
    b.clock.advance(lastByteUs / 1000 - (b.nowMs() - t0));
    EXPECT_EQ(b.port.inputCount(), 17);
    b.clock.advance(1);
    EXPECT_EQ(b.port.inputCount(), 18);
}

TEST(SimulatedPort, DiscardDropsOnlyWhatHasArrived)
{
    SimBench b;
    b.send("ddf?");
    b.clock.advance(6);  // latency 2 ms, then about 7 bytes
    const long early = b.port.inputCount();
    EXPECT_GT(early, 0);
    EXPECT_LT(early, 18);
    b.port.discardInput();
    EXPECT_EQ(b.port.inputCount(), 0);
    b.clock.advance(20);
    EXPECT_EQ(b.port.inputCount(), 18 - early);
}

TEST(SimulatedPort, OneStopBitTalksToTwo)
{
    SimBench b({}, line(19200, 1));
    EXPECT_EQ(b.exchange("avrnm?"), "avrnm?\x04");
}

TEST(SimulatedPort, ABaudRateMismatchGivesGarbageBothWays)
{
    SimBench b({}, line(9600));
    EXPECT_EQ(b.exchange("avrnm?"), "");
    EXPECT_TRUE(b.sim.commandTexts().empty());
    EXPECT_FALSE(b.sim.recorder().bytes().empty());
    b.sim.pressCopyKey();
    const std::string got = b.receive(8, 100);
    ASSERT_EQ(got.size(), kCopyRequest.size());
    EXPECT_EQ(got.find("COP:"), std::string::npos);
    for (char ch : got) EXPECT_GE(static_cast<std::uint8_t>(ch), 0x80);
}

TEST(SimulatedPort, DevicesForThePortSearch)
{
    SimBench b;
    b.port.close();
    b.port.addDevice("/dev/ttyS0", DeviceKind::Silent);
    b.port.addDevice("/dev/ttyS1", DeviceKind::Busy);
    b.port.addDevice("/dev/ttyS2", DeviceKind::Instrument);
    EXPECT_FALSE(b.port.open("/dev/ttyS3", line(19200)).ok);
    EXPECT_FALSE(b.port.open("/dev/ttyS1", line(19200)).ok);
    ASSERT_TRUE(b.port.open("/dev/ttyS0", line(19200)).ok);
    EXPECT_EQ(b.exchange(" \rid?"), "");
    ASSERT_TRUE(b.port.open("/dev/ttyS2", line(19200, 1)).ok);
    EXPECT_EQ(b.port.device(), "/dev/ttyS2");
    EXPECT_EQ(b.port.lineSettings().stopBits, 1);
    EXPECT_EQ(b.exchange("id?").size(), 31u);
    EXPECT_EQ(b.port.openCount(), 3);
}

TEST(SimulatedPort, ClosedPortNeitherSendsNorReceives)
{
    SimBench b;
    b.port.close();
    EXPECT_FALSE(write(b, "id?"));
    EXPECT_EQ(b.port.inputCount(), 0);
    b.sim.pressCopyKey();
    ASSERT_TRUE(b.port.open("/dev/ttyS0", line(19200)).ok);
    b.clock.advance(100);
    EXPECT_EQ(b.port.inputCount(), 0);
}

TEST(SimulatedPort, APulledAdapterFailsThePortUntilReconnected)
{
    SimBench b;
    b.send("ddf?");
    b.port.vanish();
    EXPECT_TRUE(b.port.hasFailed());
    EXPECT_EQ(b.port.inputCount(), -1);
    EXPECT_EQ(b.port.outputCount(), -1);
    EXPECT_FALSE(write(b, "id?"));
    b.port.close();
    EXPECT_FALSE(b.port.hasFailed());
    EXPECT_FALSE(b.port.open("/dev/ttyS0", line(19200)).ok);
    b.port.reconnect();
    ASSERT_TRUE(b.port.open("/dev/ttyS0", line(19200)).ok);
    EXPECT_EQ(b.exchange("avrnm?"), "avrnm?\x04");
}
