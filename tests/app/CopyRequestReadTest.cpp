// A remote READ beside the instrument's copy key: the request wherever the key puts it (on the
// line before the read, during the connect, ahead of an answer, inside a record once or again
// and again), and sample codes that only look like one. The read takes exactly what the
// instrument serves, fails nothing it need not, and the request prints one page.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ReadChecks.h"
#include "link/CopyRequest.h"

using namespace ql;
using namespace ql::testing;
using scopesim::Fault;

TEST(CopyRequestRead, BytesThatLookLikeACopyRequestFailNoCommandAndPrintNothing)
{
    // On the line before a read, its first flush landing after `from` to `to` ms of them (a
    // byte takes 1.15 ms at 9600 Bd): stray starts, whole or split by the flush, and requests
    // back to back with the flush at every byte of the second (one printout). In the answers:
    // the request's text is four ordinary sample codes (2.4 divisions below the centre line),
    // at a record's start, in its middle, twice, as a whole request line, or its first
    // characters last, and the same in a settings block (the trigger words). Each answer that
    // holds them costs at most one quiet time of the line to see that nothing follows, and one
    // that holds a whole line (ending in CR LF or CR) the pause an instrument may make after its
    // request too; the A-and-B view reads the references twice.
    const std::vector<std::uint8_t> text = {'C', 'O', 'P', ':'};
    const std::vector<std::uint8_t> line = {'C', 'O', 'P', ':',  'P', 'R',
                                            'I', 'N', 'T', '\r', '\n'};
    const std::vector<std::uint8_t> crLine(line.begin(), line.end() - 1);
    const std::string burst = "COP:HC\r\nCOP:PRINT\r\n";
    using Words = std::array<std::int16_t, 4>;
    const Words words = {600, -600, 20, 0};
    const struct {
        std::string sent;
        int from, to, printouts;
        std::vector<scopesim::PlantedCodes> codes = {};
        Words triggerWords = {600, -600, 20, 0};
        int answers = 0;  // that hold the text
        bool wholeLine = false;
    } rows[] = {
        {"C", 50, 50, 0},
        {"xxCO", 50, 50, 0},
        {"COP", 0, 4, 0},
        {"xCO", 2, 4, 0},
        {burst, 8, 23, 1},
        {burst + burst + burst, 0, 56, 1},
        {"", 0, 0, 0, {{1, 0, text}}, words, 1},
        {"", 0, 0, 0, {{1, 1000, text}}, words, 1},
        {"", 0, 0, 0, {{2, 100, text}, {2, 1500, text}}, words, 1},
        {"", 0, 0, 0, {{3, 500, line}}, words, 2, true},
        {"", 0, 0, 0, {{1, 1500, crLine}}, words, 1, true},
        {"", 0, 0, 0, {{1, 2046, {'C'}}}, words, 1},
        {"", 0, 0, 0, {{2, 2045, {'C', 'O'}}}, words, 1},
        {"", 0, 0, 0, {{4, 2044, {'C', 'O', 'P'}}}, words, 2},
        {"", 0, 0, 0, {}, {0x4F43, 0x3A50, 20, 0}, 1},
        {"", 0, 0, 0, {}, {600, -600, 20, 0x4300}, 1},
        {"", 0, 0, 0, {}, {600, -600, 0x4300, 0x504F}, 1},
    };
    // CH I a slow sine beyond the screen's height: its record holds every code.
    const auto instrumentAt9600 = [] {
        scopesim::SimulatorConfig config = instrument();
        config.baudRate = 9600;
        config.inputs[0] = scopesim::Signal::sine(100.0, 3.0);
        return config;
    };
    const auto readMs = [](OperationsRig& t, const std::string& sent, int flushAfterMs) {
        useTimebaseBView(t.sim);
        EXPECT_TRUE(t.connect());
        if (!sent.empty()) t.sim.sendUnsolicited(sent);
        t.clock.advance(flushAfterMs);
        const std::int64_t start = t.clock.monotonicMs();
        EXPECT_EQ(remoteRead(t), "ready");
        return t.clock.monotonicMs() - start;
    };
    OperationsRig plain(instrumentAt9600());
    const std::int64_t plainMs = readMs(plain, "", 0);
    const Waveform& ch1 = plain.state.waves.waveCh1;
    EXPECT_EQ(std::set<int>(ch1.begin() + 1, ch1.begin() + 2048).size(), 256u);
    // One wait for the line's quiet, as the fake clock counts it (a step past the quiet time).
    const std::int64_t quietWaitMs = plain.link->line().quietMs() + 2;
    const std::int64_t pauseWaitMs = kCopyRequestPauseMs + 2;
    for (std::size_t i = 0; i < std::size(rows); ++i)
        for (int ms = rows[i].from; ms <= rows[i].to;
             ms += rows[i].to - rows[i].from > 20 ? 5 : 1) {
            const auto& r = rows[i];
            const std::string where =
                "row " + std::to_string(i) + ", " + std::to_string(ms) + " ms";
            scopesim::SimulatorConfig config = instrumentAt9600();
            config.plantedCodes = r.codes;
            config.triggerValues = r.triggerWords;
            OperationsRig t(config);
            const std::int64_t took = readMs(t, r.sent, ms);
            const std::int64_t waitMs = quietWaitMs + (r.wholeLine ? pauseWaitMs : 0);
            EXPECT_TRUE(r.answers == 0 || took <= plainMs + waitMs * r.answers)
                << where << ", " << took;
            EXPECT_EQ(t.messageCount(), 0) << where;
            EXPECT_TRUE(readIsWhole(t)) << where;
            for (int tick = 0; tick < 2; ++tick) {
                t.clock.advance(1000);
                t.ops.timerTick();
            }
            EXPECT_EQ(t.printer.documentsDone(), r.printouts) << where;
            EXPECT_EQ(t.messageCount(), 0) << where;
        }

    // A noisy trace around code 70 holds the four codes now and then: each read takes a new
    // acquisition, held on the instrument so that it can be compared.
    scopesim::SimulatorConfig config = instrument();
    config.baudRate = 115200;
    config.noiseCodes = 12;
    config.inputs = {scopesim::Signal::dc(-1.14), scopesim::Signal::dc(-1.14)};
    OperationsRig t(config);
    useTimebaseBView(t.sim);
    ASSERT_TRUE(t.connect());
    int spelling = 0;
    for (int read = 0; read < 300; ++read) {
        t.sim.instrument().setHoldWaveform(false);
        t.sim.instrument().setHoldWaveform(true);
        ASSERT_EQ(remoteRead(t), "ready") << read;
        EXPECT_TRUE(readIsWhole(t)) << read;
        for (const Waveform* w : {&t.state.waves.waveCh1, &t.state.waves.waveCh2})
            spelling += std::search(w->begin(), w->end(), text.begin(), text.end()) != w->end();
    }
    EXPECT_GE(spelling, 3);
    EXPECT_EQ(t.messageCount(), 0);
    EXPECT_FALSE(t.state.link.copyRequestKept);
    t.clock.advance(1000);
    t.ops.timerTick();
    EXPECT_EQ(t.printer.documentsDone(), 0);
}

TEST(CopyRequestRead, TheCopyKeyAtAnyMomentOfAReadFailsNoCommandShiftsNoDataAndPrintsOnce)
{
    // A remote READ that connects first (wake-up, "id?", "vers?"), with the copy key pressed
    // before it, as the identity or firmware answers, ahead of a settings block, in the release's
    // acknowledgement or between an acknowledgement's CR and LF, or in CH I's record: once,
    // twice or three times (each press landing in the answer asked again). The request may end
    // in CR alone ("cr"), the instrument pause 50 ms before the record's rest ("late"), the line
    // run at 2400 Bd, where a record takes 9.4 s. The read is whole, the identity the
    // instrument's own, a moved record asked once more for each press, and the next tick prints
    // one page. Moved at every ask, the read fails once, at the fourth. A request that only
    // follows a record holding the request's start or a whole line of its text leaves the record
    // as it came; that line with other bytes after it has the record asked again (once more at
    // most) and prints nothing. A record ending in a line as long as the request, or holding
    // seven such lines ahead of the press, is asked again when the press comes inside it. CH I
    // holds every code under noise, held by the user so that the read can be compared.
    const std::vector<std::uint8_t> start = {'C', 'O', 'P'};
    const std::vector<std::uint8_t> line = {'C', 'O', 'P', ':',  'P', 'R',
                                            'I', 'N', 'T', '\r', '\n'};
    const std::vector<std::uint8_t> simLine = {'C', 'O', 'P', ':', 'H', 'C', '\r', '\n'};
    std::vector<scopesim::PlantedCodes> sevenLines;
    for (int k = 0; k < 7; ++k) sevenLines.push_back({1, 100 * k, line});
    const std::string inside = "copy-inside:1000@rdwfm1:";
    const std::size_t record = answerLength("rdwfm1:");
    const std::string endingIt = "copy-inside:" + std::to_string(record - 8) + "@rdwfm1:";
    const std::string endingItCr = "copy-inside:" + std::to_string(record - 7) + "@rdwfm1:";
    const std::string after = "copy-inside:" + std::to_string(record) + "@rdwfm1:";
    const std::string stray = "junk-after:5@rdwfm1:";
    const struct {
        const char* name;
        std::vector<std::string> faults;  // none: the key pressed before the read
        int recordAsks = 1;
        std::string how = "";  // "cr", "late", "2400", "fails"
        std::vector<scopesim::PlantedCodes> codes = {};
        int printouts = 1;
    } rows[] = {
        {"before the wake-up", {}},
        {"ahead of the identity", {"copy-inside:0@id?"}},
        {"inside the model name", {"copy-inside:10@id?"}},
        {"ahead of the firmware", {"copy-inside:0@vers?"}},
        {"inside the firmware version", {"copy-inside:7@vers?"}},
        {"ahead of a settings block", {"copy-inside:0@ddf?"}, 1, "cr"},
        {"inside the release's acknowledgement", {"copy-inside:1@rm0"}},
        {"between an acknowledgement's CR and LF", {"copy-inside:2@hldwfm="}, 1, "cr"},
        {"inside a record", {inside}, 2},
        {"inside a record twice", {inside, inside}, 3},
        {"inside a record three times", {inside, inside, inside}, 4},
        {"inside a record at every ask", {inside + "*"}, 4, "fails"},
        {"inside a record, CR alone", {inside}, 2, "cr"},
        {"inside a record before a sample LF", {inside}, 2, "cr", {{1, 989, {'\n'}}}},
        {"inside a record, its rest late", {inside}, 2, "late"},
        {"ending a record, its rest late", {endingIt}, 2, "late"},
        {"ending a record, its rest late", {endingItCr}, 2, "cr late"},
        {"inside a record's echo", {"copy-inside:3@rdwfm1:"}, 1, "2400"},
        {"inside a record twice", {inside, inside}, 3, "2400"},
        {"inside a record ending in a line", {inside}, 2, "", {{1, 2039, simLine}}},
        {"inside a record after seven lines", {inside}, 2, "", sevenLines},
        {"after a record ending in its start", {after}, 1, "", {{1, 2044, start}}},
        {"after a record holding its line", {after}, 1, "", {{1, 500, line}}},
        {"stray bytes after a record holding its line", {stray}, 2, "", {{1, 500, line}}, 0},
        {"stray bytes after it at every ask", {stray + "*"}, 2, "fails", {{1, 500, line}}, 0},
    };
    OperationsRig reference(instrument());
    ASSERT_TRUE(reference.link->connectInstrument());
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.name) + " " + r.how);
        const bool ready = r.how.find("fails") == std::string::npos;
        scopesim::SimulatorConfig config = instrument();
        config.copyRequestEnd = r.how.find("cr") == 0 ? "\r" : "\r\n";
        config.copyRequestPauseMs = r.how.find("late") != std::string::npos ? 50.0 : 0.0;
        config.baudRate = r.how == "2400" ? 2400 : 19200;
        config.plantedCodes = r.codes;
        config.noiseCodes = 12;
        config.inputs[0] = scopesim::Signal::sine(100.0, 3.0);
        OperationsRig t(config);
        useTimebaseBView(t.sim);
        t.sim.instrument().setHoldWaveform(true);
        t.link->line().openComPort();
        if (r.faults.empty()) t.sim.pressCopyKey();
        for (const std::string& f : r.faults) t.sim.injectFault(*Fault::parse(f));
        EXPECT_EQ(remoteRead(t), ready ? "ready" : "error");
        const Commands sent = t.commands();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "rdwfm1:"), r.recordAsks);
        EXPECT_EQ(t.host.caption, reference.host.caption);
        EXPECT_EQ(t.state.identity.firmwareVersion, reference.state.identity.firmwareVersion);
        EXPECT_EQ(t.messageCount(), ready ? 0 : 1);
        EXPECT_TRUE(!ready || readIsWhole(t));
        t.sim.clearFaults();
        for (int tick = 0; tick < 2; ++tick) {
            t.clock.advance(1000);
            t.ops.timerTick();
        }
        EXPECT_EQ(t.printer.documentsDone(), r.printouts);
        EXPECT_EQ(t.messageCount(), ready ? 0 : 1);
    }
}
