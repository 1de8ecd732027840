// A running autostore beside the rest of the program, on a noisy simulated instrument: reads
// that would release the instrument keep an after-trigger autostore storing, a failure stops
// it visibly; Pause, Stop and Exit are taken on the first click wherever it falls in a tick, and
// nothing starts after the store in progress; a new run never replaces the files of an earlier
// one.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <utility>

#include "AutoStoreRig.h"
#include "app/ClockLine.h"

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
        int presses = 1;     // the fault this often: each press inside the answer asked again
    } cases[] = {
        {"copy request, printer gone", nullptr,
         [](AutoStoreRig& t) {
             t.printer.setAvailable(false);  // told in the clock line, not by a box
             t.sim.pressCopyKey();
             t.tick();
         },
         true, true},
        {"remote READ", nullptr, [](AutoStoreRig& t) { t.remote.execute("READ"); }, true, false},
        // The copy key pressed as the trigger's read asks for a record (kept, served later), or
        // while a record, a settings block or an echo comes (that answer asked for again).
        {"copy request ahead of an echo", "copy-inside:0@rdwfm1:", [](AutoStoreRig&) {}, true,
         false},
        {"copy request inside a record", "copy-inside:1000@rdwfm1:", [](AutoStoreRig&) {}, true,
         false},
        {"copy request inside a record twice", "copy-inside:1000@rdwfm1:", [](AutoStoreRig&) {},
         true, false, 2},
        {"copy request inside a record three times",
         "copy-inside:1000@rdwfm1:", [](AutoStoreRig&) {}, true, false, 3},
        {"copy request inside a settings block", "copy-inside:9@ddf?", [](AutoStoreRig&) {}, true,
         false},
        {"copy request inside an echo", "copy-inside:3@rdwfm2:", [](AutoStoreRig&) {}, true, false},
        {"trigger poll unanswered", "silence@trgsta?", [](AutoStoreRig& t) { t.tick(); }, false,
         true},
        {"\"RM\" cleared", nullptr, [](AutoStoreRig& t) { t.ops.remoteBoxReleased(false); }, false,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AutoStoreRig t(noisy());
        t.startAfterTrigger();
        for (int press = 0; c.fault && press < c.presses; ++press)
            t.sim.injectFault(*scopesim::Fault::parse(c.fault));
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
            // A request kept is served, and the next trigger is stored too.
            t.tick();
            t.sim.instrument().fireTrigger();
            t.tick();
            EXPECT_EQ(t.files().size(), 2u);
            EXPECT_EQ(t.messageCount(), 0);
        } else {
            EXPECT_EQ(t.messageCount(), c.fault ? 1 : 0);  // the failure's own
            EXPECT_EQ(t.controller.view().startCaption, "Start");
            EXPECT_EQ(during.back(), "rm0");  // given back as Pause does
            EXPECT_TRUE(t.files().empty());
        }
    }
}

TEST(AutoStoreRun, PauseStopAndExitClickedAnywhereInATickLetNothingStartAfterTheStoreInProgress)
{
    // The click in the second store's tick: queued as it starts, in the read's first wait, in
    // its last wait (release or re-arm), or queued during the store; the files then kept after
    // Pause or Stop, and after Exit (after trigger, no third trigger comes). PreviousStore:
    // queued as the first tick's file is stored, still waiting as the second tick starts.
    enum At { Queued, Read, LastWait, Store, PreviousStore };
    const struct {
        bool timed;
        At at;
        int files, filesAfterExit;
    } rows[] = {{true, Queued, 1, 3},    {true, Read, 2, 4},    {true, LastWait, 2, 4},
                {true, Store, 2, 3},     {false, Queued, 1, 2}, {false, Read, 2, 2},
                {false, LastWait, 2, 2}, {false, Store, 2, 2},  {true, PreviousStore, 1, 3}};
    const std::function<void(AutoStoreController&)> clicks[] = {
        [](AutoStoreController& c) { c.startPause(); }, [](AutoStoreController& c) { c.stop(); },
        [](AutoStoreController& c) { c.exit(); }};  // the window closes, storing goes on
    for (const auto& r : rows)
        for (int k = 0; k < 3; ++k) {
            SCOPED_TRACE(::testing::Message() << r.timed << r.at << k);
            AutoStoreRig t(noisy());
            r.timed ? t.startEveryTick() : t.startAfterTrigger();
            AutoStoreView pending;
            bool clicked = false;
            const auto click = [&] {
                if (!std::exchange(clicked, true))
                    clicks[k](t.controller), pending = t.controller.view();
            };
            int stores = 0;
            t.ops.setAutoStoreFile([&] {
                if (r.at == (stores++ == 0 ? PreviousStore : Store)) t.host.waitingInput = click;
                return storeNextAutoStoreFile(t.state, t.host, t.printer, '.', t.folder);
            });
            t.sim.instrument().fireTrigger();
            t.tick();
            t.sim.instrument().fireTrigger();
            t.sim.clearRecording();
            t.host.onPumpEvents = [&] {
                const Commands c = t.commands();
                if ((r.at == Read && count(c, "hldwfm?") > 0) ||
                    (r.at == LastWait && !c.empty() && (c.back() == "rm0" || c.back() == "RES")))
                    click();
            };
            if (r.at == Queued) t.host.waitingInput = click;
            t.tick();
            // A click waiting as the tick began lets no read start; none cuts a store short.
            EXPECT_EQ(count(t.commands(), "hldwfm?") == 0, r.at == Queued || r.at == PreviousStore);
            EXPECT_EQ(static_cast<int>(t.files().size()), r.files);
            t.tick();
            t.tick();
            EXPECT_FALSE(pending.startEnabled && pending.exitEnabled);
            const int files = k == 2 ? r.filesAfterExit : r.files;
            EXPECT_EQ(t.state.autoStore.autoStoreActive, k == 2 ? 1 : 0);
            EXPECT_EQ(t.state.autoStore.autoStoreCounter, k == 1 ? 0 : files);
            EXPECT_EQ(static_cast<int>(t.files().size()), files);
            EXPECT_EQ(t.host.isWindowOpen(ToolWindow::AutostoreWindow), k != 2);
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
