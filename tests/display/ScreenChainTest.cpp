// What follows the screen picture: the chain of open windows, its order and guards, and the
// window states of the screen window.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ScreenTestRig.h"
#include "display/ScreenDrawing.h"

using namespace ql;
using namespace ql::test;

namespace {

// Every window of the chain open, with a member that logs its name and whether the screen
// was busy when it ran.
struct ChainRig : ScreenRig {
    std::vector<std::string> log;

    explicit ChainRig(ProgramState& s)
    {
        s.cursor.cursorsOn = 1;
        s.layout.automesVisible = 1;
        s.fft.fftActive = 1;
        s.harm.obwActive = 1;
        s.print.printPreviewOpen = 1;
        s.zoom.zoomOpen = 1;
        s.zoom.zoomX1 = 900;
        s.zoom.zoomX2 = 1100;
        s.zoom.zoomY1 = 100;
        s.zoom.zoomY2 = 156;
        const std::pair<RedrawLink, const char*> links[] = {
            {RedrawLink::CursorReadout, "cursor"},
            {RedrawLink::AutoMeasure, "automes"},
            {RedrawLink::Fft, "fft"},
            {RedrawLink::Harmonics, "harmonics"},
            {RedrawLink::PrintPreview, "preview"},
        };
        for (const auto& [link, name] : links)
            views.chain.connect(link, [this, name = std::string(name)](ProgramState& st) {
                log.push_back(name + busyText(st));
            });
        views.zoom.updated = [this, &s] {
            log.push_back((s.zoom.zoomDrawing == 1 ? "zoom" : "zoom marks") + busyText(s));
        };
        views.xy.updated = [this, &s] { log.push_back("xy" + busyText(s)); };
    }

    static std::string busyText(const ProgramState& st)
    {
        return st.screen.screenBusy == 1 ? " busy" : " free";
    }
};

int clearsOf(const RecordingDevice& d)
{
    return static_cast<int>(d.opsOfKind(DrawOp::Kind::Clear).size());
}

}  // namespace

TEST(ScreenChain, OpenWindowsFollowTheScreenInTheirOrder)
{
    ProgramState s = screenState();
    s.ddf.xyMode = 1;
    ChainRig rig(s);
    rig.views.screen.updated = [&] { rig.log.push_back("screen" + ChainRig::busyText(s)); };
    drawScreen(s, rig);

    const std::vector<std::string> expected{
        "cursor busy", "screen busy",    "zoom marks busy", "xy busy",   "automes busy",
        "fft busy",    "harmonics busy", "preview busy",    "zoom free",
    };
    EXPECT_EQ(rig.log, expected);
    EXPECT_EQ(s.screen.screenBusy, 0);
    EXPECT_FALSE(rig.views.redrawing);
}

TEST(ScreenChain, ClosedWindowsAndUnconnectedLinksAreSkipped)
{
    ProgramState s = screenState();
    ChainRig rig(s);
    s.cursor.cursorsOn = 0;
    s.fft.fftActive = 0;
    s.print.printPreviewOpen = 0;
    s.zoom.zoomOpen = 0;
    rig.views.chain.disconnect(RedrawLink::Harmonics);
    EXPECT_FALSE(rig.views.chain.connected(RedrawLink::Harmonics));
    EXPECT_TRUE(rig.views.chain.connected(RedrawLink::Fft));
    drawScreen(s, rig);
    EXPECT_EQ(rig.log, std::vector<std::string>{"automes busy"});
    EXPECT_TRUE(rig.zoom.ops().empty());
    EXPECT_TRUE(rig.xy.ops().empty());  // XY display off
}

TEST(ScreenChain, NothingHappensWhileTheScreenIsBusy)
{
    ProgramState s = screenState();
    ChainRig rig(s);
    s.screen.screenBusy = 1;
    s.measure.ch1Max = 77;
    s.ddf.horPosition = 600;  // the scroll bar says 524
    drawScreen(s, rig);
    EXPECT_TRUE(rig.log.empty());
    for (const RecordingDevice* d : {&rig.picture, &rig.strip, &rig.status, &rig.zoom})
        EXPECT_TRUE(d->ops().empty());
    EXPECT_EQ(s.measure.ch1Max, 77);
    EXPECT_EQ(s.ddf.horPosition, 600);
    EXPECT_EQ(s.screen.screenBusy, 1);
}

TEST(ScreenChain, NoMemberOfTheChainCanStartAnotherRedraw)
{
    ProgramState s = screenState();
    ChainRig rig(s);
    int calls = 0;
    auto redrawAgain = [&](ProgramState& st) {
        ++calls;
        drawScreen(st, rig);
        redrawForWindowEvent(st, rig);
    };
    rig.views.chain.connect(RedrawLink::Fft, redrawAgain);  // ScreenBusy is 1 here
    rig.views.chain.connect(RedrawLink::CursorReadout, redrawAgain);
    rig.views.zoom.updated = [&] { redrawAgain(s); };  // ScreenBusy is already 0 here
    drawScreen(s, rig);

    EXPECT_EQ(clearsOf(rig.picture), 1);
    EXPECT_EQ(clearsOf(rig.zoom), 1);
    // The cursor readout, the zoom's marks beside the screen's, the FFT and the zoom picture.
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(s.screen.screenBusy, 0);

    // Afterwards redraws run again.
    rig.views.chain = RedrawChain{};
    rig.views.zoom.updated = nullptr;
    drawScreen(s, rig);
    EXPECT_EQ(clearsOf(rig.picture), 2);
}

TEST(ScreenChain, AFailingMemberLeavesTheScreenFree)
{
    ProgramState s = screenState();
    ChainRig rig(s);
    rig.views.chain.connect(RedrawLink::Harmonics,
                            [](ProgramState&) { throw std::runtime_error("analysis failed"); });
    EXPECT_THROW(drawScreen(s, rig), std::runtime_error);
    EXPECT_EQ(s.screen.screenBusy, 0);
    EXPECT_FALSE(rig.views.redrawing);
    rig.views.chain.disconnect(RedrawLink::Harmonics);
    drawScreen(s, rig);
    EXPECT_EQ(clearsOf(rig.picture), 2);
}

TEST(ScreenChain, MinimisedScreenKeepsItsPictureButTheChainRuns)
{
    ProgramState s = screenState();
    s.ddf.xyMode = 1;
    s.ddf.ch1On = 1;
    fillWave(s.waves.waveCh1, [](int i) { return 50 + i % 100; });
    ChainRig rig(s);
    rig.views.screen.state = WindowState::Minimised;
    s.measure.ch1Max = 77;
    s.screen.scrollResyncPending = 1;
    drawScreen(s, rig);

    for (const RecordingDevice* d : {&rig.picture, &rig.strip, &rig.status})
        EXPECT_TRUE(d->ops().empty());
    EXPECT_EQ(s.measure.ch1Max, 77);
    EXPECT_EQ(s.screen.scrollResyncPending, 1);
    const std::vector<std::string> expected{"xy free",        "automes free", "fft free",
                                            "harmonics free", "preview free", "zoom free"};
    EXPECT_EQ(rig.log, expected);
    EXPECT_FALSE(rig.xy.ops().empty());

    // Paint and resize of a minimised screen window start no redraw.
    rig.log.clear();
    redrawForWindowEvent(s, rig);
    EXPECT_TRUE(rig.log.empty());
}

TEST(ScreenChain, MaximisedScreenIsDrawnLikeANormalOne)
{
    ProgramState s = screenState();
    s.ddf.ch1On = 1;
    fillWave(s.waves.waveCh1, [](int i) { return 50 + i % 100; });
    ScreenRig normal, maximised;
    maximised.views.screen.state = WindowState::Maximised;
    ProgramState t = s;
    drawScreen(s, normal);
    drawScreen(t, maximised);
    EXPECT_EQ(maximised.picture.ops(), normal.picture.ops());
    EXPECT_EQ(t.measure.ch1Max, 149);
    EXPECT_EQ(t.measure.ch1Max, s.measure.ch1Max);

    t.measure.ch1Max = 0;
    maximised.forgetAll();
    redrawForWindowEvent(t, maximised);
    EXPECT_FALSE(maximised.picture.ops().empty());
    EXPECT_EQ(t.measure.ch1Max, 149);
}
