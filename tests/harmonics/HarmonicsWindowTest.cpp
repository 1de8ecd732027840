// The rules of the harmonics window on a recording host: the boxes and their checks, the
// options that opening and activation choose, the size rule, the headline, the row marker,
// which window events run the analysis, and what closing does to the main window.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "HarmonicsRig.h"
#include "draw/RecordingDevice.h"
#include "harmonics/HarmonicsWindowController.h"
#include "harmonics/HarmonicsWindowLayout.h"
#include "state/RecordingHost.h"
#include "state/Scaling.h"

using namespace ql;
using namespace ql::test;

namespace {

struct WindowRig {
    explicit WindowRig(char decimalSign = '.') : controller(s, host, limits, decimalSign)
    {
        HarmonicsChartView& v = controller.chart();
        v.chart = &chart;
        v.levelStrip = &level;
        v.frequencyStrip = &frequency;
    }
    ProgramState s = harmonicsState();
    RecordingHost host;
    MemoryLimits limits;
    HarmonicsWindowController controller;
    RecordingDevice chart{{1025, 201}}, level{{40, 221}}, frequency{{1025, 20}};
};

}  // namespace

TEST(HarmonicsWindow, BoxesTakeOnlyUsableValues)
{
    enum class Box { VoltsPerAmp, PowerFactor };
    struct Case {
        Box box;
        const char* typed;
        float expected;
        const char* shown;
        char decimalSign = '.';
    };
    // Before each entry: 0.5 V per ampere, power factor 0.8.
    const Case cases[] = {
        {Box::VoltsPerAmp, "0.25", 0.25f, "0.25"},
        {Box::VoltsPerAmp, " 0,25 ", 0.25f, "0,25", ','},
        {Box::VoltsPerAmp, "0", 0.5f, "0.5"},
        {Box::VoltsPerAmp, "-1", 0.5f, "0.5"},
        {Box::VoltsPerAmp, "abc", 0.5f, "0.5"},
        {Box::VoltsPerAmp, "", 0.5f, "0.5"},
        {Box::VoltsPerAmp, "1e50", 0.5f, "0.5"},
        {Box::VoltsPerAmp, "1000000000000000000000000000000000000000000000000000000", 0.5f,
         "0.5"},  // beyond a float
        {Box::PowerFactor, "1.5", 1.0f, "1"},
        {Box::PowerFactor, "-0.2", 1.0f, "1"},
        {Box::PowerFactor, "0", 0.0f, "0"},
        {Box::PowerFactor, "1", 1.0f, "1"},
        {Box::PowerFactor, "0,9", 0.9f, "0,9", ','},
        {Box::PowerFactor, "x", 0.8f, "0.8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        WindowRig rig(c.decimalSign);
        rig.s.harm.harmPowerFactor = 0.8f;
        if (c.box == Box::VoltsPerAmp) {
            rig.controller.voltsPerAmpEntered(c.typed);
            EXPECT_EQ(rig.s.harm.harmVoltsPerAmp, c.expected);
            EXPECT_EQ(rig.controller.view().voltsPerAmpText, c.shown);
        } else {
            rig.controller.powerFactorEntered(c.typed);
            EXPECT_EQ(rig.s.harm.harmPowerFactor, c.expected);
            EXPECT_EQ(rig.controller.view().powerFactorText, c.shown);
        }
    }
}

TEST(HarmonicsWindow, OpeningChoosesTheSpanAndWindowOfTheStoredCodes)
{
    struct Case {
        byte spanCode, windowCode;
        HarmonicsSpan span;
        int lines;
        byte keptSpanCode;
        HarmonicsWindowFunction function;
        byte keptWindowCode;
    };
    using F = HarmonicsWindowFunction;
    const Case cases[] = {
        {1, 1, HarmonicsSpan::Half, 1024, 1, F::Rectangle, 1},
        {2, 2, HarmonicsSpan::Quarter, 512, 2, F::Hanning, 2},
        {3, 2, HarmonicsSpan::Eighth, 256, 3, F::Hanning, 2},
        {4, 2, HarmonicsSpan::Sixteenth, 128, 4, F::Hanning, 2},
        // Codes no option has, as an old settings file may hold them.
        {0, 0, HarmonicsSpan::Quarter, 512, 2, F::Hanning, 2},
        {5, 7, HarmonicsSpan::Quarter, 512, 2, F::Hanning, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.spanCode));
        WindowRig rig;
        rig.s.harm.harmSpanCode = c.spanCode;
        rig.s.harm.harmSpan = 1;
        rig.s.harm.harmWindowCode = c.windowCode;
        rig.controller.opened();
        EXPECT_EQ(rig.s.harm.harmSpan, c.lines);
        EXPECT_EQ(rig.s.harm.harmSpanCode, c.keptSpanCode);
        EXPECT_EQ(rig.s.harm.harmWindowCode, c.keptWindowCode);
        EXPECT_EQ(rig.controller.view().span, c.span);
        EXPECT_EQ(rig.controller.view().windowFunction, c.function);
    }
}

TEST(HarmonicsWindow, OpeningStartsANewTest)
{
    WindowRig rig;
    fillLineCurrent(rig.s, 50.0, {{1, 50.0}});
    rig.controller.run();
    rig.controller.run();
    ASSERT_TRUE(rig.controller.result().judged);
    ASSERT_GT(rig.s.harmTest.harmAvgSpectrum[25], 0.0);
    rig.controller.opened();
    EXPECT_EQ(rig.s.harmTest.harmAverageCount, 1);
    EXPECT_EQ(rig.s.harmTest.harmAvgSpectrum[25], 0.0);
    EXPECT_EQ(rig.s.fftBuf.spectrumCh1[25], 0.0);
    EXPECT_FALSE(rig.controller.result().judged);
    EXPECT_TRUE(rig.controller.result().rows.empty());
    EXPECT_EQ(rig.controller.view().rmsText, "");
}

TEST(HarmonicsWindow, TheChartTakesHalfOfTheExtraHeightAndTheTableTheRest)
{
    // The default placement is smaller than the window may be.
    const HarmonicsWindowLayout first = harmonicsWindowLayout(6000, 5160);
    EXPECT_EQ(first.width, 7800);
    EXPECT_EQ(first.height, 6285);
    EXPECT_EQ(first.tabs, (TwipsRect{60, 60, 7595, 5735}));
    EXPECT_EQ(first.chart, (TwipsRect{690, 840, 6800, 1470}));
    EXPECT_EQ(first.levelStrip, (TwipsRect{60, 840, 645, 1800}));
    EXPECT_EQ(first.frequencyStrip, (TwipsRect{690, 2310, 6800, 330}));
    EXPECT_EQ(first.table, (TwipsRect{60, 2840, 7350, 2845}));
    // Every part stays inside the tab control.
    for (const TwipsRect& r : {first.chart, first.levelStrip, first.frequencyStrip, first.table}) {
        EXPECT_LE(r.left + r.width, first.tabs.width);
        EXPECT_LE(r.bottom(), first.tabs.height);
    }

    const HarmonicsWindowLayout taller = harmonicsWindowLayout(7800, 7285);
    EXPECT_EQ(taller.chart.height, first.chart.height + 500);
    EXPECT_EQ(taller.frequencyStrip.top, first.frequencyStrip.top + 500);
    EXPECT_EQ(taller.table.top, first.table.top + 500);
    EXPECT_EQ(taller.table.height, first.table.height + 500);
    EXPECT_EQ(harmonicsWindowLayout(9000, 6285).chart.width, 8000);
}

TEST(HarmonicsWindow, TheHeadlineFollowsEveryEditUpToFortyFiveCharacters)
{
    WindowRig rig;
    rig.controller.headlineEdited("Motor ");
    rig.controller.headlineEdited("Motor 4");  // the character just typed is kept
    EXPECT_EQ(rig.s.harm.harmPrintHeadline.trimmed(), "Motor 4");
    const std::string long50 = "Überprüfung " + std::string(38, 'x');  // 50 characters
    rig.controller.headlineEdited(long50);
    const std::string kept = rig.s.harm.harmPrintHeadline.trimmed();
    EXPECT_EQ(characterCount(kept), 45u);
    EXPECT_EQ(kept, long50.substr(0, long50.size() - 5));
    EXPECT_EQ(rig.controller.view().headline, kept);
    // A headline of 80 characters from a settings file is shown as the box can hold it.
    rig.s.harm.harmPrintHeadline.assign(std::string(80, 'y'));
    EXPECT_EQ(rig.controller.view().headline, std::string(45, 'y'));
}

TEST(HarmonicsWindow, ResizeAndTheMeasurementTabRunTheAnalysisOthersDoNot)
{
    struct Case {
        const char* what;
        std::function<void(HarmonicsWindowController&)> event;
        bool runs;
    };
    const Case cases[] = {
        {"resize", [](HarmonicsWindowController& c) { c.resized(false); }, true},
        {"resize while minimised", [](HarmonicsWindowController& c) { c.resized(true); }, false},
        {"to Measurement",
         [](HarmonicsWindowController& c) { c.tabChosen(HarmonicsTab::Measurement); }, true},
        {"to Settings", [](HarmonicsWindowController& c) { c.tabChosen(HarmonicsTab::Settings); },
         false},
        {"an option", [](HarmonicsWindowController& c) { c.maxHoldToggled(false); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WindowRig rig;
        c.event(rig.controller);
        EXPECT_EQ(rig.controller.result().judged, c.runs);
        EXPECT_EQ(rig.chart.ops().empty(), !c.runs);
        EXPECT_EQ(rig.s.harmTest.harmAverageCount, c.runs ? 2 : 1);
    }
}

TEST(HarmonicsWindow, TheTableColourShowsTheOverallResult)
{
    struct Case {
        const char* what;
        float limit;
        float lineFrequency;
        Rgb colour;
    };
    const Case cases[] = {
        {"every harmonic passes", 10.0f, 50.0f, Rgb{128, 255, 128}},
        {"a harmonic fails", 0.001f, 50.0f, Rgb{255, 128, 128}},
        {"no result", 10.0f, 0.0f, kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WindowRig rig;
        fillLineCurrent(rig.s, 50.0, {{1, 50.0}, {3, 10.0}});
        rig.limits.definitions["Test"] = {false, 1.0, {{3, c.limit}}};
        rig.s.harm.harmLineFreq = c.lineFrequency;
        rig.controller.run();
        EXPECT_EQ(rig.controller.view().tableColor, c.colour);
        // Without a result the chart says why.
        EXPECT_EQ(rig.chart.texts().size(), c.lineFrequency > 0.0f ? 0u : 1u);
    }
}

TEST(HarmonicsWindow, ADoubleClickOnARowMovesTheMarkerToThePeakNextToItsLine)
{
    struct Case {
        const char* what;
        int row;
        int maxHoldPeakLine;  // -1: an empty max-hold spectrum
        std::int16_t span;
        double marker;
    };
    // At 20 ms per division 10000 samples per second: the 3rd harmonic, 150 Hz, lies on line
    // 30.72, searched on lines 29 to 31.
    const Case cases[] = {
        {"a peak next to the line", 3, 31, 512, 31.0},
        {"the first of equal values", 3, 29, 512, 29.0},
        {"no peak: the computed line", 3, -1, 512, 30.72},
        {"outside the span", 20, 205, 128, 0.0},
        {"the header row", 0, 31, 512, 10.0},
        {"below the table", 200, 31, 512, 10.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WindowRig rig;
        rig.s.ddf.tbAIndex = 17;
        ASSERT_EQ(timebaseATimePerDiv(rig.s), 0.02);
        rig.s.harm.harmSpan = c.span;
        takeInjectedAccumulation(rig.s);
        rig.s.harmTest.harmAvgSpectrum[10] = rig.s.fftBuf.spectrumCh1[10] = 1000.0;
        ASSERT_EQ(rig.controller.run(), HarmonicsRun::Judged);
        ASSERT_EQ(rig.s.fft.fftCursorCh1, 10.0);  // the fundamental's line, 10.24
        if (c.maxHoldPeakLine >= 0) {
            rig.s.fftBuf.spectrumCh1[29] = 100.0;
            rig.s.fftBuf.spectrumCh1[c.maxHoldPeakLine] = 100.0;
            rig.s.fftBuf.spectrumCh1[31] = c.maxHoldPeakLine == 31 ? 200.0 : 100.0;
        }
        rig.chart.forget();
        const bool moved = rig.controller.rowDoubleClicked(c.row);
        EXPECT_EQ(moved,
                  c.row >= 1 && c.row <= static_cast<int>(rig.controller.result().rows.size()));
        EXPECT_DOUBLE_EQ(rig.s.fft.fftCursorCh1, c.marker);
        if (c.maxHoldPeakLine >= 0 && moved && c.marker > 0.0) {
            EXPECT_EQ(rig.s.harmTest.harmPeakBin, c.maxHoldPeakLine);
        }
        // The marker stands on the redrawn chart at its new line, one dotted cyan line.
        if (!moved) {
            EXPECT_TRUE(rig.chart.ops().empty());
            continue;
        }
        ASSERT_EQ(rig.chart.standingMarks().size(), 1u);
        const DrawOp& mark = rig.chart.standingMarks()[0];
        EXPECT_EQ(mark.pen.style, DrawStyle::Dot);
        EXPECT_EQ(mark.points[0].x, std::lround(c.marker * 1024.0 / c.span));
    }
}

TEST(HarmonicsWindow, ClosingEndsTheHarmonicsViewAndKeepsTheNormalPlacement)
{
    struct Case {
        const char* what;
        int windowState;
        bool operationRunning;
        WindowPlacement kept;
    };
    const WindowPlacement before{100, 10, 0, 7800, 6285};
    const Case cases[] = {
        {"normal", 0, false, {300, 200, 0, 8000, 7000}},
        {"minimised keeps the last normal place", 1, false, before},
        {"during a read", 0, true, {300, 200, 0, 8000, 7000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WindowRig rig;
        rig.s.layout.analysisChart = before;
        rig.s.harm.obwActive = 1;
        rig.s.link.autoUpdate = 1;
        rig.s.busy.uiBusy = c.operationRunning;
        rig.host.autoBox = true;
        rig.host.actionChecked[static_cast<int>(UiAction::HarmonicsMenuItem)] = true;
        rig.host.placements[static_cast<int>(ToolWindow::HarmonicsWindow)] = {
            300, 200, static_cast<std::int16_t>(c.windowState), 8000, 7000};
        rig.controller.closed();
        EXPECT_EQ(rig.s.harm.obwActive, 0);
        EXPECT_EQ(rig.s.link.autoUpdate, 0);
        EXPECT_FALSE(rig.host.autoBox);
        EXPECT_FALSE(rig.host.actionChecked[static_cast<int>(UiAction::HarmonicsMenuItem)]);
        EXPECT_EQ(rig.host.actionEnabled[static_cast<int>(UiAction::AutoBox)], !c.operationRunning);
        const WindowPlacement& kept = rig.s.layout.analysisChart;
        EXPECT_EQ(kept.left, c.kept.left);
        EXPECT_EQ(kept.top, c.kept.top);
        EXPECT_EQ(kept.width, c.kept.width);
        EXPECT_EQ(kept.height, c.kept.height);
        EXPECT_EQ(kept.windowState, 0);
    }
}

TEST(HarmonicsWindow, ClearStartsTheAverageAndMaxHoldAgainFromTheRecordInHand)
{
    // A loud sweep, then a quiet one, then Clear: as if only the quiet one had been seen.
    WindowRig rig, fresh;
    rig.controller.opened();
    fillLineCurrent(rig.s, 50.0, {{1, 80.0}, {3, 20.0}});
    rig.controller.run();
    ++rig.s.waves.generation;
    fresh.controller.opened();
    for (ProgramState* s : {&rig.s, &fresh.s}) fillLineCurrent(*s, 50.0, {{1, 40.0}, {3, 4.0}});
    rig.controller.run();
    ASSERT_EQ(rig.controller.clearPressed(), HarmonicsRun::Judged);
    fresh.controller.run();
    ASSERT_EQ(rig.controller.result().rows.size(), fresh.controller.result().rows.size());
    for (std::size_t k = 0; k < fresh.controller.result().rows.size(); ++k)
        EXPECT_EQ(rig.controller.result().rows[k].cells, fresh.controller.result().rows[k].cells);
}
