// QL240: the program. Builds it over the serial port and the system clock, runs start-up and
// then the window system's event loop until the main window closes or a signal (SIGTERM,
// SIGINT, SIGHUP) ends it as "Exit" does.

#include <QApplication>

#include "ExitSignals.h"
#include "Program.h"
#include "link/PosixSerialPort.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QL240"));
    QApplication::setQuitOnLastWindowClosed(false);  // the core decides when the program ends

    ql::SystemClock clock;
    ql::PosixSerialPort port;
    ql::gui::Program program(port, clock, ql::AppPaths::fromEnvironment());
    const ql::gui::ExitSignals exitSignals([&program] { program.endFromOutside(); });
    if (!program.start())
        qWarning("Remote commands are not available: %s",
                 qPrintable(program.remoteServer().errorString()));
    return QApplication::exec();
}
