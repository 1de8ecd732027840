// The storage panel's instrument buttons on the wire: Reset, Save and Recall in the
// connect ... release bracket, a held instrument kept (or released by a right-click Reset), a
// failed command ending the button's work, and a click during another operation ignored.
#include <gtest/gtest.h>

#include <algorithm>

#include "OperationsRig.h"

using namespace ql;
using namespace ql::testing;
using scopesim::MainField;

namespace {

int count(const Commands& commands, const std::string& text)
{
    return static_cast<int>(std::count(commands.begin(), commands.end(), text));
}

// The parameter bytes the instrument received with the first `command`.
std::vector<std::uint8_t> paramsOf(const scopesim::ScopeSimulator& sim, const std::string& command)
{
    for (const auto& record : sim.recorder().commands())
        if (record.text() == command) return record.params();
    return {};
}

// Puts the instrument into single-shot mode with a completed acquisition, so "Reset" re-arms.
void singleShotDone(OperationsRig& t)
{
    t.sim.instrument().mainBlock().set(MainField::StorageMode, 1);
    t.ops.read();
    t.sim.clearRecording();
}

}  // namespace

TEST(StorageButtons, SaveWritesStoresAndReadsBackInTwoBracketsUnlessHeld)
{
    for (const bool held : {true, false}) {
        OperationsRig t;
        const auto ref = probeCommands(t.sim.config(), {Probe::WriteAll, Probe::ReadSettings});
        if (held) {
            ASSERT_TRUE(t.connect());
        }
        t.state.storage.setupSlot = 3;
        t.ops.saveSetup();
        const Commands expected =
            held ? join({ref[0], {"savedf="}, ref[1]})
                 : join({kConnect, ref[0], {"savedf="}, kRelease, kConnect, ref[1], kRelease});
        EXPECT_EQ(t.commands(), expected) << held;
        EXPECT_EQ(paramsOf(t.sim, "savedf="), std::vector<std::uint8_t>{'3'});
        EXPECT_EQ(t.state.link.remoteHeld, held ? 1 : 0);
        EXPECT_EQ(t.messageCount(), 0);
        EXPECT_FALSE(t.state.busy.uiBusy);
    }
}

TEST(StorageButtons, ResetReArmsAndTheRightButtonThenReadsAllAndReleasesAHold)
{
    OperationsRig t;
    const auto ref = probeCommands(t.sim.config(), {Probe::ReadAll});
    singleShotDone(t);
    ASSERT_TRUE(t.connect());
    t.state.link.autoUpdate = 1;
    t.ops.resetReleased(MouseButton::Left);
    EXPECT_EQ(t.commands(), (Commands{"trgsta?", "RES"}));
    EXPECT_EQ(t.state.link.remoteHeld, 1);

    // After the next trigger the right button re-arms, then reads everything and releases.
    t.sim.clearRecording();
    t.sim.instrument().fireTrigger();
    t.ops.resetReleased(MouseButton::Right);
    EXPECT_EQ(t.commands(), join({{"trgsta?", "RES"}, ref[0], kRelease}));
    EXPECT_EQ(t.state.link.remoteHeld, 0);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_FALSE(t.host.remoteBox);
    EXPECT_FALSE(t.host.autoBox);
    EXPECT_FALSE(t.sim.instrument().remote());
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(StorageButtons, AFailedCommandEndsTheButtonsWork)
{
    struct Case {
        const char* fault;
        std::function<void(InstrumentOperations&)> press;
        const char* neverSent;
    };
    const Case cases[] = {
        {"silence@ddf=", [](auto& ops) { ops.saveSetup(); }, "savedf="},
        {"silence@trgsta?", [](auto& ops) { ops.resetReleased(MouseButton::Right); }, "ddf?"},
    };
    for (const Case& c : cases) {
        OperationsRig t;
        singleShotDone(t);
        t.sim.injectFault(*scopesim::Fault::parse(c.fault));
        c.press(t.ops);
        const Commands sent = t.commands();
        EXPECT_EQ(count(sent, c.neverSent), 0) << c.fault;
        EXPECT_EQ(count(sent, "id?"), 1) << c.fault;  // no second bracket
        EXPECT_EQ(t.messageCount(), 1) << c.fault;
        EXPECT_EQ(t.state.link.remoteHeld, 0) << c.fault;
    }
}

TEST(StorageButtons, AClickDuringAnOperationSendsNothing)
{
    OperationsRig t;
    const auto reference = probeCommands(t.sim.config(), {Probe::ReadAll});
    singleShotDone(t);
    int clicks = 0;
    t.host.onPumpEvents = [&] {
        if (clicks++ > 0) return;
        t.ops.resetReleased(MouseButton::Right);
        t.ops.saveReferences();
        t.ops.saveSetup();
        t.ops.recallSetup();
    };
    t.ops.read();
    EXPECT_GT(clicks, 1);
    EXPECT_EQ(t.commands(), join({kConnect, reference[0], kRelease}));
}

TEST(StorageButtons, ASavedSetUpComesBackWithRecall)
{
    OperationsRig t;
    t.ops.read();
    t.state.storage.setupSlot = 3;
    t.state.ddf.ch1VoltsIndex = 9;
    t.state.ddf.averageIndex = 6;
    t.ops.saveSetup();
    const auto& slot3 = t.sim.instrument().setupSlot(3);
    EXPECT_EQ(slot3.main.get(MainField::Ch1VoltsIndex), 9);
    EXPECT_EQ(slot3.averageIndex, 6);

    // Changed here and in the instrument, then recalled: both hold the saved set-up again.
    t.state.ddf.ch1VoltsIndex = 2;
    t.ops.set();
    EXPECT_EQ(t.sim.instrument().mainBlock().get(MainField::Ch1VoltsIndex), 2);
    t.state.storage.setupSlot = 3;
    t.ops.recallSetup();
    EXPECT_EQ(paramsOf(t.sim, "recdf="), std::vector<std::uint8_t>{'3'});
    EXPECT_EQ(t.sim.instrument().mainBlock().get(MainField::Ch1VoltsIndex), 9);
    EXPECT_EQ(t.state.ddf.ch1VoltsIndex, 9);
    EXPECT_EQ(t.state.ddf.averageIndex, 6);
    EXPECT_EQ(t.messageCount(), 0);
}
