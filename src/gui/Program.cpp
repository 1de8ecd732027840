#include "Program.h"

#include <QTimer>

#include "AboutWindow.h"
#include "AutoStoreWindow.h"
#include "ChannelsPanel.h"
#include "CursorWindow.h"
#include "ExportSettingsWindow.h"
#include "FftWindow.h"
#include "HarmonicsWindow.h"
#include "IntensityPanel.h"
#include "MeasurementWindow.h"
#include "NotesWindow.h"
#include "PortSetupDialog.h"
#include "PrintPreviewWindow.h"
#include "PrintSettingsWindow.h"
#include "ScreenWindow.h"
#include "StoragePanel.h"
#include "TimebasePanel.h"
#include "TriggerPanel.h"
#include "WindowEntries.h"
#include "XyWindow.h"
#include "ZoomWindow.h"
#include "app/PictureWindows.h"
#include "state/AppPaths.h"
#include "state/NumberFormat.h"

namespace ql::gui {

namespace {

// How often an end asked for from outside looks whether the closed boxes have returned.
constexpr int kBoxesClosingMs = 10;

}  // namespace

Program::Program(SerialPort& port, Clock& clock, AppPaths paths,
                 ProgramPrinter::QPrinterFactory makePrinter)
    : state_(std::make_unique<ProgramState>()),
      harmonicLimits_(paths.userDataFile("obwlimit.db"), paths.dataFile("obwlimit.sql")),
      window_(),
      host_(window_),
      printer_(clock, paths.userFilesDir(), std::move(makePrinter)),
      link_(*state_, port, clock, host_, paths.dataFile("scopes.db"), helpFolder(paths)),
      operations_(link_, printer_, paths.userFilesDir(), systemDecimalSign()),
      controller_(link_, operations_, std::move(paths)),
      menus_(*state_, host_),
      remoteCommands_(*state_, operations_, systemDecimalSign()),
      remoteServer_(remoteCommands_)
{
    window_.fileDialogs().setFilesFolder(controller_.paths().userFilesDir());
    registerWindows();
    window_.attach(controller_, operations_, menus_, printer_);
}

Program::~Program()
{
    // An answer of a remote command the end waited for reaches its client first.
    remoteServer_.end();
    // The windows go before the core they show, the printer set-up before the printer.
    window_.windows().clear();
    window_.closePrinterSetup();
}

void Program::registerWindows()
{
    WindowRegistry& windows = window_.windows();
    ProgramState& s = *state_;
    const char decimalSign = systemDecimalSign();
    // A window that closes with the focus hands it to the next one of the keyboard's walk.
    const FocusLeaving leaving = [this](ToolWindow closing) {
        window_.windowKeys().leaveWindow(closing);
    };
    // A window in the main window's area, placed from the window layout; each is made when it
    // is first opened.
    const auto inArea = [&](ToolWindow id, auto make,
                            FrameButtons buttons = FrameButtons::CloseBox) {
        windows.add(id, std::make_unique<MdiWindowEntry>(id, windowMaker(std::move(make)),
                                                         window_.mdiArea(), s, views_.chain,
                                                         leaving, buttons));
    };
    // A dialog of its own; a modal one blocks the main window while it is open.
    const auto asDialog = [&](ToolWindow id, auto make, bool modal) {
        windows.add(id, std::make_unique<DialogEntry>(id, windowMaker(std::move(make)), s,
                                                      views_.chain, modal));
    };

    inArea(
        ToolWindow::ScreenWindow, [this] { return new ScreenWindow(*state_, views_, host_); },
        FrameButtons::MinMaxOnly);
    asDialog(
        ToolWindow::PortSetup, [this] { return new PortSetupDialog(link_, &window_); }, true);
    inArea(ToolWindow::ChannelPanel,
           [this, decimalSign] { return new ChannelsPanel(*state_, host_, decimalSign); });
    inArea(ToolWindow::IntensityPanel, [this] { return new IntensityPanel(*state_, host_); });
    inArea(ToolWindow::TimebasePanel,
           [this, decimalSign] { return new TimebasePanel(*state_, host_, decimalSign); });
    inArea(ToolWindow::TriggerPanel, [this] { return new TriggerPanel(*state_, host_); });
    inArea(ToolWindow::StoragePanel, [this, decimalSign] {
        return new StoragePanel(*state_, host_, operations_, decimalSign);
    });
    inArea(ToolWindow::PrinterSettings,
           [this] { return new PrintSettingsWindow(*state_, host_, printer_); });
    inArea(ToolWindow::PrintPreview, [this] { return new PrintPreviewWindow(*state_, host_); });
    inArea(ToolWindow::ExportSettings, [this] {
        return new ExportSettingsWindow(*state_, host_, clipboard_, window_.fileDialogs());
    });
    inArea(ToolWindow::CursorWindow, [this] { return new CursorWindow(*state_, views_, host_); });
    inArea(ToolWindow::MeasurementWindow,
           [this] { return new MeasurementWindow(*state_, views_, host_); });
    inArea(ToolWindow::XyView, [this] { return new XyWindow(*state_, views_, host_); });
    // Until the XY window is made (it then follows the XY view itself), XY display switched on
    // opens it once the drawing of the view is over.
    views_.xy.updated = [this] {
        QTimer::singleShot(0, &window_, [this] {
            if (xyWindowWanted(*state_, views_)) host_.openWindow(ToolWindow::XyView);
        });
    };
    inArea(ToolWindow::ZoomWindow, [this] { return new ZoomWindow(*state_, views_, host_); });
    inArea(ToolWindow::AutostoreWindow, [this, decimalSign] {
        return new AutoStoreWindow(link_, window_.fileDialogs(), decimalSign);
    });
    asDialog(
        ToolWindow::AboutWindow,
        [this] { return new AboutWindow(link_.modelTable(), host_, window_.desktop(), &window_); },
        false);
    inArea(ToolWindow::NotesWindow,
           [this] { return new NotesWindow(*state_, host_, printer_, window_.desktop()); });
    inArea(ToolWindow::FftWindow, [this, decimalSign] {
        auto* fft = new FftWindow(*state_, host_, window_.fileDialogs(), decimalSign);
        fft->connectOutputs(printer_, clipboard_, link_.context().clock);
        return fft;
    });
    inArea(ToolWindow::HarmonicsWindow, [this, decimalSign] {
        return new HarmonicsWindow(*state_, host_, harmonicLimits_, decimalSign, link_, printer_,
                                   window_.fileDialogs());
    });
}

bool Program::start(const QString& socketPath)
{
    window_.showOnWholeScreen();
    controller_.startUp();
    // The keyboard starts in the screen window, also where no window manager gives the main
    // window the keyboard again after the first start's message.
    window_.windowKeys().focusWindow(ToolWindow::ScreenWindow);
    window_.startMainTimer();
    // Remote commands are served once start-up has set the port and the layout.
    const bool listening = remoteServer_.listen(socketPath);
    started_ = true;
    // An end asked for during start-up (its messages wait for the user) runs in the event loop.
    if (endAfterStart_) QTimer::singleShot(0, &window_, [this] { endOnceBoxesClosed(); });
    return listening;
}

void Program::endFromOutside()
{
    // Nobody may be there to answer: the boxes open now close as if cancelled, so that the
    // operation waiting for one ends as its failure does, and no later box waits either.
    window_.modalBoxes().endWithoutAsking();
    if (!started_) {
        endAfterStart_ = true;
        return;
    }
    endOnceBoxesClosed();
}

void Program::endOnceBoxesClosed()
{
    // "Exit" runs once the closed boxes have returned to their callers, never from inside one.
    if (window_.modalBoxes().openCount() > 0) {
        QTimer::singleShot(kBoxesClosingMs, &window_, [this] { endOnceBoxesClosed(); });
        return;
    }
    controller_.endFromOutside();
}

}  // namespace ql::gui
