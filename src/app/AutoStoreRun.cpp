#include "AutoStoreRun.h"

#include "AutoStoreEngine.h"
#include "OperationGuard.h"

namespace ql {

void releaseIfHeld(InstrumentLink& link)
{
    if (link.context().state.link.remoteHeld == 1) link.releaseRemote();
}

void pauseAutoStore(InstrumentLink& link)
{
    AutoStore& a = link.context().state.autoStore;
    // Stopped by itself meanwhile: a Pause must not turn into a Start.
    if (a.autoStoreActive != 1) return;
    a.autoStoreActive = 0;
    releaseIfHeld(link);
}

void stopAutoStoreRun(InstrumentLink& link)
{
    ProgramState& s = link.context().state;
    s.autoStore.autoStoreActive = 0;
    s.autoStore.autoStoreCounter = 0;
    if (link.line().isOpen()) releaseIfHeld(link);
}

void leaveAutoStoreWindow(InstrumentLink& link)
{
    ProgramState& s = link.context().state;
    const AutoStore& a = s.autoStore;
    if (a.autoStoreActive != 1) s.autoStore.autoStoreCounter = 0;
    // An after-trigger autostore stores only while the instrument is held for the timer.
    const bool afterTriggerRuns = a.autoStoreActive == 1 && a.autoStoreTimed == 0;
    if (!afterTriggerRuns) releaseIfHeld(link);
}

void carryOutAutoStoreRequests(InstrumentLink& link)
{
    ProgramState& s = link.context().state;
    Host& host = link.context().host;
    AutoStore& a = s.autoStore;
    if (!autoStoreRequestPending(a)) return;
    OperationGuard guard(s, host);
    if (!guard) return;
    const bool pauseAsked = a.pauseRequested, stopAsked = a.stopRequested;
    const bool exitAsked = a.exitRequested;
    a.pauseRequested = a.stopRequested = a.exitRequested = false;
    if (stopAsked)
        stopAutoStoreRun(link);
    else if (pauseAsked)
        pauseAutoStore(link);
    if (exitAsked) {
        leaveAutoStoreWindow(link);
        host.closeWindow(ToolWindow::AutostoreWindow);
    } else {
        host.refreshWindow(ToolWindow::AutostoreWindow);
    }
}

AutoStoreRun::AutoStoreRun(InstrumentLink& link, Printer& printer, std::string userFilesFolder,
                           char decimalSign)
    : link_(link),
      state_(link.context().state),
      host_(link.context().host),
      clock_(link.context().clock),
      storeFile_([this, &printer, folder = std::move(userFilesFolder), decimalSign] {
          return storeNextAutoStoreFile(state_, host_, printer, decimalSign, folder);
      })
{
}

bool AutoStoreRun::timedStoreDue() const
{
    const AutoStore& a = state_.autoStore;
    if (a.autoStoreActive != 1 || a.autoStoreTimed != 1 || autoStoreRequestPending(a) ||
        programEnding(state_.busy))
        return false;
    return toEpochSeconds(a.autoStoreNextTime) - toEpochSeconds(clock_.now()) <= 0;
}

void AutoStoreRun::storeTimed(const std::function<bool()>& read)
{
    // A Pause, Stop or Exit clicked before this read starts (during the copy request, or still
    // waiting behind this tick's timer event) starts no store.
    host_.takeWaitingInput();
    if (!timedStoreDue()) return;
    AutoStore& a = state_.autoStore;
    a.autoStoreNextTime = fromEpochSeconds(toEpochSeconds(clock_.now()) + a.autoStoreMinutes * 60);
    // Without a fresh read the file would hold old data as a new measurement: store nothing
    // and keep the counter.
    if (read()) storeNextFile();
}

void AutoStoreRun::storeCompletedAcquisition()
{
    // A Pause, Stop or Exit clicked before the read starts (still waiting behind this tick's
    // timer event, or during the status query), the program's end asked for meanwhile, or
    // "Auto" cleared, starts no read.
    host_.takeWaitingInput();
    if (autoStoreRequestPending(state_.autoStore) || programEnding(state_.busy) ||
        !afterTriggerAutoStoreRuns(state_))
        return;
    if (link_.sequences().readAllFromScope()) storeNextFile();
    if (state_.autoStore.autoStoreActive != 1)
        link_.releaseRemote();  // the store stopped the autostore: given back as Pause does
    else
        link_.control().resetSingleShot();
}

void AutoStoreRun::stopAfterFailure(std::string_view why)
{
    if (!afterTriggerAutoStoreStranded(state_)) return;
    autoStoreStoppedBy(state_, host_, why);
    // Given back as Pause does; after a failed exchange the instrument may still be in remote.
    link_.releaseRemote();
}

void AutoStoreRun::stopIfStranded()
{
    if (!afterTriggerAutoStoreStranded(state_)) return;
    OperationGuard guard(state_, host_);
    autoStoreStoppedBy(state_, host_, kStoppedByUpdateEnd);
    releaseIfHeld(link_);  // as Pause does
}

void AutoStoreRun::storeNextFile()
{
    if (!storeFile_) return;
    // Told with the link's messages at the operation's end, once the instrument is given back.
    if (const Status stored = storeFile_(); !stored) {
        const Failure& f = stored.failure();
        link_.context().messages.show(f.text, f.title, f.icon);
    }
}

}  // namespace ql
