// The View and Measurement menus and the about window over a recording host: the windows the
// items open and close with their check marks, what "FFT" and "Harm. current emissions" do to
// automatic update and the harmonics buffers (also in the middle of a read), the measurement
// window at the next start, and the about window's model list.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "AppRig.h"
#include "TempModelTable.h"
#include "app/AboutModel.h"
#include "app/MenuController.h"
#include "display/ScreenDrawing.h"
#include "state/RecordingDesktop.h"

using namespace ql;
using namespace ql::testing;

namespace {

bool checked(const RecordingHost& h, UiAction a)
{
    return h.actionChecked[static_cast<int>(a)];
}
bool enabled(const RecordingHost& h, UiAction a)
{
    return h.actionEnabled[static_cast<int>(a)];
}

std::vector<std::string> windowEvents(const RecordingHost& host)
{
    std::vector<std::string> found;
    for (const auto& e : host.events)
        if (e.rfind("open ", 0) == 0 || e.rfind("close ", 0) == 0) found.push_back(e);
    return found;
}

// What an earlier harmonics test left in the buffers.
void fillHarmonicsBuffers(ProgramState& s)
{
    for (auto* buffer : {&s.fftBuf.spectrumCh1, &s.fftBuf.spectrumCh2, &s.harmTest.harmAvgSpectrum})
        std::fill(buffer->begin(), buffer->end(), 7.0);
    s.harmTest.harmFundamentalLevel = 3.0;
    s.harmTest.harmAverageCount = 5;
}

bool harmonicsBuffersReset(const ProgramState& s)
{
    const auto zero = [](const std::vector<double>& b) {
        return std::all_of(b.begin(), b.end(), [](double v) { return v == 0.0; });
    };
    return zero(s.fftBuf.spectrumCh1) && zero(s.fftBuf.spectrumCh2) &&
           zero(s.harmTest.harmAvgSpectrum) && s.harmTest.harmFundamentalLevel == 0.0 &&
           s.harmTest.harmAverageCount == 1;
}

enum class Analysis { None, Fft, Harmonics };

TEST(MeasurementMenu, FftAndHarmonicsExcludeEachOtherAndHarmonicsStopsAutomaticUpdate)
{
    struct Case {
        Analysis before;
        bool fftItem;  // else "Harm. current emissions"
        Analysis after;
        std::vector<std::string> windows;
    };
    const Case cases[] = {
        {Analysis::None, true, Analysis::Fft, {"open FftWindow"}},
        {Analysis::None, false, Analysis::Harmonics, {"open HarmonicsWindow"}},
        {Analysis::Fft, true, Analysis::None, {"close FftWindow"}},
        {Analysis::Fft, false, Analysis::Harmonics, {"close FftWindow", "open HarmonicsWindow"}},
        {Analysis::Harmonics, true, Analysis::Fft, {"close HarmonicsWindow", "open FftWindow"}},
        {Analysis::Harmonics, false, Analysis::None, {"close HarmonicsWindow"}},
    };
    for (const Case& c : cases) {
        const int n = static_cast<int>(&c - cases);
        ProgramState s;
        RecordingHost host;
        MenuController menus(s, host);
        if (c.before == Analysis::Fft) menus.fftChosen();
        if (c.before == Analysis::Harmonics) menus.harmonicsChosen();
        // Automatic update on, as the harmonics set-up also leaves it.
        s.link.autoUpdate = 1;
        host.autoBox = true;
        if (c.before != Analysis::Harmonics) host.setActionEnabled(UiAction::AutoBox, true);
        fillHarmonicsBuffers(s);
        host.clear();

        c.fftItem ? menus.fftChosen() : menus.harmonicsChosen();

        const bool fft = c.after == Analysis::Fft, harmonics = c.after == Analysis::Harmonics;
        EXPECT_EQ(windowEvents(host), c.windows) << n;
        EXPECT_EQ(s.fft.fftActive, fft ? 1 : 0) << n;
        EXPECT_EQ(s.harm.obwActive, harmonics ? 1 : 0) << n;
        EXPECT_EQ(checked(host, UiAction::FftMenuItem), fft) << n;
        EXPECT_EQ(checked(host, UiAction::HarmonicsMenuItem), harmonics) << n;
        // Leaving the harmonics view, by either item, lets "Auto" be ticked again.
        EXPECT_EQ(enabled(host, UiAction::AutoBox), !harmonics) << n;
        EXPECT_EQ(s.link.autoUpdate, harmonics ? 0 : 1) << n;
        EXPECT_EQ(host.autoBox, !harmonics) << n;
        EXPECT_EQ(harmonicsBuffersReset(s), harmonics) << n;
    }
}

TEST(ViewMenu, ItemsToggleTheirWindowsAndOnlyCursorWaitsForAnOperation)
{
    const std::pair<UiAction, ToolWindow> items[] = {
        {UiAction::ChannelMenuItem, ToolWindow::ChannelPanel},
        {UiAction::TimebaseMenuItem, ToolWindow::TimebasePanel},
        {UiAction::TriggerMenuItem, ToolWindow::TriggerPanel},
        {UiAction::StorageMenuItem, ToolWindow::StoragePanel},
        {UiAction::IntensityMenuItem, ToolWindow::IntensityPanel},
        {UiAction::CursorMenuItem, ToolWindow::CursorWindow},
    };
    for (const bool busy : {false, true}) {
        ProgramState s;
        RecordingHost host;
        s.busy.uiBusy = busy;
        MenuController menus(s, host);
        for (const auto& [item, window] : items) {
            const bool acts = !(busy && item == UiAction::CursorMenuItem);
            for (const bool opens : {true, false}) {
                menus.viewItemChosen(item);
                EXPECT_EQ(host.isWindowOpen(window), acts && opens)
                    << toolWindowName(window) << busy;
                EXPECT_EQ(checked(host, item), acts && opens) << toolWindowName(window) << busy;
            }
        }
    }
}

TEST(ViewMenu, AutomeasurementClosedAtExitStaysClosedAtTheNextStart)
{
    const TempRoot root;
    // Each run chooses "Automeasurement" once and exits: the window closes, then opens again.
    for (const bool openAtStart : {true, false, true}) {
        AppRig run(root);
        run.app.startUp();
        EXPECT_EQ(run.host.countEvents("open MeasurementWindow"), openAtStart ? 1 : 0);
        EXPECT_EQ(checked(run.host, UiAction::AutomeasurementMenuItem), openAtStart);
        MenuController(run.state, run.host).automeasurementChosen();
        EXPECT_EQ(run.host.isWindowOpen(ToolWindow::MeasurementWindow), !openAtStart);
        EXPECT_EQ(run.state.layout.automesVisible, openAtStart ? 0 : 1);
        EXPECT_EQ(checked(run.host, UiAction::AutomeasurementMenuItem), !openAtStart);
        ASSERT_EQ(run.app.exitProgram(), ExitOutcome::Ended);
    }
}

// Chooses "Harm. current emissions" once, in the middle of the first send of `operation`, and
// says whether "Auto" could be ticked right after.
bool harmonicsChosenDuring(AppRig& rig, MenuController& menus, void (InstrumentOperations::*op)())
{
    int pumps = 0;
    bool autoEnabled = false;
    rig.host.onPumpEvents = [&] {
        if (pumps++ > 0) return;
        menus.harmonicsChosen();
        autoEnabled = enabled(rig.host, UiAction::AutoBox);
    };
    (rig.ops.*op)();
    rig.host.onPumpEvents = nullptr;
    EXPECT_GT(pumps, 1);
    return autoEnabled;
}

TEST(MeasurementMenu, HarmonicsChosenDuringAReadAnalysesTheRecordThatReadBrings)
{
    AppRig rig;
    rig.app.startUp();
    rig.connectInstrument();
    MenuController menus(rig.state, rig.host);
    // The screen is redrawn when asked, as the screen window does; the harmonics analysis of
    // each redraw records what it was given.
    DisplayViews views;
    rig.host.onRefreshWindow = [&](ToolWindow w) {
        if (w == ToolWindow::ScreenWindow) drawScreen(rig.state, views);
    };
    std::vector<Waveform> analysed;
    bool analysedFromReset = false;
    views.chain.connect(RedrawLink::Harmonics, [&](ProgramState& s) {
        analysed.push_back(s.waves.waveCh1);
        analysedFromReset = harmonicsBuffersReset(s);
    });
    rig.state.link.autoUpdate = 1;
    rig.host.setAutoBox(true);
    fillHarmonicsBuffers(rig.state);
    const Waveform before = rig.state.waves.waveCh1;

    // The automatic update's read: its redraw analyses the record it brought, from zero.
    EXPECT_FALSE(harmonicsChosenDuring(rig, menus, &InstrumentOperations::timerTick));
    ASSERT_EQ(analysed.size(), 1u);
    EXPECT_EQ(analysed[0], rig.state.waves.waveCh1);
    EXPECT_NE(analysed[0], before);
    EXPECT_TRUE(analysedFromReset);
    // "Auto" stays off and disabled after the operation; the instrument stays held.
    EXPECT_EQ(rig.state.link.autoUpdate, 0);
    EXPECT_FALSE(rig.host.autoBox);
    EXPECT_FALSE(enabled(rig.host, UiAction::AutoBox));
    EXPECT_EQ(rig.state.link.remoteHeld, 1);

    // Switched off during the next read: no analysis, and "Auto" comes back when it has ended.
    EXPECT_FALSE(harmonicsChosenDuring(rig, menus, &InstrumentOperations::read));
    EXPECT_EQ(analysed.size(), 1u);
    EXPECT_TRUE(enabled(rig.host, UiAction::AutoBox));
}

// --- About window ------------------------------------------------------------------------------

struct AboutRig {
    explicit AboutRig(const std::string& tablePath) : table(tablePath) {}
    ModelTable table;
    RecordingHost host;
    RecordingDesktop desktop;
    AboutModel about{table, host, desktop};
};

TEST(AboutWindow, ListsEveryModelIgnoringCaseWithTheChosenModelsNote)
{
    TableRow analog{"ta100"}, digital{"TX220"}, emptyFlag{"TB1"}, noMarkVoltages{"Tc308"};
    analog.analog = true;
    analog.memo = "analog";
    digital.memo = "digital";
    emptyFlag.nullFlag = true;         // identification refuses it
    noMarkVoltages.digimodec = false;  // a digital model without trigger-mark voltages
    const TempModelTable file({digital, analog, emptyFlag, noMarkVoltages, TableRow{"ZZ9"}});
    AboutRig t(file.path());
    t.about.opened();
    std::vector<std::string> names;
    for (const ModelRow& row : t.about.view().models) names.push_back(row.scope);
    EXPECT_EQ(names, (std::vector<std::string>{"ta100", "TB1", "Tc308", "TX220", "ZZ9"}));
    EXPECT_EQ(t.about.view().note, "analog");
    t.about.rowChosen(3);
    t.about.rowChosen(5);  // no such row
    EXPECT_EQ(t.about.view().note, "digital");
    EXPECT_TRUE(t.host.messages.empty());
}

TEST(AboutWindow, AnUnreadableTableGivesOneMessageAndAnEmptyList)
{
    const TempRoot root;
    std::ofstream(root.path + "/scopes.db") << "not a database";
    for (const std::string& path : {root.path + "/missing.db", root.path + "/scopes.db"}) {
        AboutRig t(path);
        t.about.opened();
        ASSERT_EQ(t.host.messages.size(), 1u) << path;
        EXPECT_EQ(t.host.messages[0].title, "Model table");
        EXPECT_TRUE(t.about.view().models.empty());
        EXPECT_EQ(t.about.view().chosen, -1);
    }
}

TEST(AboutWindow, TheHomePageGoesToTheDesktopWholeAndARefusalIsSaid)
{
    AboutRig t(modelTablePath());
    t.about.homePageClicked();
    t.desktop.answer = Status::fail("No web browser", "Open");
    t.about.homePageClicked();
    ASSERT_EQ(t.desktop.requests.size(), 2u);
    EXPECT_TRUE(t.desktop.requests[0].webAddress);
    EXPECT_EQ(t.desktop.requests[0].target, kSupportContact.homePage);
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0].text, "No web browser");
}

}  // namespace
