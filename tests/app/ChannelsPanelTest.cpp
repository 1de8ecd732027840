// The rules of the "Channels" panel: the channel switches with XY, coupling, the variable spin,
// values the controls cannot show, the component tester, and a change that reaches the
// simulated instrument with "Set".
#include <gtest/gtest.h>

#include <functional>
#include <span>

#include "OperationsRig.h"
#include "app/ChannelsPanelModel.h"
#include "state/InitProgramState.h"

using namespace ql;
using namespace ql::testing;
using scopesim::MainField;

namespace {

struct Panel {
    Panel() : model(s, '.')
    {
        initProgramState(s, "/tmp");
        s.screen.screenDirty = 0;
    }
    const ChannelColumnView& column(Channel ch) const
    {
        view = model.view();
        return view.channels[ch == Channel::Ch1 ? 0 : 1];
    }
    ProgramState s;
    ChannelsPanelModel model;
    mutable ChannelsPanelView view;
};

bool same(const Followup& a, const Followup& b)
{
    return a.redrawScreen == b.redrawScreen && a.refresh == b.refresh &&
           a.closeWindow == b.closeWindow;
}

}  // namespace

TEST(ChannelsPanel, OneChannelIsAlwaysOnAndXyOffRestoresTheStatesXyOnFound)
{
    using Step = std::function<void(ChannelsPanelModel&)>;
    const auto off = [](Channel ch) {
        return [ch](ChannelsPanelModel& m) { m.onSwitched(ch, false); };
    };
    const auto on = [](Channel ch) {
        return [ch](ChannelsPanelModel& m) { m.onSwitched(ch, true); };
    };
    const Step xyOn = [](ChannelsPanelModel& m) { m.xySwitched(true); };
    const Step xyOff = [](ChannelsPanelModel& m) { m.xySwitched(false); };
    struct Case {
        const char* what;
        int ch1On, ch2On;
        std::vector<Step> steps;
        int ch1After, ch2After;
    };
    const Case cases[] = {
        {"CH I off while CH II is off switches CH II on", 1, 0, {off(Channel::Ch1)}, 0, 1},
        {"CH II off while CH I is off switches CH I on", 0, 1, {off(Channel::Ch2)}, 1, 0},
        {"CH II off while both are on", 1, 1, {off(Channel::Ch2)}, 1, 0},
        {"CH II on again", 1, 0, {on(Channel::Ch2)}, 1, 1},
        {"XY on forces both on", 1, 0, {xyOn}, 1, 1},
        {"XY off restores the states before XY", 0, 1, {xyOn, xyOff}, 0, 1},
        {"XY off restores them after the switches changed",
         1,
         0,
         {xyOn, off(Channel::Ch1), on(Channel::Ch1), off(Channel::Ch2), xyOff},
         1,
         0},
        {"XY off without XY on changes nothing", 1, 1, {xyOff}, 1, 1},
    };
    for (const Case& c : cases) {
        Panel p;
        p.s.ddf.ch1On = static_cast<byte>(c.ch1On);
        p.s.ddf.ch2On = static_cast<byte>(c.ch2On);
        p.s.ddf.verAdd = 1;
        p.s.ddf.verChop = 1;
        for (const Step& step : c.steps) step(p.model);
        EXPECT_EQ(p.s.ddf.ch1On, c.ch1After) << c.what;
        EXPECT_EQ(p.s.ddf.ch2On, c.ch2After) << c.what;
        // ADD and Chop mix both channels: greyed while one is off, their values kept.
        const ChannelsPanelView v = p.model.view();
        const bool bothOn = c.ch1After == 1 && c.ch2After == 1;
        EXPECT_EQ(v.addEnabled, bothOn) << c.what;
        EXPECT_EQ(v.chopEnabled, bothOn) << c.what;
        EXPECT_TRUE(v.add && v.chop) << c.what;
    }

    // Kept states from a damaged file that are both off still leave one channel on.
    Panel p;
    p.s.ddf.xyMode = 1;
    p.s.ddf.savedCh1On = 0;
    p.s.ddf.savedCh2On = 0;
    p.model.xySwitched(false);
    EXPECT_EQ(p.s.ddf.ch1On, 1);
    EXPECT_EQ(p.s.ddf.ch2On, 0);
}

TEST(ChannelsPanel, EachActionAsksForItsOwnFollowUp)
{
    struct Case {
        const char* what;
        std::function<Followup(ChannelsPanelModel&)> act;
        bool screenDirty;
        Followup followup;
    };
    const Followup none, redraw{.redrawScreen = true, .refresh = {}};
    const Followup trigger{.redrawScreen = false, .refresh = {ToolWindow::TriggerPanel}};
    const Followup storage{.redrawScreen = false, .refresh = {ToolWindow::StoragePanel}};
    const Case cases[] = {
        {"volts/div", [](auto& m) { return m.voltsChosen(Channel::Ch1, 3); }, true, none},
        {"no entry", [](auto& m) { return m.voltsChosen(Channel::Ch1, kNoOption); }, true, none},
        {"probe", [](auto& m) { return m.probeChosen(Channel::Ch2, 2); }, true, none},
        {"on", [](auto& m) { return m.onSwitched(Channel::Ch2, false); }, true, trigger},
        {"ADD", [](auto& m) { return m.addSwitched(true); }, true, none},
        {"XY", [](auto& m) { return m.xySwitched(true); }, false, redraw},
        {"CT on", [](auto& m) { return m.componentTesterSwitched(true); }, false, storage},
        {"CT off", [](auto& m) { return m.componentTesterSwitched(false); }, false, none},
        {"coupling", [](auto& m) { return m.couplingChosen(Channel::Ch1, 2); }, false, none},
        {"invert", [](auto& m) { return m.invertSwitched(Channel::Ch2, true); }, false, none},
        {"Chop", [](auto& m) { return m.chopSwitched(true); }, false, none},
        {"position", [](auto& m) { return m.positionMoved(Channel::Ch1, 700); }, false, none},
    };
    for (const Case& c : cases) {
        Panel p;
        EXPECT_TRUE(same(c.act(p.model), c.followup)) << c.what;
        EXPECT_EQ(p.s.screen.screenDirty, c.screenDirty ? 1 : 0) << c.what;
    }
}

TEST(ChannelsPanel, GndKeepsTheCouplingBeneathItAndARepaintShowsIt)
{
    using M = ChannelsPanelModel;
    Panel p;
    p.model.couplingChosen(Channel::Ch1, M::kCouplingAc);
    p.model.couplingChosen(Channel::Ch1, M::kCouplingGnd);
    EXPECT_EQ(p.s.ddf.ch1Coupling, 3);
    EXPECT_EQ(p.column(Channel::Ch1).coupling, M::kCouplingGnd);
    p.model.couplingChosen(Channel::Ch1, M::kCouplingAc);
    EXPECT_EQ(p.s.ddf.ch1Coupling, 1);
    EXPECT_EQ(p.column(Channel::Ch1).coupling, M::kCouplingAc);
    p.model.couplingChosen(Channel::Ch1, M::kCouplingDc);
    p.model.couplingChosen(Channel::Ch1, M::kCouplingGnd);
    EXPECT_EQ(p.s.ddf.ch1Coupling, 2);
    EXPECT_EQ(p.s.ddf.ch2Coupling, 0);  // the other channel is its own

    // A repaint of code 3 selects GND of that channel only.
    p.s.ddf.ch2Coupling = 3;
    p.s.ddf.ch1Coupling = 0;
    EXPECT_EQ(p.column(Channel::Ch2).coupling, M::kCouplingGnd);
    EXPECT_EQ(p.column(Channel::Ch1).coupling, M::kCouplingDc);
}

TEST(ChannelsPanel, TheVariableSpinStopsAtItsEndsWithoutAFollowUp)
{
    struct Case {
        int start;
        SpinArrow arrow;
        int after;
        bool dirty;
    };
    const Case cases[] = {
        {255, SpinArrow::Down, 255, false}, {0, SpinArrow::Up, 0, false},
        {254, SpinArrow::Down, 255, true},  {255, SpinArrow::Up, 254, true},
        {1, SpinArrow::Up, 0, true},
    };
    for (const Case& c : cases) {
        Panel p;
        p.s.ddf.ch2Variable = static_cast<byte>(c.start);
        const Followup f = p.model.variableStepped(Channel::Ch2, c.arrow);
        EXPECT_EQ(p.s.ddf.ch2Variable, c.after) << c.start;
        EXPECT_EQ(p.s.screen.screenDirty, c.dirty ? 1 : 0) << c.start;
        EXPECT_TRUE(same(f, Followup{})) << c.start;
        EXPECT_EQ(p.s.ddf.ch1Variable, 255) << c.start;
    }
}

TEST(ChannelsPanel, ListTextsCarryTheProbeAndTheVariableAndAnOffChannelShowsOff)
{
    Panel p;
    p.s.ddf.ch1VoltsIndex = 8;  // 0.5 V
    p.s.ddf.ch1ProbeFactor = 1;
    const ChannelColumnView c = p.column(Channel::Ch1);
    EXPECT_EQ(c.voltsText, ".500");
    EXPECT_EQ(c.voltsStep, 8);  // the arrows step from it
    ASSERT_EQ(c.voltsEntries.size(), 14u);
    EXPECT_EQ(c.voltsEntries.back(), "20.000");
    p.s.ddf.ch1ProbeFactor = 100;
    p.s.ddf.ch1Variable = 0;  // factor 2.5
    EXPECT_EQ(p.column(Channel::Ch1).voltsText, "125.000");
    EXPECT_EQ(p.column(Channel::Ch1).voltsEntries[3], "2.500");
    EXPECT_EQ(p.column(Channel::Ch1).voltsStep, 8);

    p.model.onSwitched(Channel::Ch1, false);
    const ChannelColumnView off = p.column(Channel::Ch1);
    EXPECT_EQ(off.voltsText, "Off");
    EXPECT_TRUE(off.voltsEntries.empty());
    EXPECT_EQ(off.voltsStep, kNoOption);
    EXPECT_FALSE(off.voltsEnabled || off.positionEnabled);
}

TEST(ChannelsPanel, ValuesTheControlsCannotShowShowNothingAndStayAsTheyAre)
{
    Panel p;
    p.s.ddf.ch1ProbeFactor = 7;
    p.s.ddf.ch1VoltsIndex = 14;  // beyond the fourteen steps: no table value
    p.s.ddf.ch2VoltsIndex = 250;
    p.s.ddf.ch2Coupling = 7;
    p.s.ddf.ch2Position = 5000;
    const ChannelsPanelView v = p.model.view();
    EXPECT_EQ(v.channels[0].probe, kNoOption);
    EXPECT_EQ(v.channels[0].voltsText, "---");
    EXPECT_EQ(v.channels[0].voltsEntries.front(), ".007");  // the stored factor still counts
    EXPECT_EQ(v.channels[1].voltsText, "---");
    EXPECT_EQ(v.channels[0].voltsStep, kNoOption);
    EXPECT_EQ(v.channels[1].voltsStep, kNoOption);
    EXPECT_EQ(v.channels[1].coupling, kNoOption);
    EXPECT_EQ(v.channels[1].position, 1023);

    // Entries the list does not offer are refused; the redraw is still asked for.
    p.model.voltsChosen(Channel::Ch1, kNoOption);
    p.model.voltsChosen(Channel::Ch2, 14);
    p.model.probeChosen(Channel::Ch1, 3);
    EXPECT_EQ(p.s.ddf.ch1ProbeFactor, 7);
    EXPECT_EQ(p.s.ddf.ch1VoltsIndex, 14);
    EXPECT_EQ(p.s.ddf.ch2VoltsIndex, 250);
    EXPECT_EQ(p.s.ddf.ch2Coupling, 7);
    EXPECT_EQ(p.s.ddf.ch2Position, 5000);

    // A damaged step count never reaches beyond the table.
    p.s.tables.voltsStepCount = 900;
    EXPECT_EQ(p.model.view().channels[0].voltsEntries.size(), p.s.tables.voltsPerDiv.size() - 1);
}

TEST(ChannelsPanel, ComponentTesterOnClearsDigitalModeAndOffChangesNothingElse)
{
    Panel p;
    p.s.ddf.digitalMode = 1;
    p.model.componentTesterSwitched(true);
    EXPECT_EQ(p.s.ddf.digitalMode, 0);
    p.s.ddf.digitalMode = 1;
    p.model.componentTesterSwitched(false);
    EXPECT_EQ(p.s.ddf.componentTester, 0);
    EXPECT_EQ(p.s.ddf.digitalMode, 1);
}

TEST(ChannelsPanel, AChangeInThePanelReachesTheInstrumentWithSet)
{
    OperationsRig t;
    t.ops.read();
    ASSERT_EQ(t.messageCount(), 0);
    ChannelsPanelModel panel(t.state, '.');
    panel.voltsChosen(Channel::Ch1, 3);
    panel.onSwitched(Channel::Ch2, false);
    panel.couplingChosen(Channel::Ch1, ChannelsPanelModel::kCouplingAc);
    t.sim.clearRecording();
    t.ops.set();

    // The block as it travelled, read by the simulator's own layout.
    const auto& records = t.sim.recorder().commands();
    const auto sent = std::find_if(records.begin(), records.end(),
                                   [](const auto& r) { return r.text() == "ddf="; });
    ASSERT_NE(sent, records.end());
    ASSERT_GE(sent->params().size(), scopesim::MainBlock::kSize);
    const scopesim::MainBlock block(std::span<const std::uint8_t, scopesim::MainBlock::kSize>(
        sent->params().data(), scopesim::MainBlock::kSize));
    EXPECT_EQ(block.get(MainField::Ch1VoltsIndex), 3);
    EXPECT_EQ(block.get(MainField::Ch2On), 0);
    EXPECT_EQ(block.get(MainField::Ch1Coupling), 1);
    // The settings read after the write repaints the panels.
    EXPECT_GE(t.host.countEvents("refresh ChannelPanel"), 1);
}
