// The cursor, measurement, XY and zoom windows in the composed program, driven as a user
// drives them: the mouse on the screen picture, the windows' own controls, and the window
// layout kept through the parameter file. Offscreen, against the simulated instrument.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>

#include "ProgramRig.h"
#include "display/CursorReadout.h"
#include "display/ScreenDrawing.h"
#include "display/ScreenMouse.h"
#include "files/ParameterFile.h"
#include "gui/CursorWindow.h"
#include "gui/MeasurementWindow.h"
#include "gui/XyWindow.h"
#include "gui/ZoomWindow.h"

namespace ql::gui {
namespace {

int pixelsOf(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

// Started and read once: the screen shows the simulator's traces, the cursor and measurement
// windows are open.
struct ReadProgram : ProgramRig {
    ReadProgram()
    {
        startUp();
        named(window, "readButton").trigger();
        QApplication::processEvents();
    }

    template <class W>
    W& windowOf(ToolWindow id)
    {
        return *window.windows().window<W>(id);
    }
    QMdiSubWindow& frameOf(ToolWindow id)
    {
        return *qobject_cast<QMdiSubWindow*>(window.windows().find(id)->widget().parentWidget());
    }
    // The pixel of the screen window over screen coordinates (x steps, y code).
    QPoint pixelAt(double x, double y)
    {
        const Surface picture = screenPictureSurface(views.screen);
        const QPoint inPicture(static_cast<int>(std::lround(picture.deviceX(x))),
                               static_cast<int>(std::lround(picture.deviceY(y))));
        return screenWindow().picturePlace().topLeft() + inPicture;
    }
    int cursorX(int position) { return traceOriginX(state.ddf.horPosition) + position; }
};

TEST(DisplayWindows, ALeftDragMovesCursorOneAndTheCursorWindowFollows)
{
    ReadProgram rig;
    auto& cursors = rig.windowOf<CursorWindow>(ToolWindow::CursorWindow);
    ASSERT_TRUE(rig.host.isWindowOpen(ToolWindow::CursorWindow));
    ASSERT_EQ(rig.state.cursor.cursor1Pos, 500);
    const QString before = cursors.valueCell(0, 0)->text();

    ScreenWindow& screen = rig.screenWindow();
    const QPoint grab = rig.pixelAt(rig.cursorX(500), 128);
    QTest::mouseMove(&screen, grab);
    EXPECT_EQ(screen.cursor().shape(), Qt::SizeHorCursor);
    QTest::mousePress(&screen, Qt::LeftButton, Qt::NoModifier, grab);
    const QPoint drop = rig.pixelAt(rig.cursorX(900), 128);
    QTest::mouseMove(&screen, drop);
    QTest::mouseRelease(&screen, Qt::LeftButton, Qt::NoModifier, drop);

    // Within a pixel's worth of steps of where it was dropped.
    const double stepsPerPixel = 2000.0 / (screen.picturePlace().width() - 1);
    EXPECT_NEAR(rig.state.cursor.cursor1Pos, 900, stepsPerPixel + 1);
    EXPECT_EQ(rig.state.cursor.cursorGrabbed, 0);
    EXPECT_EQ(cursors.cursor1Bar()->value(), rig.state.cursor.cursor1Pos);
    const CursorReadout now = cursorReadout(rig.state);
    EXPECT_EQ(cursors.valueCell(0, 0)->text().toStdString(), now.trace1.atCursor1Text);
    EXPECT_EQ(cursors.timeCell()->text().toStdString(), now.dtText);
    EXPECT_NE(cursors.valueCell(0, 0)->text(), before);

    // The bar moves it back, the marks follow.
    cursors.cursor1Bar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(rig.state.screenMarks.screenOldCursor1, cursors.cursor1Bar()->value());
}

TEST(DisplayWindows, ARedrawDuringARightDragLeavesNoOutlineInThePicture)
{
    ReadProgram rig;
    ScreenWindow& screen = rig.screenWindow();
    const QPoint from = rig.pixelAt(700, 190), to = rig.pixelAt(1300, 70);
    QTest::mousePress(&screen, Qt::RightButton, Qt::NoModifier, from);
    QTest::mouseMove(&screen, to);
    ASSERT_EQ(rig.state.zoom.zoomDragging, 1);
    // The outline shows over the picture...
    const QImage shown = screen.grab(screen.picturePlace()).toImage();
    EXPECT_NE(shown.convertToFormat(QImage::Format_RGB32),
              screen.picture().convertToFormat(QImage::Format_RGB32));

    // ... and a redraw by the timer meanwhile draws a picture like any other redraw.
    rig.state.screen.screenDirty = 1;
    rig.app.timerTick();
    const QImage duringDrag = screen.picture();
    rig.host.refreshWindow(ToolWindow::ScreenWindow);
    EXPECT_EQ(duringDrag, screen.picture());

    // The release opens the zoom window with the box.
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::ZoomWindow));
    QTest::mouseRelease(&screen, Qt::RightButton, Qt::NoModifier, to);
    EXPECT_EQ(rig.state.zoom.zoomDragging, 0);
    EXPECT_EQ(screen.cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(screen.grab(screen.picturePlace()).toImage().convertToFormat(QImage::Format_RGB32),
              screen.picture().convertToFormat(QImage::Format_RGB32));  // the outline is gone
    ASSERT_TRUE(rig.host.isWindowOpen(ToolWindow::ZoomWindow));
    EXPECT_NEAR(rig.state.zoom.zoomX1, 700, 10);
    EXPECT_NEAR(rig.state.zoom.zoomX2, 1300, 10);
    EXPECT_GT(pixelsOf(rig.windowOf<ZoomWindow>(ToolWindow::ZoomWindow).picture(), qRgb(255, 0, 0)),
              100);  // CH I, enlarged

    // Closing it stops the redraws.
    rig.host.closeWindow(ToolWindow::ZoomWindow);
    EXPECT_EQ(rig.state.zoom.zoomOpen, 0);
}

TEST(DisplayWindows, XyOpensWithTheFirstRedrawAndClosingItSwitchesXyOff)
{
    ReadProgram rig;
    ProgramState& s = rig.state;
    s.ddf.savedCh1On = 1;
    s.ddf.savedCh2On = 0;
    s.ddf.xyMode = 1;
    rig.host.refreshWindow(ToolWindow::ScreenWindow);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.host.isWindowOpen(ToolWindow::XyView); }));
    auto& xy = rig.windowOf<XyWindow>(ToolWindow::XyView);
    QApplication::processEvents();
    EXPECT_FALSE(xy.label()->text().isEmpty());
    EXPECT_GT(pixelsOf(xy.picture(), qRgb(0, 128, 0)), 100);  // the figure

    QTest::mouseDClick(&xy, Qt::LeftButton, Qt::NoModifier, xy.picturePlace().center());
    EXPECT_EQ(s.screen.xyVectors, 1);

    rig.frameOf(ToolWindow::XyView).close();
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::XyView));
    EXPECT_EQ(s.ddf.xyMode, 0);
    EXPECT_EQ(s.ddf.ch1On, 1);
    EXPECT_EQ(s.ddf.ch2On, 0);
}

TEST(DisplayWindows, PlacementsSurviveAParameterFileRoundTrip)
{
    ReadProgram rig;
    ProgramState& s = rig.state;
    s.ddf.xyMode = 1;
    rig.host.refreshWindow(ToolWindow::ScreenWindow);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.host.isWindowOpen(ToolWindow::XyView); }));
    s.zoom.zoomX1 = 800;
    s.zoom.zoomX2 = 1200;
    s.zoom.zoomY1 = 60;
    s.zoom.zoomY2 = 200;
    rig.host.openWindow(ToolWindow::ZoomWindow);

    const ToolWindow windows[] = {ToolWindow::CursorWindow, ToolWindow::MeasurementWindow,
                                  ToolWindow::XyView, ToolWindow::ZoomWindow};
    QRect placed[4];
    for (int i = 0; i < 4; ++i) {
        QMdiSubWindow& frame = rig.frameOf(windows[i]);
        frame.move(20 + 90 * i, 30 + 60 * i);
        if (windows[i] == ToolWindow::XyView || windows[i] == ToolWindow::ZoomWindow)
            frame.resize(300 + 20 * i, 240 + 10 * i);
        placed[i] = frame.geometry();
    }
    ASSERT_TRUE(saveParameters(s, rig.host, rig.paths));

    for (const ToolWindow w : windows) {
        rig.frameOf(w).move(0, 0);
        rig.frameOf(w).resize(200, 150);
        rig.host.closeWindow(w);
    }
    s.layout = WindowLayout{};
    readParameterFile(s, rig.host, rig.paths);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(toolWindowName(windows[i]).data());
        rig.host.openWindow(windows[i]);
        const QRect now = rig.frameOf(windows[i]).geometry();
        EXPECT_LE((now.topLeft() - placed[i].topLeft()).manhattanLength(), 2);
        if (windows[i] == ToolWindow::XyView || windows[i] == ToolWindow::ZoomWindow) {
            EXPECT_LE(std::abs(now.width() - placed[i].width()), 2);
            EXPECT_LE(std::abs(now.height() - placed[i].height()), 2);
        }
    }
}

}  // namespace
}  // namespace ql::gui
