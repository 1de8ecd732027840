#include "Program.h"

#include <QTimer>

#include "PortSetupDialog.h"
#include "ScreenWindow.h"
#include "WindowEntries.h"
#include "state/NumberFormat.h"

namespace ql::gui {

Program::Program(SerialPort& port, Clock& clock, AppPaths paths)
    : state_(std::make_unique<ProgramState>()),
      window_(),
      host_(window_),
      link_(*state_, port, clock, host_, paths.dataFile("scopes.db"), helpFolder(paths)),
      operations_(link_),
      controller_(link_, operations_, std::move(paths)),
      remoteCommands_(*state_, operations_, systemDecimalSign()),
      remoteServer_(remoteCommands_)
{
    registerWindows();
    window_.attach(controller_, operations_);
}

Program::~Program()
{
    remoteServer_.close();
    // The windows go before the core they show.
    window_.windows().clear();
}

void Program::registerWindows()
{
    WindowRegistry& windows = window_.windows();
    ProgramState& s = *state_;
    QMdiArea& area = window_.mdiArea();
    windows.add(ToolWindow::ScreenWindow, std::make_unique<MdiWindowEntry>(
                                              ToolWindow::ScreenWindow, new ScreenWindow(s, views_),
                                              area, s, views_.chain, FrameButtons::MinMaxOnly));
    windows.add(
        ToolWindow::PortSetup,
        std::make_unique<DialogEntry>(ToolWindow::PortSetup, new PortSetupDialog(link_, &window_),
                                      s, views_.chain, true));
}

bool Program::start(const QString& socketPath)
{
    window_.show();
    controller_.startUp();
    window_.startMainTimer();
    // Remote commands are served once start-up has set the port and the layout.
    const bool listening = remoteServer_.listen(socketPath);
    started_ = true;
    // An end asked for during start-up (its messages wait for the user) runs in the event loop.
    if (endAfterStart_) QTimer::singleShot(0, &window_, [this] { controller_.endFromOutside(); });
    return listening;
}

void Program::endFromOutside()
{
    if (!started_) {
        endAfterStart_ = true;
        return;
    }
    controller_.endFromOutside();
}

}  // namespace ql::gui
