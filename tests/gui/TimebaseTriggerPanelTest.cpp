// The "Timebase" and "Trigger" panels in the composed program: the trigger status shows on
// the bar, and the panels follow each other (and the channels panel) through the window
// registry. Offscreen.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

#include "ProgramRig.h"
#include "draw/DrawTypes.h"
#include "gui/ChannelsPanel.h"
#include "gui/PortSetupDialog.h"
#include "gui/TimebasePanel.h"
#include "gui/TriggerPanel.h"

namespace ql::gui {
namespace {

scopesim::SimulatorConfig model(const char* name)
{
    scopesim::SimulatorConfig c;
    c.model = name;
    return c;
}

template <class W>
W* control(QWidget& panel, const char* name)
{
    W* w = panel.findChild<W*>(QString::fromUtf8(name));
    EXPECT_TRUE(w) << name;
    return w;
}

struct StartedPanels : ProgramRig {
    explicit StartedPanels(const char* name) : ProgramRig(model(name))
    {
        startUp();
        named(window, "readButton").trigger();
        timebase = window.windows().window<TimebasePanel>(ToolWindow::TimebasePanel);
        trigger = window.windows().window<TriggerPanel>(ToolWindow::TriggerPanel);
        channels = window.windows().window<ChannelsPanel>(ToolWindow::ChannelPanel);
    }
    TimebasePanel* timebase = nullptr;
    TriggerPanel* trigger = nullptr;
    ChannelsPanel* channels = nullptr;
};

TEST(TimebaseTriggerPanels, AlternateGreysTheTimeBaseBBoxAndACh1OffEndsIt)
{
    StartedPanels rig("TC308");
    ASSERT_TRUE(rig.timebase && rig.trigger && rig.channels);
    auto* bOn = control<QAbstractButton>(*rig.timebase, "timebaseBOnBox");
    auto* alternate = control<QAbstractButton>(*rig.trigger, "triggerSource3");
    ASSERT_TRUE(alternate->isEnabled());
    // Outside single-shot mode the instrument reports itself triggered.
    const Rgb green = qbColor(TriggerPanelModel::kTriggeredBackground);
    EXPECT_EQ(control<QLabel>(*rig.trigger, "triggerStatusBar")->palette().color(QPalette::Window),
              QColor(green.r, green.g, green.b));
    alternate->click();
    EXPECT_EQ(rig.state.ddf.trigAlternate, 1);
    EXPECT_EQ(rig.state.ddf.timebaseMode, 0);
    EXPECT_FALSE(bOn->isEnabled());
    EXPECT_FALSE(bOn->isChecked());

    // The channels panel refreshes the trigger panel, whose repaint ends alternate triggering
    // and brings the time-base panel along.
    control<QAbstractButton>(*rig.channels, "ch1OnBox")->click();
    EXPECT_EQ(rig.state.ddf.trigAlternate, 0);
    EXPECT_EQ(rig.state.ddf.trigSource, 1);
    EXPECT_TRUE(control<QAbstractButton>(*rig.trigger, "triggerSource1")->isChecked());
    EXPECT_FALSE(alternate->isEnabled());
    EXPECT_TRUE(bOn->isEnabled());
}

TEST(TimebaseTriggerPanels, TheTimebasePanelShowsTheModelFoundByThePortSetupAtOnce)
{
    // A model without time base B or the newer time-base modes, in analog operation.
    ProgramRig rig;
    rig.startUp();
    rig.state.ddf.digitalMode = 0;
    auto* timebase = rig.window.windows().window<TimebasePanel>(ToolWindow::TimebasePanel);
    named(rig.window, "configButton").trigger();
    QApplication::processEvents();
    auto* setup = rig.window.windows().window<PortSetupDialog>(ToolWindow::PortSetup);
    ASSERT_TRUE(setup && setup->isVisible());
    control<QAbstractButton>(*setup, "okButton")->click();
    QApplication::processEvents();
    ASSERT_EQ(rig.state.link.remoteHeld, 1);
    EXPECT_TRUE(control<QLabel>(*timebase, "delayedSweepHeading")->isVisible());
    for (const char* name : {"delayedSweepBox", "searchBox"}) {
        auto* box = control<QAbstractButton>(*timebase, name);
        EXPECT_TRUE(box->isVisible()) << name;
        EXPECT_FALSE(box->isEnabled()) << name;
    }
}

}  // namespace
}  // namespace ql::gui
