// The one-second tick: clock text, the deferred redraw, the copy request, the automatic
// update on both paths and the timed autostore.
#include <gtest/gtest.h>

#include "OperationsRig.h"
#include "app/ClockLine.h"

using namespace ql;
using namespace ql::testing;
using scopesim::MainField;

namespace {

int count(const Commands& c, const std::string& text)
{
    return static_cast<int>(std::count(c.begin(), c.end(), text));
}

}  // namespace

TEST(TimerTick, ClockTextShowsTheAutostoreStatus)
{
    ProgramState s;
    const DateTime now{2026, 5, 6, 7, 8, 9};
    EXPECT_EQ(clockStatusText(s, now), "07:08:09");
    s.autoStore.autoStoreActive = 1;
    s.autoStore.autoStoreCounter = 12;
    s.autoStore.autoStoreTimed = 0;
    EXPECT_EQ(clockStatusText(s, now), "07:08:09   Store after reset #00012");
    s.autoStore.autoStoreTimed = 1;
    s.autoStore.autoStoreNextTime = DateTime{2026, 5, 6, 7, 13, 0};
    EXPECT_EQ(clockStatusText(s, now), "07:08:09   Store 00012 at: 07:13:00");

    OperationsRig t;
    t.clock.setWallClock(now);
    t.ops.timerTick();
    EXPECT_EQ(t.host.clockText, "Time: 07:08:09");
}

TEST(TimerTick, RedrawRequestIsClearedOnlyWhenTheRedrawRan)
{
    OperationsRig t;
    t.state.screen.screenDirty = 1;
    t.state.screen.screenBusy = 1;  // e.g. still starting up
    t.ops.timerTick();
    EXPECT_EQ(t.host.countEvents("refresh ScreenWindow"), 0);
    EXPECT_EQ(t.state.screen.screenDirty, 1);
    t.state.screen.screenBusy = 0;
    t.ops.timerTick();
    EXPECT_EQ(t.host.countEvents("refresh ScreenWindow"), 1);
    EXPECT_EQ(t.state.screen.screenDirty, 0);
    t.ops.timerTick();
    EXPECT_EQ(t.host.countEvents("refresh ScreenWindow"), 1);
    // Without an open port the tick touches neither the line nor the guard.
    EXPECT_EQ(t.host.countEvents("busy"), 0);
    EXPECT_EQ(t.port.openCount(), 0);
}

TEST(TimerTick, AnIdleTickWithThePortOpenTouchesNeitherThePointerNorTheBoxes)
{
    OperationsRig t;
    t.ops.read();
    ASSERT_TRUE(t.port.isOpen());
    t.sim.clearRecording();
    t.host.events.clear();
    for (int i = 0; i < 3; ++i) t.ops.timerTick();
    for (const std::string& e : t.host.events)
        EXPECT_TRUE(e.rfind("busy", 0) != 0 && e.rfind("enable", 0) != 0) << e;
    EXPECT_TRUE(t.commands().empty());
}

TEST(TimerTick, ATickFiredInsideAWaitDoesNothing)
{
    OperationsRig t;
    const auto reference = probeCommands(t.sim.config(), {Probe::ReadAll});
    ASSERT_TRUE(t.connect());
    t.state.link.autoUpdate = 1;
    t.state.autoStore = AutoStore{};
    t.state.autoStore.autoStoreActive = 1;
    t.state.autoStore.autoStoreTimed = 1;
    t.state.autoStore.autoStoreNextTime = t.clock.now();  // due
    int nestedTicks = 0;
    // Unguarded, the copy-request poll would take (and flush) the reply bytes waiting, the
    // automatic update would nest a read-all and the autostore a connect.
    t.host.onPumpEvents = [&] {
        t.state.screen.screenDirty = 1;
        ++nestedTicks;
        t.ops.timerTick();
    };
    t.link->sequences().readAllFromScope();  // an exchange outside any operation: LinkBusy only
    t.ops.read();                            // an operation: UiBusy for its whole bracket
    EXPECT_GT(nestedTicks, 10);
    EXPECT_EQ(t.commands(), join({reference[0], reference[0], kRelease}));
    EXPECT_EQ(t.host.countEvents("refresh ScreenWindow"), 2);  // the two reads' own redraws
    EXPECT_EQ(t.stores, 0);
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(TimerTick, CopyRequestIsServedEveryTickBeforeTheAutomaticUpdate)
{
    OperationsRig t;
    const auto reference = probeCommands(t.sim.config(), {Probe::ReadAll});
    ASSERT_TRUE(t.connect());
    t.state.link.autoUpdate = 1;
    t.sim.pressCopyKey();
    t.clock.advance(50);
    t.ops.timerTick();
    // The request reads and releases, which ends the automatic update of this tick.
    EXPECT_EQ(t.commands(), join({reference[0], kRelease}));
    EXPECT_EQ(t.printer.documentsDone(), 1);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
}

TEST(TimerTick, ACopyRequestReadsReleasesAndPrints)
{
    // Not held: the request connects first.
    OperationsRig t;
    ASSERT_TRUE(t.link->line().openComPort());
    t.sim.sendUnsolicited("COP:\r\nX");
    t.clock.advance(20);
    t.ops.timerTick();
    auto cmds = t.commands();
    ASSERT_GE(cmds.size(), 4u);
    EXPECT_EQ(cmds[0], " ");
    EXPECT_EQ(cmds[1], "id?");
    EXPECT_EQ(cmds.back(), "rm0");
    EXPECT_EQ(t.printer.documentsDone(), 1);
    EXPECT_EQ(t.port.inputCount(), 0);

    // Held, with automatic update on: no new identification; the release ends both.
    OperationsRig h;
    ASSERT_TRUE(h.connect());
    h.state.link.autoUpdate = 1;
    h.sim.pressCopyKey();
    h.clock.advance(20);
    h.ops.timerTick();
    cmds = h.commands();
    ASSERT_GE(cmds.size(), 3u);
    EXPECT_EQ(cmds[0], "hldwfm?");
    EXPECT_EQ(cmds.back(), "rm0");
    EXPECT_EQ(h.state.link.remoteHeld, 0);
    EXPECT_EQ(h.state.link.autoUpdate, 0);
    EXPECT_FALSE(h.host.remoteBox);
    EXPECT_FALSE(h.host.autoBox);
    EXPECT_EQ(h.host.countEvents("open PrinterSettings"), 1);
    EXPECT_EQ(h.printer.documentsDone(), 1);
}

TEST(AutomaticUpdate, ContinuousModeReadsEverythingOnEveryTick)
{
    OperationsRig t;
    const auto reference = probeCommands(t.sim.config(), {Probe::ReadAll});
    ASSERT_TRUE(t.connect());
    t.state.link.autoUpdate = 1;
    t.ops.timerTick();
    t.ops.timerTick();
    EXPECT_EQ(t.commands(), join({reference[0], reference[0]}));
    EXPECT_EQ(t.state.link.remoteHeld, 1);  // the update neither connects nor releases
    EXPECT_EQ(t.state.link.autoPollCounter, 0);
}

TEST(AutomaticUpdate, SingleShotAsksOnlyTheStatusUntilDoneThenReadsStoresAndRearms)
{
    scopesim::SimulatorConfig config;
    config.singleShotTriggerMs.reset();  // triggers only when the test says so
    OperationsRig t(config);
    ASSERT_TRUE(t.connect());
    t.sim.instrument().mainBlock().set(MainField::StorageMode, 1);
    t.sim.instrument().arm(t.sim.nowUs());
    t.state.ddf.storageMode = 1;
    t.state.link.autoUpdate = 1;
    t.state.autoStore.autoStoreActive = 1;
    t.state.autoStore.autoStoreTimed = 0;  // store after each trigger
    t.state.autoStore.autoStoreCounter = 7;

    for (int i = 0; i < 3; ++i) t.ops.timerTick();
    EXPECT_EQ(t.commands(), (Commands{"trgsta?", "trgsta?", "trgsta?"}));
    EXPECT_EQ(t.stores, 0);

    t.sim.clearRecording();
    t.sim.instrument().fireTrigger();
    const auto record = t.sim.instrument().channelRecord(1);
    t.ops.timerTick();
    const Commands c = t.commands();
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(c.front(), "trgsta?");
    EXPECT_EQ(c[1], "hldwfm?");  // the read-all begins
    EXPECT_EQ(count(c, "rdwfm1:"), 1);
    EXPECT_EQ(Commands(c.end() - 2, c.end()), (Commands{"trgsta?", "RES"}));  // re-armed
    EXPECT_EQ(t.state.waves.waveCh1[1], record[0]);
    EXPECT_EQ(t.stores, 1);
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 8);

    t.sim.clearRecording();
    t.ops.timerTick();
    EXPECT_EQ(t.commands(), (Commands{"trgsta?"}));  // armed again: waiting
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(AutomaticUpdate, SingleShotSettingWaitsForTheTriggerOnlyAboveFirmware200)
{
    for (const char* firmware : {"2.00", "2.01"}) {
        scopesim::SimulatorConfig config = OperationsRig::model("TX226-2", firmware);
        config.singleShotTriggerMs.reset();
        OperationsRig t(config);
        ASSERT_TRUE(t.connect());
        t.sim.instrument().mainBlock().set(MainField::SingleShot, 1);
        t.sim.instrument().arm(t.sim.nowUs());
        t.state.ddf.singleShot = 1;
        t.state.ddf.storageMode = 0;
        t.state.link.autoUpdate = 1;
        t.ops.timerTick();
        const Commands c = t.commands();
        ASSERT_FALSE(c.empty());
        if (std::string(firmware) == "2.01") {
            EXPECT_EQ(c, (Commands{"trgsta?"})) << firmware;
        } else {
            EXPECT_EQ(c.front(), "hldwfm?") << firmware;  // the continuous path: read-all
            EXPECT_EQ(count(c, "RES"), 0);
        }
    }
}

TEST(AutomaticUpdate, AFailedStatusQueryStartsNoReadAndStoresNothing)
{
    OperationsRig t;
    ASSERT_TRUE(t.connect());
    t.state.ddf.storageMode = 1;
    t.state.trigStatus.trigStatus = t.state.trigStatus.trigStatusDone;  // an old "done"
    t.state.link.autoUpdate = 1;
    t.state.autoStore.autoStoreActive = 1;
    t.sim.injectFault(*scopesim::Fault::parse("silence@trgsta?"));
    t.ops.timerTick();
    // The autostore after each trigger cannot go on: it stops and gives the instrument back.
    EXPECT_EQ(t.commands(), (Commands{"trgsta?", "rm0"}));
    EXPECT_EQ(t.messageCount(), 1);
    EXPECT_EQ(t.stores, 0);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_EQ(t.state.autoStore.autoStoreActive, 0);
}

TEST(TimedAutoStore, ReadsReleasesAndStoresWhenDue)
{
    OperationsRig t;
    const auto reference = probeCommands(t.sim.config(), {Probe::ReadAll});
    ASSERT_TRUE(t.connect());  // held by the user: the store ends the hold
    t.state.link.autoUpdate = 1;
    t.state.ddf.storageMode = 1;  // keep the automatic update to its status query
    t.state.trigStatus.trigStatusDone = 99;
    AutoStore& a = t.state.autoStore;
    a.autoStoreActive = 1;
    a.autoStoreTimed = 1;
    a.autoStoreMinutes = 5;
    a.autoStoreCounter = 3;
    a.autoStoreNextTime = fromEpochSeconds(toEpochSeconds(t.clock.now()) + 1);

    t.ops.timerTick();  // one second early
    EXPECT_EQ(t.commands(), (Commands{"trgsta?"}));
    EXPECT_EQ(t.stores, 0);

    t.sim.clearRecording();
    t.clock.advance(1000);
    const std::int64_t due = toEpochSeconds(t.clock.now());
    t.ops.timerTick();
    EXPECT_EQ(t.commands(), join({{"trgsta?"}, reference[0], kRelease}));
    EXPECT_EQ(t.stores, 1);
    EXPECT_EQ(a.autoStoreCounter, 4);
    EXPECT_EQ(toEpochSeconds(a.autoStoreNextTime), due + 300);
    EXPECT_EQ(t.state.link.remoteHeld, 0);
    EXPECT_FALSE(t.host.remoteBox);
    EXPECT_FALSE(t.host.autoBox);
}

TEST(TimedAutoStore, AFailedConnectOrReadStoresNothingAndKeepsTheCounter)
{
    for (const bool readFails : {false, true}) {
        OperationsRig t;
        if (readFails)
            t.sim.injectFault(*scopesim::Fault::parse("silence@rdwfm1:"));
        else
            t.unplugInstrument();
        AutoStore& a = t.state.autoStore;
        a.autoStoreActive = 1;
        a.autoStoreTimed = 1;
        a.autoStoreMinutes = 2;
        a.autoStoreCounter = 3;
        a.autoStoreNextTime = t.clock.now();
        t.ops.timerTick();
        EXPECT_EQ(t.stores, 0) << readFails;
        EXPECT_EQ(a.autoStoreCounter, 3) << readFails;
        EXPECT_EQ(t.messageCount(), 1) << readFails;
        // The next store is still planned; the failed one is not retried every second.
        EXPECT_GT(toEpochSeconds(a.autoStoreNextTime), toEpochSeconds(t.clock.now()));
        EXPECT_FALSE(t.state.busy.uiBusy);
    }
}
