#include "InstrumentOperations.h"

#include "AutoStoreEngine.h"
#include "ClockLine.h"
#include "HarmonicsTestOperations.h"
#include "OperationGuard.h"
#include "ScreenPrintout.h"
#include "state/Numeric.h"
#include "state/Text.h"

namespace ql {

InstrumentOperations::InstrumentOperations(InstrumentLink& link, Printer& printer,
                                           std::string userFilesFolder, char decimalSign)
    : link_(link),
      state_(link.context().state),
      host_(link.context().host),
      clock_(link.context().clock),
      printer_(printer),
      autoStore_(link, printer, std::move(userFilesFolder), decimalSign)
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
    autoStore_.stopAfterFailure(why);
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
    autoStore_.stopIfStranded();
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
    // Looking takes no guard: the busy pointer and the toolbar boxes change only for a tick
    // that exchanges with the instrument or stores.
    const bool lineWork =
        link_.line().isOpen() && (state_.link.autoUpdate == 1 || link_.copyRequestMayWait());
    const bool storeDue = autoStore_.timedStoreDue();
    if (!lineWork && !storeDue) return;
    OperationGuard guard(state_, host_);
    if (!guard) return;
    Edge edge(*this);
    if (link_.line().isOpen()) {
        if (link_.checkCopyRequest()) serveCopyRequest();
        if (state_.link.autoUpdate == 1) pollAutomaticUpdate();
    }
    if (storeDue) autoStore_.storeTimed([this] { return readAndRelease(); });
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
    if (afterTriggerAutoStoreRuns(state_)) return autoStore_.storeCompletedAcquisition();
    link_.sequences().readAllFromScope();
    link_.control().resetSingleShot();
}

}  // namespace ql
