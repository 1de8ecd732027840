// The harmonics test's instrument set-up against the simulated instrument: wire order, the
// instrument's end state, a failure at each step, the wait, closing and clicks meanwhile.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "OperationsRig.h"
#include "app/HarmonicsTestOperations.h"
#include "state/RecordingFileDialogs.h"

using namespace ql;
using namespace ql::testing;
using scopesim::MainField;

namespace {

scopesim::SimulatorConfig lineCurrent(const std::string& model = "TX226-2")
{
    scopesim::SimulatorConfig c = SimLink::model(model);
    c.inputs = {scopesim::Signal::lineCurrent(50.0, 1.0, {{3, 0.3}}), scopesim::Signal::dc(0.0)};
    return c;
}

struct SetupRig : OperationsRig {
    explicit SetupRig(scopesim::SimulatorConfig c = lineCurrent())
        : OperationsRig(std::move(c)), window(state, host, limits), test(*link, printer, dialogs)
    {
        clock.setIdleStepMs(5);
        window.opened();
        state.harm.obwActive = 1;
    }
    // What a set-up that gets through sends, and how much of it comes before the final read.
    Commands expected(bool connects, std::size_t* beforeRead = nullptr) const
    {
        const auto p = probeCommands(sim.config(), {Probe::ReadSettings, Probe::WriteAll,
                                                    Probe::ReadSettings, Probe::WriteAll});
        SimLink r(sim.config());  // the final read, with CH II off as the set-up leaves it
        r.connect();
        r.sim.instrument().mainBlock().set(MainField::Ch2On, 0);
        r.link->sequences().readAllFromScope();
        const Commands head =
            join({connects ? kConnect : Commands{}, p[0], p[1], {"AUTOSET"}, p[2], p[3]});
        if (beforeRead) *beforeRead = head.size();
        return join({head, r.commands()});
    }
    NoLimitSource limits;
    HarmonicsWindowController window;
    RecordingFileDialogs dialogs;
    HarmonicsTestOperations test;
};

}  // namespace

TEST(HarmonicsSetup, WireOrderNotHeldAndHeld)
{
    for (const char* how : {"no", "yes", "held"}) {
        SCOPED_TRACE(how);
        SetupRig t;
        const std::string h = how;
        if (h == "held") {
            ASSERT_TRUE(t.connect());
        }
        t.host.yesNoAnswers = {h == "yes"};
        t.test.defaultSetting();
        EXPECT_EQ(t.host.countEvents("ask: Is the scope connected to the PC? | status"),
                  h == "held" ? 0 : 1);
        EXPECT_EQ(t.commands(), h == "no" ? Commands{} : t.expected(h == "yes"));
        EXPECT_EQ(t.state.link.autoUpdate, h == "no" ? 0 : 1);
        EXPECT_EQ(t.host.autoBox, h != "no");
        EXPECT_EQ(t.window.view().startCaption, h == "no" ? "Start" : "Stop");
        EXPECT_EQ(t.messageCount(), 0);
    }
}

TEST(HarmonicsSetup, InstrumentEndsOnLineTriggerAt50msDcCentredWithAutosetsVoltsPerDiv)
{
    for (const auto& [model, lineCode] : {std::pair{"TX226-2", 6}, std::pair{"TC308", 7}}) {
        SCOPED_TRACE(model);
        SetupRig t(lineCurrent(model));
        FakeClock otherClock;  // what AUTOSET alone makes of the signal
        scopesim::ScopeSimulator reference(otherClock, t.sim.config());
        reference.instrument().runAutoset();
        const int volts = reference.instrument().mainBlock().get(MainField::Ch1VoltsIndex);
        scopesim::Instrument& i = t.sim.instrument();
        i.mainBlock().set(MainField::Ch1VoltsIndex, volts + 3);
        i.setChannelPosition(1, 300);
        ASSERT_TRUE(t.connect());
        t.test.defaultSetting();
        const scopesim::MainBlock& m = i.mainBlock();
        EXPECT_EQ(m.get(MainField::TrigCoupling), lineCode);
        EXPECT_EQ(m.get(MainField::TbAIndex), 18);
        EXPECT_EQ(m.get(MainField::Ch1Coupling), 0);
        EXPECT_EQ(m.get(MainField::Ch2On), 0);
        EXPECT_EQ(m.get(MainField::Ch1VoltsIndex), volts);
        EXPECT_NEAR(
            scopesim::positionFromWord(i.settings().ddf1[scopesim::kCh1Position], i.firmware()),
            512.0, 0.5);
    }
}

TEST(HarmonicsSetup, AFailureAtAnyStepStopsThereWithOneMessageAndAcquisitionOff)
{
    const struct {
        std::vector<const char*> faults;
        const char* failing;
        int use;  // the failing command's how-many-th use in a set-up that gets through
    } cases[] = {
        {{"silence@id?"}, "id?", 1},
        {{"silence@ddf?"}, "ddf?", 1},
        {{"silence@ddf="}, "ddf=", 1},
        {{"silence@AUTOSET"}, "AUTOSET", 1},
        {{"delay:1@ddf?", "silence@ddf?"}, "ddf?", 2},
        {{"delay:1@ddf=", "silence@ddf="}, "ddf=", 2},
        {{"silence@rdwfm1:"}, "rdwfm1:", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.faults.back());
        SetupRig t;
        const Commands full = t.expected(true);
        for (const char* f : c.faults) t.sim.injectFault(*scopesim::Fault::parse(f));
        const DdfSettings before = t.state.ddf;
        t.host.yesNoAnswers = {true};
        t.test.defaultSetting();
        EXPECT_EQ(t.messageCount(), 1);
        EXPECT_EQ(t.state.link.autoUpdate, 0);
        EXPECT_FALSE(t.host.autoBox);
        auto last = full.begin() - 1;
        for (int n = 0; n < c.use; ++n) last = std::find(last + 1, full.end(), c.failing);
        // Nothing more, except the hold the final read took for its records going back.
        const bool heldRecords = std::string(c.failing) == "rdwfm1:";
        EXPECT_FALSE(t.sim.instrument().holdWaveform());
        if (std::string(c.failing) != "id?")
            EXPECT_EQ(t.commands(), join({Commands(full.begin(), last + 1),
                                          heldRecords ? Commands{"hldwfm="} : Commands{}}));
        else  // a failed connect leaves the settings as they were
            EXPECT_TRUE(t.state.ddf.ch1On == before.ch1On &&
                        t.state.ddf.tbAIndex == before.tbAIndex &&
                        t.state.ddf.trigCoupling == before.trigCoupling);
    }
}

// The settings the set-up writes, with the CH I deflection AUTOSET chooses.
auto setUpSettings(const ProgramState& s)
{
    const DdfSettings& d = s.ddf;
    return std::tuple(d.ch1On, d.ch2On, d.ch1Position, d.storageMode, d.digitalMode, d.trigCoupling,
                      d.tbAIndex, d.ch1Coupling, d.ch1VoltsIndex, s.storage.holdWaveform);
}

TEST(HarmonicsSetup, AFailureAtAnyCommandLeavesTheSettingsLastReadFromTheInstrument)
{
    // A set-up that gets through: its traffic, what the program held after each read (each
    // redraws the screen) and where the first two reads end.
    SetupRig twin;
    ASSERT_TRUE(twin.connect());
    std::vector<decltype(setUpSettings(twin.state))> read;
    twin.host.onRefreshWindow = [&](ToolWindow w) {
        if (w == ToolWindow::ScreenWindow) read.push_back(setUpSettings(twin.state));
    };
    twin.test.defaultSetting();
    ASSERT_EQ(read.size(), 3u);
    const Commands full = twin.commands();
    const auto p = probeCommands(twin.sim.config(),
                                 {Probe::ReadSettings, Probe::WriteAll, Probe::ReadSettings});
    const std::size_t firstRead = p[0].size(),
                      secondRead = p[0].size() + p[1].size() + 1 + p[2].size();
    for (std::size_t i = 0; i < full.size(); ++i) {  // each command silenced at its own use
        SCOPED_TRACE(std::to_string(i) + ": " + full[i]);
        SetupRig t;
        ASSERT_TRUE(t.connect());
        const auto before = setUpSettings(t.state);
        for (auto n = std::count(full.begin(), full.begin() + long(i), full[i]); n > 0; --n)
            t.sim.injectFault(*scopesim::Fault::parse("delay:1@" + full[i]));
        t.sim.injectFault(*scopesim::Fault::parse("silence@" + full[i]));
        t.test.defaultSetting();
        EXPECT_EQ(t.messageCount(), 1);
        EXPECT_EQ(setUpSettings(t.state), i < firstRead ? before : read[i < secondRead ? 0 : 1]);
    }
}

TEST(HarmonicsSetup, WaitsTwoMonotonicSecondsAlsoAcrossMidnightAndEndsWhenTheWindowCloses)
{
    for (const bool closeDuringWait : {false, true}) {
        SetupRig t;
        t.clock.setWallClock({2026, 12, 31, 23, 59, 59});
        ASSERT_TRUE(t.connect());
        std::size_t beforeRead = 0;
        const Commands full = t.expected(false, &beforeRead);
        const auto& records = t.sim.recorder().commands();
        t.host.onPumpEvents = [&] {
            if (closeDuringWait && t.state.harm.obwActive == 1 && records.size() == beforeRead &&
                t.sim.nowUs() > records.back().received.endUs() + 500'000)
                t.window.closed();
        };
        t.test.defaultSetting();
        if (closeDuringWait) {
            EXPECT_EQ(t.commands(), Commands(full.begin(), full.begin() + beforeRead));
            EXPECT_EQ(t.state.link.autoUpdate, 0);
            EXPECT_FALSE(t.host.autoBox);
        } else {
            ASSERT_EQ(t.commands(), full);
            const std::int64_t idleUs = records[beforeRead].received.gapBeforeUs;
            EXPECT_TRUE(idleUs >= 2'000'000 && idleUs < 2'100'000) << idleUs;
        }
    }
}

TEST(HarmonicsSetup, ClicksDuringTheSetupDoNothingStopSendsNothingStartClearsFirst)
{
    SetupRig t;
    ASSERT_TRUE(t.connect());
    t.state.harmTest.harmAvgSpectrum[10] = 3.0;
    int clicks = 0;
    t.host.onPumpEvents = [&] {
        if (clicks++ == 0) {
            EXPECT_EQ(t.state.harmTest.harmAvgSpectrum[10], 0.0);
        }
        t.test.defaultSetting();
        t.test.startStop();
        t.test.printReport(t.window);
        t.test.exportTable(t.window);
    };
    t.test.startStop();
    EXPECT_EQ(t.commands(), t.expected(false));
    EXPECT_TRUE(t.printer.documentKinds().empty() && t.dialogs.shown.empty());
    ASSERT_EQ(t.state.link.autoUpdate, 1);

    // Stop, also during an operation: nothing sent, the hold and the results stay.
    t.host.onPumpEvents = nullptr;
    t.sim.clearRecording();
    t.state.busy.uiBusy = true;
    t.state.harmTest.harmAverageCount = 5;
    t.test.startStop();
    EXPECT_TRUE(t.commands().empty());
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_EQ(t.state.link.remoteHeld, 1);
    EXPECT_EQ(t.state.harmTest.harmAverageCount, 5);
}
