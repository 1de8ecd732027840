// The rules of the "Timebase" panel: the time-base mode of the "On" boxes with the A-and-B
// view that follows it, the lists of models with the 20 ns step, the raise of time base A on
// models without time base B, the delay caption, the spins, and a time base B switched off
// that reaches the simulated instrument with "Set".
#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <tuple>

#include "OperationsRig.h"
#include "app/TimebasePanelModel.h"
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
    ProgramState s;
    TimebasePanelModel model;
};

enum class Kind { WithB, AnalogOnly, DigimodeA };

void setKind(ProgramState& s, Kind kind)
{
    s.caps.unitNotbb = kind == Kind::DigimodeA;
    s.caps.unitDigimodea = kind == Kind::DigimodeA;
    s.identity.analogModel = kind == Kind::AnalogOnly ? 1 : 0;
}

scopesim::MainBlock sentBlock(const scopesim::ScopeSimulator& sim)
{
    const auto& records = sim.recorder().commands();
    const auto sent = std::find_if(records.begin(), records.end(),
                                   [](const auto& r) { return r.text() == "ddf="; });
    EXPECT_NE(sent, records.end());
    if (sent == records.end() || sent->params().size() < scopesim::MainBlock::kSize) return {};
    return scopesim::MainBlock(std::span<const std::uint8_t, scopesim::MainBlock::kSize>(
        sent->params().data(), scopesim::MainBlock::kSize));
}

}  // namespace

TEST(TimebasePanel, TheOnBoxesChooseTheModeAndTheABViewFollowsIt)
{
    using Act = std::function<Followup(TimebasePanelModel&)>;
    const auto a = [](bool on) -> Act { return [on](auto& m) { return m.timebaseASwitched(on); }; };
    const auto b = [](bool on) -> Act { return [on](auto& m) { return m.timebaseBSwitched(on); }; };
    const Act delayOn = [](auto& m) { return m.delayedSweepSwitched(true); };
    const Act trigDelayOn = [](auto& m) { return m.trigDelaySwitched(true); };
    struct Case {
        const char* what;
        Kind kind;
        int digitalMode, mode, windowOn;
        Act act;
        int modeAfter, windowOnAfter;
    };
    const Case cases[] = {
        {"unticking A alone keeps the mode", Kind::WithB, 1, 0, 0, a(false), 0, 0},
        {"unticking B alone keeps the mode", Kind::WithB, 1, 3, 0, b(false), 3, 0},
        {"B while A gives A and B", Kind::WithB, 1, 0, 0, b(true), 1, 1},
        {"A while B gives A and B", Kind::WithB, 1, 3, 0, a(true), 1, 1},
        {"B off from the instrument's A and B", Kind::WithB, 1, 2, 1, b(false), 0, 0},
        {"A off leaves B alone", Kind::WithB, 1, 1, 1, a(false), 3, 0},
        {"analog-only: A ticked gives A", Kind::AnalogOnly, 0, 3, 0, a(true), 0, 0},
        {"analog-only: A unticked in analog operation", Kind::AnalogOnly, 0, 1, 1, a(false), 3, 0},
        {"digital-mode-A: A unticked in digital storage", Kind::DigimodeA, 1, 1, 0, a(false), 0, 0},
        {"delayed sweep", Kind::DigimodeA, 0, 0, 0, delayOn, 3, 0},
        {"delayed trigger runs the delayed sweep", Kind::DigimodeA, 0, 0, 0, trigDelayOn, 3, 0},
    };
    for (const Case& c : cases) {
        Panel p;
        setKind(p.s, c.kind);
        p.s.ddf.digitalMode = static_cast<byte>(c.digitalMode);
        p.s.ddf.timebaseMode = static_cast<byte>(c.mode);
        p.s.tbB.tbBWindowOn = static_cast<byte>(c.windowOn);
        const Followup f = c.act(p.model);
        EXPECT_EQ(p.s.ddf.timebaseMode, c.modeAfter) << c.what;
        EXPECT_EQ(p.s.tbB.tbBWindowOn, c.windowOnAfter) << c.what;
        // The windows that show the A-and-B view follow a change of it.
        EXPECT_EQ(f.refresh.empty(), c.windowOn == c.windowOnAfter) << c.what;
        // The repaint ticks the boxes of the mode, also the one the user just unticked.
        const TimebasePanelView v = p.model.view();
        EXPECT_EQ(v.a.on, c.modeAfter < 3) << c.what;
        EXPECT_EQ(v.b.on, c.modeAfter != 0) << c.what;
    }
}

TEST(TimebasePanel, ListsBeginWithThe20nsStepOnModelsThatHaveIt)
{
    Panel p;
    p.s.caps.unitTbma = true;
    EXPECT_EQ(p.model.view().a.entries.front(), "20 ns");
    EXPECT_EQ(p.model.view().b.entries.front(), "20 ns");
    p.model.timebaseAChosen(1);
    EXPECT_EQ(p.s.ddf.tbAIndex, 0);
    p.model.timebaseAChosen(0);
    EXPECT_EQ(p.s.ddf.tbAIndex, 31);
    p.model.timebaseBChosen(0);
    EXPECT_EQ(p.s.ddf.tbBIndex, 31);
    p.s.ddf.tbAVariable = 1023;  // factor 2.5
    EXPECT_EQ(p.model.view().a.text, "50.00 ns");
    // An entry the list does not have changes nothing.
    p.model.timebaseBChosen(20);
    EXPECT_EQ(p.s.ddf.tbBIndex, 31);

    // Without the 20 ns step entry k is code k.
    p.s.caps.unitTbma = false;
    p.model.timebaseAChosen(1);
    EXPECT_EQ(p.s.ddf.tbAIndex, 1);
    EXPECT_EQ(p.model.view().a.entries.size(), 29u);

    // Each list selects the entry of its code, the calibrated step of a variable value; a code
    // the list does not offer selects none. Rows: 20 ns step, time base B, code, variable, step.
    using Row = std::tuple<bool, bool, int, int, int>;
    for (const auto& [tbma, b, code, variable, step] :
         {Row{true, false, 31, 0, 0}, Row{true, false, 0, 1023, 1}, Row{true, true, 13, 300, 14},
          Row{false, false, 28, 0, 28}, Row{false, false, 29, 0, -1},
          Row{false, true, 19, 0, -1}}) {
        p.s.caps.unitTbma = tbma;
        (b ? p.s.ddf.tbBIndex : p.s.ddf.tbAIndex) = static_cast<byte>(code);
        (b ? p.s.ddf.tbBVariable : p.s.ddf.tbAVariable) = static_cast<std::int16_t>(variable);
        EXPECT_EQ(b ? p.model.view().b.step : p.model.view().a.step, step) << code;
    }
}

TEST(TimebasePanel, TheRepaintRaisesTimeBaseAOnModelsWithoutTimeBaseBInDigitalStorage)
{
    struct Case {
        const char* name;
        bool notbb, newtbmode;
        int digitalMode, start, after;
        bool delayedSweepEnabled;  // "On" and "SEA": analog operation with the newer modes
    };
    const Case cases[] = {
        {"TX220", true, false, 1, 1, 4, false},    {"TX226-2", true, false, 1, 1, 2, false},
        {" TX226-2", true, false, 1, 0, 2, false},  // the name is trimmed before it is compared
        {"TX220", true, true, 1, 1, 1, false},     {"TX220", true, false, 0, 1, 1, false},
        {"TC308", false, false, 1, 1, 1, false},   {"TX220", true, true, 0, 1, 1, true},
    };
    for (const Case& c : cases) {
        Panel p;
        p.s.identity.modelName.assign(c.name);
        p.s.caps.unitNotbb = c.notbb;
        p.s.caps.unitNewtbmode = c.newtbmode;
        p.s.ddf.digitalMode = static_cast<byte>(c.digitalMode);
        p.s.ddf.tbAIndex = static_cast<byte>(c.start);
        p.model.settle();
        EXPECT_EQ(p.s.ddf.tbAIndex, c.after) << c.name << " " << c.start;
        EXPECT_EQ(p.s.screen.screenDirty, 0) << c.name;
        EXPECT_EQ(p.model.view().searchEnabled, c.delayedSweepEnabled) << c.name;
        EXPECT_EQ(p.model.view().delayedSweepEnabled, c.delayedSweepEnabled) << c.name;
    }
}

TEST(TimebasePanel, TheDelayCaptionAtItsEndsAndWithoutATableValue)
{
    struct Case {
        bool tbma;
        int digitalMode, tbAIndex, position;
        const char* text;
    };
    const Case cases[] = {
        {false, 0, 13, 0, " 0"},  // analog operation: a percentage
        {false, 0, 13, 4095, " 100"},
        {false, 1, 13, 0, "200.00 us"},  // 1 ms/div: a fifth of a division
        {false, 1, 13, 4095, "10200.00 us"},
        {true, 1, 13, 4095, "4095.00 us"},
        {false, 1, 0, 0, "10.00 ns"},  // no step below the fastest one
        {false, 1, 0, 4095, "510.00 ns"},
        {false, 1, 29, 100, "---"},  // a code without a table value
    };
    for (const Case& c : cases) {
        Panel p;
        p.s.caps.unitTbma = c.tbma;
        p.s.ddf.digitalMode = static_cast<byte>(c.digitalMode);
        p.s.ddf.tbAIndex = static_cast<byte>(c.tbAIndex);
        p.s.ddf.delayPosition = static_cast<std::int16_t>(c.position);
        EXPECT_EQ(p.model.view().delayText, c.text) << c.tbAIndex << " " << c.position;
    }
}

TEST(TimebasePanel, TheSpinsStayWithinTheirRangesAndOnlyTheVariablesAskForARedraw)
{
    struct Case {
        bool delay;
        int start;
        SpinArrow arrow;
        int after;
        bool dirty;
    };
    const Case cases[] = {
        {false, 0, SpinArrow::Down, 0, false},  {false, 1020, SpinArrow::Up, 1023, true},
        {false, 5, SpinArrow::Down, 0, true},   {true, 4090, SpinArrow::Up, 4095, false},
        {true, -40, SpinArrow::Down, 0, false}, {true, 5000, SpinArrow::Up, 4095, false},
    };
    for (const Case& c : cases) {
        Panel p;
        std::int16_t& field = c.delay ? p.s.ddf.delayPosition : p.s.ddf.tbBVariable;
        field = static_cast<std::int16_t>(c.start);
        if (c.delay)
            p.model.delayStepped(c.arrow);
        else
            p.model.variableBStepped(c.arrow);
        EXPECT_EQ(field, c.after) << c.delay << " " << c.start;
        EXPECT_EQ(p.s.screen.screenDirty, c.dirty ? 1 : 0) << c.delay << " " << c.start;
    }
}

TEST(TimebasePanel, TimeBaseBSwitchedOffReachesTheInstrumentWithTheReferencesAsTheyAre)
{
    OperationsRig t(SimLink::model("TC308"));
    t.sim.instrument().mainBlock().set(MainField::TimebaseMode, 2);  // A and B
    t.ops.read();
    ASSERT_EQ(t.state.tbB.tbBWindowOn, 1);
    ASSERT_EQ(t.state.ddf.ref1On, 1);  // the read copied the channels' on-states
    TimebasePanelModel(t.state, '.').timebaseBSwitched(false);
    t.sim.clearRecording();
    t.ops.set();
    const scopesim::MainBlock block = sentBlock(t.sim);
    EXPECT_EQ(block.get(MainField::TimebaseMode), 0);
    EXPECT_EQ(block.get(MainField::Ref1On), t.state.ddf.ref1On);
    EXPECT_EQ(block.get(MainField::Ref2On), t.state.ddf.ref2On);
}
