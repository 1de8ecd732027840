// The harmonics window in the composed program, offscreen, on the simulated instrument's line
// current at 50 ms/div: opened from the Measurement menu, filled by the redraw of every Read and
// by the set-up's acquisition, a row's double click moving the marker, and closed by its close
// box. The window's chart is saved in the build tree (tests/gui/artefacts) for a person to look
// at.

#include <gtest/gtest.h>

#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "ProgramRig.h"
#include "gui/HarmonicsWindow.h"
#include "scopesim/MainBlock.h"

namespace ql::gui {
namespace {

bool shows(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) return true;
    return false;
}

scopesim::SimulatorConfig lineCurrentAtChannelOne()
{
    scopesim::SimulatorConfig config;
    config.inputs[0] = scopesim::Signal::lineCurrent(50.0, 1.0, {{3, 0.3}, {5, 0.1}});
    return config;
}

struct HarmonicsProgram : ProgramRig {
    HarmonicsProgram() : ProgramRig(lineCurrentAtChannelOne())
    {
        startUp();
        sim.instrument().mainBlock().set(scopesim::MainField::TbAIndex, 18);  // 50 ms/div
    }
    HarmonicsWindow& harmonics() const
    {
        return *window.windows().window<HarmonicsWindow>(ToolWindow::HarmonicsWindow);
    }
    QMdiSubWindow& frame() const
    {
        return *qobject_cast<QMdiSubWindow*>(harmonics().parentWidget());
    }
    void read()
    {
        named(window, "readButton").trigger();
        QApplication::processEvents();
    }
};

TEST(HarmonicsWindowInProgram, ReadsFillTheTableAndTheChartWhileTheMenuItemKeepsAutoOff)
{
    HarmonicsProgram rig;
    QAction& item = named(rig.window, "harmonicsItem");
    ASSERT_TRUE(item.isEnabled());
    item.trigger();
    QApplication::processEvents();
    ASSERT_TRUE(rig.host.isWindowOpen(ToolWindow::HarmonicsWindow));
    EXPECT_TRUE(item.isChecked());
    EXPECT_FALSE(rig.window.controls().autoBox->isEnabled());
    // The default placement grows to the window's minimum size.
    const WindowPlacement placed = rig.host.windowPlacement(ToolWindow::HarmonicsWindow);
    EXPECT_NEAR(placed.width, kHarmonicsWindowMinWidth, 15);
    EXPECT_NEAR(placed.height, kHarmonicsWindowMinHeight, 15);

    // Opened before the first read: nothing to measure yet.
    HarmonicsWindow& w = rig.harmonics();
    QTableWidget& table = *w.table();
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(rig.state.harmTest.harmAverageCount, 1);

    for (int k = 0; k < 3; ++k) rig.read();
    ASSERT_EQ(table.rowCount(), 40);  // harmonics 1 to 40 of 50 Hz
    EXPECT_EQ(table.item(2, 1)->text(), QStringLiteral("150"));
    EXPECT_EQ(table.item(39, 0)->text(), QStringLiteral("40"));
    EXPECT_EQ(rig.state.harmTest.harmAverageCount, 4);  // three sweeps averaged
    const QImage chart = w.chartPicture();
    EXPECT_TRUE(shows(chart, qRgb(255, 0, 0)));  // max-hold
    EXPECT_TRUE(shows(chart, qRgb(0, 0, 255)));  // average
    EXPECT_TRUE(shows(chart, qRgb(0, 255, 0)));  // current sweep
    const QString folder = QStringLiteral(QL240_TEST_ARTEFACTS);
    QDir().mkpath(folder);
    EXPECT_TRUE(chart.save(folder + QStringLiteral("/harmonics-chart.png")));

    // A double click on the 3rd harmonic's row puts the marker on its peak, line 76 or 77.
    ASSERT_EQ(rig.state.fft.fftCursorCh1, 25.0);
    const QRect row3 = table.visualItemRect(table.item(2, 1));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, row3.center());
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, row3.center());
    EXPECT_NEAR(rig.state.fft.fftCursorCh1, 76.8, 1.0);

    // The close box ends the harmonics view.
    rig.frame().close();
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::HarmonicsWindow));
    EXPECT_FALSE(item.isChecked());
    EXPECT_TRUE(rig.window.controls().autoBox->isEnabled());
    EXPECT_EQ(rig.state.harm.obwActive, 0);
    // A read without the window analyses nothing.
    const std::int16_t count = rig.state.harmTest.harmAverageCount;
    rig.read();
    EXPECT_EQ(rig.state.harmTest.harmAverageCount, count);
}

TEST(HarmonicsWindowInProgram, TheWindowKeepsItsPlaceAndOpensThereAgain)
{
    HarmonicsProgram rig;
    named(rig.window, "harmonicsItem").trigger();
    QApplication::processEvents();
    rig.frame().setGeometry(rig.frame().x() + 40, rig.frame().y() + 30, rig.frame().width() + 60,
                            rig.frame().height() + 90);
    const WindowPlacement moved = rig.host.windowPlacement(ToolWindow::HarmonicsWindow);
    named(rig.window, "harmonicsItem").trigger();  // closes it
    ASSERT_FALSE(rig.host.isWindowOpen(ToolWindow::HarmonicsWindow));
    const WindowPlacement& kept = rig.state.layout.analysisChart;
    EXPECT_EQ(kept.left, moved.left);
    EXPECT_EQ(kept.top, moved.top);
    EXPECT_EQ(kept.width, moved.width);
    EXPECT_EQ(kept.height, moved.height);

    // A taller window gives the chart half of the extra height.
    named(rig.window, "harmonicsItem").trigger();
    QApplication::processEvents();
    const int chartHeight = rig.harmonics().chartPicture().height();
    rig.frame().resize(rig.frame().width(), rig.frame().height() + 100);
    QApplication::processEvents();
    EXPECT_NEAR(rig.harmonics().chartPicture().height(), chartHeight + 50, 1);
}

TEST(HarmonicsWindowInProgram, DefaultsettingStartsAcquisitionStopEndsItPrintGivesTheReport)
{
    HarmonicsProgram rig;
    named(rig.window, "harmonicsItem").trigger();
    QApplication::processEvents();
    ASSERT_TRUE(rig.link.connectInstrument());
    const auto click = [&](const char* name) {
        rig.harmonics().findChild<QPushButton*>(QString::fromUtf8(name))->click();
        QApplication::processEvents();
    };
    click("defaultSettingButton");
    EXPECT_TRUE(rig.window.controls().autoBox->isChecked());
    EXPECT_EQ(rig.sim.instrument().mainBlock().get(scopesim::MainField::TbAIndex), 18);
    EXPECT_EQ(rig.harmonics().table()->rowCount(), 40);
    const std::int16_t count = rig.state.harmTest.harmAverageCount;
    rig.program.operations().timerTick();  // acquisition: a tick adds a sweep
    EXPECT_EQ(rig.state.harmTest.harmAverageCount, count + 1);
    click("startButton");
    EXPECT_EQ(rig.state.link.autoUpdate, 0);
    click("printButton");  // without a printer the report becomes a file
    EXPECT_TRUE(std::filesystem::exists(rig.program.printer().documentFile()));
}

// A record read at 1 ms/div has no 50 Hz line and stays out when the set-up moves to 50 ms/div:
// a current failing class A (3rd harmonic 2.52 A at 0.1 V/A against 2.30 A) is judged Fail from
// its first judged sweep on, and identical acquisitions average to their max-hold. After a Start
// whose set-up failed, the passing records judged before it stay out of the next Start's result.
TEST(HarmonicsWindowInProgram, ASetUpFromAFastTimeBaseJudgesOnlyRecordsItCanJudge)
{
    const scopesim::Signal failing = scopesim::Signal::lineCurrent(50.0, 1.0, {{3, 0.35}});
    const struct {
        const char* button;
        const char* failedSetUpFirst;  // a passing acquisition, then a Start failing there
    } cases[] = {
        {"startButton", nullptr},
        {"defaultSettingButton", nullptr},
        {"startButton", "silence@rdwfm1:"},
        {"startButton", "silence@AUTOSET"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.failedSetUpFirst ? c.failedSetUpFirst : ""));
        scopesim::SimulatorConfig config;
        config.inputs[0] = failing;
        ProgramRig rig(config);
        rig.startUp();
        named(rig.window, "readButton").trigger();
        named(rig.window, "harmonicsItem").trigger();
        rig.state.harm.harmVoltsPerAmp = 0.1f;
        rig.state.harm.harmLimitName.assign("Class A");
        ASSERT_TRUE(rig.link.connectInstrument());
        auto* harmonics = rig.window.windows().window<HarmonicsWindow>(ToolWindow::HarmonicsWindow);
        const auto click = [&](const char* name) {
            harmonics->findChild<QPushButton*>(QString::fromUtf8(name))->click();
            QApplication::processEvents();
        };
        if (c.failedSetUpFirst) {
            rig.answerer.texts.clear();
            rig.sim.instrument().setSignal(1, scopesim::Signal::lineCurrent(50.0, 1.0, {{3, 0.1}}));
            click("startButton");
            for (int tick = 0; tick < 3; ++tick) rig.program.operations().timerTick();
            click("startButton");  // Stop
            ASSERT_EQ(rig.state.harmTest.harmOverallResult, OverallResult::Pass);
            rig.sim.instrument().setSignal(1, failing);
            rig.sim.injectFault(*scopesim::Fault::parse(c.failedSetUpFirst));
            click("startButton");
            ASSERT_EQ(rig.state.link.autoUpdate, 0);
            ASSERT_TRUE(rig.answerer.texts.back().startsWith("Transmission Error"));
            QApplication::processEvents();
            ASSERT_TRUE(rig.link.connectInstrument());
        }
        std::vector<OverallResult> shown;  // every result held meanwhile, None left out
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const OverallResult now = rig.state.harmTest.harmOverallResult;
            if (now != OverallResult::None && (shown.empty() || shown.back() != now))
                shown.push_back(now);
        });
        watch.start(0);
        click(c.button);
        for (int tick = 0; tick < 3; ++tick) rig.program.operations().timerTick();
        QApplication::processEvents();
        EXPECT_EQ(shown, std::vector{OverallResult::Fail});
        EXPECT_EQ(rig.state.harmTest.harmAverageCount, 5);  // the set-up's read and three ticks
        ASSERT_EQ(harmonics->table()->rowCount(), 40);
        const ProgramState& s = rig.state;
        for (std::size_t line = 1; line <= 1024; ++line)
            ASSERT_NEAR(s.harmTest.harmAvgSpectrum[line], s.fftBuf.spectrumCh1[line],
                        1e-9 * s.fft.fftMaxLevelCh1)
                << line;
    }
}

}  // namespace
}  // namespace ql::gui
