// The rules of the "Trigger" panel: the source the repaint keeps in line with the channels,
// alternate triggering and the time-base panel, the coupling codes of the two model families,
// the level, the status bar of byte and character firmware; no action asks for a redraw.
#include <gtest/gtest.h>

#include <functional>

#include "app/TriggerPanelModel.h"
#include "state/InitProgramState.h"

using namespace ql;

namespace {

struct Panel {
    Panel() : model(s)
    {
        initProgramState(s, "/tmp");
        s.screen.screenDirty = 0;
    }
    ProgramState s;
    TriggerPanelModel model;
};

const std::vector<ToolWindow> kTimebaseOnly = {ToolWindow::TimebasePanel};

}  // namespace

TEST(TriggerPanel, TheRepaintKeepsTheSourceOnAChannelThatIsOn)
{
    struct Case {
        const char* what;
        int ch1On, ch2On, source, alternate;
        int sourceAfter, alternateAfter, shown;
    };
    const Case cases[] = {
        {"CH II alone with source CH I", 0, 1, 0, 0, 1, 0, 1},
        {"external stays", 0, 1, 2, 0, 2, 0, 2},
        {"one channel off ends alternate", 1, 0, 1, 1, 0, 0, 0},
        {"both on keep alternate", 1, 1, 1, 1, 1, 1, 3},
        {"source 3 selects nothing", 1, 1, 3, 0, 3, 0, kNoOption},
    };
    for (const Case& c : cases) {
        Panel p;
        p.s.ddf.ch1On = static_cast<byte>(c.ch1On);
        p.s.ddf.ch2On = static_cast<byte>(c.ch2On);
        p.s.ddf.trigSource = static_cast<byte>(c.source);
        p.s.ddf.trigAlternate = static_cast<byte>(c.alternate);
        const Followup f = p.model.settle();
        EXPECT_EQ(p.s.ddf.trigSource, c.sourceAfter) << c.what;
        EXPECT_EQ(p.s.ddf.trigAlternate, c.alternateAfter) << c.what;
        // Ending alternate triggering brings the time-base panel along.
        EXPECT_EQ(f.refresh == kTimebaseOnly, c.alternate != c.alternateAfter) << c.what;
        EXPECT_EQ(p.model.view().source, c.shown) << c.what;
        EXPECT_EQ(p.model.view().alternateEnabled, c.ch1On && c.ch2On) << c.what;
    }
}

TEST(TriggerPanel, AlternateRunsTimeBaseAAloneAndRefreshesTheTimebasePanel)
{
    Panel p;
    p.s.ddf.trigSource = 1;
    p.s.ddf.timebaseMode = 1;
    p.s.tbB.tbBWindowOn = 1;
    const Followup f = p.model.sourceChosen(TriggerPanelModel::kAlternateOption);
    EXPECT_EQ(p.s.ddf.trigAlternate, 1);
    EXPECT_EQ(p.s.ddf.timebaseMode, 0);
    EXPECT_EQ(p.s.tbB.tbBWindowOn, 0);
    EXPECT_EQ(p.s.ddf.trigSource, 1);  // kept for the return from alternate
    ASSERT_FALSE(f.refresh.empty());
    EXPECT_EQ(f.refresh.front(), ToolWindow::TimebasePanel);

    // A channel source ends alternate; with one channel off alternate cannot be chosen.
    EXPECT_EQ(p.model.sourceChosen(2).refresh, kTimebaseOnly);
    EXPECT_EQ(p.s.ddf.trigAlternate, 0);
    p.s.ddf.ch1On = 0;
    p.s.ddf.timebaseMode = 3;
    p.model.sourceChosen(TriggerPanelModel::kAlternateOption);
    EXPECT_EQ(p.s.ddf.trigAlternate, 0);
    EXPECT_EQ(p.s.ddf.timebaseMode, 3);
}

TEST(TriggerPanel, CouplingCodesCloseUpOnModelsWithoutTimeBaseB)
{
    constexpr int kNr = 3, kLf = 4;
    Panel p;
    p.s.caps.unitNotbb = true;
    p.model.couplingChosen(kLf);
    EXPECT_EQ(p.s.ddf.trigCoupling, 3);
    EXPECT_EQ(p.model.view().coupling, kLf);
    p.model.couplingChosen(kNr);  // the model has no NR
    EXPECT_EQ(p.s.ddf.trigCoupling, 3);
    p.s.ddf.trigCoupling = 7;  // beyond the model's list
    EXPECT_EQ(p.model.view().coupling, kNoOption);
    EXPECT_EQ(p.s.ddf.trigCoupling, 7);
    p.s.caps.unitNotbb = false;
    p.model.couplingChosen(kNr);
    EXPECT_EQ(p.s.ddf.trigCoupling, kNr);
    EXPECT_EQ(p.model.view().coupling, kNr);
}

TEST(TriggerPanel, NoActionAsksForARedrawAndTheLevelBarWritesOnlyTheLevelOfTimeBaseA)
{
    const std::function<Followup(TriggerPanelModel&)> acts[] = {
        [](auto& m) { return m.sourceChosen(3); },  [](auto& m) { return m.couplingChosen(2); },
        [](auto& m) { return m.modeChosen(1); },    [](auto& m) { return m.slopeBChosen(1); },
        [](auto& m) { return m.levelMoved(2000); },
    };
    for (const auto& act : acts) {
        Panel p;
        p.s.ddf.trigLevelB = 321;
        EXPECT_FALSE(act(p.model).redrawScreen);
        EXPECT_EQ(p.s.screen.screenDirty, 0);
        EXPECT_EQ(p.s.ddf.trigLevelB, 321);
    }
    Panel p;
    p.model.levelMoved(2000);
    EXPECT_EQ(p.s.ddf.trigLevelA, 1023);
}

TEST(TriggerPanel, TheStatusBarIsGreenWhenTriggeredOnByteAndCharacterFirmware)
{
    struct Case {
        float firmware;
        int status;
        bool green;
    };
    const Case cases[] = {
        {1.16f, 1, true},   {1.16f, '1', false}, {1.16f, 2, false},
        {2.10f, '1', true}, {2.10f, 1, true},    {2.10f, '2', false},
    };
    for (const Case& c : cases) {
        Panel p;
        p.s.identity.firmwareVersion = c.firmware;
        p.s.trigStatus.trigStatus = static_cast<byte>(c.status);
        EXPECT_EQ(p.model.view().statusBackground == TriggerPanelModel::kTriggeredBackground,
                  c.green)
            << c.firmware << " " << c.status;
    }
}
