// The port set-up window over the simulated instrument.
#include <gtest/gtest.h>
#include <QPushButton>
#include <QRadioButton>

#include "gui/PortSetupDialog.h"
#include "link/InstrumentLink.h"
#include "scopesim/ScopeSimulator.h"
#include "scopesim/SimulatedPort.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

using namespace ql;

namespace {

struct Harness {
    Harness() : sim(clock), port(sim, clock)
    {
        initProgramState(state, "/tmp");
        const char* data = std::getenv("QL240_DATA_DIR");
        link = std::make_unique<InstrumentLink>(
            state, port, clock, host, std::string(data ? data : "data") + "/scopes.db", "/help");
    }
    FakeClock clock;
    scopesim::ScopeSimulator sim;
    scopesim::SimulatedPort port;
    RecordingHost host;
    ProgramState state;
    std::unique_ptr<InstrumentLink> link;
};

}  // namespace

TEST(PortSetupDialog, ShowsTheStoredChoiceAndOkIdentifiesOnTheChosenPort)
{
    Harness h;
    h.state.link.comPort = 3;
    h.state.link.baudRate = 38400;  // not offered: no baud option selected
    gui::PortSetupDialog dialog(*h.link);
    dialog.opened();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Serial port setup"));
    EXPECT_EQ(dialog.model().selectedPort(), 3);
    EXPECT_EQ(dialog.model().selectedBaudRate(), 0);
    auto* com2 = dialog.findChild<QRadioButton*>(QStringLiteral("com2Option"));
    ASSERT_TRUE(com2);
    EXPECT_TRUE(com2->text().startsWith(QStringLiteral("Com2")));

    com2->click();
    dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    EXPECT_EQ(h.state.link.comPort, 2);
    EXPECT_EQ(h.state.link.baudRate, 38400);  // kept: nothing selected
    EXPECT_EQ(h.port.device(), "/dev/ttyS1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(PortSetupDialog, OpeningReleasesAHeldInstrumentAndTheSearchPreselectsItsPort)
{
    Harness h;
    h.state.link.comPort = 1;
    h.state.link.baudRate = 19200;
    ASSERT_TRUE(h.link->connectInstrument());
    h.port.addDevice("/dev/ttyS0", scopesim::DeviceKind::Silent);
    h.port.addDevice("/dev/ttyS1", scopesim::DeviceKind::Instrument);
    h.port.addDevice("/dev/ttyS2", scopesim::DeviceKind::Silent);
    h.port.addDevice("/dev/ttyS3", scopesim::DeviceKind::Silent);
    h.state.link.comPort = 7;  // outside 1..4: no port option selected
    gui::PortSetupDialog dialog(*h.link);
    dialog.opened();
    EXPECT_EQ(h.state.link.remoteHeld, 0);
    EXPECT_FALSE(h.sim.instrument().remote());
    EXPECT_EQ(dialog.model().selectedPort(), 0);

    dialog.findChild<QPushButton*>(QStringLiteral("autosearchButton"))->click();
    EXPECT_EQ(dialog.model().selectedPort(), 2);
    EXPECT_EQ(dialog.model().selectedBaudRate(), 19200);
    EXPECT_EQ(h.state.link.comPort, 7);  // nothing stored until Ok
    EXPECT_TRUE(dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->isEnabled());
}

TEST(PortSetupDialog, WaitsForARunningOperationAndCannotBeClosedWhileItSearches)
{
    Harness h;
    h.state.link.comPort = 1;
    h.state.link.baudRate = 19200;
    gui::PortSetupDialog dialog(*h.link);
    dialog.opened();
    // An operation holds the line: Ok and Autosearch do nothing.
    h.state.busy.uiBusy = true;
    dialog.findChild<QRadioButton*>(QStringLiteral("com3Option"))->click();
    dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    dialog.findChild<QPushButton*>(QStringLiteral("autosearchButton"))->click();
    EXPECT_EQ(h.state.link.comPort, 1);
    EXPECT_TRUE(h.sim.recorder().bytes().empty());
    h.state.busy.uiBusy = false;

    // Closing the window from inside the search's waits is ignored; the search completes.
    h.port.addDevice("/dev/ttyS0", scopesim::DeviceKind::Silent);
    h.port.addDevice("/dev/ttyS1", scopesim::DeviceKind::Instrument);
    int closeAttempts = 0;
    h.host.onPumpEvents = [&] {
        if (closeAttempts++ == 10) {
            dialog.reject();
            dialog.close();
        }
    };
    dialog.show();
    dialog.findChild<QPushButton*>(QStringLiteral("autosearchButton"))->click();
    h.host.onPumpEvents = nullptr;
    EXPECT_GT(closeAttempts, 10);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.model().selectedPort(), 2);
    EXPECT_TRUE(dialog.findChild<QPushButton*>(QStringLiteral("exitButton"))->isEnabled());
}
