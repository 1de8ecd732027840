// QL240: the program. Builds it over the serial port and the system clock, runs start-up and
// then the window system's event loop until the main window closes or a signal (SIGTERM,
// SIGINT, SIGHUP) ends it as "Exit" does.

#include "ProgramMain.h"

int main(int argc, char* argv[])
{
    return ql::gui::runProgram(argc, argv);
}
