// The instrument set-up of the harmonics test against the simulated instrument: the wire order
// held and not held, the LINE code by model, what AUTOSET chose surviving the second write,
// a failure at each step, the 2 s wait on the monotonic clock, closing the window during the
// wait, clicks during the set-up, and Start/Stop.
#include <gtest/gtest.h>

#include <algorithm>

#include "OperationsRig.h"
#include "app/HarmonicsTestOperations.h"
#include "harmonics/HarmonicsWindowController.h"
#include "scopesim/Fault.h"
#include "state/RecordingFileDialogs.h"

using namespace ql;
using namespace ql::testing;
using scopesim::MainField;

namespace {

scopesim::SimulatorConfig lineCurrentConfig(const std::string& model = "TX226-2")
{
    scopesim::SimulatorConfig c;
    c.model = model;
    c.inputs[0] = scopesim::Signal::lineCurrent(50.0, 1.0, {{3, 0.3}, {5, 0.1}});
    c.inputs[1] = scopesim::Signal::dc(0.0);
    return c;
}

// The read of everything on an instrument of this kind with CH II off, as the set-up leaves it.
Commands readAllWithChannelTwoOff(const scopesim::SimulatorConfig& config)
{
    SimLink r(config);
    r.connect();
    r.sim.instrument().mainBlock().set(MainField::Ch2On, 0);
    r.link->sequences().readAllFromScope();
    return r.commands();
}

struct SetupRig : OperationsRig {
    explicit SetupRig(scopesim::SimulatorConfig config = lineCurrentConfig())
        : OperationsRig(std::move(config)),
          window(state, host, limits),
          test(*link, printer, dialogs)
    {
        clock.setIdleStepMs(5);
        window.opened();
        state.harm.obwActive = 1;
    }

    // The whole wire traffic of a set-up that connects (or not) and gets through.
    Commands expected(bool connects) const
    {
        const auto p = probeCommands(sim.config(), {Probe::ReadSettings, Probe::WriteAll,
                                                    Probe::ReadSettings, Probe::WriteAll});
        return join({connects ? kConnect : Commands{},
                     p[0],
                     p[1],
                     {"AUTOSET"},
                     p[2],
                     p[3],
                     readAllWithChannelTwoOff(sim.config())});
    }
    // How many commands come before the read of everything.
    std::size_t beforeReadAll() const
    {
        return expected(false).size() - readAllWithChannelTwoOff(sim.config()).size();
    }
    int sent(const std::string& command) const
    {
        const Commands c = commands();
        return static_cast<int>(std::count(c.begin(), c.end(), command));
    }

    NoLimitSource limits;
    HarmonicsWindowController window;
    RecordingFileDialogs dialogs;
    HarmonicsTestOperations test;
};

// The channel position the instrument holds, in 0..1023.
double instrumentCh1Position(const scopesim::ScopeSimulator& sim)
{
    const scopesim::Instrument& i = sim.instrument();
    return scopesim::positionFromWord(i.settings().ddf1[scopesim::kCh1Position], i.firmware());
}

}  // namespace

TEST(HarmonicsSetup, NotHeldAsksFirstAndNoSendsNothing)
{
    SetupRig t;
    const DdfSettings before = t.state.ddf;
    t.test.defaultSetting();
    EXPECT_EQ(t.host.countEvents("ask: Is the scope connected to the PC? | status"), 1);
    EXPECT_TRUE(t.commands().empty());
    EXPECT_EQ(t.state.ddf.ch1Position, before.ch1Position);
    EXPECT_EQ(t.state.ddf.tbAIndex, before.tbAIndex);
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_FALSE(t.host.autoBox);
    EXPECT_FALSE(t.state.busy.uiBusy);

    t.sim.clearRecording();
    t.host.yesNoAnswers = {true};
    t.test.defaultSetting();
    EXPECT_EQ(t.commands(), t.expected(true));
    EXPECT_EQ(t.state.link.remoteHeld, 1);  // never released: acquisition needs the hold
    EXPECT_EQ(t.state.link.autoUpdate, 1);
    EXPECT_TRUE(t.host.autoBox);
    EXPECT_EQ(t.messageCount(), 0);
    EXPECT_TRUE(t.sim.protocolNotes().empty());
    EXPECT_EQ(t.window.view().startCaption, "Stop");
}

TEST(HarmonicsSetup, HeldAsksNothingAndDoesNotConnect)
{
    SetupRig t;
    ASSERT_TRUE(t.connect());
    t.test.defaultSetting();
    EXPECT_EQ(t.host.countEvents("ask: "), 0);
    EXPECT_EQ(t.commands(), t.expected(false));
    EXPECT_EQ(t.state.link.autoUpdate, 1);
}

TEST(HarmonicsSetup, InstrumentEndsOnLineTriggerAt50msPerDivWithAutosetsVoltsPerDiv)
{
    // LINE is code 6 on models without time base B and 7 on the others.
    for (const auto& [model, lineCode] : {std::pair{"TX226-2", 6}, std::pair{"TC308", 7}}) {
        SCOPED_TRACE(model);
        SetupRig t(lineCurrentConfig(model));
        // What AUTOSET alone makes of the signal, on an instrument of its own.
        FakeClock otherClock;
        scopesim::ScopeSimulator reference(otherClock, t.sim.config());
        reference.instrument().runAutoset();
        const int autosetVolts = reference.instrument().mainBlock().get(MainField::Ch1VoltsIndex);
        t.sim.instrument().mainBlock().set(MainField::Ch1VoltsIndex, autosetVolts + 3);
        t.sim.instrument().setChannelPosition(1, 300);

        ASSERT_TRUE(t.connect());
        t.test.defaultSetting();
        const scopesim::MainBlock& m = t.sim.instrument().mainBlock();
        EXPECT_EQ(m.get(MainField::TrigCoupling), lineCode);
        EXPECT_EQ(m.get(MainField::TbAIndex), 18);
        EXPECT_EQ(m.get(MainField::Ch1Coupling), 0);
        EXPECT_EQ(m.get(MainField::Ch1On), 1);
        EXPECT_EQ(m.get(MainField::Ch2On), 0);
        EXPECT_EQ(m.get(MainField::Ch1VoltsIndex), autosetVolts);
        EXPECT_EQ(m.get(MainField::StorageMode), 0);
        EXPECT_EQ(m.get(MainField::DigitalMode), 1);
        EXPECT_NEAR(instrumentCh1Position(t.sim), 512.0, 0.5);
        // The program read back what the instrument now holds.
        EXPECT_EQ(t.state.ddf.trigCoupling, lineCode);
        EXPECT_EQ(t.state.ddf.ch1VoltsIndex, autosetVolts);
        EXPECT_EQ(t.messageCount(), 0);
    }
}

TEST(HarmonicsSetup, AFailureAtAnyStepStopsThereWithOneMessageAndAcquisitionOff)
{
    const struct {
        const char* step;
        std::vector<const char*> faults;
        const char* failing;  // the command that fails
        int occurrence;       // its how-many-th use in a set-up that gets through
    } cases[] = {
        {"connect", {"silence@id?"}, "id?", 1},
        {"first settings read", {"silence@ddf?"}, "ddf?", 1},
        {"first write", {"silence@ddf="}, "ddf=", 1},
        {"AUTOSET", {"silence@AUTOSET"}, "AUTOSET", 1},
        {"second settings read", {"delay:1@ddf?", "silence@ddf?"}, "ddf?", 2},
        {"second write", {"delay:1@ddf=", "silence@ddf="}, "ddf=", 2},
        {"read of everything", {"silence@rdwfm1:"}, "rdwfm1:", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        SetupRig t;
        const Commands full = t.expected(true);
        for (const char* f : c.faults) t.sim.injectFault(*scopesim::Fault::parse(f));
        const DdfSettings before = t.state.ddf;
        t.host.yesNoAnswers = {true};
        t.test.defaultSetting();

        EXPECT_EQ(t.messageCount(), 1);
        EXPECT_EQ(t.state.link.autoUpdate, 0);
        EXPECT_FALSE(t.host.autoBox);
        EXPECT_FALSE(t.state.busy.uiBusy);
        if (std::string(c.step) == "connect") {
            EXPECT_EQ(t.sent("ddf?"), 0);
            EXPECT_EQ(t.state.ddf.ch1On, before.ch1On);
            EXPECT_EQ(t.state.ddf.ch1Position, before.ch1Position);
            EXPECT_EQ(t.state.ddf.digitalMode, before.digitalMode);
            EXPECT_EQ(t.state.ddf.trigCoupling, before.trigCoupling);
            continue;
        }
        // Nothing more after the failing command.
        auto last = full.begin();
        for (int n = 0; n < c.occurrence; ++n)
            last = std::find(n == 0 ? full.begin() : last + 1, full.end(), c.failing);
        ASSERT_NE(last, full.end());
        EXPECT_EQ(t.commands(), Commands(full.begin(), last + 1));
    }
}

TEST(HarmonicsSetup, TheWaitIsTwoSecondsOfMonotonicTimeAlsoAcrossMidnight)
{
    for (const DateTime start :
         {DateTime{2026, 12, 9, 10, 0, 0}, DateTime{2026, 12, 31, 23, 59, 59}}) {
        SetupRig t;
        t.clock.setWallClock(start);
        ASSERT_TRUE(t.connect());
        const std::size_t writesEnd = t.beforeReadAll();
        t.test.defaultSetting();
        const auto& records = t.sim.recorder().commands();
        ASSERT_GT(records.size(), writesEnd);
        // The idle line between the last write's command and the first read's.
        const std::int64_t idleUs = records[writesEnd].received.gapBeforeUs;
        EXPECT_GE(idleUs, 2'000'000) << start.hour;
        EXPECT_LT(idleUs, 2'100'000) << start.hour;
        EXPECT_GT(t.host.pumpCount, 0);  // the user interface stays alive meanwhile
    }
}

TEST(HarmonicsSetup, ClosingTheWindowDuringTheWaitEndsTheSetup)
{
    SetupRig t;
    ASSERT_TRUE(t.connect());
    const Commands full = t.expected(false);
    const std::size_t writesEnd = t.beforeReadAll();
    bool closed = false;
    t.host.onPumpEvents = [&] {
        const auto& records = t.sim.recorder().commands();
        if (!closed && records.size() == writesEnd &&
            t.sim.nowUs() > records.back().received.endUs() + 500'000) {
            t.window.closed();
            closed = true;
        }
    };
    t.test.defaultSetting();
    ASSERT_TRUE(closed);
    EXPECT_EQ(t.commands(), Commands(full.begin(), full.begin() + writesEnd));
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_FALSE(t.host.autoBox);
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(HarmonicsSetup, ClicksDuringTheSetupDoNothing)
{
    SetupRig t;
    ASSERT_TRUE(t.connect());
    int clicks = 0;
    t.host.onPumpEvents = [&] {
        if (clicks++ % 50 != 0) return;
        t.test.defaultSetting();
        t.test.startStop();
        t.test.printReport(t.window);
        t.test.exportTable(t.window);
    };
    t.test.defaultSetting();
    EXPECT_GT(clicks, 1);
    EXPECT_EQ(t.commands(), t.expected(false));
    EXPECT_EQ(t.host.countEvents("ask: "), 0);
    EXPECT_EQ(t.printer.documentKinds().size(), 0u);
    EXPECT_TRUE(t.dialogs.shown.empty());
    EXPECT_EQ(t.state.link.autoUpdate, 1);
}

TEST(HarmonicsSetup, StartClearsAndSetsUpStopKeepsTheHoldAndTheResults)
{
    SetupRig t;
    ASSERT_TRUE(t.connect());
    t.state.harmTest.harmAverageCount = 7;
    std::fill(t.state.harmTest.harmAvgSpectrum.begin(), t.state.harmTest.harmAvgSpectrum.end(),
              3.0);
    // Start with acquisition off: the spectra are cleared first, even when the user then says
    // No (here the instrument is held, so the set-up runs).
    t.host.onPumpEvents = [&, checked = false]() mutable {
        if (checked) return;
        checked = true;
        EXPECT_EQ(t.state.harmTest.harmAvgSpectrum[10], 0.0);
    };
    t.test.startStop();
    EXPECT_EQ(t.commands(), t.expected(false));
    EXPECT_EQ(t.state.link.autoUpdate, 1);
    t.host.onPumpEvents = nullptr;

    // Stop: nothing sent, the hold and the accumulated results stay.
    t.sim.clearRecording();
    t.state.harmTest.harmAverageCount = 5;
    t.test.startStop();
    EXPECT_TRUE(t.commands().empty());
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    EXPECT_FALSE(t.host.autoBox);
    EXPECT_EQ(t.state.link.remoteHeld, 1);
    EXPECT_EQ(t.state.harmTest.harmAverageCount, 5);
    EXPECT_EQ(t.window.view().startCaption, "Start");

    // Stop is honoured also while an operation runs: it sends nothing.
    t.state.link.autoUpdate = 1;
    t.state.busy.uiBusy = true;
    t.test.startStop();
    EXPECT_EQ(t.state.link.autoUpdate, 0);
    t.state.busy.uiBusy = false;

    // Start with No on a released instrument: cleared, nothing sent.
    t.state.link.remoteHeld = 0;
    t.state.harmTest.harmAverageCount = 5;
    t.test.startStop();
    EXPECT_EQ(t.state.harmTest.harmAverageCount, 1);
    EXPECT_TRUE(t.commands().empty());
    EXPECT_EQ(t.state.link.autoUpdate, 0);
}
