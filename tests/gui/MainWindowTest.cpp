// The program's main window as a user meets it: start-up with its message, the toolbar and
// menus with their captions, the screen window with its picture before and after a read of the
// simulated instrument, and closing. Offscreen, on the fake clock.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QWidgetAction>
#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "ProgramRig.h"

namespace ql::gui {
namespace {

QStringList captionsOf(const QList<QAction*>& actions)
{
    QStringList captions;
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            captions << QStringLiteral("-");
        } else if (auto* widgetAction = qobject_cast<QWidgetAction*>(a)) {
            QWidget* w = widgetAction->defaultWidget();
            if (auto* box = qobject_cast<QCheckBox*>(w)) captions << box->text();
            if (auto* label = qobject_cast<QLabel*>(w)) captions << label->text();
        } else {
            captions << a->text();
        }
    }
    return captions;
}

int pixelsOfColour(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) ++count;
    return count;
}

void saveArtefact(const QImage& image, const char* name)
{
    const QString folder = QStringLiteral(QL240_TEST_ARTEFACTS);
    QDir().mkpath(folder);
    image.save(folder + QLatin1Char('/') + QLatin1String(name));
}

TEST(MainWindow, StartsWithItsCaptionsMessageAndDefaultLayout)
{
    ProgramRig rig;
    rig.startUp();

    ASSERT_EQ(rig.answerer.texts.size(), 1);
    EXPECT_EQ(rig.answerer.texts[0].section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("Generate new default settings"));
    EXPECT_EQ(rig.answerer.titles, QStringList{QStringLiteral("Load default settings")});
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("QL240E - V3.02"));

    const auto* toolbar = rig.window.findChild<QToolBar*>(QStringLiteral("toolbar"));
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(captionsOf(toolbar->actions()),
              (QStringList{"Config", "RM", "Read", "Auto", "Set/Read", "Set", "Autoset", "Notes",
                           "WMF-Export", "-", "Time:"}));
    EXPECT_EQ(captionsOf(rig.window.menuBar()->actions()),
              (QStringList{"Data", "&View", "Measurement", "?"}));
    EXPECT_EQ(captionsOf(named<QMenu>(rig.window, "dataMenu").actions()),
              (QStringList{"&Load", "&Save", "-", "&Print", "Printer &setup", "-", "&Clipboard",
                           "-", "&Config port", "-", "E&xit"}));
    EXPECT_EQ(captionsOf(named<QMenu>(rig.window, "viewMenu").actions()),
              (QStringList{"&Channel", "&Timebase", "T&rigger", "&Storage", "&Intensity", "&Cursor",
                           "Auto&measurement"}));
    EXPECT_EQ(captionsOf(named<QMenu>(rig.window, "measurementMenu").actions()),
              (QStringList{"&Autostore", "&FFT", "&Harm. current emissions"}));
    EXPECT_EQ(captionsOf(named<QMenu>(rig.window, "helpMenu").actions()),
              (QStringList{"&Help", "-", "&Deutsch", "&English", "-", "FF&T/QZV Anleitung",
                           "&FFT/QZV Manual", "-", "&About/Support"}));

    // Before a first read nothing can be written to the instrument; the measurement window's
    // item shows it was open.
    EXPECT_TRUE(named(rig.window, "readButton").isEnabled());
    EXPECT_FALSE(named(rig.window, "setReadButton").isEnabled());
    EXPECT_FALSE(named(rig.window, "setButton").isEnabled());
    EXPECT_TRUE(named(rig.window, "autosetButton").isEnabled());
    EXPECT_TRUE(named(rig.window, "notesButton").isEnabled());
    EXPECT_TRUE(named(rig.window, "harmonicsItem").isEnabled());
    EXPECT_TRUE(named(rig.window, "automeasurementItem").isChecked());
    EXPECT_TRUE(named(rig.window, "loadItem").isEnabled());
    EXPECT_TRUE(named(rig.window, "configPortItem").isEnabled());

    // The screen window stands top left in the window area, with at least the default size.
    ASSERT_FALSE(rig.screenFrame().isHidden());
    const WindowPlacement placed = rig.host.windowPlacement(ToolWindow::ScreenWindow);
    EXPECT_NEAR(placed.left, 0, 15);
    EXPECT_NEAR(placed.top, 0, 15);
    EXPECT_GE(placed.width, 5650);
    EXPECT_GE(placed.height, 5500);
    EXPECT_EQ(placed.windowState, 0);
    EXPECT_EQ(rig.screenFrame().windowTitle(), QStringLiteral("Signal       "
                                                              "--:--:--  --.--.--  "));
}

TEST(MainWindow, TheScreenShowsTheGuideTextAndThenTheSimulatedTraces)
{
    ProgramRig rig;
    rig.startUp();
    ScreenWindow& screen = rig.screenWindow();

    const QImage empty = screen.picture();
    ASSERT_FALSE(empty.isNull());
    EXPECT_GT(pixelsOfColour(empty, qRgb(128, 128, 128)), 500);  // graticule
    EXPECT_EQ(pixelsOfColour(empty, qRgb(255, 0, 0)), 0);        // no CH I before a read
    EXPECT_TRUE(rig.views.screen.guideTextVisible);
    const QImage withGuide = screen.grab().toImage();
    saveArtefact(withGuide, "main-window-start.png");

    ASSERT_TRUE(rig.link.connectInstrument());
    ASSERT_TRUE(rig.link.sequences().readAllFromScope());
    QApplication::processEvents();
    EXPECT_EQ(rig.answerer.texts.size(), 1);  // only the one of the first start

    const QImage traces = screen.picture();
    EXPECT_GT(pixelsOfColour(traces, qRgb(255, 0, 0)), 300);  // CH I
    EXPECT_GT(pixelsOfColour(traces, qRgb(0, 0, 255)), 300);  // CH II
    EXPECT_FALSE(rig.views.screen.guideTextVisible);
    EXPECT_TRUE(rig.screenFrame().windowTitle().startsWith(QStringLiteral("Signal")));
    EXPECT_FALSE(rig.screenFrame().windowTitle().contains(QStringLiteral("--:--:--")));
    saveArtefact(screen.grab().toImage(), "main-window-read.png");

    // The scroll bar shows the horizontal position; moving it moves the picture's origin.
    QScrollBar* bar = screen.scrollBar();
    EXPECT_EQ(bar->maximum(), 1023);
    EXPECT_EQ(bar->value(), rig.state.ddf.horPosition);
    bar->setValue(bar->value() + 100);
    EXPECT_EQ(rig.state.ddf.horPosition, bar->value());
    EXPECT_NE(screen.picture(), traces);

    // Minimised, the window reports its state and is not drawn.
    rig.host.setWindowState(ToolWindow::ScreenWindow, 1);
    QApplication::processEvents();
    EXPECT_EQ(rig.views.screen.state, WindowState::Minimised);
    EXPECT_EQ(rig.host.windowPlacement(ToolWindow::ScreenWindow).windowState, 1);
    rig.host.setWindowState(ToolWindow::ScreenWindow, 0);
    EXPECT_EQ(rig.views.screen.state, WindowState::Normal);
}

TEST(MainWindow, TheHostSetsTheCheckBoxesQuietlyAndShowsLineBreaks)
{
    ProgramRig rig;
    int clicks = 0;
    QObject::connect(rig.window.controls().remoteBox, &QCheckBox::toggled, [&] { ++clicks; });
    rig.host.setRemoteBox(true);
    rig.host.setAutoBox(true);
    EXPECT_TRUE(rig.window.controls().remoteBox->isChecked());
    EXPECT_TRUE(rig.window.controls().autoBox->isChecked());
    EXPECT_EQ(clicks, 0);

    rig.host.showMessage("First line\r\nSecond line", "Title", MessageIcon::Critical);
    EXPECT_EQ(rig.answerer.texts.back(), QStringLiteral("First line\nSecond line"));

    rig.host.setClockText("Time: 12:34:56");
    EXPECT_EQ(rig.window.controls().clockLabel->text(), QStringLiteral("Time: 12:34:56"));

    rig.host.setBusyPointer(true);
    rig.host.setBusyPointer(true);
    rig.host.setBusyPointer(false);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    rig.host.setBusyPointer(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Counts the layout requests that reach the toolbar or the main window.
class LayoutRequests : public QObject {
public:
    LayoutRequests(QObject* toolbar, QObject* window) : toolbar_(toolbar), window_(window)
    {
        QApplication::instance()->installEventFilter(this);
    }
    ~LayoutRequests() override { QApplication::instance()->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest && (watched == toolbar_ || watched == window_))
            ++count;
        return false;
    }

private:
    QObject* toolbar_;
    QObject* window_;
};

TEST(MainWindow, AClockTickRepaintsTheLabelAloneAndALongNoteStaysReadable)
{
    ProgramRig rig;
    rig.startUp();
    QLabel* clock = rig.window.controls().clockLabel;
    const QSize size = clock->size();
    LayoutRequests requests(rig.window.findChild<QToolBar*>(QStringLiteral("toolbar")),
                            &rig.window);
    rig.state.autoStore.autoStoreActive = 1;  // a longer line with the autostore's status
    for (int tick = 0; tick < 5; ++tick) {
        if (tick == 3)
            rig.state.clockNote =
                "Printout saved as /home/someone/Documents/ql240/" + std::string(40, 'x') + ".pdf";
        rig.clock.advance(1000);
        rig.app.timerTick();
        QApplication::processEvents();
    }
    EXPECT_EQ(requests.count, 0);
    EXPECT_EQ(clock->size(), size);
    // The note does not fit: shortened on the label, whole as its tool tip and accessible name.
    const QString whole = clock->accessibleName();
    EXPECT_TRUE(whole.endsWith(QStringLiteral("xxxx.pdf"))) << whole.toStdString();
    EXPECT_TRUE(whole.startsWith(QStringLiteral("Time: ")));
    EXPECT_EQ(clock->toolTip(), whole);
    EXPECT_LE(clock->fontMetrics().horizontalAdvance(clock->text()), clock->width());
}

TEST(MainWindow, ClosingReleasesTheInstrumentWritesTheDefaultsAndEnds)
{
    ProgramRig rig;
    rig.startUp();
    ASSERT_TRUE(rig.link.connectInstrument());
    rig.sim.clearRecording();
    EXPECT_TRUE(rig.window.close());
    QApplication::processEvents();
    EXPECT_FALSE(rig.window.isVisible());
    EXPECT_TRUE(rig.app.finished());
    EXPECT_EQ(rig.sim.commandTexts(), (std::vector<std::string>{"rm0"}));
    EXPECT_TRUE(std::filesystem::exists(rig.paths.configFile("Tx4080.par")));
    EXPECT_FALSE(rig.window.mainTimer().isActive());
}

TEST(MainWindow, AnExitThatHasToWaitKeepsTheWindowOpen)
{
    ProgramRig rig;
    rig.startUp();
    rig.state.busy.linkBusy = 1;  // an exchange is in progress
    EXPECT_FALSE(rig.window.close());
    named(rig.window, "exitItem").trigger();
    EXPECT_TRUE(rig.window.isVisible());
    rig.state.busy.linkBusy = 0;
    rig.window.startMainTimer();
    QMetaObject::invokeMethod(&rig.window.mainTimer(), "timeout");
    QApplication::processEvents();
    EXPECT_FALSE(rig.window.isVisible());
    EXPECT_TRUE(rig.app.finished());
}

}  // namespace
}  // namespace ql::gui
