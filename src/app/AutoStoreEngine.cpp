#include "AutoStoreEngine.h"

#include "ScreenPrintout.h"
#include "files/AutoStoreFiles.h"

namespace ql {

bool autoStoreNumbersUsed(const AutoStore& a)
{
    return a.autoStoreCounter > kLastAutoStoreNumber;
}

void storeNextAutoStoreFile(ProgramState& s, Host& host, Printer& printer, char decimalSign)
{
    AutoStore& a = s.autoStore;
    if (!autoStoreNumbersUsed(a)) {
        const Result<std::string> stored = storeAutoStoreFile(s, host, decimalSign);
        if (!stored) host.report(stored.failure());
        if (a.autoStorePrint == 1)
            (void)printScreenHardcopy(s, host, printer, PrintoutStart::Unattended,
                                      stored ? std::optional(stored.value()) : std::nullopt);
        ++a.autoStoreCounter;
    }
    if (autoStoreNumbersUsed(a)) {
        stopAutoStore(s, host);
        host.showMessage(kAutoStoreNumbersUsedText, kAutoSaveTitle, MessageIcon::Information);
    }
}

void stopAutoStore(ProgramState& s, Host& host)
{
    s.autoStore.autoStoreActive = 0;
    host.refreshWindow(ToolWindow::AutostoreWindow);
}

}  // namespace ql
