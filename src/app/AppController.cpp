#include "AppController.h"

#include <csignal>
#include <filesystem>
#include <system_error>

#include "OperationGuard.h"
#include "WindowPlaces.h"

#include "files/DataFileDialogs.h"
#include "files/ParameterFile.h"
#include "state/InitProgramState.h"

namespace ql {

namespace {

constexpr const char* kSwitchHoldOffText = ": switch Hold off there.";

// SIGXFSZ: the write that went over the limit fails with EFBIG, which its writer reports.
extern "C" void takeFileSizeSignal(int) {}

}  // namespace

void prepareProcess()
{
    struct sigaction action {};
    action.sa_handler = takeFileSizeSignal;
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGXFSZ, &action, nullptr);
}

std::string helpFolder(const AppPaths& paths)
{
    return paths.dataFile("help");
}

AppController::AppController(InstrumentLink& link, InstrumentOperations& operations, AppPaths paths)
    : state_(link.context().state),
      host_(link.context().host),
      link_(link),
      operations_(operations),
      paths_(std::move(paths))
{
}

void AppController::startUp()
{
    // The package installs every file the program needs, so there is nothing to unpack on a
    // first start. Autostore files go to the user's files folder, made on the first store.
    initProgramState(state_, paths_.userFilesDir());
    host_.setCaption(kProgramCaption);
    host_.setRemoteBox(false);
    host_.setAutoBox(false);
    // "Set/Read" and "Set" would write start values into the instrument before a first read.
    host_.setActionEnabled(UiAction::SetRead, false);
    host_.setActionEnabled(UiAction::Set, false);

    readParameterFile(state_, host_, paths_);
    host_.openWindow(ToolWindow::ScreenWindow);
    host_.setActionChecked(UiAction::AutomeasurementMenuItem, state_.layout.automesVisible != 0);
    if (state_.layout.automesVisible == 1) host_.openWindow(ToolWindow::MeasurementWindow);
    selectHelpFile(state_, helpFolder(paths_));
    for (ToolWindow panel :
         {ToolWindow::ChannelPanel, ToolWindow::TimebasePanel, ToolWindow::TriggerPanel,
          ToolWindow::IntensityPanel, ToolWindow::StoragePanel, ToolWindow::CursorWindow})
        host_.openWindow(panel);
    // Without a stored layout the default places would let the windows cover each other.
    if (state_.parDefaultsGenerated == 1) placeFirstLayout(state_, host_);

    // The windows opened above could not draw the screen yet; now it gets its first picture.
    state_.screen.screenBusy = 0;
    host_.refreshWindow(ToolWindow::ScreenWindow);
}

bool AppController::releaseAndClosePort()
{
    // A hold the program set itself and still owes the instrument: connecting gives it back.
    if (state_.link.programHold.outstanding && state_.link.remoteHeld != 1) {
        OperationGuard guard(state_, host_);
        HeldLinkMessages messages(link_.context().messages);
        link_.connectInstrument();
        // Not found: the instrument keeps the hold, and the user must take it off there.
        if (state_.link.programHold.outstanding)
            messages.addToLast(std::string(kHoldMayStillBeOnText) + kSwitchHoldOffText);
    }
    SerialLine& line = link_.line();
    if (!line.isOpen()) return true;
    bool answered = true;
    if (state_.link.remoteHeld == 1) {
        {
            LinkBusyScope busy(state_);
            line.flushInput();
            // The answer itself is not read. The wait serves no window events: the program is
            // going away and nothing may start on the line meanwhile.
            answered =
                line.sendString("rm0\r") &&
                line.waitForBytes(2, kReplyTimeoutMs, EventPolicy::NoEvents) == WaitOutcome::Ready;
        }
        if (!answered) {
            state_.link.autoUpdate = 0;
            state_.link.remoteHeld = 0;
            host_.setRemoteBox(false);
            host_.setAutoBox(false);
        }
    }
    line.closePort();
    return answered;
}

void AppController::runClosingSequence(bool byExit)
{
    state_.busy.closePending = false;
    state_.busy.exitPending = false;
    // "Exit" has written the parameter file and released the instrument already.
    if (!byExit) {
        if (state_.parDefaultsGenerated == 1) saveParameters(state_, host_, paths_);
        // The window closes whether or not the instrument answered.
        releaseAndClosePort();
    }
    finished_ = true;
    host_.quit();
}

CloseOutcome AppController::closeMainWindow()
{
    if (finished_) return CloseOutcome::Closed;
    if (operationRunning(state_)) {
        state_.busy.closePending = true;
        return CloseOutcome::Deferred;
    }
    runClosingSequence(false);
    return CloseOutcome::Closed;
}

ExitOutcome AppController::exitProgram()
{
    if (finished_) return ExitOutcome::Ended;
    if (operationRunning(state_)) {
        state_.busy.exitPending = true;
        return ExitOutcome::Deferred;
    }
    state_.busy.exitPending = false;
    // The port is closed either way; an end asked for from outside goes on without the answer.
    if (!releaseAndClosePort() && !endRequested_) return ExitOutcome::KeptOpen;
    saveParameters(state_, host_, paths_);
    runClosingSequence(true);
    return ExitOutcome::Ended;
}

void AppController::endFromOutside()
{
    endRequested_ = true;
    exitProgram();
}

void AppController::timerTick()
{
    if (finished_) return;
    if (!operationRunning(state_)) {
        if (state_.busy.exitPending && exitProgram() == ExitOutcome::Ended) return;
        if (state_.busy.closePending) {
            runClosingSequence(false);
            return;
        }
    }
    operations_.timerTick();
}

void AppController::loadDataMenu(FileDialogs& dialogs)
{
    if (operationRunning(state_)) return;
    loadDataFile(state_, host_, dialogs, link_.identification());
}

void AppController::saveDataMenu(FileDialogs& dialogs)
{
    if (operationRunning(state_)) return;
    saveDataFile(state_, host_, dialogs);
}

std::string AppController::helpDocument()
{
    selectHelpFile(state_, helpFolder(paths_));
    return state_.helpFile;
}

std::string AppController::helpDocumentInLanguage(byte language)
{
    state_.language = language;
    return helpDocument();
}

std::string AppController::fftManual(bool german) const
{
    return helpFolder(paths_) + (german ? "/FFT_QZV_D.html" : "/FFT_QZV_E.html");
}

void AppController::showDocument(Desktop& desktop, const std::string& path) const
{
    // The help ships with the program: a missing file means an incomplete installation, which
    // the desktop's "file not found" would not say.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        host_.showMessage(
            "The help file " + path + " is missing. Install QL240 again to restore its help files.",
            "Help", MessageIcon::Warning);
        return;
    }
    const Status opened = desktop.openFile(path);
    if (!opened) host_.report(opened.failure());
}

}  // namespace ql
