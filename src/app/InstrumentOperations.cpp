#include "InstrumentOperations.h"

#include "AutoStoreController.h"
#include "AutoStoreEngine.h"
#include "ClockLine.h"
#include "HarmonicsTestOperations.h"
#include "OperationGuard.h"
#include "ScreenPrintout.h"
#include "state/Numeric.h"
#include "state/Text.h"

namespace ql {

InstrumentOperations::InstrumentOperations(InstrumentLink& link, Printer& printer)
    : link_(link),
      state_(link.context().state),
      host_(link.context().host),
      clock_(link.context().clock),
      printer_(printer)
{
}

class InstrumentOperations::Edge {
public:
    explicit Edge(InstrumentOperations& ops)
        : ops_(ops),
          messages_(ops.link_.context().messages),
          harmonicsRan_(harmonicsAcquisitionRuns(ops.state_)),
          noteBefore_(ops.state_.clockNote)
    {
        ++ops_.edgeDepth_;
    }
    // The messages are let go after this body has run.
    ~Edge()
    {
        if (--ops_.edgeDepth_ > 0) return;
        ops_.stopEndedModes(kStoppedByTransmissionError, harmonicsRan_);
        // A mode that stopped says why on the clock line at once, not a tick after its message.
        if (ops_.state_.clockNote != noteBefore_) ops_.showClockLine();
    }
    Edge(const Edge&) = delete;
    Edge& operator=(const Edge&) = delete;

private:
    InstrumentOperations& ops_;
    HeldLinkMessages messages_;
    bool harmonicsRan_;
    std::string noteBefore_;
};

bool InstrumentOperations::inBracket(const std::function<bool()>& operation)
{
    Edge edge(*this);
    // The operation runs also when the connection failed: its commands then send nothing.
    const bool connectHere = state_.link.remoteHeld != 1;
    if (connectHere) link_.connectInstrument();
    const bool ok = operation();
    if (connectHere) link_.releaseRemote();
    return ok;
}

bool InstrumentOperations::readAndRelease()
{
    Edge edge(*this);
    // An after-trigger autostore needs the instrument held and armed for the timer's trigger
    // polls: the read then leaves both as they are (a re-arm would drop a completed
    // acquisition not yet stored). The harmonics acquisition reads on every tick and would
    // lose its accumulation with the hold.
    const bool keepHeld = afterTriggerAutoStoreRuns(state_) || harmonicsAcquisitionRuns(state_);
    if (state_.link.remoteHeld != 1) link_.connectInstrument();
    const bool ok = link_.sequences().readAllFromScope();
    if (!keepHeld) link_.releaseRemote();
    return ok;
}

void InstrumentOperations::stopEndedModes(std::string_view why, bool harmonicsRan)
{
    // A failure drops the hold; the user's Stop keeps it.
    if (harmonicsRan && state_.link.autoUpdate != 1 && state_.link.remoteHeld != 1)
        harmonicsAcquisitionStoppedBy(state_, host_, why);
    if (!afterTriggerAutoStoreStranded(state_)) return;
    autoStoreStoppedBy(state_, host_, why);
    // Given back as Pause does; after a failed exchange the instrument may still be in remote.
    link_.releaseRemote();
}

void InstrumentOperations::showClockLine()
{
    host_.setClockText("Time: " + clockStatusText(state_, clock_.now()));
}

// --- Toolbar ---------------------------------------------------------------------------------

void InstrumentOperations::config()
{
    // Opening the window releases a held instrument: never in the middle of an operation or an
    // exchange, whose reply the release would cut off.
    if (operationRunning(state_)) return;
    host_.openWindow(ToolWindow::PortSetup);
}

void InstrumentOperations::notes()
{
    if (operationRunning(state_)) return;
    host_.openWindow(ToolWindow::NotesWindow);
}

void InstrumentOperations::wmfExport()
{
    host_.openWindow(ToolWindow::ExportSettings);
}

void InstrumentOperations::print()
{
    host_.openWindow(ToolWindow::PrinterSettings);
}

void InstrumentOperations::autostore()
{
    host_.openWindow(ToolWindow::AutostoreWindow);
}

void InstrumentOperations::read()
{
    OperationGuard guard(state_, host_);
    if (!guard) return;
    host_.setActionEnabled(UiAction::Read, false);
    host_.pumpEvents();
    readAndRelease();
    // The autostore window, opened meanwhile, keeps "Read" off until it closes.
    host_.setActionEnabled(UiAction::Read, !host_.isWindowOpen(ToolWindow::AutostoreWindow));
}

void InstrumentOperations::writeThenRead(UiAction button, bool settingsOnly)
{
    OperationGuard guard(state_, host_);
    if (!guard) return;
    Sequences& seq = link_.sequences();
    host_.setActionEnabled(button, false);
    host_.pumpEvents();
    inBracket([&] { return seq.writeAllToScope(); });
    inBracket([&] { return settingsOnly ? seq.readSettingsFromScope() : seq.readAllFromScope(); });
    host_.setActionEnabled(button, true);
}

void InstrumentOperations::setRead()
{
    writeThenRead(UiAction::SetRead, false);
}

void InstrumentOperations::set()
{
    writeThenRead(UiAction::Set, true);
}

void InstrumentOperations::autoset()
{
    OperationGuard guard(state_, host_);
    if (!guard) return;
    inBracket([&] { return link_.control().sendAutoset(); });
}

void InstrumentOperations::remoteBoxReleased(bool checked)
{
    OperationGuard guard(state_, host_);
    if (guard) {
        if (checked) {
            link_.connectInstrument();
        } else if (state_.link.remoteHeld == 1 && link_.line().isOpen()) {
            link_.releaseRemote();
            state_.link.remoteHeld = 0;
        }
    }
    // The box shows what holds now, also when the click came during another operation.
    host_.setRemoteBox(state_.link.remoteHeld == 1);
}

void InstrumentOperations::autoBoxReleased(bool checked)
{
    if (!checked) {
        // Stopping the automatic update sends nothing (the hold stays), so it is never refused.
        state_.link.autoUpdate = 0;
        stopAutoStore(state_, host_);
        host_.setAutoBox(false);
        return;
    }
    OperationGuard guard(state_, host_);
    if (guard) {
        state_.link.autoUpdate = 1;
        // A failed connection clears the automatic update again.
        if (state_.link.remoteHeld == 0) link_.connectInstrument();
        if (state_.link.autoUpdate == 0) stopAutoStore(state_, host_);
    }
    host_.setAutoBox(state_.link.autoUpdate == 1);
}

// --- The storage panel's buttons ------------------------------------------------------------

void InstrumentOperations::resetReleased(MouseButton button)
{
    OperationGuard guard(state_, host_);
    if (!guard) return;
    if (!inBracket([&] { return link_.control().resetSingleShot(); })) return;
    // The right button also fetches what the re-armed instrument shows and hands it back.
    if (button == MouseButton::Right) readAndRelease();
}

void InstrumentOperations::saveReferences()
{
    OperationGuard guard(state_, host_);
    if (!guard) return;
    inBracket([&] { return link_.control().saveRefInScope(); });
}

void InstrumentOperations::saveSetup()
{
    OperationGuard guard(state_, host_);
    if (!guard) return;
    Sequences& seq = link_.sequences();
    // A set-up memory must never receive half-written settings: a failed write stores nothing.
    if (!inBracket([&] { return seq.writeAllToScope() && link_.control().saveSettingsInScope(); }))
        return;
    inBracket([&] { return seq.readSettingsFromScope(); });
}

void InstrumentOperations::recallSetup()
{
    OperationGuard guard(state_, host_);
    if (!guard) return;
    inBracket([&] {
        return link_.control().recallSettingsInScope() && link_.sequences().readSettingsFromScope();
    });
}

// --- Remote READ -----------------------------------------------------------------------------

RemoteReadOutcome InstrumentOperations::remoteRead()
{
    OperationGuard guard(state_, host_);
    if (!guard) return RemoteReadOutcome::Refused;
    return readAndRelease() ? RemoteReadOutcome::Read : RemoteReadOutcome::Failed;
}

// --- The one-second tick ---------------------------------------------------------------------

void InstrumentOperations::timerTick()
{
    showClockLine();
    // A tick that fires while an operation waits for the instrument leaves everything else to
    // a later tick: it must neither take reply bytes, nor start a read, nor draw half-read data.
    if (operationRunning(state_)) return;

    // What was asked of the autostore during an operation since the last tick.
    carryOutAutoStoreRequests(link_);
    // Something ended the automatic update without a failure (a release, a loaded file).
    if (afterTriggerAutoStoreStranded(state_)) {
        OperationGuard guard(state_, host_);
        autoStoreStoppedBy(state_, host_, kStoppedByUpdateEnd);
        if (state_.link.remoteHeld == 1) link_.releaseRemote();  // as Pause does
    }
    ScreenState& screen = state_.screen;
    if (screen.screenDirty == 1 && screen.screenBusy == 0) {
        host_.refreshWindow(ToolWindow::ScreenWindow);
        screen.screenDirty = 0;
    }

    instrumentWork();
    // A Pause, Stop or Exit clicked during that work is carried out now that it has ended.
    carryOutAutoStoreRequests(link_);
}

void InstrumentOperations::instrumentWork()
{
    const bool portOpen = link_.line().isOpen();
    const bool storeDue = timedAutoStoreDue();
    if (!portOpen && !storeDue) return;
    OperationGuard guard(state_, host_);
    if (!guard) return;
    Edge edge(*this);
    if (portOpen) {
        if (link_.checkCopyRequest()) serveCopyRequest();
        if (state_.link.autoUpdate == 1) pollAutomaticUpdate();
    }
    if (!storeDue) return;
    // A Pause, Stop or Exit clicked before this read starts (during the copy request, or still
    // waiting behind this tick's timer event) starts no store.
    host_.takeWaitingInput();
    if (timedAutoStoreDue()) runTimedAutoStore();
}

void InstrumentOperations::serveCopyRequest()
{
    // A failed connect or read has been reported; the page shows the data that stands.
    readAndRelease();
    (void)printScreenHardcopy(state_, host_, printer_, PrintoutStart::Unattended);
}

void InstrumentOperations::pollAutomaticUpdate()
{
    ProgramState& s = state_;
    ++s.link.autoPollCounter;
    // Waiting for a single acquisition: only the trigger status is asked until it completed.
    // Before firmware 2.01 the single-shot setting alone does not report its status this way.
    const bool singleShot = s.ddf.storageMode == 1 ||
                            (s.ddf.singleShot == 1 &&
                             firmwareAbove(s.identity.firmwareVersion, kSingleShotPollFirmware));
    if (singleShot) {
        // A failed status query leaves the old status standing: it must not start a read.
        if (link_.trigger().queryTrgSta() && s.trigStatus.trigStatus == s.trigStatus.trigStatusDone)
            readCompletedAcquisition();
    } else {
        link_.sequences().readAllFromScope();
    }
    // A failed exchange has ended the automatic update, and with it the storing: the tick's
    // edge stops them visibly.
    s.link.autoPollCounter = 0;
}

void InstrumentOperations::readCompletedAcquisition()
{
    ProgramState& s = state_;
    const bool storing = afterTriggerAutoStoreRuns(s);
    if (storing) {
        // A Pause, Stop or Exit clicked before the read starts (still waiting behind this
        // tick's timer event, or during the status query), or "Auto" cleared, starts no read:
        // the acquisition stays on the instrument, neither read nor re-armed, so that after an
        // Exit the run goes on and stores it on the next tick.
        host_.takeWaitingInput();
        if (autoStoreRequestPending(s.autoStore) || !afterTriggerAutoStoreRuns(s)) return;
    }
    const bool read = link_.sequences().readAllFromScope();
    if (read && storing) storeAutoStoreFile();
    if (storing && s.autoStore.autoStoreActive != 1)
        link_.releaseRemote();  // the store stopped the autostore: given back as Pause does
    else
        link_.control().resetSingleShot();
}

void InstrumentOperations::storeAutoStoreFile()
{
    if (!autoStoreFile_) return;
    // Told with the link's messages at the operation's end, once the instrument is given back.
    if (const Status stored = autoStoreFile_(); !stored) {
        const Failure& f = stored.failure();
        link_.context().messages.show(f.text, f.title, f.icon);
    }
}

bool InstrumentOperations::timedAutoStoreDue()
{
    const AutoStore& a = state_.autoStore;
    if (a.autoStoreActive != 1 || a.autoStoreTimed != 1 || autoStoreRequestPending(a)) return false;
    return toEpochSeconds(a.autoStoreNextTime) - toEpochSeconds(clock_.now()) <= 0;
}

void InstrumentOperations::runTimedAutoStore()
{
    AutoStore& a = state_.autoStore;
    a.autoStoreNextTime = fromEpochSeconds(toEpochSeconds(clock_.now()) + a.autoStoreMinutes * 60);
    // Without a fresh read the file would hold old data as a new measurement: store nothing
    // and keep the counter.
    if (readAndRelease()) storeAutoStoreFile();
}

}  // namespace ql
