#include <gtest/gtest.h>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

#include <QMdiArea>
#include <QScrollBar>

#include "ProgramRig.h"
#include "gui/WindowPlacing.h"

using namespace ql;
using namespace ql::gui;

namespace {

WindowPlacement wp(int l, int t, int s, int w = 0, int h = 0)
{
    return WindowPlacement{static_cast<std::int16_t>(l), static_cast<std::int16_t>(t),
                           static_cast<std::int16_t>(s), static_cast<std::int16_t>(w),
                           static_cast<std::int16_t>(h)};
}

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}
double dpiX()
{
    return QGuiApplication::primaryScreen()->logicalDotsPerInchX();
}
double dpiY()
{
    return QGuiApplication::primaryScreen()->logicalDotsPerInchY();
}

// Naive reference: one inch is 1440 twips.
int toTwips(int pixels, double dpi)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}

}  // namespace

TEST(WindowPlacing, GathersPositionSizeAndState)
{
    QWidget window;
    window.move(40, 30);
    window.resize(300, 200);
    window.show();
    QApplication::processEvents();
    const WindowPlacement p = gatherPlacement(window);
    EXPECT_EQ(p.left, toTwips(40, dpiX()));
    EXPECT_EQ(p.top, toTwips(30, dpiY()));
    EXPECT_EQ(p.width, toTwips(300, dpiX()));
    EXPECT_EQ(p.height, toTwips(200, dpiY()));
    EXPECT_EQ(p.windowState, 0);

    window.setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    EXPECT_EQ(gatherPlacement(window).windowState, 2);
    window.setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_EQ(gatherPlacement(window).windowState, 1);
}

TEST(WindowPlacing, RestoresAPlacementThatFitsOnTheScreen)
{
    QWidget window;
    window.show();
    QApplication::processEvents();
    const QRect area = screenArea();
    const int left = area.x() + 20, top = area.y() + 30;
    applyPlacement(window,
                   wp(toTwips(left, dpiX()), toTwips(top, dpiY()), 0, toTwips(250, dpiX()),
                      toTwips(180, dpiY())),
                   true);
    QApplication::processEvents();
    EXPECT_EQ(window.pos(), QPoint(left, top));
    EXPECT_EQ(window.size(), QSize(250, 180));
    EXPECT_FALSE(window.isMaximized());

    // A fixed-size panel keeps its size, whatever the placement says.
    window.resize(222, 133);
    applyPlacement(window, wp(toTwips(left, dpiX()), toTwips(top, dpiY()), 0, 15, 15), false);
    EXPECT_EQ(window.size(), QSize(222, 133));
}

TEST(WindowPlacing, KeepsAWindowOnTheScreenWithAMinimumSize)
{
    QWidget window;
    window.show();
    QApplication::processEvents();
    const QRect area = screenArea();

    // Far off to the right and below, from a monitor that is no longer there.
    applyPlacement(window, wp(32000, 32000, 0, toTwips(200, dpiX()), toTwips(150, dpiY())), true);
    QApplication::processEvents();
    EXPECT_TRUE(area.contains(window.frameGeometry())) << window.frameGeometry().x();
    EXPECT_EQ(window.size(), QSize(200, 150));

    // Off to the left and above, with a size of almost nothing.
    applyPlacement(window, wp(-20000, -20000, 0, 15, 15), true);
    QApplication::processEvents();
    EXPECT_TRUE(area.contains(window.frameGeometry()));
    EXPECT_EQ(window.size(), QSize(kMinimumWindowWidth, kMinimumWindowHeight));

    // Larger than the screen: shrunk to fit.
    applyPlacement(window, wp(0, 0, 0, 32767, 32767), true);
    QApplication::processEvents();
    EXPECT_TRUE(area.contains(window.frameGeometry()));
}

TEST(WindowPlacing, RestoresTheStateAndTreatsAnUnknownStateAsNormal)
{
    QWidget window;
    window.show();
    QApplication::processEvents();
    const WindowPlacement normal =
        wp(toTwips(screenArea().x() + 10, dpiX()), toTwips(screenArea().y() + 10, dpiY()), 0,
           toTwips(240, dpiX()), toTwips(160, dpiY()));
    WindowPlacement maximised = normal;
    maximised.windowState = 2;
    applyPlacement(window, maximised, true);
    QApplication::processEvents();
    EXPECT_TRUE(window.isMaximized());

    WindowPlacement unknown = normal;
    unknown.windowState = 7;
    applyPlacement(window, unknown, true);
    QApplication::processEvents();
    EXPECT_FALSE(window.isMaximized());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_EQ(window.size(), QSize(240, 160));

    WindowPlacement minimised = normal;
    minimised.windowState = 1;
    applyPlacement(window, minimised, true);
    QApplication::processEvents();
    EXPECT_TRUE(window.isMinimized());
}

TEST(WindowPlacing, AChildWindowStaysInsideItsParent)
{
    QWidget parent;
    parent.resize(400, 300);
    QWidget child(&parent);
    parent.show();
    QApplication::processEvents();
    applyPlacement(child,
                   wp(toTwips(1000, dpiX()), toTwips(20, dpiY()), 0, toTwips(200, dpiX()),
                      toTwips(150, dpiY())),
                   true);
    EXPECT_EQ(child.geometry(), QRect(200, 20, 200, 150));
}

TEST(WindowPlacing, AFirstStartPlacesTheWindowsSideBySideInsideTheWorkArea)
{
    ProgramRig rig;  // the main window as large as a 1280 x 800 screen
    ASSERT_EQ(rig.window.size(), QSize(1280, 800));
    rig.startUp();
    QMdiArea& area = rig.window.mdiArea();
    // All shown at start fit at this size: nothing gives way, covers another or lies outside.
    std::vector<QRect> frames;
    for (ToolWindow w :
         {ToolWindow::ScreenWindow, ToolWindow::ChannelPanel, ToolWindow::TimebasePanel,
          ToolWindow::TriggerPanel, ToolWindow::IntensityPanel, ToolWindow::StoragePanel,
          ToolWindow::CursorWindow, ToolWindow::MeasurementWindow}) {
        ASSERT_TRUE(rig.host.isWindowOpen(w)) << toolWindowName(w);
        const QRect frame = rig.window.windows().find(w)->areaFrame()->geometry();
        EXPECT_TRUE(area.viewport()->rect().contains(frame)) << toolWindowName(w);
        for (const QRect& other : frames)
            EXPECT_FALSE(other.intersects(frame)) << toolWindowName(w);
        frames.push_back(frame);
    }
    const auto areaOf = [](const QRect& r) { return r.width() * r.height(); };
    for (const QRect& other : frames) EXPECT_LE(areaOf(other), areaOf(frames.front()));
    EXPECT_FALSE(area.horizontalScrollBar()->isVisible());

    // Made smaller, the main window's area scrolls to the windows that now lie outside it.
    rig.window.resize(900, 600);
    QApplication::processEvents();
    EXPECT_TRUE(area.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(area.verticalScrollBar()->isVisible());
}

// Closed by its View item or its close box, a window comes back where the first layout or the
// user put it; one the first layout closed to make room goes where it covers no other.
TEST(WindowPlacing, AWindowOpenedAgainComesBackWhereItWasAndAWindowThatGaveWayCoversNone)
{
    struct Case {
        ToolWindow window;
        const char* viewItem;  // opens it again (none: the program opens it)
        bool byViewItem;       // closed by its View item, else by its close box
    };
    const Case cases[] = {
        {ToolWindow::ChannelPanel, "channelItem", true},
        {ToolWindow::TimebasePanel, "timebaseItem", false},
        {ToolWindow::TriggerPanel, "triggerItem", true},
        {ToolWindow::StoragePanel, "storageItem", false},
        {ToolWindow::IntensityPanel, "intensityItem", true},
        {ToolWindow::CursorWindow, "cursorItem", false},
        {ToolWindow::MeasurementWindow, "automeasurementItem", true},
        {ToolWindow::PrinterSettings, nullptr, false},
    };
    ProgramRig rig;
    rig.startUp();
    for (int i = 1; const Case& c : cases) {
        SCOPED_TRACE(toolWindowName(c.window).data());
        if (!c.viewItem) rig.host.openWindow(c.window);
        QWidget& frame = *rig.window.windows().find(c.window)->areaFrame();
        // Where the first layout put it, then moved by the user.
        for (const QPoint place : {frame.pos(), QPoint(11 * i, 7 * i)}) {
            frame.move(place);
            c.byViewItem ? named(rig.window, c.viewItem).trigger() : void(frame.close());
            ASSERT_FALSE(rig.host.isWindowOpen(c.window));
            // Kept where the parameter file takes it from, closed as it is.
            const LayoutSlot slot = layoutSlot(c.window);
            EXPECT_EQ((rig.state.layout.*slot.placement).left, toTwips(place.x(), dpiX()));
            c.viewItem ? named(rig.window, c.viewItem).trigger() : rig.host.openWindow(c.window);
            EXPECT_EQ(frame.pos(), place);
        }
        ++i;
    }

    ProgramRig small;  // a smaller screen: windows give way at start
    small.window.resize(1280, 700);
    QApplication::processEvents();
    small.startUp();
    const std::vector<ToolWindow> givenWay = small.state.windowsGivenWay;
    ASSERT_FALSE(givenWay.empty());
    for (const Case& c : cases) {
        if (!std::count(givenWay.begin(), givenWay.end(), c.window)) continue;
        SCOPED_TRACE(toolWindowName(c.window).data());
        named(small.window, c.viewItem).trigger();
        ASSERT_TRUE(small.host.isWindowOpen(c.window));
        const QWidget* frame = small.window.windows().find(c.window)->areaFrame();
        for (const QMdiSubWindow* other : small.window.mdiArea().subWindowList())
            EXPECT_TRUE(!other->isVisible() || other == frame ||
                        !other->geometry().intersects(frame->geometry()))
                << other->objectName().toStdString();
        named(small.window, c.viewItem).trigger();
    }
}
