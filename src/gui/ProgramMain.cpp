#include "ProgramMain.h"

#include <QApplication>

#include "ExitSignals.h"
#include "Program.h"
#include "ProgramStyle.h"
#include "app/AppController.h"
#include "link/PosixSerialPort.h"

namespace ql::gui {

int runProgram(int& argc, char** argv, const std::function<void(Program&)>& beforeStart)
{
    prepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QL240"));
    QApplication::setQuitOnLastWindowClosed(false);  // the core decides when the program ends
    ProgramStyle::install();

    SystemClock clock;
    PosixSerialPort port;
    Program program(port, clock, AppPaths::fromEnvironment());
    const ExitSignals exitSignals([&program] { program.endFromOutside(); });
    if (beforeStart) beforeStart(program);
    if (!program.start())
        qWarning("Remote commands are not available: %s",
                 qPrintable(program.remoteServer().errorString()));
    return QApplication::exec();
}

}  // namespace ql::gui
