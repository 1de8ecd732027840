// QL240: the program. Builds the state, the serial link and the main window, runs start-up
// and then the window system's event loop until the main window closes.

#include <QApplication>
#include <memory>

#include "MainWindow.h"
#include "QtHost.h"
#include "RemoteServer.h"
#include "app/AppController.h"
#include "app/InstrumentOperations.h"
#include "app/RemoteCommands.h"
#include "display/DisplayViews.h"
#include "link/InstrumentLink.h"
#include "link/PosixSerialPort.h"
#include "state/NumberFormat.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QL240"));
    QApplication::setQuitOnLastWindowClosed(false);  // the core decides when the program ends

    const ql::AppPaths paths = ql::AppPaths::fromEnvironment();
    auto state = std::make_unique<ql::ProgramState>();
    ql::DisplayViews views;
    ql::SystemClock clock;
    ql::PosixSerialPort port;

    ql::gui::MainWindow window(*state, views);
    ql::gui::QtHost host(window, *state, views);
    ql::InstrumentLink link(*state, port, clock, host, paths.dataFile("scopes.db"),
                            ql::helpFolder(paths));
    ql::AppController controller(*state, host, clock, link, paths);
    ql::InstrumentOperations operations(link);
    ql::RemoteCommands remoteCommands(*state, operations, ql::systemDecimalSign());
    ql::gui::RemoteServer remoteServer(remoteCommands);
    window.attach(controller, link, host);
    window.attachOperations(operations);
    controller.setTickWork([&operations] { operations.timerTick(); });

    window.show();
    controller.startUp();
    window.startMainTimer();
    // Remote commands are served once start-up has set the port and the layout.
    if (!remoteServer.listen())
        qWarning("Remote commands are not available: %s", qPrintable(remoteServer.errorString()));
    return QApplication::exec();
}
