// The rules of the "Storage" panel: the Single rule by mode and firmware, the REF I bar that
// moves the time base B traces, the pre-trigger time readout, the enabling by mode and model,
// and the values no control can show.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

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
    // What the panel shows, settled first as the window does.
    StoragePanelView repaint()
    {
        model.settle();
        return model.view();
    }
    ProgramState s;
    StoragePanelModel model;
};

constexpr int kSingle = StoragePanelModel::kSingleMode;

}  // namespace

TEST(StoragePanel, SingleIsAStorageModeUpToFirmware2AndASwitchAboveItAndInAnalogMode)
{
    struct Case {
        int digital;
        float firmware;
        int singleShotAfter, storageModeAfter;  // from Average (4), the switch off
    };
    for (const Case c : {Case{1, 2.00f, 0, kSingle}, Case{1, 2.01f, 1, 4}, Case{0, 1.04f, 1, 4},
                         Case{0, 2.10f, 1, 4}}) {
        Panel p;
        p.s.ddf.digitalMode = static_cast<byte>(c.digital);
        p.s.identity.firmwareVersion = c.firmware;
        p.s.ddf.storageMode = 4;
        p.model.modeChosen(kSingle);
        EXPECT_EQ(p.s.ddf.singleShot, c.singleShotAfter) << c.digital << c.firmware;
        EXPECT_EQ(p.s.ddf.storageMode, c.storageModeAfter) << c.digital << c.firmware;
        const StoragePanelView v = p.repaint();
        EXPECT_EQ(v.mode, kSingle) << c.digital << c.firmware;
        EXPECT_TRUE(v.resetEnabled);  // "Reset" re-arms a single acquisition
    }
    // Another mode clears the switch; up to firmware 2.00 a set switch shows the mode.
    Panel p;
    p.s.ddf.singleShot = 1;
    p.model.modeChosen(2);
    EXPECT_EQ(p.s.ddf.singleShot, 0);
    EXPECT_FALSE(p.repaint().resetEnabled);
    p.s.ddf.singleShot = 1;
    p.s.identity.firmwareVersion = 2.00f;
    EXPECT_EQ(p.repaint().mode, 2);
}

TEST(StoragePanel, EnvelopeClearsPeakDetection)
{
    Panel p;
    p.s.ddf.peakDetect = 1;
    p.model.modeChosen(StoragePanelModel::kEnvelopeMode);
    EXPECT_EQ(p.s.ddf.peakDetect, 0);
    EXPECT_FALSE(p.repaint().peakDetect);
}

TEST(StoragePanel, WithTheTimebaseBWindowTheRefIBarMovesTheTracesApart)
{
    for (const auto& [bar, separation] : {std::pair{27, 100}, {127, 0}, {-128, 255}}) {
        Panel p;
        p.s.tbB.tbBWindowOn = 1;
        p.s.storage.ref1Pos = 5;
        p.model.ref1Moved(bar);
        EXPECT_EQ(p.s.ddf.traceSeparation, separation) << bar;
        EXPECT_EQ(p.s.storage.ref1Pos, 5);
        // The repaint puts the bar back where it was; the field stays.
        const StoragePanelView v = p.repaint();
        EXPECT_EQ(v.ref1Bar, bar);
        EXPECT_EQ(p.s.ddf.traceSeparation, separation);
        EXPECT_TRUE(v.traceSeparationShown);
        EXPECT_FALSE(v.ref1Shown || v.saveReferencesEnabled || v.ref2Enabled);
    }
    Panel p;
    p.model.ref1Moved(-20);
    EXPECT_EQ(p.s.storage.ref1Pos, -20);
    EXPECT_FALSE(p.repaint().traceSeparationShown);
}

TEST(StoragePanel, ThePretriggerTimeChoosesItsUnitBySizeAndKeepsItsSign)
{
    struct Case {
        int tbAIndex;  // time/div code: 4 = 1 us, 10 = 100 us, 13 = 1 ms, 22 = 1 s
        int position;
        const char* text;
    };
    const Case cases[] = {
        {10, 200, "100.000 us"}, {10, -200, "-100.000 us"}, {22, 2048, "10.240 s"},
        {4, 199, "995.000 ns"},  {4, 200, "1.000 us"},      {13, 199, "995.000 us"},
        {13, 200, "1.000 ms"},   {22, 199, "995.000 ms"},   {22, 200, "1.000 s"},
        {29, 200, ""},  // a time/div code without a table value
    };
    for (const Case& c : cases) {
        Panel p;
        p.s.caps.unitPtVariabel = true;
        p.s.ddf.tbAIndex = static_cast<byte>(c.tbAIndex);
        p.model.pretriggerMoved(c.position);
        const StoragePanelView v = p.repaint();
        EXPECT_EQ(v.pretriggerTime, c.text) << c.tbAIndex << " " << c.position;
        EXPECT_TRUE(v.pretriggerBarShown && !v.pretriggerStepsShown);
    }
}

TEST(StoragePanel, DigitalModeEnablesWhatAnalogModeDisabled)
{
    Panel p;
    p.s.ddf.digitalMode = 0;
    p.s.ddf.componentTester = 1;
    const auto digitalControls = [](const StoragePanelView& v) {
        return std::vector<bool>{v.modesEnabled, v.pretriggerStepsEnabled, v.averageEnabled,
                                 v.ref1Enabled, v.ref2Enabled};
    };
    StoragePanelView v = p.repaint();
    EXPECT_EQ(digitalControls(v), std::vector<bool>(5, false));
    EXPECT_TRUE(v.saveReferencesEnabled);  // enabled again after analog mode disabled it

    EXPECT_EQ(p.model.digitalSwitched(true).refresh,
              std::vector<ToolWindow>{ToolWindow::ChannelPanel});
    EXPECT_EQ(p.s.ddf.componentTester, 0);
    EXPECT_EQ(p.s.screen.screenDirty, 1);
    EXPECT_EQ(digitalControls(p.repaint()), std::vector<bool>(5, true));
}

TEST(StoragePanel, EveryRepaintOnAnAnalogOnlyModelSetsThe0PercentStep)
{
    Panel p;
    p.s.identity.analogModel = 1;
    p.s.ddf.digitalMode = 0;
    p.s.ddf.pretriggerIndex = 6;
    const StoragePanelView v = p.repaint();
    EXPECT_EQ(p.s.ddf.pretriggerIndex, 3);
    EXPECT_FALSE(v.pretriggerOn);
    EXPECT_FALSE(v.digitalEnabled || v.singleEnabled || v.holdEnabled || v.averageEnabled ||
                 v.saveReferencesEnabled);
    p.model.pretriggerChosen(7);
    p.repaint();
    EXPECT_EQ(p.s.ddf.pretriggerIndex, 3);
}

TEST(StoragePanel, ValuesNoControlCanShowShowNothingAndStay)
{
    struct Case {
        std::function<void(ProgramState&)> set;
        std::function<bool(const StoragePanelView&)> showsNothing;
    };
    const Case cases[] = {
        {[](ProgramState& s) { s.ddf.averageIndex = 0; },
         [](const StoragePanelView& v) { return v.averageText.empty() && v.averageStep < 0; }},
        {[](ProgramState& s) { s.ddf.averageIndex = 10; },
         [](const StoragePanelView& v) { return v.averageText.empty() && v.averageStep < 0; }},
        {[](ProgramState& s) { s.ddf.storageMode = 5; },
         [](const StoragePanelView& v) { return v.mode == kNoOption; }},
        {[](ProgramState& s) { s.ddf.pretriggerIndex = 8; },
         [](const StoragePanelView& v) {
             return v.pretriggerText.empty() && v.pretriggerStep < 0;
         }},
        {[](ProgramState& s) { s.storage.setupSlot = 10; },
         [](const StoragePanelView& v) { return v.slotText.empty() && v.slotStep < 0; }},
        {[](ProgramState& s) { s.ddf.pretriggerPosition = 3000; },
         [](const StoragePanelView& v) { return v.pretriggerTime.empty(); }},
    };
    int n = 0;
    for (const Case& c : cases) {
        Panel p;
        c.set(p.s);
        const DdfSettings before = p.s.ddf;
        EXPECT_TRUE(c.showsNothing(p.repaint())) << n;
        EXPECT_EQ(p.s.ddf.averageIndex, before.averageIndex) << n;
        EXPECT_EQ(p.s.ddf.storageMode, before.storageMode) << n;
        EXPECT_EQ(p.s.ddf.pretriggerIndex, before.pretriggerIndex) << n;
        EXPECT_EQ(p.s.ddf.pretriggerPosition, before.pretriggerPosition) << n++;
    }

    // A value a list offers selects its entry: 8 averages, 50 %, memory 4.
    Panel p;
    p.s.ddf.averageIndex = 3;
    p.s.ddf.pretriggerIndex = 5;
    p.s.storage.setupSlot = 4;
    const StoragePanelView v = p.repaint();
    EXPECT_EQ(std::tuple(v.averageStep, v.pretriggerStep, v.slotStep), std::tuple(2, 5, 3));
}
