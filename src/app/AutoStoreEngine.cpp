#include "AutoStoreEngine.h"

#include "ClockLine.h"
#include "ScreenPrintout.h"
#include "files/AutoStoreFiles.h"

namespace ql {

namespace {

Status stopForNumbersUsed(ProgramState& s, Host& host)
{
    autoStoreStoppedBy(s, host, kStoppedByNumbersUsed);
    return Status::fail(std::string(kAutoStoreNumbersUsedText), std::string(kAutoSaveTitle),
                        MessageIcon::Information);
}

}  // namespace

bool afterTriggerAutoStoreRuns(const ProgramState& s)
{
    return s.autoStore.autoStoreActive == 1 && s.autoStore.autoStoreTimed == 0 &&
           s.link.autoUpdate == 1;
}

bool afterTriggerAutoStoreStranded(const ProgramState& s)
{
    return s.autoStore.autoStoreActive == 1 && s.autoStore.autoStoreTimed == 0 &&
           s.link.autoUpdate != 1;
}

bool autoStoreRequestPending(const AutoStore& a)
{
    return a.pauseRequested || a.stopRequested || a.exitRequested;
}

Status storeNextAutoStoreFile(ProgramState& s, Host& host, Printer& printer, char decimalSign,
                              const std::string& userFilesFolder)
{
    AutoStore& a = s.autoStore;
    // Files may have come into the folder since the last store.
    if (!skipTakenAutoStoreNumbers(a)) return stopForNumbersUsed(s, host);
    const Result<std::string> stored = storeAutoStoreFile(s, decimalSign, userFilesFolder);
    if (a.autoStorePrint == 1)
        (void)printScreenHardcopy(s, host, printer, PrintoutStart::Unattended,
                                  stored ? std::optional(stored.value()) : std::nullopt);
    if (!stored) {
        // Every later store would fail the same way, each with its message.
        autoStoreStoppedBy(s, host, kStoppedByFileError);
        return stored.status();
    }
    ++a.autoStoreCounter;
    if (!skipTakenAutoStoreNumbers(a)) return stopForNumbersUsed(s, host);
    return Status::success();
}

void stopAutoStore(ProgramState& s, Host& host)
{
    s.autoStore.autoStoreActive = 0;
    host.refreshWindow(ToolWindow::AutostoreWindow);
}

void autoStoreStoppedBy(ProgramState& s, Host& host, std::string_view why)
{
    keepClockNote(s, "Autostore stopped: " + std::string(why));
    stopAutoStore(s, host);
}

}  // namespace ql
