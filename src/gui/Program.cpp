#include "Program.h"

#include "CursorWindow.h"
#include "MeasurementWindow.h"
#include "PortSetupDialog.h"
#include "ScreenWindow.h"
#include "WindowEntries.h"
#include "XyWindow.h"
#include "ZoomWindow.h"
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
    windows.add(ToolWindow::ScreenWindow,
                std::make_unique<MdiWindowEntry>(ToolWindow::ScreenWindow,
                                                 new ScreenWindow(s, views_, host_), area, s,
                                                 views_.chain, FrameButtons::MinMaxOnly));
    windows.add(
        ToolWindow::PortSetup,
        std::make_unique<DialogEntry>(ToolWindow::PortSetup, new PortSetupDialog(link_, &window_),
                                      s, views_.chain, true));
    const auto addMdi = [&](ToolWindow id, auto* window) {
        windows.add(id, std::make_unique<MdiWindowEntry>(id, window, area, s, views_.chain));
    };
    addMdi(ToolWindow::CursorWindow, new CursorWindow(s, views_, host_));
    addMdi(ToolWindow::MeasurementWindow, new MeasurementWindow(s, views_, host_));
    addMdi(ToolWindow::XyView, new XyWindow(s, views_, host_));
    addMdi(ToolWindow::ZoomWindow, new ZoomWindow(s, views_));
}

bool Program::start(const QString& socketPath)
{
    window_.show();
    controller_.startUp();
    window_.startMainTimer();
    // Remote commands are served once start-up has set the port and the layout.
    return remoteServer_.listen(socketPath);
}

}  // namespace ql::gui
