// The autostore window's rules against the simulated instrument: opening and closing, the
// interval, the file name, Start/Pause in both modes with the Starts that cannot work, Stop,
// Exit, and buttons that wait for a running operation.
#include <gtest/gtest.h>

#include "AutoStoreRig.h"
#include "files/DataFileCodec.h"

using namespace ql;
using namespace ql::testing;
using scopesim::MainField;

namespace {

TEST(AutoStoreWindow, OpeningTurnsTheReadsOffAndNumbersAgainOnlyWhileInactive)
{
    AutoStoreRig t;
    for (UiAction a : {UiAction::Read, UiAction::SetRead, UiAction::Set})
        t.host.setActionEnabled(a, true);
    t.state.autoStore.autoStoreCounter = 5;
    t.openWindow();
    EXPECT_FALSE(t.enabled(UiAction::Read) || t.enabled(UiAction::SetRead) ||
                 t.enabled(UiAction::Set));
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 0);

    // A Read is impossible from the toolbar now; one that ran as the window opened keeps
    // "Read" off, while its complete read brings "Set/Read" and "Set" back.
    t.ops.read();
    EXPECT_FALSE(t.enabled(UiAction::Read));
    EXPECT_TRUE(t.enabled(UiAction::SetRead) && t.enabled(UiAction::Set));
    t.controller.closed();
    EXPECT_TRUE(t.enabled(UiAction::Read));

    // Reopened while autostore runs: its numbering and state stay.
    t.state.autoStore.autoStoreActive = 1;
    t.state.autoStore.autoStoreCounter = 5;
    t.openWindow();
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 5);
    EXPECT_EQ(t.controller.view().startCaption, "Pause");
}

TEST(AutoStoreWindow, TheIntervalIsAWholeNumberFrom0To2000)
{
    AutoStoreRig t;
    const struct {
        const char* text;
        int minutes;
    } cases[] = {{"-5", 1},    {"2500", 2000}, {"0", 0},      {" 7 ", 7},
                 {"12.5", 12}, {"13.5", 14},   {"-0.4", 0},   {"99999", 2000},
                 {"abc", 33},  {"", 33},       {"1.2.3", 33}, {"5 min", 33}};
    for (const auto& c : cases) {
        t.state.autoStore.autoStoreMinutes = 33;
        t.controller.minutesEntered(c.text);
        EXPECT_EQ(t.state.autoStore.autoStoreMinutes, c.minutes) << c.text;
        EXPECT_EQ(t.controller.view().minutesText, " " + std::to_string(c.minutes)) << c.text;
    }
}

TEST(AutoStoreWindow, TheChosenNameGivesThePrefixWithoutTheModesExtension)
{
    const std::string longPath = "/home/somebody/measurements/line 3/transformer tests/probe";
    const struct {
        bool asTable;
        std::optional<std::string> chosen;
        std::string prefix;
    } cases[] = {
        {false, "/data/probe.mes", "/data/probe"},
        {false, "/data/probe.MES", "/data/probe"},
        {false, "/data/a.mes/probe.mes", "/data/a.mes/probe"},  // only the trailing one
        {false, longPath + ".mes", longPath},                   // kept whole
        {true, "/data/probe.Tab", "/data/probe"},
        {false, "/data/probe.tab", "/old/stem"},  // another kind: unchanged
        {true, "/data/probe.mes", "/old/stem"},
        {false, std::nullopt, "/old/stem"},  // cancelled
    };
    AutoStoreRig t;
    t.openWindow();
    for (const auto& c : cases) {
        t.state.autoStore.autoStorePrefix = "/old/stem";
        t.state.autoStore.autoStoreAsTable = c.asTable ? 1 : 0;
        t.dialogs.answers.push_back(c.chosen);
        t.controller.selectFilename(t.dialogs);
        EXPECT_EQ(t.state.autoStore.autoStorePrefix, c.prefix) << c.chosen.value_or("cancel");
        // The label shows the pattern of the mode's file names.
        EXPECT_EQ(t.controller.view().fileLabel,
                  c.prefix + (c.asTable ? "XXXXX.tab" : "XXXXX.mes"));
    }
}

TEST(AutoStoreWindow, TimedStartReleasesAndPauseKeepsTheNumbering)
{
    AutoStoreRig t;
    ASSERT_TRUE(t.connect());  // held by the user
    t.openWindow();
    t.controller.modeChosen(true);
    t.state.autoStore.autoStoreMinutes = 5;
    t.controller.startPause();
    EXPECT_EQ(t.commands(), kRelease);  // each timed store connects by itself
    EXPECT_EQ(t.state.autoStore.autoStoreActive, 1);
    EXPECT_EQ(toEpochSeconds(t.state.autoStore.autoStoreNextTime),
              toEpochSeconds(t.clock.now()) + 300);
    EXPECT_EQ(t.controller.view().startCaption, "Pause");

    t.state.autoStore.autoStoreCounter = 3;
    t.controller.startPause();
    EXPECT_EQ(t.state.autoStore.autoStoreActive, 0);
    EXPECT_EQ(t.controller.view().startCaption, "Start");
    t.clock.advance(60000);
    t.controller.startPause();
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 3);
    EXPECT_EQ(toEpochSeconds(t.state.autoStore.autoStoreNextTime),
              toEpochSeconds(t.clock.now()) + 300);

    // Stop: inactive, numbered from 0 again, a held instrument released.
    ASSERT_TRUE(t.connect());
    t.controller.stop();
    EXPECT_EQ(t.commands(), kRelease);
    EXPECT_EQ(t.state.autoStore.autoStoreActive, 0);
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 0);
    EXPECT_EQ(t.state.link.remoteHeld, 0);
}

TEST(AutoStoreWindow, AfterTriggerStartArmsSingleAcquisitionsAndEachTriggerIsStored)
{
    scopesim::SimulatorConfig config;
    config.singleShotTriggerMs.reset();  // triggers only when the test says so
    AutoStoreRig t(config);
    t.openWindow();
    t.controller.modeChosen(false);
    t.controller.startPause();
    const Commands c = t.commands();
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(Commands(c.begin(), c.begin() + 3), kConnect);
    EXPECT_EQ(c.back(), "RES");
    EXPECT_EQ(count(c, "rm0"), 0);  // the timer's trigger polls need the hold
    EXPECT_EQ(t.sim.instrument().mainBlock().get(MainField::SingleShot), 1);  // firmware 2.10
    EXPECT_TRUE(t.host.autoBox);

    t.ops.timerTick();
    EXPECT_TRUE(t.files().empty());
    t.sim.instrument().fireTrigger();
    const auto record = t.sim.instrument().channelRecord(1);
    t.ops.timerTick();
    ASSERT_EQ(t.files(), (std::vector<std::string>{"AutostoreXXX00000.mes"}));
    EXPECT_EQ(t.state.waves.waveCh1[1], record[0]);
    EXPECT_EQ(t.contents("AutostoreXXX00000.mes"), encodeMeasurementFile(t.state));
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(AutoStoreWindow, AnAfterTriggerStartThatCannotWorkLeavesAutostoreInactive)
{
    const struct {
        const char* firmware;
        int digitalMode;
        bool unplugged;
        bool starts;
        int storageMode, singleShot;  // as written when it starts
    } cases[] = {
        {"2.00", 0, false, false, 0, 0},  // no single acquisition the timer would wait for
        {"2.00", 1, false, true, 1, 0},   // digital storage: the Single storage mode
        {"2.01", 0, false, true, 0, 1},   // the single-shot setting alone
        {"2.10", 1, true, false, 0, 0},   // no instrument: the link has said so
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.firmware) + (c.unplugged ? " unplugged" : ""));
        AutoStoreRig t(OperationsRig::model("TX226-2", c.firmware));
        t.sim.instrument().mainBlock().set(MainField::DigitalMode, c.digitalMode);
        if (c.unplugged) t.unplugInstrument();
        t.openWindow();
        t.controller.startPause();
        EXPECT_EQ(t.state.autoStore.autoStoreActive, c.starts ? 1 : 0);
        EXPECT_EQ(t.controller.view().startCaption, c.starts ? "Pause" : "Start");
        if (c.starts) {
            EXPECT_EQ(t.state.ddf.storageMode, c.storageMode);
            EXPECT_EQ(t.state.ddf.singleShot, c.singleShot);
            EXPECT_EQ(t.messageCount(), 0);
        } else {
            ASSERT_EQ(t.messageCount(), 1);
            EXPECT_EQ(count(t.commands(), "ddf="), 0);  // nothing written into the instrument
            EXPECT_EQ(t.state.link.remoteHeld, 0);
        }
        if (!c.starts && !c.unplugged) {
            EXPECT_EQ(t.host.messages[0].text, kAfterTriggerNeedsDigitalText);
            EXPECT_EQ(t.commands().back(), "rm0");
        }
    }
}

TEST(AutoStoreWindow, ExitKeepsARunningAutostoreAndItsHold)
{
    AutoStoreRig t;
    ASSERT_TRUE(t.connect());
    t.openWindow();
    t.state.autoStore.autoStoreActive = 1;  // after each trigger
    t.state.autoStore.autoStoreCounter = 4;
    EXPECT_TRUE(t.controller.exit().closeWindow);
    EXPECT_TRUE(t.commands().empty());
    EXPECT_EQ(t.state.link.remoteHeld, 1);
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 4);

    // Inactive: numbered from 0 again, the held instrument released.
    t.state.autoStore.autoStoreActive = 0;
    EXPECT_TRUE(t.controller.exit().closeWindow);
    EXPECT_EQ(t.commands(), kRelease);
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 0);
}

TEST(AutoStoreWindow, WhileAnOperationRunsStartWaitsAndStopAndExitWaitAsRequests)
{
    AutoStoreRig t;
    t.openWindow();
    t.state.autoStore.autoStoreCounter = 5;
    t.state.autoStore.autoStoreTimed = 1;
    t.state.busy.linkBusy = 1;  // an exchange on the line
    t.controller.startPause();
    t.controller.stop();
    EXPECT_FALSE(t.controller.exit().closeWindow);
    t.controller.selectFilename(t.dialogs);
    EXPECT_EQ(t.state.autoStore.autoStoreActive, 0);
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 5);
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_TRUE(t.commands().empty());
    const AutoStoreView v = t.controller.view();
    EXPECT_FALSE(v.startEnabled || v.stopEnabled || v.exitEnabled);

    // Carried out by the first tick once the line is free.
    t.ops.timerTick();
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 5);
    t.state.busy.linkBusy = 0;
    t.ops.timerTick();
    EXPECT_EQ(t.state.autoStore.autoStoreCounter, 0);
    EXPECT_FALSE(t.host.isWindowOpen(ToolWindow::AutostoreWindow));
    EXPECT_TRUE(t.commands().empty());
}

}  // namespace
