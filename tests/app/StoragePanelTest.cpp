// The rules of the "Storage" panel: the Single rule by mode and firmware, the REF I bar that
// moves the time base B traces, the pre-trigger time readout, the enabling by mode and model,
// the lists, and the values no control can show.
#include <gtest/gtest.h>

#include <functional>

#include "app/StoragePanelModel.h"
#include "state/InitProgramState.h"

using namespace ql;

namespace {

struct Panel {
    Panel() : model(s, '.')
    {
        initProgramState(s, "/tmp");
        s.screen.screenDirty = 0;
        s.ddf.digitalMode = 1;
        s.identity.firmwareVersion = 2.10f;
    }
    ProgramState s;
    StoragePanelModel model;
};

constexpr int kSingle = StoragePanelModel::kSingleMode;

}  // namespace

TEST(StoragePanel, SingleIsAStorageModeUpToFirmware2AndASwitchAboveItAndInAnalogMode)
{
    struct Case {
        const char* what;
        int digital;
        float firmware;
        int singleShotAfter, storageModeAfter;
        int shown;  // the option the repaint selects
    };
    // Each case starts in Average (4) with the single-shot switch off.
    const Case cases[] = {
        {"digital, firmware 2.00", 1, 2.00f, 0, kSingle, kSingle},
        {"digital, firmware 2.01", 1, 2.01f, 1, 4, kSingle},
        {"analog, firmware 1.04", 0, 1.04f, 1, 4, kSingle},
        {"analog, firmware 2.10", 0, 2.10f, 1, 4, kSingle},
    };
    for (const Case& c : cases) {
        Panel p;
        p.s.ddf.digitalMode = static_cast<byte>(c.digital);
        p.s.identity.firmwareVersion = c.firmware;
        p.s.ddf.storageMode = 4;
        p.s.ddf.singleShot = 0;
        p.model.modeChosen(kSingle);
        EXPECT_EQ(p.s.ddf.singleShot, c.singleShotAfter) << c.what;
        EXPECT_EQ(p.s.ddf.storageMode, c.storageModeAfter) << c.what;
        const StoragePanelView v = p.model.repaint();
        EXPECT_EQ(v.mode, c.shown) << c.what;
        EXPECT_TRUE(v.resetEnabled) << c.what;  // "Reset" re-arms a single acquisition
        EXPECT_EQ(p.s.screen.screenDirty, 0) << c.what;
    }

    // Another mode clears the switch; on firmware 2.00 a stale switch does not show as Single.
    Panel p;
    p.s.ddf.singleShot = 1;
    p.model.modeChosen(2);
    EXPECT_EQ(p.s.ddf.singleShot, 0);
    EXPECT_EQ(p.s.ddf.storageMode, 2);
    EXPECT_FALSE(p.model.repaint().resetEnabled);
    p.s.ddf.singleShot = 1;
    p.s.identity.firmwareVersion = 2.00f;
    EXPECT_EQ(p.model.repaint().mode, 2);
    // In analog mode only Single can be selected.
    p.s.ddf.digitalMode = 0;
    EXPECT_EQ(p.model.repaint().mode, kSingle);
    p.s.ddf.singleShot = 0;
    EXPECT_EQ(p.model.repaint().mode, kNoOption);
}

TEST(StoragePanel, EnvelopeClearsPeakDetection)
{
    Panel p;
    p.s.caps.unitPk = true;
    p.s.ddf.peakDetect = 1;
    p.model.modeChosen(1);
    EXPECT_EQ(p.s.ddf.peakDetect, 1);
    p.model.modeChosen(StoragePanelModel::kEnvelopeMode);
    EXPECT_EQ(p.s.ddf.peakDetect, 0);
    const StoragePanelView v = p.model.repaint();
    EXPECT_FALSE(v.peakDetect);
    EXPECT_TRUE(v.peakDetectShown);
    EXPECT_EQ(v.mode, StoragePanelModel::kEnvelopeMode);
}

TEST(StoragePanel, WithTheTimebaseBWindowTheRefIBarMovesTheTracesApart)
{
    struct Case {
        int bar;
        int separation;
    };
    for (const Case c : {Case{27, 100}, Case{127, 0}, Case{-128, 255}, Case{0, 127}}) {
        Panel p;
        p.s.tbB.tbBWindowOn = 1;
        p.s.storage.ref1Pos = 5;
        p.model.ref1Moved(c.bar);
        EXPECT_EQ(p.s.ddf.traceSeparation, c.separation) << c.bar;
        EXPECT_EQ(p.s.storage.ref1Pos, 5) << c.bar;
        EXPECT_EQ(p.s.screen.screenDirty, 1) << c.bar;
        // The repaint puts the bar back where it was, and moving it there changes nothing.
        const StoragePanelView v = p.model.repaint();
        EXPECT_EQ(v.ref1Bar, c.bar);
        p.model.ref1Moved(v.ref1Bar);
        EXPECT_EQ(p.s.ddf.traceSeparation, c.separation) << c.bar;
    }

    // "TRS" stands for the REF I swatch, REF I's box is hidden, "Set" and REF II are off; the
    // REF I bar follows either box, the REF II bar none.
    Panel p;
    p.s.tbB.tbBWindowOn = 1;
    p.s.ddf.ref1On = 0;
    p.s.ddf.ref2On = 1;
    StoragePanelView v = p.model.repaint();
    EXPECT_TRUE(v.traceSeparationShown);
    EXPECT_FALSE(v.ref1Shown);
    EXPECT_FALSE(v.saveReferencesEnabled);
    EXPECT_FALSE(v.ref2Enabled);
    EXPECT_TRUE(v.ref1BarEnabled);
    EXPECT_FALSE(v.ref2BarEnabled);

    // Without the window the bars move the references themselves.
    p.s.tbB.tbBWindowOn = 0;
    p.model.ref1Moved(-20);
    p.model.ref2Moved(300);
    EXPECT_EQ(p.s.storage.ref1Pos, -20);
    EXPECT_EQ(p.s.storage.ref2Pos, 127);
    v = p.model.repaint();
    EXPECT_EQ(v.ref1Bar, -20);
    EXPECT_FALSE(v.traceSeparationShown);
    EXPECT_TRUE(v.ref1Shown && v.ref2Enabled && v.saveReferencesEnabled);
    EXPECT_FALSE(v.ref1BarEnabled);  // REF I is off
    EXPECT_TRUE(v.ref2BarEnabled);
}

TEST(StoragePanel, ThePretriggerTimeChoosesItsUnitBySizeAndKeepsItsSign)
{
    struct Case {
        int tbAIndex;  // time/div code: 4 = 1 us, 10 = 100 us, 13 = 1 ms, 22 = 1 s
        int position;
        const char* text;
    };
    const Case cases[] = {
        {10, 200, "100.000 us"},
        {10, -200, "-100.000 us"},
        {22, 2048, "10.240 s"},
        {4, 199, "995.000 ns"},
        {4, 200, "1.000 us"},
        {13, 199, "995.000 us"},
        {13, 200, "1.000 ms"},
        {22, 199, "995.000 ms"},
        {22, 200, "1.000 s"},
        {22, -200, "-1.000 s"},
        {0, 0, ".000 ns"},
        // A time/div code without a table value, and one beyond the table, show no time.
        {29, 200, ""},
        {45, 200, ""},
    };
    for (const Case& c : cases) {
        Panel p;
        p.s.caps.unitPtVariabel = true;
        p.s.ddf.tbAIndex = static_cast<byte>(c.tbAIndex);
        p.model.pretriggerMoved(c.position);
        const StoragePanelView v = p.model.repaint();
        EXPECT_EQ(v.pretriggerTime, c.text) << c.tbAIndex << " " << c.position;
        EXPECT_EQ(v.pretriggerPosition, c.position);
        EXPECT_TRUE(v.pretriggerBarShown);
        EXPECT_FALSE(v.pretriggerStepsShown);
    }
    Panel p;
    p.s.ddf.tbAIndex = 10;
    p.model.pretriggerMoved(5000);
    EXPECT_EQ(p.s.ddf.pretriggerPosition, 2048);
    // Models with pre-trigger steps show the box and the list instead.
    EXPECT_TRUE(p.model.repaint().pretriggerStepsShown);
    EXPECT_FALSE(p.model.repaint().pretriggerBarShown);
}

TEST(StoragePanel, AnalogModeDisablesTheDigitalControlsAndDigitalModeEnablesThemAgain)
{
    Panel p;
    p.s.ddf.digitalMode = 0;
    p.s.ddf.componentTester = 1;
    const auto digitalControls = [](const StoragePanelView& v) {
        return std::vector<bool>{v.modesEnabled, v.pretriggerStepsEnabled, v.averageEnabled,
                                 v.ref1Enabled, v.ref2Enabled};
    };
    StoragePanelView v = p.model.repaint();
    EXPECT_EQ(digitalControls(v), std::vector<bool>(5, false));
    EXPECT_TRUE(v.singleEnabled);
    // "Set" is enabled again after analog mode disabled it, unless the B window is on.
    EXPECT_TRUE(v.saveReferencesEnabled);
    p.s.tbB.tbBWindowOn = 1;
    EXPECT_FALSE(p.model.repaint().saveReferencesEnabled);
    p.s.tbB.tbBWindowOn = 0;

    const Followup next = p.model.digitalSwitched(true);
    EXPECT_EQ(next.refresh, std::vector<ToolWindow>{ToolWindow::ChannelPanel});
    EXPECT_EQ(p.s.ddf.componentTester, 0);
    EXPECT_EQ(p.s.screen.screenDirty, 1);
    v = p.model.repaint();
    EXPECT_TRUE(v.digital);
    EXPECT_EQ(digitalControls(v), std::vector<bool>(5, true));

    // Switching digital storage off leaves the component tester alone.
    EXPECT_TRUE(p.model.digitalSwitched(false).refresh.empty());
    EXPECT_EQ(p.s.ddf.digitalMode, 0);
}

TEST(StoragePanel, AnAnalogOnlyModelHasNoDigitalStorageAndEveryRepaintSetsThe0PercentStep)
{
    Panel p;
    p.s.identity.analogModel = 1;
    p.s.identity.firmwareVersion = 1.04f;
    p.s.ddf.digitalMode = 0;
    p.s.ddf.pretriggerIndex = 6;
    StoragePanelView v = p.model.repaint();
    EXPECT_EQ(p.s.ddf.pretriggerIndex, 3);  // written by the repaint itself
    EXPECT_EQ(v.pretriggerText, "0");
    EXPECT_FALSE(v.pretriggerOn);
    EXPECT_FALSE(v.digitalEnabled || v.singleEnabled || v.holdEnabled || v.averageEnabled ||
                 v.saveReferencesEnabled);
    EXPECT_FALSE(v.holdShown);  // firmware 1.04

    p.model.pretriggerChosen(7);
    EXPECT_EQ(p.s.ddf.pretriggerIndex, 7);
    p.model.repaint();
    EXPECT_EQ(p.s.ddf.pretriggerIndex, 3);

    // Any other model keeps its step.
    Panel q;
    q.s.ddf.pretriggerIndex = 6;
    v = q.model.repaint();
    EXPECT_EQ(q.s.ddf.pretriggerIndex, 6);
    EXPECT_TRUE(v.digitalEnabled && v.holdEnabled && v.holdShown);
}

TEST(StoragePanel, ListsShowTheirEntryAgainAndThePretriggerBoxFollowsTheStep)
{
    Panel p;
    p.model.averageChosen(2);
    EXPECT_EQ(p.s.ddf.averageIndex, 3);
    StoragePanelView v = p.model.repaint();
    EXPECT_EQ(v.averageText, " 8");
    EXPECT_EQ(v.averageEntries.front(), " 2");
    EXPECT_EQ(v.averageEntries.back(), " 512");
    EXPECT_EQ(v.pretriggerEntries.front(), "-75");

    // Clearing the box chooses 0 %; ticking it then changes nothing; another step ticks it.
    p.s.ddf.pretriggerIndex = 6;
    p.model.pretriggerSwitched(false);
    EXPECT_EQ(p.s.ddf.pretriggerIndex, 3);
    v = p.model.repaint();
    EXPECT_EQ(v.pretriggerText, "0");
    EXPECT_FALSE(v.pretriggerOn);
    p.model.pretriggerSwitched(true);
    EXPECT_FALSE(p.model.repaint().pretriggerOn);
    p.s.screen.screenDirty = 0;
    p.model.pretriggerChosen(0);
    EXPECT_EQ(p.s.screen.screenDirty, 1);
    v = p.model.repaint();
    EXPECT_EQ(v.pretriggerText, "-75");
    EXPECT_TRUE(v.pretriggerOn);

    p.model.slotChosen(2);
    EXPECT_EQ(p.s.storage.setupSlot, 3);
    EXPECT_EQ(p.model.repaint().slotText, "3");
    EXPECT_EQ(p.model.repaint().slotEntries.back(), " 9");

    // Choosing no entry writes nothing.
    p.model.averageChosen(kNoOption);
    p.model.slotChosen(kNoOption);
    p.model.pretriggerChosen(kNoOption);
    EXPECT_EQ(p.s.ddf.averageIndex, 3);
    EXPECT_EQ(p.s.storage.setupSlot, 3);
    EXPECT_EQ(p.s.ddf.pretriggerIndex, 0);
}

TEST(StoragePanel, ValuesNoControlCanShowShowNothingAndStay)
{
    struct Case {
        const char* what;
        std::function<void(ProgramState&)> set;
        std::function<bool(const StoragePanelView&)> showsNothing;
        std::function<bool(const ProgramState&)> unchanged;
    };
    const Case cases[] = {
        {"averaging 0", [](ProgramState& s) { s.ddf.averageIndex = 0; },
         [](const StoragePanelView& v) { return v.averageText.empty(); },
         [](const ProgramState& s) { return s.ddf.averageIndex == 0; }},
        {"averaging 10", [](ProgramState& s) { s.ddf.averageIndex = 10; },
         [](const StoragePanelView& v) { return v.averageText.empty(); },
         [](const ProgramState& s) { return s.ddf.averageIndex == 10; }},
        {"storage mode 5", [](ProgramState& s) { s.ddf.storageMode = 5; },
         [](const StoragePanelView& v) { return v.mode == kNoOption && !v.resetEnabled; },
         [](const ProgramState& s) { return s.ddf.storageMode == 5; }},
        {"pre-trigger step 8", [](ProgramState& s) { s.ddf.pretriggerIndex = 8; },
         [](const StoragePanelView& v) { return v.pretriggerText.empty(); },
         [](const ProgramState& s) { return s.ddf.pretriggerIndex == 8; }},
        {"pre-trigger position 3000",
         [](ProgramState& s) {
             s.caps.unitPtVariabel = true;
             s.ddf.pretriggerPosition = 3000;
         },
         [](const StoragePanelView& v) {
             return v.pretriggerTime.empty() && v.pretriggerPosition == 2048;
         },
         [](const ProgramState& s) { return s.ddf.pretriggerPosition == 3000; }},
        {"set-up memory 0", [](ProgramState& s) { s.storage.setupSlot = 0; },
         [](const StoragePanelView& v) { return v.slotText.empty(); },
         [](const ProgramState& s) { return s.storage.setupSlot == 0; }},
    };
    for (const Case& c : cases) {
        Panel p;
        c.set(p.s);
        const ProgramState before = p.s;
        EXPECT_TRUE(c.showsNothing(p.model.repaint())) << c.what;
        EXPECT_TRUE(c.unchanged(p.s)) << c.what;
        EXPECT_EQ(p.s.screen.screenDirty, before.screen.screenDirty) << c.what;
    }
}

TEST(StoragePanel, TheReferencesAndThePretriggerListMarkTheScreenAndTheRestDoesNot)
{
    struct Case {
        const char* what;
        std::function<Followup(StoragePanelModel&)> act;
        bool screenDirty;
    };
    const Case cases[] = {
        {"Ref I", [](auto& m) { return m.ref1Switched(true); }, true},
        {"Ref II", [](auto& m) { return m.ref2Switched(false); }, true},
        {"REF II bar", [](auto& m) { return m.ref2Moved(3); }, true},
        {"pre-trigger list", [](auto& m) { return m.pretriggerChosen(5); }, true},
        {"mode", [](auto& m) { return m.modeChosen(2); }, false},
        {"averaging", [](auto& m) { return m.averageChosen(0); }, false},
        {"PK-DET", [](auto& m) { return m.peakDetectSwitched(true); }, false},
        {"Hold", [](auto& m) { return m.holdSwitched(true); }, false},
        {"pre-trigger bar", [](auto& m) { return m.pretriggerMoved(-7); }, false},
        {"set-up memory", [](auto& m) { return m.slotChosen(8); }, false},
    };
    for (const Case& c : cases) {
        Panel p;
        const Followup next = c.act(p.model);
        EXPECT_FALSE(next.redrawScreen) << c.what;
        EXPECT_TRUE(next.refresh.empty()) << c.what;
        EXPECT_EQ(p.s.screen.screenDirty, c.screenDirty ? 1 : 0) << c.what;
    }
}
