#pragma once
// The program as main.cpp runs it: its process prepared (prepareProcess: a file-size limit
// fails a write instead of ending it), the application object, the program over the serial
// port and the system clock, start-up, the signals that end it (SIGTERM, SIGINT, SIGHUP end it
// as "Exit" does) and the event loop until the main window closes.

#include <functional>

namespace ql::gui {

class Program;

// Returns the exit status. `beforeStart` sees the program put together just before it starts
// (the start-up benchmark watches it from there).
int runProgram(int& argc, char** argv, const std::function<void(Program&)>& beforeStart = {});

}  // namespace ql::gui
