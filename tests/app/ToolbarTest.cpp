// The toolbar's operations: the connect ... release bracket on the wire, the one operation
// guard, and the "RM" and "Auto" boxes.
#include <gtest/gtest.h>

#include "OperationsRig.h"

using namespace ql;
using namespace ql::testing;

TEST(Toolbar, ReadReleasesAlsoAHoldTheUserSet)
{
    OperationsRig t;
    const auto reference = probeCommands(t.sim.config(), {Probe::ReadAll});
    ASSERT_TRUE(t.connect());
    t.state.link.autoUpdate = 1;
    t.ops.read();
    EXPECT_EQ(t.commands(), join({reference[0], kRelease}));
    EXPECT_EQ(t.state.link.remoteHeld, 0);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_FALSE(t.host.remoteBox);
    EXPECT_FALSE(t.host.autoBox);
    EXPECT_TRUE(t.enabled(UiAction::Read));
    EXPECT_FALSE(t.host.busyPointer);
    EXPECT_FALSE(t.state.busy.uiBusy);
    EXPECT_EQ(t.messageCount(), 0);

    // Not held: connect first.
    t.sim.clearRecording();
    t.ops.read();
    EXPECT_EQ(t.commands(), join({kConnect, reference[0], kRelease}));
}

TEST(Toolbar, SetReadAndSetBracketEachSequenceUnlessHeld)
{
    for (const bool settingsOnly : {false, true}) {
        const Probe second = settingsOnly ? Probe::ReadSettings : Probe::ReadAll;
        auto run = [&](OperationsRig& t) { settingsOnly ? t.ops.set() : t.ops.setRead(); };
        const UiAction button = settingsOnly ? UiAction::Set : UiAction::SetRead;
        {
            OperationsRig t;
            const auto ref = probeCommands(t.sim.config(), {Probe::WriteAll, second});
            run(t);
            EXPECT_EQ(t.commands(), join({kConnect, ref[0], kRelease, kConnect, ref[1], kRelease}))
                << settingsOnly;
            EXPECT_EQ(t.state.link.remoteHeld, 0);
            EXPECT_TRUE(t.enabled(button));
        }
        {
            OperationsRig t;
            const auto ref = probeCommands(t.sim.config(), {Probe::WriteAll, second});
            ASSERT_TRUE(t.connect());
            t.state.link.autoUpdate = 1;
            run(t);
            EXPECT_EQ(t.commands(), join({ref[0], ref[1]})) << settingsOnly;
            // A hold set with "RM" or "Auto" survives.
            EXPECT_EQ(t.state.link.remoteHeld, 1);
            EXPECT_EQ(t.state.link.autoUpdate, 1);
            EXPECT_EQ(t.host.countEvents("rm box: 0"), 0);
        }
    }
}

TEST(Toolbar, AutosetKeepsAHoldAndReleasesOnlyWhatItConnected)
{
    OperationsRig t;
    t.ops.autoset();
    EXPECT_EQ(t.commands(), join({kConnect, {"AUTOSET"}, kRelease}));
    ASSERT_TRUE(t.connect());
    t.ops.autoset();
    EXPECT_EQ(t.commands(), (Commands{"AUTOSET"}));
    EXPECT_EQ(t.state.link.remoteHeld, 1);
}

TEST(Toolbar, AClickDuringAnOperationSendsNothing)
{
    OperationsRig t;
    const auto reference = probeCommands(t.sim.config(), {Probe::ReadAll});
    int clicks = 0;
    bool boxesDisabled = true;
    t.host.onPumpEvents = [&] {
        if (clicks++ > 0) return;  // one round of clicks, in the middle of the first send
        boxesDisabled = !t.enabled(UiAction::RemoteBox) && !t.enabled(UiAction::AutoBox);
        t.ops.read();
        t.ops.setRead();
        t.ops.set();
        t.ops.autoset();
        t.ops.config();
        t.ops.notes();
        t.ops.remoteBoxReleased(true);
        t.ops.autoBoxReleased(true);
        EXPECT_EQ(t.remote.execute("READ"), CommandResult::Refused);
    };
    t.remote.execute("GETBINCHA");
    const std::string before = t.remote.data();
    t.ops.read();
    EXPECT_GT(clicks, 1);
    EXPECT_TRUE(boxesDisabled);
    EXPECT_EQ(t.commands(), join({kConnect, reference[0], kRelease}));
    EXPECT_EQ(t.remote.data(), before);
    EXPECT_EQ(t.host.countEvents("open"), 0);
    EXPECT_FALSE(t.host.autoBox);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    // Afterwards both boxes work again.
    EXPECT_TRUE(t.enabled(UiAction::RemoteBox));
    EXPECT_TRUE(t.enabled(UiAction::AutoBox));
    t.host.onPumpEvents = nullptr;
    t.ops.config();
    EXPECT_EQ(t.host.countEvents("open PortSetup"), 1);
}

TEST(Toolbar, WindowButtonsOpenTheirWindowsAndOnlyExportIgnoresTheBusyTest)
{
    OperationsRig t;
    t.state.busy.linkBusy = 1;  // an exchange on the line
    t.ops.config();
    t.ops.notes();
    t.ops.wmfExport();
    EXPECT_EQ(t.host.events, (std::vector<std::string>{"open ExportSettings"}));
    t.state.busy.linkBusy = 0;
    t.ops.config();
    t.ops.notes();
    EXPECT_EQ(t.host.countEvents("open PortSetup"), 1);
    EXPECT_EQ(t.host.countEvents("open NotesWindow"), 1);
}

TEST(RemoteBox, CheckingWithoutAnInstrumentEndsClearAndUncheckingReleases)
{
    OperationsRig t;
    t.unplugInstrument();
    t.ops.remoteBoxReleased(true);
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(t.host.messages[0].text.rfind(std::string(kUnitNotFoundText) + "\n", 0), 0u);
    EXPECT_EQ(t.state.link.remoteHeld, 0);
    EXPECT_FALSE(t.host.remoteBox);
    EXPECT_TRUE(t.enabled(UiAction::RemoteBox));

    OperationsRig u;
    u.ops.remoteBoxReleased(true);
    EXPECT_EQ(u.commands(), kConnect);
    EXPECT_EQ(u.state.link.remoteHeld, 1);
    EXPECT_TRUE(u.host.remoteBox);
    u.sim.clearRecording();
    u.ops.remoteBoxReleased(false);
    EXPECT_EQ(u.commands(), kRelease);
    EXPECT_EQ(u.state.link.remoteHeld, 0);
    EXPECT_FALSE(u.host.remoteBox);
    EXPECT_FALSE(u.sim.instrument().remote());
}

TEST(AutoBox, CheckingWhileRemoteIsClearConnectsAndClearingKeepsTheHold)
{
    OperationsRig t;
    t.state.autoStore.autoStoreActive = 1;
    t.ops.autoBoxReleased(true);
    EXPECT_EQ(t.commands(), kConnect);
    EXPECT_EQ(t.state.link.autoUpdate, 1);
    EXPECT_EQ(t.state.link.remoteHeld, 1);
    EXPECT_TRUE(t.host.autoBox);
    EXPECT_TRUE(t.host.remoteBox);
    EXPECT_EQ(t.state.autoStore.autoStoreActive, 1);

    t.sim.clearRecording();
    t.ops.autoBoxReleased(false);
    EXPECT_TRUE(t.commands().empty());
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_EQ(t.state.link.remoteHeld, 1);
    EXPECT_EQ(t.state.autoStore.autoStoreActive, 0);  // a running autostore stops
    EXPECT_FALSE(t.host.autoBox);

    // A failed connection clears the box again and stops the autostore.
    OperationsRig u;
    u.unplugInstrument();
    u.state.autoStore.autoStoreActive = 1;
    u.ops.autoBoxReleased(true);
    EXPECT_EQ(u.state.link.autoUpdate, 0);
    EXPECT_EQ(u.state.autoStore.autoStoreActive, 0);
    EXPECT_FALSE(u.host.autoBox);
}

TEST(AutoBox, StaysEnabledWhileTheAutomaticUpdateReadsSoItCanBeStopped)
{
    OperationsRig t;
    ASSERT_TRUE(t.connect());
    t.state.link.autoUpdate = 1;
    bool autoEnabled = false, remoteEnabled = true;
    t.host.onPumpEvents = [&] {
        autoEnabled = t.enabled(UiAction::AutoBox);
        remoteEnabled = t.enabled(UiAction::RemoteBox);
        t.ops.autoBoxReleased(false);
    };
    t.host.actionEnabled[static_cast<int>(UiAction::AutoBox)] = true;
    t.ops.timerTick();
    EXPECT_TRUE(autoEnabled);
    EXPECT_FALSE(remoteEnabled);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_EQ(t.state.link.remoteHeld, 1);  // the read in progress ends normally
    EXPECT_EQ(t.messageCount(), 0);
}
