// A running autostore beside the rest of the program, on a noisy simulated instrument: reads
// that would release the instrument keep an after-trigger autostore storing, a failure stops
// it visibly; Pause, Stop and Exit clicked during a store are taken on the first click; a new
// run never replaces the files of an earlier one.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "AutoStoreRig.h"

using namespace ql;
using namespace ql::testing;

namespace {

TEST(AutoStoreRun, AnAfterTriggerAutostoreGoesOnThroughReadsAndStopsVisiblyOnAFailure)
{
    const struct {
        const char* what;
        const char* fault;
        std::function<void(AutoStoreRig&)> act;
        bool goesOn, noted;  // stores the next acquisition; the clock line keeps a note
    } cases[] = {
        {"copy request, printer gone", nullptr,
         [](AutoStoreRig& t) {
             t.printer.setAvailable(false);  // told in the clock line, not by a box
             t.sim.pressCopyKey();
             t.tick();
         },
         true, true},
        {"remote READ", nullptr, [](AutoStoreRig& t) { t.remote.execute("READ"); }, true, false},
        // The copy key pressed as the trigger's read asks for a record: kept, served later.
        {"copy request ahead of an echo", "copy-inside:0@rdwfm1:", [](AutoStoreRig&) {}, true,
         false},
        {"trigger poll unanswered", "silence@trgsta?", [](AutoStoreRig& t) { t.tick(); }, false,
         true},
        {"\"RM\" cleared", nullptr, [](AutoStoreRig& t) { t.ops.remoteBoxReleased(false); }, false,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AutoStoreRig t(noisy());
        t.startAfterTrigger();
        if (c.fault) t.sim.injectFault(*scopesim::Fault::parse(c.fault));
        c.act(t);
        const Commands during = t.commands();
        t.sim.instrument().fireTrigger();
        const auto record = t.sim.instrument().channelRecord(1);
        t.tick();
        EXPECT_EQ(t.state.clockNote.empty() && t.state.printoutNote.empty(), !c.noted);
        if (c.goesOn) {
            EXPECT_EQ(count(during, "rm0") + count(during, "RES"), 0);
            EXPECT_EQ(t.messageCount(), 0);
            EXPECT_EQ(t.files(), (std::vector<std::string>{"AutostoreXXX00000.mes"}));
            EXPECT_EQ(t.state.waves.waveCh1[1], record[0]);  // the new acquisition
        } else {
            EXPECT_EQ(t.messageCount(), c.fault ? 1 : 0);  // the failure's own
            EXPECT_EQ(t.controller.view().startCaption, "Start");
            EXPECT_EQ(during.back(), "rm0");  // given back as Pause does
            EXPECT_TRUE(t.files().empty());
        }
    }
}

TEST(AutoStoreRun, PauseStopAndExitClickedDuringAStoreAreTakenOnTheFirstClick)
{
    const struct {
        std::function<void(AutoStoreController&)> click;
        int active, counter, files;  // after two more ticks
    } cases[] = {
        {[](AutoStoreController& c) { c.startPause(); }, 0, 2, 2},
        {[](AutoStoreController& c) { c.stop(); }, 0, 0, 2},
        {[](AutoStoreController& c) { c.exit(); }, 1, 4, 4},  // the window closes, storing goes on
    };
    for (const auto& c : cases) {
        AutoStoreRig t(noisy());
        t.startEveryTick();
        t.tick();
        int pumps = 0;
        AutoStoreView pending;
        t.host.onPumpEvents = [&] {
            if (pumps++ > 0) return;  // one click, while the store reads the instrument
            c.click(t.controller);
            pending = t.controller.view();
        };
        t.tick();
        t.host.onPumpEvents = nullptr;
        EXPECT_FALSE(pending.startEnabled && pending.exitEnabled);
        EXPECT_EQ(t.files().size(), 2u);  // the store in progress was not cut short
        t.tick();
        t.tick();
        EXPECT_EQ(t.state.autoStore.autoStoreActive, c.active);
        EXPECT_EQ(t.state.autoStore.autoStoreCounter, c.counter);
        EXPECT_EQ(static_cast<int>(t.files().size()), c.files);
        EXPECT_EQ(t.host.isWindowOpen(ToolWindow::AutostoreWindow), c.active == 0);
    }
}

TEST(AutoStoreRun, ANewRunSkipsTheNumbersWhoseFileExistsAndReplacesNone)
{
    AutoStoreRig t(noisy());
    t.startEveryTick();
    for (int i = 0; i < 3; ++i) t.tick();
    t.controller.stop();
    std::ofstream(t.file("AutostoreXXX00004.mes")) << "another program's file";
    std::vector<std::string> before;
    for (const std::string& name : t.files()) before.push_back(t.contents(name));

    t.controller.startPause();
    EXPECT_NE(clockStatusText(t.state, t.clock.now()).find("Store 00003 at:"), std::string::npos);
    t.tick();
    t.tick();
    const std::vector<std::string> files = t.files();
    ASSERT_EQ(files.size(), 6u);  // 00000 to 00005
    for (int i : {0, 1, 2, 4}) EXPECT_EQ(t.contents(files[i]), before[i == 4 ? 3 : i]);
    EXPECT_NE(clockStatusText(t.state, t.clock.now()).find("Store 00006 at:"), std::string::npos);
}

}  // namespace
