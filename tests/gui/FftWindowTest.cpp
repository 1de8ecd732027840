// The FFT window as a user meets it, offscreen on the simulated instrument (CH I a 1 kHz
// sine): Measurement > &FFT opens it on the tab of the channels that are on, the CH I tab
// shows the sine's line, a left drag moves the cursor, and closing it ends the FFT view and
// keeps its place for the next opening.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <cmath>

#include "ProgramRig.h"
#include "fft/FftLevels.h"
#include "fft/FftReadout.h"
#include "files/ParameterFile.h"
#include "gui/FftChartTab.h"
#include "gui/FftWindow.h"

namespace ql::gui {
namespace {

int pixelsOfColour(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

// A move over the picture at `x` with the left button held.
void dragTo(QWidget& picture, double x)
{
    const QPointF at(x, picture.height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, picture.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&picture, &move);
}

struct FftRig : ProgramRig {
    FftRig()
    {
        EXPECT_TRUE(program.start(socketDir.path() + QStringLiteral("/ql240-dde")));
        named(window, "readButton").trigger();
        QApplication::processEvents();
    }
    FftWindow& fft() const { return *window.windows().window<FftWindow>(ToolWindow::FftWindow); }
    QMdiSubWindow& frame() const { return *qobject_cast<QMdiSubWindow*>(fft().parentWidget()); }
    QAction& fftItem() const { return named(window, "fftItem"); }
    QTemporaryDir socketDir;
};

TEST(FftWindowGui, TheMenuOpensItOnTheChannelsTabAndTheCh1TabShowsTheSineWithADraggedCursor)
{
    FftRig rig;
    ASSERT_TRUE(rig.state.ddf.ch1On == 1 && rig.state.ddf.ch2On == 1);
    ASSERT_TRUE(rig.fftItem().isEnabled());
    rig.state.fft.fftWindowCode = 0;  // from an old settings file
    rig.fftItem().trigger();
    QApplication::processEvents();
    ASSERT_TRUE(rig.host.isWindowOpen(ToolWindow::FftWindow));
    EXPECT_TRUE(rig.fftItem().isChecked());
    EXPECT_EQ(rig.state.fft.fftActive, 1);
    EXPECT_EQ(rig.fft().tabBar()->currentIndex(), static_cast<int>(FftTab::Dual));
    // Becoming the active window showed the stored window function, an old code 0 as Hanning.
    EXPECT_EQ(rig.state.fft.fftWindowCode, 2);
    EXPECT_TRUE(rig.fft().windowOption(WindowFunction::Hanning)->isChecked());
    // The program's printer and clipboard are connected: the picture buttons are available.
    EXPECT_TRUE(rig.fft().chartTab(FftTab::Dual)->saveButton()->isEnabled());
    EXPECT_TRUE(rig.fft().chartTab(FftTab::Dual)->copyButton()->isEnabled());

    rig.fft().tabBar()->setCurrentIndex(static_cast<int>(FftTab::Ch1));  // as a click does
    FftChartTab& ch1 = *rig.fft().chartTab(FftTab::Ch1);
    ASSERT_TRUE(ch1.isVisible());
    const QImage chart = ch1.chart()->image().image();
    EXPECT_GT(pixelsOfColour(chart, qRgb(255, 0, 0)), 200);
    const double timePerDiv = spectrumTimePerDiv(rig.state).value();
    const double sineLine = std::round(1000.0 / lineFrequency(timePerDiv, 1.0));
    const auto textAt = [&](double line) {
        return QString::fromStdString(
            frequencyText(lineFrequency(timePerDiv, line), KiloStyle::Upper, systemDecimalSign()));
    };
    EXPECT_EQ(ch1.maxFrequencyCell()->text(),
              QString::fromStdString(frequencyText(lineFrequency(timePerDiv, sineLine),
                                                   KiloStyle::Lower, systemDecimalSign())));

    // Drag onto the sine's line: lines 0..1024 run across the chart's pixels, less than a line
    // to a pixel.
    dragTo(*ch1.chart(), sineLine / 1024.0 * (ch1.chart()->width() - 1) + 0.1);
    EXPECT_EQ(rig.state.fft.fftCursorCh1, sineLine);
    EXPECT_EQ(ch1.cursorFrequencyCell()->text(), textAt(sineLine));
    EXPECT_FALSE(ch1.cursorVoltsCell()->text().isEmpty());

    // At the smallest size the window takes, every button of every chart tab is shown whole.
    rig.frame().resize(10, 10);
    for (FftChartTab* tab : {&ch1, rig.fft().chartTab(FftTab::Dual)})
        for (QPushButton* b : tab->findChildren<QPushButton*>())
            EXPECT_TRUE(
                rig.fft().rect().contains(QRect(b->mapTo(&rig.fft(), QPoint()), b->size())) &&
                b->width() > b->fontMetrics().horizontalAdvance(b->text()))
                << b->text().toStdString();

    // CH II switched off: its chart says so at its next computation.
    rig.state.ddf.ch2On = 0;
    rig.fft().tabBar()->setCurrentIndex(static_cast<int>(FftTab::Ch2));
    EXPECT_TRUE(rig.fft().chartTab(FftTab::Ch2)->notActualLabel()->isVisible());
}

TEST(FftWindowGui, ClosingEndsTheFftViewAndTheNextOpeningStandsWhereItWas)
{
    FftRig rig;
    rig.fftItem().trigger();
    QApplication::processEvents();
    ASSERT_TRUE(rig.host.isWindowOpen(ToolWindow::FftWindow));
    rig.frame().setGeometry(60, 40, rig.frame().width() + 90, rig.frame().height() + 60);
    const WindowPlacement moved = rig.host.windowPlacement(ToolWindow::FftWindow);

    rig.frame().close();  // the close box
    QApplication::processEvents();
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::FftWindow));
    EXPECT_EQ(rig.state.fft.fftActive, 0);
    EXPECT_FALSE(rig.fftItem().isChecked());
    const WindowPlacement& stored = rig.state.layout.analysisChart;
    EXPECT_TRUE(stored.left == moved.left && stored.top == moved.top &&
                stored.width == moved.width && stored.height == moved.height);
    // The parameter file keeps it.
    ProgramState read;
    ASSERT_EQ(decodeParameterRecord(encodeParameterRecord(rig.state), read),
              ParameterRecordStatus::Good);
    EXPECT_EQ(read.layout.analysisChart.width, moved.width);

    rig.fftItem().trigger();
    QApplication::processEvents();
    const WindowPlacement reopened = rig.host.windowPlacement(ToolWindow::FftWindow);
    EXPECT_TRUE(reopened.left == moved.left && reopened.top == moved.top &&
                reopened.width == moved.width && reopened.height == moved.height);
    rig.fftItem().trigger();
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::FftWindow));
}

}  // namespace
}  // namespace ql::gui
