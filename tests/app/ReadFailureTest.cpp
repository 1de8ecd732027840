// A remote READ whose read-all meets a fault at any one of its commands, for every kind of
// fault the line can bring: one message, nothing of the read taken over, nothing more sent,
// the client told "error"; and the next READ brings exactly what the instrument serves.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "ReadChecks.h"

using namespace ql;
using namespace ql::testing;
using scopesim::Fault;
using scopesim::MainField;

TEST(ReadFailure, AFaultAtAnyCommandOfAReadTakesNothingOverAndTheNextReadIsWhole)
{
    OperationsRig reference(instrument());
    useTimebaseBView(reference.sim);
    ASSERT_TRUE(reference.connect());
    ASSERT_TRUE(reference.link->sequences().readAllFromScope());
    const Commands read = reference.commands();
    ASSERT_EQ(std::count(read.begin(), read.end(), "rdref1:"), 2);
    ASSERT_EQ(std::count(read.begin(), read.end(), "hldwfm="), 3);
    // From here on the read holds the instrument's records itself.
    const std::size_t taken = std::find(read.begin(), read.end(), "hldwfm=") - read.begin();

    // Junk after an answer reaches the next command, whose echo it then precedes. A copy
    // request ahead of an answer or after it is kept and the read goes on; one inside an echo or
    // an acknowledgement is cut out of it; one inside a payload (or its first character its last
    // byte) moved its bytes: that query alone is asked for again, and the read goes on too.
    const struct {
        const char* name;
        std::string (*fault)(const std::string& command);  // "": cannot happen there
        bool hitsNextCommand;
        bool readGoesOn = false;
    } kinds[] = {
        {"silent", [](const std::string&) { return std::string("silence"); }, false},
        {"cut after 1 byte", [](const std::string&) { return std::string("stop:1"); }, false},
        {"cut half-way",
         [](const std::string& c) { return "stop:" + std::to_string(answerLength(c) / 2); }, false},
        {"wrong acknowledgement", [](const std::string&) { return std::string("ack:1crlf"); },
         false},
        {"junk before", [](const std::string&) { return std::string("junk-before:5"); }, false},
        {"junk after", [](const std::string&) { return std::string("junk-after:5"); }, true},
        {"9 s late", [](const std::string&) { return std::string("delay:9000"); }, false},
        {"copy request ahead", [](const std::string&) { return std::string("copy-inside:0"); },
         false, true},
        {"copy request after",
         [](const std::string& c) { return "copy-inside:" + std::to_string(answerLength(c)); },
         false, true},
        {"copy request after the first byte",
         [](const std::string&) { return std::string("copy-inside:1"); }, false, true},
        {"copy request in the middle",
         [](const std::string& c) { return "copy-inside:" + std::to_string(answerLength(c) / 2); },
         false, true},
        {"copy request before the last byte",
         [](const std::string& c) { return "copy-inside:" + std::to_string(answerLength(c) - 1); },
         false, true},
    };

    for (std::size_t k = 0; k < read.size(); ++k) {
        for (const auto& kind : kinds) {
            const std::string where = read[k] + " #" + std::to_string(k) + ", " + kind.name;
            const std::string faultText = kind.fault(read[k]);
            if (faultText.empty()) continue;
            OperationsRig t(instrument());
            useTimebaseBView(t.sim);
            ASSERT_TRUE(t.connect());  // as with "RM" checked; READ releases it all the same
            const std::string before = readGroups(t.state);
            // A fault without a command hits the next exchange: armed once the commands before
            // the k-th have reached the instrument.
            const Fault fault = *Fault::parse(faultText);
            bool armed = false;
            t.host.onPumpEvents = [&] {
                if (!armed && t.commands().size() == k) {
                    t.sim.injectFault(fault);
                    armed = true;
                }
            };

            const std::size_t failing = kind.readGoesOn ? read.size() : k + kind.hitsNextCommand;
            const bool survives = failing == read.size();
            EXPECT_EQ(t.remote.answerLine("EXECUTE READ"), "OK") << where;
            EXPECT_EQ(t.remote.answerLine("REQUEST data"), survives ? "ready" : "error") << where;
            ASSERT_TRUE(armed) << where;
            if (survives) {
                EXPECT_EQ(t.messageCount(), 0) << where;
                if (!kind.readGoesOn) continue;
                Commands asked = read;
                const std::size_t echo = isRecord(read[k]) ? 11 : read[k].size();
                if (read[k].back() != '=' && fault.count >= static_cast<int>(echo) &&
                    fault.count < static_cast<int>(answerLength(read[k])))
                    asked.insert(asked.begin() + static_cast<long>(k), read[k]);
                EXPECT_EQ(t.commands(), join({asked, kRelease})) << where;
                // Kept, or after the last answer left on the idle line: the next tick serves it
                // (read, release, print).
                EXPECT_TRUE(readIsWhole(t)) << where;
                t.sim.clearRecording();
                t.clock.advance(1000);
                t.ops.timerTick();
                EXPECT_EQ(t.commands(), join({kConnect, read, kRelease})) << where;
                EXPECT_EQ(t.printer.documentsDone(), 1) << where;
                EXPECT_FALSE(t.state.link.copyRequestKept) << where;
                continue;
            }
            // A read that held the instrument gives the hold back before the release.
            const Commands giveBack = failing >= taken ? Commands{"hldwfm="} : Commands{};
            EXPECT_EQ(t.commands(),
                      join({Commands(read.begin(), read.begin() + static_cast<long>(failing) + 1),
                            giveBack, kRelease}))
                << where;
            ASSERT_EQ(t.messageCount(), 1) << where;
            const std::string& text = t.host.messages[0].text;
            EXPECT_EQ(text.substr(0, text.find('\n')), "Transmission Error") << where;
            EXPECT_NE(text.find(kReadNotTakenOverText), std::string::npos) << where;
            EXPECT_TRUE(readGroups(t.state) == before) << where;
            EXPECT_FALSE(t.enabled(UiAction::Set)) << where;
            EXPECT_FALSE(t.enabled(UiAction::SetRead)) << where;
            EXPECT_EQ(t.host.countEvents("refresh"), 0) << where;

            // The user reads again once the line has gone quiet.
            t.host.onPumpEvents = nullptr;
            t.sim.clearFaults();
            t.clock.advance(3000);
            t.host.clear();
            t.sim.clearRecording();
            EXPECT_EQ(t.remote.answerLine("EXECUTE READ"), "OK") << where;
            EXPECT_EQ(t.remote.answerLine("REQUEST data"), "ready") << where;
            EXPECT_EQ(t.messageCount(), 0) << where;
            EXPECT_EQ(t.commands().front(), kConnect.front()) << where;
            EXPECT_TRUE(readIsWhole(t)) << where;
            EXPECT_TRUE(t.enabled(UiAction::Set)) << where;
        }
    }
}

TEST(ReadFailure, TheSettingsOnlyReadIsAllOrNothingToo)
{
    // At the last command of the sequence, everything else has arrived by then: junk ahead of
    // its answer fails it; the copy request inside its block (whole, or its first character
    // last) has that block asked for again, and fails it when it comes inside again.
    for (const std::string fault : {"junk-before:2@trgval?", "copy-inside:9@trgval?",
                                    "copy-inside:14@trgval?", "copy-inside:9@trgval?*", ""}) {
        const bool fails = fault.rfind("junk", 0) == 0 || fault.back() == '*';
        OperationsRig t(instrument());
        ASSERT_TRUE(t.connect());
        t.sim.instrument().mainBlock().set(MainField::Ch1VoltsIndex, 9);
        t.sim.instrument().triggerValues() = {5, 6, 7, 8};
        const std::string before = readGroups(t.state);
        if (!fault.empty()) t.sim.injectFault(*Fault::parse(fault));
        EXPECT_EQ(t.link->sequences().readSettingsFromScope(), !fails);
        EXPECT_EQ(t.commands().back(), "trgval?");
        EXPECT_EQ(readGroups(t.state) == before, fails);
        EXPECT_EQ(t.state.ddf.ch1VoltsIndex == 9, !fails);
        EXPECT_EQ(t.state.trigCal.trgVal1 == 5, !fails);
        EXPECT_EQ(t.messageCount(), fails ? 1 : 0);
        EXPECT_EQ(t.state.link.copyRequestKept, fault.rfind("copy", 0) == 0) << fault;
    }
}

TEST(ReadFailure, AReadCutOffUnderTheProgramsHoldLeavesTheFollowingReadsFresh)
{
    OperationsRig t(noisyInstrument());
    useTimebaseBView(t.sim);
    std::vector<Waveform> records;
    for (int read = 1; read <= 5; ++read) {
        // The second read's CH II request gets no answer.
        if (read == 2) t.sim.injectFault(*Fault::parse("silence@rdwfm2:"));
        t.clock.advance(1000);
        EXPECT_EQ(remoteRead(t), read == 2 ? "error" : "ready") << read;
        if (read != 2) records.push_back(t.state.waves.waveCh1);
    }
    for (std::size_t i = 1; i < records.size(); ++i) EXPECT_NE(records[i], records[i - 1]) << i;
    EXPECT_FALSE(t.sim.instrument().holdWaveform());
    EXPECT_EQ(t.messageCount(), 1);
}

TEST(ReadFailure, AFaultUnderTheProgramsHoldGivesItBackAndTheNextReadsAreFresh)
{
    OperationsRig reference(noisyInstrument());
    useTimebaseBView(reference.sim);
    ASSERT_TRUE(reference.connect());
    ASSERT_TRUE(reference.link->sequences().readAllFromScope());
    const Commands read = reference.commands();
    // From the program's own "hldwfm=1" to the "hldwfm=" that gives the user's value back.
    const std::size_t taken = std::find(read.begin(), read.end(), "hldwfm=") - read.begin();
    ASSERT_EQ(read.back(), "hldwfm=");

    const struct {
        const char* name;
        std::string (*fault)(const std::string& command);
        bool portGone;
    } kinds[] = {
        {"silent", [](const std::string&) { return std::string("silence"); }, false},
        {"cut after 1 byte", [](const std::string&) { return std::string("stop:1"); }, false},
        {"line noise",
         [](const std::string& c) { return "garbage:" + std::to_string(answerLength(c)); }, false},
        {"wrong acknowledgement", [](const std::string&) { return std::string("ack:1crlf"); },
         false},
        {"port gone", [](const std::string&) { return std::string("vanish:1"); }, true},
    };

    for (const bool userHold : {false, true}) {
        for (std::size_t k = taken; k < read.size(); ++k) {
            for (const auto& kind : kinds) {
                const std::string where = read[k] + " #" + std::to_string(k) + ", " + kind.name +
                                          (userHold ? ", held by the user" : "");
                OperationsRig t(noisyInstrument());
                useTimebaseBView(t.sim);
                t.sim.instrument().setHoldWaveform(userHold);
                ASSERT_TRUE(t.connect());
                const Fault fault = *Fault::parse(kind.fault(read[k]));
                bool armed = false;
                t.host.onPumpEvents = [&] {
                    if (!armed && t.commands().size() == k) {
                        t.sim.injectFault(fault);
                        armed = true;
                    }
                };
                EXPECT_EQ(remoteRead(t), "error") << where;
                ASSERT_TRUE(armed) << where;
                ASSERT_EQ(t.messageCount(), 1) << where;
                EXPECT_EQ(
                    t.host.messages[0].text.find(kHoldGivenBackAtConnectText) != std::string::npos,
                    kind.portGone)
                    << where;
                const Commands failed(read.begin(), read.begin() + static_cast<long>(k) + 1);
                if (kind.portGone) {
                    // Nothing can go back now: the next connect gives it back.
                    EXPECT_EQ(t.commands(), failed) << where;
                    EXPECT_TRUE(t.state.link.programHold.outstanding) << where;
                    t.port.reconnect();
                } else {
                    EXPECT_EQ(t.commands(), join({failed, {"hldwfm="}, kRelease})) << where;
                    EXPECT_EQ(t.sim.instrument().holdWaveform(), userHold) << where;
                }

                t.host.onPumpEvents = nullptr;
                t.sim.clearFaults();
                t.host.clear();
                for (int again = 1; again <= 2; ++again) {
                    t.sim.clearRecording();
                    const Waveform before = t.state.waves.waveCh1;
                    t.clock.advance(1000);
                    EXPECT_EQ(remoteRead(t), "ready") << where << ", read " << again;
                    if (userHold) {
                        EXPECT_TRUE(
                            recordIs(t.state.waves.waveCh1, t.sim.instrument().channelRecord(1)))
                            << where << ", read " << again;
                    } else {
                        EXPECT_NE(t.state.waves.waveCh1, before) << where << ", read " << again;
                    }
                    EXPECT_EQ(t.sim.instrument().holdWaveform(), userHold) << where;
                    EXPECT_EQ(t.state.storage.holdWaveform, userHold ? 1 : 0) << where;
                }
                EXPECT_FALSE(t.state.link.programHold.outstanding) << where;
                EXPECT_EQ(t.messageCount(), 0) << where;
            }
        }
    }
}

TEST(ReadFailure, EveryOperationWhoseReadFailsGivesTheProgramsHoldBackBeforeAnythingElse)
{
    const struct {
        const char* name;
        bool connected;  // held in remote beforehand
        void (*run)(OperationsRig& t);
    } operations[] = {
        {"toolbar Read", false, [](OperationsRig& t) { t.ops.read(); }},
        {"remote READ", false, [](OperationsRig& t) { t.remote.execute("READ"); }},
        {"Set/Read", false, [](OperationsRig& t) { t.ops.setRead(); }},
        {"Reset with the right button", false,
         [](OperationsRig& t) { t.ops.resetReleased(MouseButton::Right); }},
        {"copy request", true,
         [](OperationsRig& t) {
             t.sim.pressCopyKey();
             t.clock.advance(50);
             t.ops.timerTick();
         }},
        {"automatic update", true,
         [](OperationsRig& t) {
             t.state.link.autoUpdate = 1;
             t.ops.timerTick();
         }},
        {"timed autostore", false,
         [](OperationsRig& t) {
             AutoStore& a = t.state.autoStore;
             a.autoStoreActive = a.autoStoreTimed = 1;
             a.autoStoreNextTime = t.clock.now();
             t.ops.timerTick();
         }},
    };
    // Each operation with the give-back answered, then unanswered too: the one box then also
    // says the hold may still be on and when it goes back.
    for (std::size_t i = 0; i < 2 * std::size(operations); ++i) {
        const auto& op = operations[i % std::size(operations)];
        const bool givenBack = i < std::size(operations);
        SCOPED_TRACE(givenBack ? "given back" : "hold kept");
        OperationsRig t(noisyInstrument());
        ASSERT_TRUE(!op.connected || t.connect());
        t.sim.injectFault(*Fault::parse("silence@rdwfm1:"));
        t.host.onPumpEvents = [&] {
            const Commands sent = t.commands();
            if (!givenBack && !sent.empty() && sent.back() == "rdwfm1:" && !t.sim.pendingFaults())
                t.sim.injectFault(*Fault::parse("silence@hldwfm="));
        };
        op.run(t);
        const Commands sent = t.commands();
        const auto cut = std::find(sent.begin(), sent.end(), "rdwfm1:");
        ASSERT_GT(sent.end() - cut, 1) << op.name;
        EXPECT_EQ(*(cut + 1), "hldwfm=") << op.name;
        EXPECT_EQ(t.sim.instrument().holdWaveform(), !givenBack) << op.name;
        EXPECT_EQ(t.state.link.programHold.outstanding, !givenBack) << op.name;
        ASSERT_EQ(t.messageCount(), 1) << op.name;
        const std::string& text = t.host.messages[0].text;
        EXPECT_EQ(text.find(kHoldGivenBackAtConnectText) != std::string::npos, !givenBack)
            << op.name;
    }
}

TEST(ReadFailure, AReadRightAfterOneThatFailedInARecordAt2400BdIdentifiesTheInstrument)
{
    // The failed record's rest, or line noise in its place, goes on arriving for seconds: the
    // next READ's connect starts on the quiet line, so none of it reaches the identity.
    OperationsRig reference(instrument());
    ASSERT_TRUE(reference.link->connectInstrument());
    for (const char* fault : {"junk-before:5@rdwfm1:", "garbage:3000@rdwfm1:"}) {
        scopesim::SimulatorConfig config = instrument();
        config.baudRate = 2400;
        OperationsRig t(config);
        useTimebaseBView(t.sim);
        t.link->line().openComPort();
        t.sim.injectFault(*Fault::parse(fault));
        EXPECT_EQ(remoteRead(t), "error") << fault;
        EXPECT_EQ(remoteRead(t), "ready") << fault;
        EXPECT_EQ(t.host.caption, reference.host.caption) << fault;
        EXPECT_EQ(t.messageCount(), 1) << fault;
    }
}
