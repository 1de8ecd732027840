// The settings panels as a user meets them: a click or a key runs the control's handler, a
// refresh that changes the controls runs none; a Read repaints the open panels, a closed one
// shows the new values when it opens, and the View items follow. Offscreen.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>

#include "ProgramRig.h"
#include "gui/ChannelsPanel.h"
#include "gui/IntensityPanel.h"
#include "gui/StoragePanel.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

namespace ql::gui {
namespace {

using scopesim::MainField;

// What a user's mouse does: press and release a button in the middle of the widget.
void clickWithMouse(QWidget* w, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF at = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, global, button,
                          type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
}

void pressKey(QWidget* w, Qt::Key key, const QString& text = QString())
{
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QApplication::sendEvent(w, &event);
    }
}

template <class W>
W* control(QWidget& panel, const char* name)
{
    W* w = panel.findChild<W*>(QString::fromUtf8(name));
    EXPECT_TRUE(w) << name;
    return w;
}

TEST(SettingsPanel, TheUsersActionsRunTheirHandlersAndARefreshRunsNone)
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.screen.screenDirty = 0;
    RecordingHost host;
    ChannelsPanel panel(s, host, '.');
    panel.opened();
    panel.show();
    EXPECT_TRUE(host.actionChecked[static_cast<int>(UiAction::ChannelMenuItem)]);

    auto* ch2On = control<QAbstractButton>(panel, "ch2OnBox");
    clickWithMouse(ch2On);
    EXPECT_EQ(s.ddf.ch2On, 0);
    EXPECT_EQ(s.screen.screenDirty, 1);
    EXPECT_EQ(host.countEvents("refresh TriggerPanel"), 1);
    EXPECT_FALSE(control<QAbstractButton>(panel, "addBox")->isEnabled());
    pressKey(ch2On, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(s.ddf.ch2On, 1);

    // The list takes its arrow keys and drops typed characters.
    auto* volts = control<QComboBox>(panel, "ch1VoltsList");
    EXPECT_EQ(volts->placeholderText(), QStringLiteral("5.000"));  // code 8 with probe X10
    pressKey(volts, Qt::Key_1, QStringLiteral("1"));
    EXPECT_EQ(s.ddf.ch1VoltsIndex, 8);
    pressKey(volts, Qt::Key_Down);  // one step from the value shown
    EXPECT_EQ(s.ddf.ch1VoltsIndex, 9);
    EXPECT_EQ(volts->placeholderText(), QStringLiteral("10.000"));
    EXPECT_EQ(volts->currentIndex(), 9);

    clickWithMouse(control<QWidget>(panel, "ch1VariableSpinUp"));
    EXPECT_EQ(s.ddf.ch1Variable, 254);
    auto* position = control<QAbstractSlider>(panel, "ch1PositionBar");
    pressKey(position, Qt::Key_Up);  // the top of the bar is 1023
    EXPECT_EQ(s.ddf.ch1Position, 1);

    // A refresh that changes every control asks nothing and writes nothing.
    host.clear();
    s.screen.screenDirty = 0;
    s.ddf.ch2On = 0;
    s.ddf.ch1VoltsIndex = 3;
    s.ddf.ch1Position = 900;
    s.ddf.ch2Position = 5000;  // beyond the bar, which shows its end
    s.ddf.ch1Coupling = 3;
    s.ddf.ch1ProbeFactor = 1;
    panel.refresh();
    EXPECT_FALSE(ch2On->isChecked());
    EXPECT_EQ(volts->placeholderText(), QStringLiteral(".010"));
    EXPECT_EQ(position->value(), 900);
    EXPECT_TRUE(control<QAbstractButton>(panel, "ch1Coupling2")->isChecked());
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(s.screen.screenDirty, 0);
    EXPECT_EQ(s.ddf.ch1On, 1);
    EXPECT_EQ(s.ddf.ch2Position, 5000);
    EXPECT_EQ(s.ddf.ch1Coupling, 3);

    panel.closed();
    EXPECT_FALSE(host.actionChecked[static_cast<int>(UiAction::ChannelMenuItem)]);
}

TEST(SettingsPanel, AReadRepaintsTheOpenPanelsAndAClosedOneShowsTheValuesWhenItOpens)
{
    ProgramRig rig;
    rig.startUp();
    EXPECT_TRUE(named(rig.window, "channelItem").isChecked());
    EXPECT_TRUE(named(rig.window, "intensityItem").isChecked());
    auto* channels = rig.window.windows().window<ChannelsPanel>(ToolWindow::ChannelPanel);
    auto* intensity = rig.window.windows().window<IntensityPanel>(ToolWindow::IntensityPanel);
    ASSERT_TRUE(channels && intensity);
    auto* timebaseA = control<QLabel>(*intensity, "timebaseAIntensityValue");
    const QString before = timebaseA->text();

    // The close box hides the panel and clears its View item.
    qobject_cast<QMdiSubWindow*>(intensity->parentWidget())->close();
    EXPECT_FALSE(rig.host.isWindowOpen(ToolWindow::IntensityPanel));
    EXPECT_FALSE(named(rig.window, "intensityItem").isChecked());

    rig.sim.instrument().mainBlock().set(MainField::Ch1VoltsIndex, 7);  // 0.2 V
    rig.sim.instrument().mainBlock().set(MainField::TbAIntensity, 99);
    named(rig.window, "readButton").trigger();
    auto* volts = control<QComboBox>(*channels, "ch1VoltsList");
    EXPECT_EQ(volts->placeholderText(), QStringLiteral("2.000"));  // with the probe X10
    EXPECT_EQ(timebaseA->text(), before);

    rig.host.openWindow(ToolWindow::IntensityPanel);
    EXPECT_EQ(timebaseA->text(), QStringLiteral("99"));
    EXPECT_EQ(control<QAbstractSlider>(*intensity, "timebaseAIntensityBar")->value(), 99);
    EXPECT_TRUE(named(rig.window, "intensityItem").isChecked());
}

TEST(SettingsPanel, ARightButtonReleaseOnResetReadsEverythingAfterTheReArm)
{
    ProgramRig rig;
    rig.startUp();
    EXPECT_TRUE(named(rig.window, "storageItem").isChecked());
    auto* storage = rig.window.windows().window<StoragePanel>(ToolWindow::StoragePanel);
    ASSERT_TRUE(storage);
    auto* reset = control<QAbstractButton>(*storage, "resetButton");
    rig.sim.instrument().mainBlock().set(MainField::StorageMode, 1);  // Single
    named(rig.window, "readButton").trigger();
    ASSERT_TRUE(reset->isEnabled());

    const auto sent = [&](const std::string& command) {
        const std::vector<std::string> c = rig.sim.commandTexts();
        return std::count(c.begin(), c.end(), command);
    };
    rig.sim.clearRecording();
    clickWithMouse(reset);
    EXPECT_EQ(sent("trgsta?"), 1);
    EXPECT_EQ(sent("ddf?"), 0);

    rig.sim.clearRecording();
    rig.sim.instrument().mainBlock().set(MainField::Ch1VoltsIndex, 7);  // 0.2 V
    clickWithMouse(reset, Qt::RightButton);
    EXPECT_EQ(sent("trgsta?"), 2);  // the re-arm's and the read's
    EXPECT_EQ(sent("ddf?"), 1);
    EXPECT_EQ(sent("rm0"), 2);
    auto* volts = control<QComboBox>(
        *rig.window.windows().window<ChannelsPanel>(ToolWindow::ChannelPanel), "ch1VoltsList");
    EXPECT_EQ(volts->placeholderText(), QStringLiteral("2.000"));
}

}  // namespace
}  // namespace ql::gui
