// Every fault the simulator can commit, the strict pause check, and the fault syntax of the
// scopesim command line.

#include <gtest/gtest.h>

#include "SimBench.h"
#include "scopesim/Options.h"

using namespace ql::scopesim;
using ql::scopesim::test::bytesOf;
using ql::scopesim::test::SimBench;

namespace {

Fault fault(std::string_view text)
{
    auto f = Fault::parse(text);
    EXPECT_TRUE(f.has_value()) << text;
    return f.value_or(Fault{});
}

}  // namespace

TEST(Faults, SilenceSkipsTheCommandOnce)
{
    SimBench b;
    b.sim.injectFault(fault("silence@avrnm="));
    EXPECT_EQ(b.exchange("avrnm=" + bytesOf({7})), "");
    EXPECT_EQ(b.sim.instrument().settings().averageIndex, 4);
    EXPECT_EQ(b.exchange("avrnm=" + bytesOf({7})), "0\r\n");
    EXPECT_EQ(b.sim.instrument().settings().averageIndex, 7);
}

TEST(Faults, NextExchangeAndEveryTime)
{
    SimBench b;
    b.sim.injectFault(fault("silence"));
    EXPECT_EQ(b.exchange("id?"), "");
    EXPECT_EQ(b.exchange("id?").size(), 31u);
    b.sim.injectFault(fault("stop:2@avrnm?*"));
    EXPECT_EQ(b.exchange("avrnm?"), "av");
    EXPECT_EQ(b.exchange("avrnm?"), "av");
    EXPECT_EQ(b.sim.pendingFaults(), 1u);
    b.sim.clearFaults();
    EXPECT_EQ(b.exchange("avrnm?").size(), 7u);
}

TEST(Faults, DelaysBeforeTheAnswerBeforeEachByteAndBeforeTheLineFeed)
{
    SimBench b;
    b.sim.injectFault(fault("delay:9000@id?"));
    b.port.discardInput();
    b.send("id?");
    b.clock.advance(8500);
    EXPECT_EQ(b.port.inputCount(), 0);
    EXPECT_EQ(b.receive(31, 1000).size(), 31u);

    b.sim.injectFault(fault("byte-delay:10@ddf?"));
    b.port.discardInput();
    b.send("ddf?");
    const std::int64_t start = b.nowMs();
    EXPECT_EQ(b.receive(18).size(), 18u);
    EXPECT_GE(b.nowMs() - start, 180);

    b.sim.injectFault(fault("late-lf:500@avrnm="));
    b.port.discardInput();
    b.send("avrnm=" + bytesOf({3}));
    EXPECT_EQ(b.receive(3, 400), "0\r");
    EXPECT_EQ(b.receive(1, 200), "\n");
}

TEST(Faults, WrongAcknowledgements)
{
    SimBench b;
    const std::pair<const char*, const char*> forms[] = {{"ack:1crlf@ref1pos=", "1\r\n"},
                                                         {"ack:0cr@ref1pos=", "0\r"},
                                                         {"ack:0crx@ref1pos=", "0\rX"}};
    for (const auto& [spec, reply] : forms) {
        b.sim.injectFault(fault(spec));
        EXPECT_EQ(b.exchange("ref1pos=" + bytesOf({9})), reply) << spec;
    }
}

TEST(Faults, SurplusAndGarbage)
{
    SimBench b;
    b.sim.injectFault(fault("surplus:3@avrnm="));
    EXPECT_EQ(b.exchange("avrnm=" + bytesOf({2})), "0\r\n0\r\n");
    b.sim.injectFault(fault("garbage:10@ddf?"));
    const std::string noise = b.exchange("ddf?");
    ASSERT_EQ(noise.size(), 10u);
    for (char ch : noise) EXPECT_GE(static_cast<std::uint8_t>(ch), 0x80);
    // Junk ahead of an answer: the answer itself follows whole.
    b.sim.injectFault(fault("junk-before:4@avrnm?"));
    const std::string late = b.exchange("avrnm?");
    ASSERT_EQ(late.size(), 4u + 7u);
    for (char ch : late.substr(0, 4)) EXPECT_GE(static_cast<std::uint8_t>(ch), 0x80);
    EXPECT_EQ(late.substr(4, 6), "avrnm?");
    b.sim.injectFault(fault("junk-after:3@avrnm?"));
    const std::string trailed = b.exchange("avrnm?");
    ASSERT_EQ(trailed.size(), 7u + 3u);
    EXPECT_EQ(trailed.substr(0, 6), "avrnm?");
    for (char ch : trailed.substr(7)) EXPECT_GE(static_cast<std::uint8_t>(ch), 0x80);
    b.sim.injectFault(fault("copy-inside:2@avrnm?"));
    EXPECT_EQ(b.exchange("avrnm?").substr(0, 2 + kCopyRequest.size() + 4),
              "av" + std::string(kCopyRequest) + "rnm?");
}

TEST(Faults, PortVanishesMidTransfer)
{
    SimBench b;
    b.sim.injectFault(fault("vanish:100@rdwfm1:"));
    b.port.discardInput();
    b.send("rdwfm1:" + bytesOf({0, 0, 0xFF, 0x07}));
    std::size_t got = 0;
    for (int t = 0; t < 1000 && !b.port.hasFailed(); ++t) {
        got += b.readAll().size();
        b.clock.advance(1);
    }
    EXPECT_TRUE(b.port.hasFailed());
    EXPECT_EQ(b.port.inputCount(), -1);
    EXPECT_GT(got, 11u);
    EXPECT_LT(got, 100u);
    b.port.close();
    EXPECT_FALSE(b.port.open("/dev/ttyS0", {}).ok);
}

TEST(StrictPauses, SetCommandsWithoutTheirPauseAreRefused)
{
    SimulatorConfig c;
    c.model = "TC308";
    c.strictPauses = true;
    SimBench b(c);
    const InstrumentSettings before = b.sim.instrument().settings();
    const std::string ddf(14, '\x11');
    EXPECT_EQ(b.exchange("ddf=" + ddf), "1\r\n");
    EXPECT_EQ(b.sim.instrument().settings(), before);
    ASSERT_EQ(b.sim.protocolNotes().size(), 1u);
    EXPECT_NE(b.sim.protocolNotes()[0].find("after byte 7"), std::string::npos);

    b.port.discardInput();
    b.sendWithPause("ddf=" + ddf, 4 + 7, 79);
    EXPECT_EQ(b.receive(3), "1\r\n");
    b.port.discardInput();
    b.sendWithPause("ddf=" + ddf, 4 + 7, 80);
    EXPECT_EQ(b.receive(3), "0\r\n");

    b.port.discardInput();
    b.sendWithPause("ddf1=" + std::string(16, '\0'), 5 + 8, 100);
    EXPECT_EQ(b.receive(3), "0\r\n");
    b.port.discardInput();
    b.sendWithPause("measddf=" + std::string(22, '\0'), 8 + 10, 100);
    EXPECT_EQ(b.receive(3), "0\r\n");

    // "ddf2=" wants its pause before the command text.
    EXPECT_EQ(b.exchange("ddf2=" + std::string(8, '\0'), 10), "1\r\n");
    b.clock.advance(100);
    EXPECT_EQ(b.exchange("ddf2=" + std::string(8, '\0')), "0\r\n");
}

TEST(FaultSyntax, ReadsAndWritesTheCommandLineForm)
{
    for (const char* text :
         {"silence@ddf?", "delay:9000@id?", "stop:5@rdwfm1:*", "byte-delay:3",
          "ack:0crx@ddf=", "surplus:4", "late-lf:500@savedf=", "garbage:12",
          "junk-before:3@wfmpre?", "junk-after:2*", "vanish:100@rdwfm1:", "silence@wake*"}) {
        const auto f = Fault::parse(text);
        ASSERT_TRUE(f) << text;
        EXPECT_EQ(f->describe(), text);
    }
    EXPECT_EQ(Fault::parse("silence@wake")->command, " ");
    for (const char* bad :
         {"", "loud", "stop", "stop:x", "ack:2", "silence:3", "delay:-1@id?", "vanish:2@"})
        EXPECT_FALSE(Fault::parse(bad)) << bad;
}

TEST(CommandLine, SignalsModelsAndProblems)
{
    const auto ok = parseOptions({"--model", "TC308", "--firmware=1.17", "--baud", "9600", "--ch1",
                                  "line:50:2:3=0.4,5=0.2", "--ch2", "square:500:1:0.5", "--fault",
                                  "silence@ddf?", "--strict", "--single-shot-delay", "never",
                                  "--codes", "ref2:2043:67,79,80,58"});
    ASSERT_TRUE(ok) << ok.failure().text;
    const SimulatorConfig& c = ok.value().config;
    EXPECT_EQ(c.model, "TC308");
    EXPECT_EQ(c.firmware, "1.17");
    EXPECT_EQ(c.baudRate, 9600);
    EXPECT_TRUE(c.strictPauses);
    EXPECT_FALSE(c.singleShotTriggerMs);
    EXPECT_EQ(c.inputs[0].shape, SignalShape::LineCurrent);
    ASSERT_EQ(c.inputs[0].harmonics.size(), 2u);
    EXPECT_EQ(c.inputs[0].harmonics[1].order, 5);
    EXPECT_DOUBLE_EQ(c.inputs[1].offset, 0.5);
    EXPECT_EQ(ok.value().faults.size(), 1u);
    ASSERT_EQ(c.plantedCodes.size(), 1u);
    EXPECT_EQ(c.plantedCodes[0].record, 4);
    EXPECT_EQ(c.plantedCodes[0].codes, (std::vector<std::uint8_t>{'C', 'O', 'P', ':'}));
    const auto copy = parseOptions({"--copy-end", "cr", "--copy-pause", "50"});
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy.value().config.copyRequestEnd, "\r");
    EXPECT_EQ(copy.value().config.copyRequestPauseMs, 50.0);

    EXPECT_FALSE(parseOptions({"--model", "TX999"}));
    EXPECT_FALSE(parseOptions({"--firmware", "2.1"}));
    EXPECT_FALSE(parseOptions({"--baud", "1234"}));
    EXPECT_FALSE(parseOptions({"--ch1", "sine:0:1"}));
    EXPECT_FALSE(parseOptions({"--ch1", "line:50:1:1=0.2"}));
    EXPECT_FALSE(parseOptions({"--codes", "ch1:2044:67,79,80,58"}));  // past the record's end
    EXPECT_FALSE(parseOptions({"--codes", "ch3:0:67"}));
    EXPECT_FALSE(parseOptions({"--copy-end", "crcr"}));
    EXPECT_FALSE(parseOptions({"--frobnicate"}));
    EXPECT_FALSE(parseOptions({"--model"}));
    EXPECT_TRUE(parseOptions({"--help"}).value().showHelp);
    EXPECT_EQ(parseSignal("dc:-1.5")->offset, -1.5);
    EXPECT_EQ(parseSignal("off")->maximum(), 0.0);
}
