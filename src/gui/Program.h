#pragma once
// The program put together once: the state, the main window with its host and its windows,
// the program's printer and clipboard, the serial link, the toolbar operations, the controller of
// start-up, tick and shutdown, the rules of the menus, and the remote-command server. main.cpp
// builds it over the real port and clock; the GUI tests build the same over the simulated
// instrument and a fake clock, so the wiring a user runs is the wiring the tests run.

#include <QString>
#include <memory>

#include "MainWindow.h"
#include "ProgramPrinter.h"
#include "QtHost.h"
#include "QtPictureClipboard.h"
#include "RemoteServer.h"
#include "app/AppController.h"
#include "app/InstrumentOperations.h"
#include "app/MenuController.h"
#include "app/RemoteCommands.h"
#include "display/DisplayViews.h"
#include "harmonics/LimitStore.h"
#include "link/InstrumentLink.h"

namespace ql::gui {

class Program {
public:
    // `makePrinter` makes the program's QPrinter on its first use (the system's printer by
    // default; tests count the calls).
    Program(SerialPort& port, Clock& clock, AppPaths paths,
            ProgramPrinter::QPrinterFactory makePrinter = ProgramPrinter::systemPrinter);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the main window, runs start-up, starts the one-second timer and then serves
    // remote commands at `socketPath`. False when the remote socket could not be served
    // (remoteServer().errorString() says why); the program runs on without it.
    bool start(const QString& socketPath = RemoteServer::defaultSocketPath());

    // Asked from outside to end (SIGTERM, SIGINT, SIGHUP): the program ends as "Exit" ends it,
    // once start-up has finished and its event loop runs. The boxes and dialogs open then are
    // closed as if cancelled and every later one is answered so without being shown.
    void endFromOutside();

    ProgramState& state() { return *state_; }
    DisplayViews& views() { return views_; }
    MainWindow& window() { return window_; }
    QtHost& host() { return host_; }
    // The one printer every printout of the program goes to (its QPrinter made on first use).
    ProgramPrinter& printer() { return printer_; }
    QtPictureClipboard& clipboard() { return clipboard_; }
    InstrumentLink& link() { return link_; }
    InstrumentOperations& operations() { return operations_; }
    AppController& controller() { return controller_; }
    MenuController& menus() { return menus_; }
    RemoteCommands& remoteCommands() { return remoteCommands_; }
    RemoteServer& remoteServer() { return remoteServer_; }
    const AppPaths& paths() const { return controller_.paths(); }

private:
    // One row per window of the program.
    void registerWindows();
    // Runs the controller's end once no closed box is still returning to its caller.
    void endOnceBoxesClosed();

    std::unique_ptr<ProgramState> state_;
    DisplayViews views_;
    // The user's limit definitions: the harmonics window edits them, the analysis judges by them.
    LimitStore harmonicLimits_;
    MainWindow window_;
    QtHost host_;
    ProgramPrinter printer_;
    QtPictureClipboard clipboard_;
    InstrumentLink link_;
    InstrumentOperations operations_;
    AppController controller_;
    MenuController menus_;
    RemoteCommands remoteCommands_;
    RemoteServer remoteServer_;
    bool started_ = false;
    bool endAfterStart_ = false;
};

}  // namespace ql::gui
