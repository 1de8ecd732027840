#include "AutoStoreController.h"

#include "AutoStoreEngine.h"
#include "AutoStoreRun.h"
#include "ClockLine.h"
#include "InstrumentOperations.h"
#include "OperationGuard.h"
#include "files/AutoStoreFiles.h"
#include "state/Numeric.h"
#include "state/Text.h"

namespace ql {

namespace {

std::string_view extensionOf(bool asTable)
{
    return asTable ? ".tab" : ".mes";
}

}  // namespace

FileDialogRequest autoStoreDialogRequest(bool asTable)
{
    FileDialogRequest r;
    r.title = "Save Data";
    r.filter = asTable ? "Measurement (*.tab) |*.tab" : "Measurement (*.mes) |*.mes";
    r.defaultExtension = asTable ? "tab" : "MES";
    r.confirmOverwrite = true;
    r.confirmCreate = true;
    return r;
}

std::optional<std::string> autoStorePrefixFromName(std::string_view name, bool asTable)
{
    const std::string_view extension = extensionOf(asTable);
    if (name.size() < extension.size()) return std::nullopt;
    const std::string_view stem = name.substr(0, name.size() - extension.size());
    if (upperAscii(name.substr(stem.size())) != upperAscii(extension)) return std::nullopt;
    return std::string(stem);
}

AutoStoreController::AutoStoreController(InstrumentLink& link, char decimalSign)
    : link_(link), s_(link.context().state), host_(link.context().host), decimalSign_(decimalSign)
{
}

void AutoStoreController::opened()
{
    // Read would end the hold an after-trigger autostore needs; Set/Read and Set come back
    // with the next complete read.
    for (UiAction a : {UiAction::Read, UiAction::SetRead, UiAction::Set})
        host_.setActionEnabled(a, false);
    if (s_.autoStore.autoStoreActive != 1) s_.autoStore.autoStoreCounter = 0;
    // An Exit asked for before the window was last closed does not close this opening.
    s_.autoStore.exitRequested = false;
    startPressed_ = false;
    fileChosen_ = false;
}

void AutoStoreController::closed()
{
    host_.setActionEnabled(UiAction::Read, true);
}

AutoStoreView AutoStoreController::view() const
{
    const AutoStore& a = s_.autoStore;
    AutoStoreView v;
    v.fileLabel = trim(a.autoStorePrefix);
    if (fileChosen_) v.fileLabel += "XXXXX" + std::string(extensionOf(a.autoStoreAsTable == 1));
    v.timed = a.autoStoreTimed == 1;
    v.minutesText = str(a.autoStoreMinutes);
    v.printAfterStorage = a.autoStorePrint == 1;
    v.saveAsTable = a.autoStoreAsTable == 1;
    if (a.autoStoreActive == 1 && !a.pauseRequested && !a.stopRequested)
        v.startCaption = "Pause";
    else
        v.startCaption = startPressed_ ? "Start" : "&Start";
    v.startEnabled = !autoStoreRequestPending(a);
    v.stopEnabled = !a.stopRequested && !a.exitRequested;
    v.exitEnabled = !a.exitRequested;
    return v;
}

Followup AutoStoreController::modeChosen(bool timed)
{
    s_.autoStore.autoStoreTimed = timed ? 1 : 0;
    return {};
}

Followup AutoStoreController::minutesEntered(std::string_view text)
{
    // A changed interval applies from the next due time on.
    if (const std::optional<double> number = numberInText(text, decimalSign_)) {
        const double minutes = roundHalfEven(*number);
        if (minutes < 0)
            s_.autoStore.autoStoreMinutes = 1;
        else if (minutes > kMaxAutoStoreMinutes)
            s_.autoStore.autoStoreMinutes = kMaxAutoStoreMinutes;
        else
            s_.autoStore.autoStoreMinutes = static_cast<std::int16_t>(minutes);
    }
    return {};
}

Followup AutoStoreController::printToggled(bool checked)
{
    s_.autoStore.autoStorePrint = checked ? 1 : 0;
    return {};
}

Followup AutoStoreController::tableToggled(bool checked)
{
    // The prefix stays; the extension follows the mode at each store.
    s_.autoStore.autoStoreAsTable = checked ? 1 : 0;
    return {};
}

Followup AutoStoreController::selectFilename(FileDialogs& dialogs)
{
    if (operationRunning(s_)) return {};
    const bool asTable = s_.autoStore.autoStoreAsTable == 1;
    const std::optional<std::string> chosen =
        dialogs.chooseFileToSave(autoStoreDialogRequest(asTable));
    // A cancelled dialog or a name of another kind keeps the prefix.
    if (chosen)
        if (const auto prefix = autoStorePrefixFromName(*chosen, asTable))
            s_.autoStore.autoStorePrefix = *prefix;
    fileChosen_ = true;
    return {};
}

Followup AutoStoreController::startPause()
{
    AutoStore& a = s_.autoStore;
    if (operationRunning(s_)) {
        // The store or read in progress ends first; a Start waits for a quiet moment.
        if (a.autoStoreActive == 1) {
            a.pauseRequested = true;
            startPressed_ = true;
        }
        return {};
    }
    OperationGuard guard(s_, host_);
    startPressed_ = true;
    if (a.autoStoreActive == 1) {
        pauseAutoStore(link_);
        return {};
    }
    if (!skipTakenAutoStoreNumbers(a)) {
        host_.showMessage(kAutoStoreNumbersUsedText, kAutoStoreWindowTitle,
                          MessageIcon::Information);
        return {};
    }
    a.autoStoreActive = 1;
    keepClockNote(s_, {});
    if (a.autoStoreTimed == 1) {
        const std::int64_t now = toEpochSeconds(link_.context().clock.now());
        a.autoStoreNextTime = fromEpochSeconds(now + a.autoStoreMinutes * 60);
        // Each timed store connects by itself.
        releaseIfHeld(link_);
        return {};
    }
    if (!startAfterTrigger()) a.autoStoreActive = 0;
    return {};
}

bool AutoStoreController::startAfterTrigger()
{
    // A failed exchange has been told by the link, which also ended the hold.
    const bool heldBefore = s_.link.remoteHeld == 1;
    if (!heldBefore && !link_.connectInstrument()) return false;
    Sequences& seq = link_.sequences();
    if (!seq.readSettingsFromScope()) return false;
    // The main timer waits for single acquisitions only in the Single storage mode, or with
    // the single-shot setting on a firmware above 2.0; without digital storage an older
    // firmware has neither, and the timer would read continuously and never store.
    const bool oldFirmware = !firmwareAbove(s_.identity.firmwareVersion, kSingleShotPollFirmware);
    if (oldFirmware && s_.ddf.digitalMode != 1) {
        if (!heldBefore) link_.releaseRemote();
        host_.showMessage(kAfterTriggerNeedsDigitalText, kAutoStoreWindowTitle,
                          MessageIcon::Information);
        return false;
    }
    if (oldFirmware) {
        s_.ddf.singleShot = 0;
        s_.ddf.storageMode = 1;  // Single
    } else {
        s_.ddf.singleShot = 1;
    }
    host_.refreshWindow(ToolWindow::StoragePanel);
    if (s_.link.remoteHeld != 1 && !link_.connectInstrument()) return false;
    if (!seq.writeAllToScope()) return false;
    // The main timer now asks the trigger status on every tick.
    s_.link.autoUpdate = 1;
    host_.setAutoBox(true);
    return link_.control().resetSingleShot();
}

Followup AutoStoreController::stop()
{
    startPressed_ = true;
    if (operationRunning(s_)) {
        s_.autoStore.stopRequested = true;
        return {};
    }
    OperationGuard guard(s_, host_);
    stopAutoStoreRun(link_);
    return {};
}

Followup AutoStoreController::exit()
{
    if (operationRunning(s_)) {
        s_.autoStore.exitRequested = true;
        return {};
    }
    OperationGuard guard(s_, host_);
    leaveAutoStoreWindow(link_);
    Followup close;
    close.closeWindow = true;
    return close;
}

}  // namespace ql
