// Start-up, closing and "Exit" against the simulated instrument: what the user sees, what the
// instrument receives, what lands in the parameter file, and when the program ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "AppRig.h"
#include "scopesim/Fault.h"

using namespace ql;
using namespace ql::testing;

namespace {

// Little-endian fields of the stored record at their documented offsets.
int i16At(const std::string& b, std::size_t offset)
{
    const int v =
        static_cast<unsigned char>(b[offset]) | (static_cast<unsigned char>(b[offset + 1]) << 8);
    return v >= 0x8000 ? v - 0x10000 : v;
}

long i32At(const std::string& b, std::size_t offset)
{
    unsigned long v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[offset + i]);
    return static_cast<long>(static_cast<std::int32_t>(v));
}

constexpr std::size_t kLanguageOffset = 5;
constexpr std::size_t kScreenWindowOffset = 27;  // left, top, state, width, height
constexpr std::size_t kComPortOffset = 93;
constexpr std::size_t kBaudRateOffset = 95;
constexpr std::size_t kAnalysisChartOffset = 99;  // left, top, width, height

std::vector<std::string> eventsStartingWith(const RecordingHost& host, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const auto& e : host.events)
        if (e.rfind(prefix, 0) == 0) found.push_back(e);
    return found;
}

std::size_t indexOf(const RecordingHost& host, const std::string& event)
{
    const auto it = std::find(host.events.begin(), host.events.end(), event);
    return static_cast<std::size_t>(it - host.events.begin());
}

// A good parameter file as a previous run would have left it.
void leaveGoodParameterFile(const std::string& root, byte language)
{
    AppRig previous(root);
    previous.app.startUp();
    previous.state.language = language;
    previous.app.exitProgram();
}

}  // namespace

TEST(StartUp, FirstStartWithoutParameterFileUsesDefaultsAndWritesTheFileAtClose)
{
    AppRig rig;
    rig.app.startUp();

    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0].text.rfind("Generate new default settings\n", 0), 0u);
    EXPECT_EQ(rig.host.messages[0].title, "Load default settings");
    EXPECT_EQ(rig.host.caption, "QL240E - V3.02");
    EXPECT_EQ(rig.state.link.comPort, 2);
    EXPECT_EQ(rig.state.link.baudRate, 19200);
    EXPECT_EQ(rig.state.layout.screenWindow.left, 10);
    EXPECT_EQ(rig.state.layout.screenWindow.width, 5650);
    EXPECT_EQ(rig.state.layout.screenWindow.height, 5500);
    EXPECT_EQ(rig.state.layout.timebasePanel.top, 6520);
    EXPECT_EQ(rig.state.parDefaultsGenerated, 1);

    // The windows, in order: the screen, the measurement window (shown last time, here by
    // default), then the panels; the screen is drawn only once all of them are there.
    EXPECT_EQ(eventsStartingWith(rig.host, "open "),
              (std::vector<std::string>{"open ScreenWindow", "open MeasurementWindow",
                                        "open ChannelPanel", "open TimebasePanel",
                                        "open TriggerPanel", "open IntensityPanel",
                                        "open StoragePanel", "open CursorWindow"}));
    EXPECT_TRUE(rig.host.actionChecked[static_cast<int>(UiAction::AutomeasurementMenuItem)]);
    EXPECT_EQ(rig.host.events.back(), "refresh ScreenWindow");
    EXPECT_EQ(rig.state.screen.screenBusy, 0);
    EXPECT_LT(indexOf(rig.host, "enable SetRead: 0"), rig.host.events.size());
    EXPECT_LT(indexOf(rig.host, "enable Set: 0"), rig.host.events.size());
    EXPECT_EQ(rig.host.countEvents("rm box: 0"), 1);
    EXPECT_EQ(rig.host.countEvents("auto box: 0"), 1);
    // Before any identification: the help of the family without UnitDigimodea, German.
    EXPECT_EQ(rig.state.helpFile, rig.root + "/data/help/DW3306_D.html");
    // No port is opened at start.
    EXPECT_EQ(rig.port.openCount(), 0);
    EXPECT_FALSE(rig.parameterFileExists());

    rig.app.timerTick();
    EXPECT_EQ(rig.host.clockText, "Time: 12:00:00");

    // The screen window reports the placement the layout gave it; the windows not built yet
    // have nothing to report.
    rig.host.openWindows = {ToolWindow::ScreenWindow};
    rig.host.placements[static_cast<int>(ToolWindow::ScreenWindow)] = rig.state.layout.screenWindow;
    EXPECT_EQ(rig.app.closeMainWindow(), CloseOutcome::Closed);
    EXPECT_TRUE(rig.host.quitRequested);
    ASSERT_TRUE(rig.parameterFileExists());
    const std::string bytes = readBytes(rig.parameterFile());
    ASSERT_EQ(bytes.size(), 1089u);
    EXPECT_EQ(bytes.substr(0, 5), "par05");
    EXPECT_EQ(i16At(bytes, kScreenWindowOffset), 10);
    EXPECT_EQ(i16At(bytes, kScreenWindowOffset + 2), 10);
    EXPECT_EQ(i16At(bytes, kScreenWindowOffset + 6), 5650);
    EXPECT_EQ(i16At(bytes, kScreenWindowOffset + 8), 5500);
    EXPECT_EQ(i16At(bytes, kComPortOffset), 2);
    EXPECT_EQ(i32At(bytes, kBaudRateOffset), 19200);
    EXPECT_EQ(i16At(bytes, kAnalysisChartOffset), 100);
    EXPECT_EQ(i16At(bytes, kAnalysisChartOffset + 6), 5160);

    // The next start reads it without a message.
    AppRig next(rig.root);
    next.app.startUp();
    EXPECT_TRUE(next.host.messages.empty());
    EXPECT_EQ(next.state.parDefaultsGenerated, 0);
    EXPECT_EQ(next.state.layout.screenWindow.height, 5500);
    EXPECT_EQ(next.state.link.comPort, 2);
}

TEST(StartUp, OnlyAFirstStartPlacesTheWindowsFromTheirSizes)
{
    const auto sized = [](RecordingHost& host) {
        host.workArea = {1200, 750};  // room for all but the storage panel
        for (PixelRect& frame : host.frames) frame = {0, 0, 300, 300};
    };
    AppRig rig;
    sized(rig.host);
    rig.app.startUp();
    // The screen window and six beside it; the storage panel where it covers the least,
    // kept there for the next start, before it gives way.
    EXPECT_EQ(rig.host.countEvents("place "), 8);
    EXPECT_EQ(eventsStartingWith(rig.host, "close "),
              std::vector<std::string>{"close StoragePanel"});
    rig.app.exitProgram();

    AppRig next(rig.root);  // the layout stored at the end is used as stored
    sized(next.host);
    next.app.startUp();
    EXPECT_EQ(next.host.countEvents("place "), 0);
}

TEST(StartUp, AForeignOrShortParameterFileGivesTheDefaultsAndIsRewrittenAtClose)
{
    for (const std::string& damaged :
         {std::string("par04") + std::string(1084, '\x01'), std::string("par05\x01\x01", 7)}) {
        AppRig rig;
        writeBytes(rig.parameterFile(), damaged);
        rig.app.startUp();
        ASSERT_EQ(rig.host.messages.size(), 1u);
        EXPECT_EQ(rig.host.messages[0].text.rfind("Generate new default settings\n", 0), 0u);
        EXPECT_EQ(rig.state.layout.screenWindow.width, 5650);
        EXPECT_EQ(rig.state.link.comPort, 2);
        EXPECT_EQ(rig.host.countEvents("open MeasurementWindow"), 1);

        rig.app.closeMainWindow();
        const std::string bytes = readBytes(rig.parameterFile());
        ASSERT_EQ(bytes.size(), 1089u);
        EXPECT_EQ(bytes.substr(0, 5), "par05");
        EXPECT_EQ(i16At(bytes, kComPortOffset), 2);
    }
}

TEST(StartUp, ALanguageOutOfRangeBecomesEnglishAndAGoodFileIsNotRewrittenAtClose)
{
    const TempRoot root;
    leaveGoodParameterFile(root, 5);
    AppRig rig(root);
    const std::string before = readBytes(rig.parameterFile());
    ASSERT_EQ(static_cast<int>(before[kLanguageOffset]), 5);

    rig.app.startUp();
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_EQ(rig.state.language, 1);
    EXPECT_EQ(rig.state.helpFile, root.path + "/data/help/DW3306_E.html");

    // Closing (not "Exit") writes only when defaults were generated.
    rig.app.closeMainWindow();
    EXPECT_EQ(readBytes(rig.parameterFile()), before);
}

TEST(StartUp, TheMeasurementWindowStaysClosedWhenItWasClosedLastTime)
{
    const TempRoot root;
    {
        AppRig previous(root);
        previous.app.startUp();
        previous.state.layout.automesVisible = 0;
        previous.app.exitProgram();
    }
    AppRig rig(root);
    rig.app.startUp();
    EXPECT_EQ(rig.host.countEvents("open MeasurementWindow"), 0);
    EXPECT_EQ(rig.host.countEvents("check AutomeasurementMenuItem: 0"), 1);
}

TEST(Shutdown, ClosingReleasesOnlyAHeldInstrumentAndAlwaysClosesThePort)
{
    const TempRoot root;
    leaveGoodParameterFile(root, 0);

    {  // Port open, instrument back in local operation: nothing is sent.
        AppRig rig(root);
        rig.app.startUp();
        rig.connectInstrument();
        rig.link.releaseRemote();
        rig.sim.clearRecording();
        ASSERT_TRUE(rig.port.isOpen());
        EXPECT_EQ(rig.app.closeMainWindow(), CloseOutcome::Closed);
        EXPECT_TRUE(rig.sim.commandTexts().empty());
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_TRUE(rig.host.quitRequested);
    }
    {  // Held: "rm0", and the instrument is back in local operation.
        AppRig rig(root);
        rig.app.startUp();
        rig.connectInstrument();
        ASSERT_TRUE(rig.sim.instrument().remote());
        EXPECT_EQ(rig.app.closeMainWindow(), CloseOutcome::Closed);
        EXPECT_EQ(rig.sim.commandTexts(), (std::vector<std::string>{"rm0"}));
        EXPECT_FALSE(rig.sim.instrument().remote());
        EXPECT_TRUE(rig.sim.protocolNotes().empty());
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_TRUE(rig.host.messages.empty());
    }
    {  // Held, but the instrument does not answer: closed without a message after 8 s.
        AppRig rig(root);
        rig.app.startUp();
        rig.connectInstrument();
        rig.sim.injectFault(*scopesim::Fault::parse("silence@rm0"));
        const auto start = rig.clock.monotonicMs();
        EXPECT_EQ(rig.app.closeMainWindow(), CloseOutcome::Closed);
        EXPECT_GE(rig.clock.monotonicMs() - start, 8000);
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_TRUE(rig.host.messages.empty());
        EXPECT_TRUE(rig.host.quitRequested);
    }
}

TEST(Shutdown, ExitWithASilentHeldInstrumentKeepsRunningAndASecondExitWritesAndQuits)
{
    AppRig rig;
    rig.app.startUp();
    rig.connectInstrument();
    rig.sim.injectFault(*scopesim::Fault::parse("silence@rm0"));
    std::vector<std::int64_t> pumpTimes;
    rig.host.onPumpEvents = [&] { pumpTimes.push_back(rig.clock.monotonicMs()); };

    const auto start = rig.clock.monotonicMs();
    EXPECT_EQ(rig.app.exitProgram(), ExitOutcome::KeptOpen);
    EXPECT_GE(rig.clock.monotonicMs() - start, 8000);
    EXPECT_LT(rig.clock.monotonicMs() - start, 8100);
    EXPECT_EQ(rig.sim.commandTexts(), (std::vector<std::string>{"rm0"}));
    // Events are served only while "rm0" is sent, never during the wait for its answer.
    ASSERT_FALSE(pumpTimes.empty());
    EXPECT_LT(pumpTimes.back() - start, 50);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.state.link.remoteHeld, 0);
    EXPECT_FALSE(rig.host.remoteBox);
    EXPECT_FALSE(rig.host.autoBox);
    EXPECT_FALSE(rig.parameterFileExists());
    EXPECT_FALSE(rig.host.quitRequested);
    EXPECT_FALSE(rig.app.finished());
    EXPECT_TRUE(rig.host.messages.empty());

    EXPECT_EQ(rig.app.exitProgram(), ExitOutcome::Ended);
    EXPECT_TRUE(rig.parameterFileExists());
    EXPECT_TRUE(rig.host.quitRequested);
    EXPECT_EQ(rig.sim.commandTexts().size(), 1u);
    EXPECT_EQ(rig.host.countEvents("quit"), 1);
}

TEST(Shutdown, AHoldTheProgramCouldNotGiveBackGoesBackAtTheNextConnectAndAtExit)
{
    using Commands = std::vector<std::string>;
    const struct {
        const char* name;
        const char* readFault;
        const char* giveBackFault;  // armed once the CH I record has been asked for
    } failures[] = {
        {"the port vanished with the record", "vanish:1@rdwfm1:", nullptr},
        {"the give-back unanswered", "silence@rdwfm1:", "silence@hldwfm="},
    };
    for (const auto& f : failures) {
        for (const bool byExit : {false, true}) {
            SCOPED_TRACE(std::string(f.name) + (byExit ? ", then Exit" : ", then Read"));
            AppRig rig;
            rig.app.startUp();
            rig.host.clear();
            rig.sim.injectFault(*scopesim::Fault::parse(f.readFault));
            rig.host.onPumpEvents = [&] {
                const Commands sent = rig.sim.commandTexts();
                if (f.giveBackFault && !sent.empty() && sent.back() == "rdwfm1:" &&
                    rig.sim.pendingFaults() == 0)
                    rig.sim.injectFault(*scopesim::Fault::parse(f.giveBackFault));
            };
            rig.ops.read();
            rig.host.onPumpEvents = nullptr;
            ASSERT_TRUE(rig.sim.instrument().holdWaveform());
            ASSERT_TRUE(rig.state.link.programHold.outstanding);
            EXPECT_EQ(rig.host.messages.size(), 1u);  // the read's failure alone
            rig.port.reconnect();
            rig.sim.clearRecording();
            rig.host.clear();

            if (byExit) {
                EXPECT_EQ(rig.app.exitProgram(), ExitOutcome::Ended);
                EXPECT_EQ(rig.sim.commandTexts(),
                          (Commands{" ", "id?", "vers?", "hldwfm=", "rm0"}));
            } else {
                rig.ops.read();
                const Commands sent = rig.sim.commandTexts();
                ASSERT_GE(sent.size(), 5u);
                EXPECT_EQ(Commands(sent.begin(), sent.begin() + 5),
                          (Commands{" ", "id?", "vers?", "hldwfm=", "hldwfm?"}));
            }
            EXPECT_FALSE(rig.sim.instrument().holdWaveform());
            EXPECT_FALSE(rig.state.link.programHold.outstanding);
            EXPECT_TRUE(rig.host.messages.empty());
        }
    }
}

// The instrument went silent after the read that left the program's hold outstanding: Exit tries
// the give-back once, within the link's time-outs, ends, and the one box says the hold is left.
TEST(Shutdown, ExitWithAHoldItCannotGiveBackEndsAndSaysTheHoldMayBeOn)
{
    AppRig rig;
    rig.app.startUp();
    rig.sim.injectFault(*scopesim::Fault::parse("vanish:1@rdwfm1:"));
    rig.ops.read();
    ASSERT_TRUE(rig.state.link.programHold.outstanding);
    rig.port.reconnect();
    rig.sim.injectFault(*scopesim::Fault::parse("silence@id?"));
    rig.host.clear();
    const auto start = rig.clock.monotonicMs();
    EXPECT_EQ(rig.app.exitProgram(), ExitOutcome::Ended);
    EXPECT_LT(rig.clock.monotonicMs() - start, 30000);
    EXPECT_TRUE(rig.parameterFileExists());
    EXPECT_TRUE(rig.host.quitRequested);
    EXPECT_TRUE(rig.sim.instrument().holdWaveform());
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_NE(rig.host.messages[0].text.find("id?"), std::string::npos);
    EXPECT_NE(rig.host.messages[0].text.find("Hold"), std::string::npos);
}

TEST(Shutdown, ExitAlwaysWritesTheParameterFileOnceWithTheWindowLayout)
{
    const TempRoot root;
    leaveGoodParameterFile(root, 0);
    AppRig rig(root);
    rig.app.startUp();
    rig.host.openWindows.insert(ToolWindow::ScreenWindow);
    rig.host.placements[static_cast<int>(ToolWindow::ScreenWindow)] =
        WindowPlacement{200, 300, 0, 4000, 3000};
    EXPECT_EQ(rig.app.exitProgram(), ExitOutcome::Ended);
    const std::string bytes = readBytes(rig.parameterFile());
    EXPECT_EQ(i16At(bytes, kScreenWindowOffset), 200);
    EXPECT_EQ(i16At(bytes, kScreenWindowOffset + 2), 300);
    EXPECT_EQ(i16At(bytes, kScreenWindowOffset + 6), 4000);
    EXPECT_TRUE(rig.host.quitRequested);
    // Closing after "Exit" (the window goes away) runs nothing a second time.
    EXPECT_EQ(rig.app.closeMainWindow(), CloseOutcome::Closed);
    EXPECT_EQ(rig.host.countEvents("quit"), 1);
}

TEST(Shutdown, CloseAndExitDuringAReadWaitUntilTheReadHasFinished)
{
    for (bool viaExit : {false, true}) {
        AppRig rig;
        rig.app.startUp();
        rig.connectInstrument();
        bool asked = false;
        rig.host.onPumpEvents = [&] {
            if (asked) return;
            asked = true;
            if (viaExit)
                EXPECT_EQ(rig.app.exitProgram(), ExitOutcome::Deferred);
            else
                EXPECT_EQ(rig.app.closeMainWindow(), CloseOutcome::Deferred);
            // A tick inside the wait leaves the line alone as well.
            rig.app.timerTick();
        };
        EXPECT_TRUE(rig.link.sequences().readAllFromScope());
        ASSERT_TRUE(asked);
        EXPECT_TRUE(rig.host.messages.empty());
        EXPECT_TRUE(rig.sim.protocolNotes().empty());
        const std::vector<std::string> sent = rig.sim.commandTexts();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "rm0"), 0);
        EXPECT_FALSE(rig.host.quitRequested);
        EXPECT_TRUE(viaExit ? rig.app.exitPending() : rig.app.closePending());

        rig.host.onPumpEvents = nullptr;
        rig.app.timerTick();
        EXPECT_TRUE(rig.host.quitRequested);
        EXPECT_EQ(rig.sim.commandTexts().back(), "rm0");
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_TRUE(rig.parameterFileExists());
    }
}

// Clicked as a timed autostore's tick begins (the click still waiting behind the tick): the
// read and store of that tick do not start, and the program ends at the next tick.
TEST(Shutdown, CloseAndExitWaitingAsATimedStoreTickBeginsStartNoRead)
{
    for (bool viaExit : {false, true}) {
        AppRig rig;
        rig.app.startUp();
        rig.connectInstrument();
        AutoStore& a = rig.state.autoStore;
        a.autoStoreActive = a.autoStoreTimed = 1;
        a.autoStoreNextTime = rig.clock.now();
        rig.host.waitingInput = [&] {
            viaExit ? void(rig.app.exitProgram()) : void(rig.app.closeMainWindow());
        };
        rig.app.timerTick();
        const std::vector<std::string> sent = rig.sim.commandTexts();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "rdwfm1:"), 0) << viaExit;
        rig.app.timerTick();
        EXPECT_TRUE(rig.host.quitRequested) << viaExit;
        EXPECT_FALSE(std::filesystem::exists(rig.paths.userFilesDir())) << viaExit;
    }
}

TEST(Shutdown, AnEndAskedForFromOutsideWaitsForTheReadAndIsNotKeptByASilentInstrument)
{
    // Asked during a read: the read finishes, then the next tick releases, writes and ends.
    AppRig reading;
    reading.app.startUp();
    reading.connectInstrument();
    bool asked = false;
    reading.host.onPumpEvents = [&] {
        if (!asked) reading.app.endFromOutside();
        asked = true;
    };
    EXPECT_TRUE(reading.link.sequences().readAllFromScope());
    EXPECT_FALSE(reading.host.quitRequested);
    reading.host.onPumpEvents = nullptr;
    reading.app.timerTick();
    EXPECT_TRUE(reading.host.quitRequested);
    EXPECT_EQ(reading.sim.commandTexts().back(), "rm0");
    EXPECT_TRUE(reading.parameterFileExists());

    // A held instrument that does not answer "rm0" keeps "Exit" open, but not this.
    AppRig silent;
    silent.app.startUp();
    silent.connectInstrument();
    silent.sim.injectFault(*scopesim::Fault::parse("silence@rm0"));
    silent.app.endFromOutside();
    EXPECT_TRUE(silent.host.quitRequested);
    EXPECT_TRUE(silent.app.finished());
    EXPECT_FALSE(silent.port.isOpen());
    EXPECT_TRUE(silent.parameterFileExists());
    EXPECT_EQ(silent.host.countEvents("quit"), 1);
}

TEST(MainTimer, ShowsTheTimeAndServesTheRedrawThePanelsAskedFor)
{
    AppRig rig;
    rig.app.startUp();
    rig.host.clear();
    rig.clock.advance(61'000);
    rig.app.timerTick();
    EXPECT_EQ(rig.host.clockText, "Time: 12:01:01");
    EXPECT_EQ(rig.host.countEvents("refresh"), 0);

    rig.state.screen.screenDirty = 1;
    rig.app.timerTick();
    EXPECT_EQ(rig.host.events, (std::vector<std::string>{"refresh ScreenWindow"}));
    EXPECT_EQ(rig.state.screen.screenDirty, 0);
}

TEST(ConfigButton, OpensThePortSetupUnlessAnOperationOrAnExchangeIsInProgress)
{
    AppRig rig;
    rig.app.startUp();
    rig.host.clear();
    // "Config" and "Config port" have one handler. Opening the window releases a held
    // instrument, so it waits for the end of an operation.
    rig.state.busy.uiBusy = true;
    rig.ops.config();
    EXPECT_EQ(rig.host.countEvents("open PortSetup"), 0);
    rig.state.busy.uiBusy = false;
    rig.ops.config();
    EXPECT_EQ(rig.host.countEvents("open PortSetup"), 1);

    // Opening the window releases the instrument: not while an exchange waits for its reply.
    rig.connectInstrument();
    int opened = 0;
    rig.host.onPumpEvents = [&] {
        rig.ops.config();
        opened = rig.host.countEvents("open PortSetup");
    };
    EXPECT_TRUE(rig.link.sequences().readAllFromScope());
    EXPECT_EQ(opened, 0);
}

TEST(HelpMenu, ChoosesTheDocumentByLanguageAndKeepsTheLanguage)
{
    AppRig rig;
    rig.app.startUp();
    EXPECT_EQ(rig.app.helpDocumentInLanguage(1), rig.root + "/data/help/DW3306_E.html");
    EXPECT_EQ(rig.app.helpDocument(), rig.root + "/data/help/DW3306_E.html");
    EXPECT_EQ(rig.app.helpDocumentInLanguage(0), rig.root + "/data/help/DW3306_D.html");
    EXPECT_EQ(rig.state.language, 0);
    EXPECT_EQ(rig.app.fftManual(false), rig.root + "/data/help/FFT_QZV_E.html");
}
