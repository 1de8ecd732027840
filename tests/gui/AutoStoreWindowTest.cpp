// The autostore window as a user meets it: Measurement > "&Autostore" opens it with "Read"
// off; 0 minutes and Start store a numbered file on every tick into the start folder, each
// holding what the simulated instrument sent; Exit closes the window and autostore goes on; a
// Pause waiting when a tick starts (a click, or an accessibility press) stores nothing more.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ProgramRig.h"
#include "files/DataFileCodec.h"
#include "gui/AutoStoreWindow.h"

namespace ql::gui {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void pressReturn(QWidget* w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

TEST(AutoStoreWindowGui, EveryTickStoresTheInstrumentsRecordsIntoTheNextNumberedFile)
{
    ProgramRig rig;
    rig.startUp();
    ASSERT_TRUE(named(rig.window, "autostoreItem").isEnabled());
    named(rig.window, "autostoreItem").trigger();
    QApplication::processEvents();
    ASSERT_TRUE(rig.host.isWindowOpen(ToolWindow::AutostoreWindow));
    EXPECT_FALSE(named(rig.window, "readButton").isEnabled());
    auto& w = *rig.window.windows().window<AutoStoreWindow>(ToolWindow::AutostoreWindow);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("AutoStore"));
    EXPECT_EQ(w.fileLabel()->text().toStdString(), rig.paths.userFilesDir() + "/AutostoreXXX");
    EXPECT_GE(w.fileLabel()->width(), w.fileLabel()->sizeHint().width());  // shown whole

    w.timedOption()->click();
    w.minutesBox()->setText(QStringLiteral("0"));
    pressReturn(w.minutesBox());
    EXPECT_EQ(w.minutesBox()->text(), QStringLiteral(" 0"));
    w.startButton()->click();
    EXPECT_EQ(w.startButton()->text(), QStringLiteral("Pause"));
    for (int tick = 0; tick < 3; ++tick) {
        rig.clock.advance(1000);
        rig.app.timerTick();
    }
    const fs::path folder = rig.paths.userFilesDir();
    for (const char* name :
         {"AutostoreXXX00000.mes", "AutostoreXXX00001.mes", "AutostoreXXX00002.mes"})
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    EXPECT_EQ(contents(folder / "AutostoreXXX00002.mes"), encodeMeasurementFile(rig.state));
    EXPECT_EQ(rig.state.waves.waveCh1[1], rig.sim.instrument().channelRecord(1)[0]);
    // The clock shows each tick's due store as the tick begins.
    EXPECT_TRUE(
        rig.window.controls().clockLabel->text().contains(QStringLiteral("   Store 00002 at: ")));
    ASSERT_EQ(rig.answerer.texts.size(), 1);
    EXPECT_EQ(rig.answerer.texts[0].section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("Generate new default settings"));

    // Exit closes the window; "Read" comes back and autostore goes on.
    w.exitButton()->click();
    QApplication::processEvents();
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::AutostoreWindow));
    EXPECT_TRUE(named(rig.window, "readButton").isEnabled());
    rig.clock.advance(1000);
    rig.app.timerTick();
    EXPECT_TRUE(fs::exists(folder / "AutostoreXXX00003.mes"));
}

TEST(AutoStoreWindowGui, OneClickWaitingWhenATickStartsPausesBeforeItsRead)
{
    // The click is a posted event, as an accessibility action is: the tick takes it first.
    ProgramRig rig;
    rig.startUp();
    named(rig.window, "autostoreItem").trigger();
    auto& w = *rig.window.windows().window<AutoStoreWindow>(ToolWindow::AutostoreWindow);
    w.timedOption()->click();
    w.minutesBox()->setText(QStringLiteral("0"));
    pressReturn(w.minutesBox());
    w.startButton()->click();
    QString pending;  // what the button says right after the click
    QTimer::singleShot(0, &w, [&] {
        w.startButton()->click();
        pending = w.startButton()->text() + (w.startButton()->isEnabled() ? "" : " (waits)");
    });
    for (int tick = 0; tick < 3; ++tick) {
        rig.clock.advance(1000);
        rig.app.timerTick();
    }
    EXPECT_EQ(pending, QStringLiteral("Start (waits)"));
    EXPECT_FALSE(fs::exists(fs::path(rig.paths.userFilesDir()) / "AutostoreXXX00000.mes"));
    EXPECT_EQ(w.startButton()->text(), QStringLiteral("Start"));
    EXPECT_TRUE(w.startButton()->isEnabled());
    // An accessibility press once a read's file is stored (it clicks a moment later) likewise.
    focusOn(rig, w.startButton());
    w.startButton()->click();
    rig.clock.advance(1000);
    rig.app.timerTick();
    QAccessible::queryAccessibleInterface(w.startButton())
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    rig.clock.advance(1000);
    rig.app.timerTick();
    EXPECT_TRUE(fs::exists(fs::path(rig.paths.userFilesDir()) / "AutostoreXXX00000.mes"));
    EXPECT_FALSE(fs::exists(fs::path(rig.paths.userFilesDir()) / "AutostoreXXX00001.mes"));
    EXPECT_EQ(QApplication::focusWidget(), w.startButton());
}

}  // namespace
}  // namespace ql::gui
