// The three spectrum charts of a record read from the simulated instrument (CH I a 1 kHz sine,
// CH II a 500 Hz square), rendered offscreen through the Qt paint device, linear and log, and
// saved as PNG files in the build tree (tests/gui/artefacts) for a person to look at; the test
// checks what must show.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <string>

#include "ProgramRig.h"
#include "fft/FftCharts.h"
#include "fft/FftLevels.h"
#include "fft/FftReadout.h"
#include "gui/QtPaintDevice.h"

namespace ql::gui {
namespace {

QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

QString artefactPath(const std::string& name)
{
    const QString folder = QStringLiteral(QL240_TEST_ARTEFACTS);
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + QString::fromStdString(name);
}

int pixelsOfColour(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) ++count;
    return count;
}

// The pictures of one tab laid out as the window lays them out: the level strip at the left,
// as high as the chart and the frequency strip together, the chart right of it with its top
// on the strip's top, the frequency strip under the chart.
struct TabPictures {
    static constexpr int kChartWidth = 800, kChartHeight = 400, kStripWidth = 48;
    static constexpr int kFrequencyHeight = 20;
    QImage chart = blankImage(kChartWidth, kChartHeight);
    QImage level = blankImage(kStripWidth, kChartHeight + kFrequencyHeight);
    QImage frequency = blankImage(kChartWidth, kFrequencyHeight);

    QImage tab() const
    {
        QImage whole = blankImage(kStripWidth + kChartWidth, kChartHeight + kFrequencyHeight);
        QPainter p(&whole);
        p.drawImage(0, 0, level);
        p.drawImage(kStripWidth, 0, chart);
        p.drawImage(kStripWidth, kChartHeight, frequency);
        return whole;
    }
};

// Draws the tab with showFft and returns the laid-out picture.
QImage renderTab(ProgramState& s, FftCharts& charts, FftTab tab)
{
    TabPictures pictures;
    {
        QtPaintDevice chart(pictures.chart), level(pictures.level), frequency(pictures.frequency);
        FftChartView& view = tab == FftTab::Ch1   ? charts.ch1
                             : tab == FftTab::Ch2 ? charts.ch2
                                                  : charts.dual;
        view.chart = &chart;
        view.levelStrip = &level;
        view.frequencyStrip = &frequency;
        view.stripBackground = Rgb{240, 240, 240};
        charts.selectedTab = tab;
        showFft(s, charts, '.');
        EXPECT_TRUE(chart.finish() && level.finish() && frequency.finish());
        view.chart = view.levelStrip = view.frequencyStrip = nullptr;
    }
    return pictures.tab();
}

struct ReadProgram : ProgramRig {
    ReadProgram()
    {
        EXPECT_TRUE(program.start(socketDir.path() + QStringLiteral("/ql240-dde")));
        QApplication::processEvents();
        window.controls().readButton->trigger();
    }
    QTemporaryDir socketDir;
};

TEST(FftPicture, ChartsOfTheSimulatorsRecordRenderLinearAndLog)
{
    ReadProgram rig;
    ProgramState& s = rig.state;
    ASSERT_EQ(s.ddf.ch1On, 1);
    ASSERT_EQ(s.ddf.ch2On, 1);
    s.fft.fftScrollPos = 0;
    s.fft.fftSpan = 1024;
    s.fft.fftWindowCode = 2;  // Hanning
    const double timePerDiv = spectrumTimePerDiv(s).value();
    // The sine's line: the one nearest to 1 kHz.
    const int sineLine = static_cast<int>(std::lround(1000.0 / lineFrequency(timePerDiv, 1.0)));
    s.fft.fftCursorCh1 = sineLine;
    s.fft.fftDualCursorX = sineLine;
    s.fft.fftDualCursorY = 1e9;  // held at the top of the range

    FftCharts charts;
    for (const bool log : {false, true}) {
        s.fft.fftLogFlag = log ? 1 : 0;
        const std::string suffix = log ? "-log.png" : ".png";
        const QImage ch1 = renderTab(s, charts, FftTab::Ch1);
        const QImage ch2 = renderTab(s, charts, FftTab::Ch2);
        const QImage dual = renderTab(s, charts, FftTab::Dual);
        ASSERT_TRUE(ch1.save(artefactPath("fft-ch1" + suffix)));
        ASSERT_TRUE(ch2.save(artefactPath("fft-ch2" + suffix)));
        ASSERT_TRUE(dual.save(artefactPath("fft-dual" + suffix)));

        // The sine's line is the highest of CH I, the cursor stands on it.
        EXPECT_EQ(charts.ch1.cells.maxFrequency,
                  frequencyText(lineFrequency(timePerDiv, sineLine), KiloStyle::Lower, '.'));
        EXPECT_EQ(charts.ch1.cells.cursorFrequency, charts.ch1.cells.maxFrequency);
        EXPECT_EQ(charts.ch1.cells.cursorVolts, charts.ch1.cells.maxVolts);
        EXPECT_TRUE(charts.ch1.printEnabled && charts.ch2.printEnabled && charts.dual.printEnabled);
        EXPECT_GT(pixelsOfColour(ch1, qRgb(255, 0, 0)), 400) << "CH I curve";
        EXPECT_GT(pixelsOfColour(ch2, qRgb(0, 0, 255)), 400) << "CH II curve";
        EXPECT_GT(pixelsOfColour(dual, qRgb(255, 0, 0)), 200) << "dual curve 1";
        EXPECT_GT(pixelsOfColour(dual, qRgb(0, 0, 255)), 200) << "dual curve 2";
        for (const QImage* tab : {&ch1, &ch2, &dual})
            EXPECT_GT(pixelsOfColour(*tab, qRgb(128, 128, 128)), 3000) << "grid";
    }

    // The difference view I - II in log, zoomed 4 times from line 0.
    s.fft.fftSpan = 256;
    charts.dualView = DualView::OneMinusTwo;
    const QImage difference = renderTab(s, charts, FftTab::Dual);
    ASSERT_TRUE(difference.save(artefactPath("fft-dual-difference-log-zoom4.png")));
    EXPECT_GT(pixelsOfColour(difference, qRgb(255, 0, 0)), 200);
    EXPECT_EQ(pixelsOfColour(difference, qRgb(0, 0, 255)), 0);  // one curve only
}

}  // namespace
}  // namespace ql::gui
