// The FFT window's rules on recording devices: the tab it opens on, zoom and scroll, the stored
// options it shows, what a click recomputes and what it leaves for later, the preview, the
// titles, the picture buttons, the drag and the placement it keeps.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ChartRig.h"
#include "FftTestState.h"
#include "fft/FftWindowController.h"
#include "fft/WindowPreview.h"
#include "state/RecordingFileDialogs.h"
#include "state/RecordingHost.h"

using namespace ql;
using namespace ql::test;

namespace {

struct WindowRig {
    WindowRig()
    {
        fillSine(s.waves.waveCh1, 127, 50.0, 100);
        fillSine(s.waves.waveCh2, 127, 30.0, 300);
        ch1.attach(window.chart(FftTab::Ch1));
        ch2.attach(window.chart(FftTab::Ch2));
        dual.attach(window.chart(FftTab::Dual));
        window.preview().picture = &preview;
    }
    // Outputs that record what they were asked for.
    void installOutputs()
    {
        const auto record = [this](const char* what) {
            return [this, what](FftTab tab, const std::string& title) {
                outputs.push_back(std::string(what) + " " + std::to_string(static_cast<int>(tab)) +
                                  " " + title +
                                  (s.exportTarget.exportToFile ? " to file" : " to clipboard"));
            };
        };
        window.setOutputs({record("print"), record("render")});
    }
    void forgetDrawing()
    {
        for (RecordingDevice* d : {&ch1.chart, &ch2.chart, &dual.chart, &preview}) d->forget();
    }
    bool nothingDrawn() const
    {
        for (const RecordingDevice* d : {&ch1.chart, &ch2.chart, &dual.chart, &preview})
            if (!d->ops().empty()) return false;
        return true;
    }

    ProgramState s = spectrumState();
    RecordingHost host;
    RecordingFileDialogs dialogs;
    FftWindowController window{s, host, dialogs, '.'};
    TabDevices ch1, ch2, dual;
    RecordingDevice preview{{105, 101}};
    std::vector<std::string> outputs;
};

}  // namespace

TEST(FftWindow, OpensOnTheTabOfTheChannelsThatAreOnWithTheWholeSpectrum)
{
    struct Case {
        int ch1On, ch2On;
        FftTab tab;
    };
    for (const Case c : {Case{1, 1, FftTab::Dual}, Case{1, 0, FftTab::Ch1}, Case{0, 1, FftTab::Ch2},
                         Case{0, 0, FftTab::Ch2}}) {
        WindowRig rig;
        rig.window.zoomChanged(4);
        rig.window.scrollChanged(100);
        rig.window.titleEdited(FftTab::Ch1, "mine");
        rig.s.ddf.ch1On = static_cast<byte>(c.ch1On);
        rig.s.ddf.ch2On = static_cast<byte>(c.ch2On);
        rig.window.loaded();
        const FftWindowView v = rig.window.view();
        EXPECT_EQ(v.tab, c.tab) << c.ch1On << c.ch2On;
        EXPECT_TRUE(v.zoomFactor == 1 && rig.s.fft.fftScrollPos == 0 && rig.s.fft.fftSpan == 1024);
        EXPECT_EQ(v.titles[0], kFftDefaultTitles[0]);
    }
}

TEST(FftWindow, ZoomShowsTheWholePartOf1024ByTheFactorFromTheScrollPosition)
{
    WindowRig rig;
    rig.window.loaded();
    const FftView& f = rig.s.fft;
    rig.window.zoomChanged(3);
    EXPECT_EQ(f.fftSpan - f.fftScrollPos, 341);
    EXPECT_TRUE(rig.window.view().zoom.scrollEnabled);
    EXPECT_EQ(rig.window.view().zoom.scrollMax, 683);
    rig.window.scrollChanged(683);
    EXPECT_TRUE(f.fftScrollPos == 683 && f.fftSpan == 1024);
    // Each change recomputes the chart in view over the new range.
    EXPECT_EQ(rig.window.chart(FftTab::Dual).shown.firstLine, 683);

    // A lower factor lowers the bar's maximum: the position moves onto it.
    rig.window.zoomChanged(2);
    EXPECT_TRUE(f.fftScrollPos == 512 && f.fftSpan == 1024);

    rig.window.zoomChanged(1);
    EXPECT_TRUE(f.fftScrollPos == 0 && f.fftSpan == 1024);
    EXPECT_FALSE(rig.window.view().zoom.scrollEnabled);

    for (const auto& [asked, kept] : {std::pair{0, 1}, std::pair{65, 64}}) {
        rig.window.zoomChanged(asked);
        EXPECT_EQ(rig.window.view().zoomFactor, kept);
    }
}

TEST(FftWindow, ActivationShowsTheStoredOptionsAndStoresThemAsShown)
{
    struct Case {
        byte code, log;
        WindowFunction shown;
        byte storedLog;
    };
    for (const Case c :
         {Case{0, 5, WindowFunction::Hanning, 1}, Case{9, 0, WindowFunction::Hanning, 0},
          Case{4, 1, WindowFunction::Blackman, 1}}) {
        WindowRig rig;
        rig.window.loaded();
        rig.forgetDrawing();
        rig.s.fft.fftWindowCode = c.code;
        rig.s.fft.fftLogFlag = c.log;
        rig.window.activated();
        EXPECT_EQ(rig.window.view().windowFunction, c.shown) << int(c.code);
        EXPECT_EQ(rig.window.view().logLevels, c.storedLog == 1);
        EXPECT_EQ(rig.s.fft.fftWindowCode, static_cast<byte>(c.shown));
        EXPECT_EQ(rig.s.fft.fftLogFlag, c.storedLog);
        EXPECT_TRUE(rig.nothingDrawn());  // neither the preview nor a spectrum
    }
}

TEST(FftWindow, TheLogSwitchChangesNoChartUntilTheNextComputation)
{
    WindowRig rig;
    rig.s.ddf.ch2On = 0;
    rig.window.loaded();
    rig.window.resized();
    rig.forgetDrawing();
    rig.window.logToggled(true);
    EXPECT_EQ(rig.s.fft.fftLogFlag, 1);
    EXPECT_TRUE(rig.nothingDrawn());
    EXPECT_FALSE(rig.window.chart(FftTab::Ch1).shown.logLevels);
    rig.window.redraw();
    EXPECT_TRUE(rig.window.chart(FftTab::Ch1).shown.logLevels);
}

TEST(FftWindow, OnTheSettingsTabAWindowChoiceRedrawsThePreviewAndAScreenRedrawNothing)
{
    WindowRig rig;
    rig.window.loaded();
    rig.window.resized();
    rig.window.tabChosen(FftTab::Settings);
    EXPECT_FALSE(rig.preview.ops().empty());
    rig.forgetDrawing();

    rig.window.windowFunctionChosen(WindowFunction::Blackman);
    EXPECT_EQ(rig.s.fft.fftWindowCode, 4);
    EXPECT_EQ(rig.preview.opsOfKind(DrawOp::Kind::Clear).size(), 1u);
    EXPECT_TRUE(rig.ch1.chart.ops().empty() && rig.dual.chart.ops().empty());

    rig.forgetDrawing();
    const FftChartCells cells = rig.window.chart(FftTab::Dual).cells;
    rig.window.redraw();
    EXPECT_TRUE(rig.nothingDrawn());
    EXPECT_EQ(rig.window.chart(FftTab::Dual).cells, cells);
}

TEST(WindowPreview, WeightsAConstantSignalOn101PointsAndFillsThePicture)
{
    const auto hanning = windowedSignal(WindowFunction::Hanning);
    EXPECT_NEAR(hanning[50], 2.0, 1e-12);
    EXPECT_NEAR(hanning[0], 0.0, 1e-12);
    EXPECT_NEAR(hanning[100], 0.0, 1e-12);
    EXPECT_NEAR(windowedSignal(WindowFunction::Welch)[50], 1.479, 1e-12);
    for (double v : windowedSignal(WindowFunction::Rectangle)) EXPECT_EQ(v, 1.0);

    // The highest point stands 0.1 below the top of the frame, the zero line 0.1 above its
    // bottom: 2.2 units over the 100 pixel rows.
    RecordingDevice picture({105, 101});
    drawWindowedSignal(picture, WindowFunction::Hanning);
    EXPECT_EQ(picture.ops().at(0).pen.color, kPreviewBackground);
    const std::vector<DrawOp> curves = picture.opsOfKind(DrawOp::Kind::Polyline);
    ASSERT_EQ(curves.size(), 1u);
    ASSERT_EQ(curves[0].points.size(), 101u);
    EXPECT_EQ(curves[0].points[50].y, std::lround(0.1 / 2.2 * 100));
    EXPECT_EQ(curves[0].points[0].y, std::lround(2.1 / 2.2 * 100));
    EXPECT_EQ(curves[0].pen.width, 2);
}

TEST(FftWindow, ATitleKeepsItsFirst60Characters)
{
    WindowRig rig;
    const std::string pasted(65, 'x');
    rig.window.titleEdited(FftTab::Ch2, pasted);
    EXPECT_EQ(rig.window.title(FftTab::Ch2), pasted.substr(0, 60));
    std::string accented;
    for (int i = 0; i < 65; ++i) accented += "\xC3\xA9";  // é
    rig.window.titleEdited(FftTab::Dual, accented);
    EXPECT_EQ(rig.window.title(FftTab::Dual), accented.substr(0, 120));
    rig.window.titleEdited(FftTab::Ch1, std::string(59, 'y'));
    EXPECT_EQ(rig.window.title(FftTab::Ch1), std::string(59, 'y'));
}

TEST(FftWindow, PicturesGoToTheClipboardOrToANameEndingInWmf)
{
    struct Case {
        std::optional<std::string> chosen;
        std::vector<std::string> outputs;
        int messages;
    };
    const std::string dual = " 2 " + std::string(kFftDefaultTitles[2]);
    for (const Case& c : {Case{"/tmp/x.Wmf", {"render" + dual + " to file"}, 0},
                          Case{" /tmp/y.WMF ", {"render" + dual + " to file"}, 0},
                          Case{"/tmp/x.emf", {}, 1}, Case{std::nullopt, {}, 0}}) {
        WindowRig rig;
        rig.installOutputs();
        rig.s.exportTarget.exportFileName = "before";
        rig.dialogs.answers.push_back(c.chosen);
        rig.window.saveClicked(FftTab::Dual);
        EXPECT_EQ(rig.outputs, c.outputs) << c.chosen.value_or("cancel");
        ASSERT_EQ(rig.host.messages.size(), static_cast<std::size_t>(c.messages));
        if (c.messages) {
            EXPECT_EQ(rig.host.messages[0].text.rfind("Bad Filename\n", 0), 0u);
            EXPECT_EQ(rig.host.messages[0].title, "Save wmf");
        }
        // The name chosen is kept, a refused one too; a cancel keeps the one before.
        EXPECT_EQ(rig.s.exportTarget.exportFileName, c.chosen.value_or("before"));
    }

    WindowRig rig;
    rig.window.saveClicked(FftTab::Ch1);  // without outputs the buttons do nothing
    EXPECT_TRUE(rig.dialogs.shown.empty());
    rig.installOutputs();
    rig.s.exportTarget.exportToFile = true;
    rig.window.titleEdited(FftTab::Ch1, "Motor");
    rig.window.copyClicked(FftTab::Ch1);
    EXPECT_EQ(rig.outputs, std::vector<std::string>{"render 0 Motor to clipboard"});
}

TEST(FftWindow, ADragMovesTheCursorToTheLineUnderThePointerOnAChartShown)
{
    WindowRig rig;
    rig.s.ddf.ch2On = 0;
    rig.window.loaded();
    rig.window.resized();
    // 400 pixels across lines 0..1024: pixel 200 is line 512, 50 000 Hz at 1 ms/div.
    rig.window.chartMouseMoved(FftTab::Ch1, 1, 200.0, 50.0);
    EXPECT_EQ(rig.s.fft.fftCursorCh1, 512.0);
    EXPECT_EQ(rig.window.chart(FftTab::Ch1).cells.cursorFrequency, "50.00KHz");
    rig.window.chartMouseMoved(FftTab::Ch1, 2, 100.0, 50.0);  // the right button
    EXPECT_EQ(rig.s.fft.fftCursorCh1, 512.0);
    // The CH II chart was never drawn: no scale tells the line under the pointer.
    const double before = rig.s.fft.fftCursorCh2;
    rig.window.chartMouseMoved(FftTab::Ch2, 1, 200.0, 50.0);
    EXPECT_EQ(rig.s.fft.fftCursorCh2, before);
}

TEST(FftWindow, PlacementIsStoredOnDeactivationAndClosingWhichEndsTheFftView)
{
    WindowRig rig;
    rig.s.fft.fftActive = 1;
    rig.host.setActionChecked(UiAction::FftMenuItem, true);
    WindowPlacement& now = rig.host.placements[static_cast<int>(ToolWindow::FftWindow)];
    const WindowPlacement normal{41, 42, 0, 6043, 5144};
    now = normal;
    rig.window.deactivated();
    EXPECT_EQ(rig.s.layout.analysisChart.left, 41);
    EXPECT_EQ(rig.s.layout.analysisChart.height, 5144);
    EXPECT_EQ(rig.s.fft.fftActive, 1);

    now = {500, 500, 1, 1000, 400};  // minimised: the normal placement stays
    rig.window.deactivated();
    EXPECT_EQ(rig.s.layout.analysisChart.top, 42);

    now = {300, 200, 0, 7000, 6000};
    rig.window.unloaded();
    const WindowPlacement& stored = rig.s.layout.analysisChart;
    EXPECT_TRUE(stored.left == 300 && stored.top == 200 && stored.width == 7000 &&
                stored.height == 6000);
    EXPECT_EQ(rig.s.fft.fftActive, 0);
    EXPECT_FALSE(rig.host.actionChecked[static_cast<int>(UiAction::FftMenuItem)]);
}
