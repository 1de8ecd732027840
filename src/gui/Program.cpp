#include "Program.h"

#include "ExportSettingsWindow.h"
#include "PortSetupDialog.h"
#include "PrintPreviewWindow.h"
#include "PrintSettingsWindow.h"
#include "ScreenWindow.h"
#include "WindowEntries.h"
#include "state/NumberFormat.h"

namespace ql::gui {

Program::Program(SerialPort& port, Clock& clock, AppPaths paths)
    : state_(std::make_unique<ProgramState>()),
      window_(),
      host_(window_),
      printer_(clock, paths.printoutDir()),
      link_(*state_, port, clock, host_, paths.dataFile("scopes.db"), helpFolder(paths)),
      operations_(link_, printer_),
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
    windows.add(ToolWindow::PrinterSettings,
                std::make_unique<MdiWindowEntry>(ToolWindow::PrinterSettings,
                                                 new PrintSettingsWindow(s, host_, printer_), area,
                                                 s, views_.chain));
    windows.add(
        ToolWindow::PrintPreview,
        std::make_unique<MdiWindowEntry>(ToolWindow::PrintPreview, new PrintPreviewWindow(s, host_),
                                         area, s, views_.chain));
    windows.add(ToolWindow::ExportSettings,
                std::make_unique<MdiWindowEntry>(
                    ToolWindow::ExportSettings,
                    new ExportSettingsWindow(s, host_, clipboard_, window_.fileDialogs()), area, s,
                    views_.chain));
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
