// The three spectrum charts of a record read from the simulated instrument (CH I a 1 kHz sine,
// CH II a 500 Hz square), drawn by showFft through the Qt paint device, linear and log, and
// saved as PNG files in the build tree (tests/gui/artefacts) for a person to look at.

#include <gtest/gtest.h>

#include <QDir>
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

int pixelsOfColour(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

// Draws a tab with showFft and lays its pictures out as the window does: the level strip at
// the left, the chart right of it (tops aligned), the frequency strip under the chart. The
// picture is saved under `name`.
QImage renderTab(ProgramState& s, FftCharts& charts, FftTab tab, const std::string& name)
{
    QImage chartImage = blankImage(800, 400), levelImage = blankImage(48, 420);
    QImage frequencyImage = blankImage(800, 20);
    {
        QtPaintDevice chart(chartImage), level(levelImage), frequency(frequencyImage);
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
    QImage whole = blankImage(848, 420);
    QPainter p(&whole);
    p.drawImage(0, 0, levelImage);
    p.drawImage(48, 0, chartImage);
    p.drawImage(48, 400, frequencyImage);
    p.end();
    const QString folder = QStringLiteral(QL240_TEST_ARTEFACTS);
    QDir().mkpath(folder);
    EXPECT_TRUE(whole.save(folder + QLatin1Char('/') + QString::fromStdString(name)));
    return whole;
}

TEST(FftPicture, ChartsOfTheSimulatorsRecordRenderLinearAndLog)
{
    ProgramRig rig;
    QTemporaryDir socketDir;
    ASSERT_TRUE(rig.program.start(socketDir.path() + QStringLiteral("/ql240-dde")));
    named(rig.window, "readButton").trigger();
    ProgramState& s = rig.state;
    ASSERT_TRUE(s.ddf.ch1On == 1 && s.ddf.ch2On == 1);
    s.fft.fftScrollPos = 0;
    s.fft.fftSpan = 1024;
    const double timePerDiv = spectrumTimePerDiv(s).value();
    const int sineLine = static_cast<int>(std::lround(1000.0 / lineFrequency(timePerDiv, 1.0)));
    s.fft.fftCursorCh1 = s.fft.fftDualCursorX = sineLine;
    s.fft.fftDualCursorY = 1e9;  // held at the top of the range

    FftCharts charts;
    for (const bool log : {false, true}) {
        s.fft.fftLogFlag = log ? 1 : 0;
        const std::string suffix = log ? "-log.png" : ".png";
        const QImage ch1 = renderTab(s, charts, FftTab::Ch1, "fft-ch1" + suffix);
        const QImage ch2 = renderTab(s, charts, FftTab::Ch2, "fft-ch2" + suffix);
        const QImage dual = renderTab(s, charts, FftTab::Dual, "fft-dual" + suffix);
        // The sine's line is the highest of CH I, and the cursor reads it.
        EXPECT_EQ(charts.ch1.cells.maxFrequency,
                  frequencyText(lineFrequency(timePerDiv, sineLine), KiloStyle::Lower, '.'));
        EXPECT_EQ(charts.ch1.cells.cursorVolts, charts.ch1.cells.maxVolts);
        EXPECT_GT(pixelsOfColour(ch1, qRgb(255, 0, 0)), 400);
        EXPECT_GT(pixelsOfColour(ch2, qRgb(0, 0, 255)), 400);
        EXPECT_GT(pixelsOfColour(dual, qRgb(255, 0, 0)), 200);
        EXPECT_GT(pixelsOfColour(dual, qRgb(0, 0, 255)), 200);
    }
    // The log difference I - II, zoomed 4 times: one curve.
    s.fft.fftSpan = 256;
    charts.dualView = DualView::OneMinusTwo;
    const QImage difference = renderTab(s, charts, FftTab::Dual, "fft-dual-difference-log.png");
    EXPECT_EQ(pixelsOfColour(difference, qRgb(0, 0, 255)), 0);
}

}  // namespace
}  // namespace ql::gui
