// What one operation leaves for the next, on a noisy simulated instrument: a running mode goes
// on through the reads of other operations, one that a failure ended shows it before the
// failure's one message, and the clock line's notes say what stands now.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string_view>

#include "AutoStoreRig.h"
#include "app/ClockLine.h"
#include "app/InstrumentOperations.h"

using namespace ql;
using namespace ql::testing;

namespace {

// As the harmonics window's set-up leaves the instrument: held, continuous acquisition on.
void runHarmonicsAcquisition(AutoStoreRig& t)
{
    ASSERT_TRUE(t.connect());
    t.host.openWindow(ToolWindow::HarmonicsWindow);
    t.state.harm.obwActive = 1;
    t.state.link.autoUpdate = 1;
}

std::ptrdiff_t indexOf(const Commands& c, const std::string& text)
{
    return std::find(c.begin(), c.end(), text) - c.begin();
}

TEST(AcrossOperations, ARunningModeTheFailureEndedShowsItBeforeTheMessage)
{
    enum class Mode { AfterTriggerAutostore, TimedAutostore, HarmonicsAcquisition };
    const auto trigger = [](AutoStoreRig& t) {
        t.sim.instrument().fireTrigger();
        t.tick();
    };
    const auto vanish = [](AutoStoreRig& t) {
        t.port.vanish();
        t.tick();
    };
    const struct {
        const char* what;
        Mode mode;
        const char* fault;  // "store": the autostore's folder is missing
        std::function<void(AutoStoreRig&)> act;
    } cases[] = {
        {"trigger poll's read", Mode::AfterTriggerAutostore, "silence@rdwfm2:", trigger},
        {"copy request's read", Mode::AfterTriggerAutostore, "silence@ddf1?",
         [](AutoStoreRig& t) {
             t.sim.pressCopyKey();
             t.tick();
         }},
        {"remote READ", Mode::AfterTriggerAutostore,
         "stop:5@rdwfm1:", [](AutoStoreRig& t) { t.remote.execute("READ"); }},
        {"acquisition's read", Mode::HarmonicsAcquisition,
         "silence@rdwfm1:", [](AutoStoreRig& t) { t.tick(); }},
        {"port gone between ticks", Mode::AfterTriggerAutostore, nullptr, vanish},
        {"port gone between ticks", Mode::HarmonicsAcquisition, nullptr, vanish},
        {"store after trigger cannot be written", Mode::AfterTriggerAutostore, "store", trigger},
        {"timed store cannot be written", Mode::TimedAutostore, "store",
         [](AutoStoreRig& t) { t.tick(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AutoStoreRig t(noisy());
        const bool autostore = c.mode != Mode::HarmonicsAcquisition;
        const bool store = c.fault && std::string_view(c.fault) == "store";
        const ToolWindow window =
            autostore ? ToolWindow::AutostoreWindow : ToolWindow::HarmonicsWindow;
        if (store) t.state.autoStore.autoStorePrefix = t.file("missing") + "/run";
        if (c.mode == Mode::AfterTriggerAutostore) t.startAfterTrigger();
        if (c.mode == Mode::TimedAutostore) t.startEveryTick();
        if (!autostore) runHarmonicsAcquisition(t);
        t.host.clear();
        if (c.fault && !store) t.sim.injectFault(*scopesim::Fault::parse(c.fault));
        bool stoppedWhileShown = false;
        t.host.onShowMessage = [&] {
            const auto& e = t.host.events;
            const Commands wire = t.commands();
            // An autostore a failure on a working line ended has given the instrument back.
            const bool givenBack =
                !autostore || !c.fault || (!wire.empty() && wire.back() == "rm0");
            stoppedWhileShown = t.state.autoStore.autoStoreActive == 0 &&
                                !t.state.clockNote.empty() &&
                                t.host.clockText.find(t.state.clockNote) != std::string::npos &&
                                std::count(e.begin(), e.end(),
                                           "refresh " + std::string(toolWindowName(window))) > 0 &&
                                givenBack;
        };
        c.act(t);
        EXPECT_EQ(t.messageCount(), 1);
        EXPECT_TRUE(stoppedWhileShown);
        EXPECT_EQ(t.state.link.autoUpdate, 0);
        EXPECT_FALSE(t.state.link.programHold.outstanding);
        const Commands wire = t.commands();
        if (c.mode == Mode::AfterTriggerAutostore && c.fault && !store) {
            // The hold the read took goes back first, then the instrument as Pause does.
            EXPECT_LT(wire.rend() - std::find(wire.rbegin(), wire.rend(), "hldwfm="),
                      indexOf(wire, "rm0") + 1);
            EXPECT_EQ(wire.back(), "rm0");
        }
    }
}

TEST(AcrossOperations, TheHarmonicsAcquisitionGoesOnThroughTheReadsOfOtherOperations)
{
    const struct {
        const char* what;
        std::function<void(AutoStoreRig&)> act;
    } cases[] = {
        {"toolbar Read", [](AutoStoreRig& t) { t.ops.read(); }},
        {"remote READ", [](AutoStoreRig& t) { t.remote.execute("READ"); }},
        {"copy request",
         [](AutoStoreRig& t) {
             t.sim.pressCopyKey();
             t.tick();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AutoStoreRig t(noisy());
        runHarmonicsAcquisition(t);
        c.act(t);
        EXPECT_EQ(count(t.commands(), "rm0"), 0);
        EXPECT_EQ(t.state.link.autoUpdate, 1);
        const std::uint32_t generation = t.state.waves.generation;
        t.tick();
        EXPECT_EQ(t.state.waves.generation, generation + 1);  // the next sweep came
        EXPECT_EQ(t.messageCount(), 0);
    }
}

TEST(AcrossOperations, TheClockLineSaysWhatStandsNowAndKeepsWhyAnAutostoreStopped)
{
    const std::string stopped = "Autostore stopped: transmission error";
    const std::string savedAs = "Printout saved as /files/screen.pdf";
    const std::string noPrinter = "No printer is available.";
    // A copy request printed as `printout` says: "" on the printer, "file" into a file, "none"
    // without a printer.
    const auto copyRequest = [](AutoStoreRig& t, const std::string& printout) {
        if (!t.port.isOpen()) t.connect();
        t.printer.setAvailable(printout != "none");
        t.printer.setDocumentFile(printout == "file" ? "/files/screen.pdf" : "");
        t.sim.pressCopyKey();
        t.tick();
    };
    const auto stopByFailure = [](AutoStoreRig& t) {
        t.startAfterTrigger();
        t.sim.injectFault(*scopesim::Fault::parse("silence@trgsta?"));
        t.tick();
    };
    const struct {
        const char* what;
        std::function<void(AutoStoreRig&)> act;
        std::vector<std::string> shown, gone;
    } cases[] = {
        {"a printout after the autostore stopped",
         [&](AutoStoreRig& t) {
             stopByFailure(t);
             copyRequest(t, "file");
         },
         {stopped, savedAs},
         {}},
        {"a failed printout, then one on the printer",
         [&](AutoStoreRig& t) {
             copyRequest(t, "none");
             copyRequest(t, "");
         },
         {},
         {noPrinter}},
        {"a printout, then a Start after the autostore stopped",
         [&](AutoStoreRig& t) {
             stopByFailure(t);
             copyRequest(t, "file");
             t.controller.startPause();
         },
         {savedAs},
         {stopped}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AutoStoreRig t(noisy());
        c.act(t);
        const std::string line = clockStatusText(t.state, t.clock.now());
        for (const std::string& text : c.shown) EXPECT_NE(line.find(text), std::string::npos);
        for (const std::string& text : c.gone) EXPECT_EQ(line.find(text), std::string::npos);
    }
}

}  // namespace
