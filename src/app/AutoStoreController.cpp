#include "AutoStoreController.h"

#include "AutoStoreEngine.h"
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
    if (a.autoStoreActive == 1)
        v.startCaption = "Pause";
    else
        v.startCaption = startPressed_ ? "Start" : "&Start";
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

void AutoStoreController::releaseIfHeld()
{
    if (s_.link.remoteHeld == 1) link_.releaseRemote();
}

Followup AutoStoreController::startPause()
{
    OperationGuard guard(s_, host_);
    if (!guard) return {};
    startPressed_ = true;
    AutoStore& a = s_.autoStore;
    if (a.autoStoreActive == 1) {
        a.autoStoreActive = 0;
        releaseIfHeld();
        return {};
    }
    if (autoStoreNumbersUsed(a)) {
        host_.showMessage(kAutoStoreNumbersUsedText, kAutoStoreWindowTitle,
                          MessageIcon::Information);
        return {};
    }
    a.autoStoreActive = 1;
    if (a.autoStoreTimed == 1) {
        const std::int64_t now = toEpochSeconds(link_.context().clock.now());
        a.autoStoreNextTime = fromEpochSeconds(now + a.autoStoreMinutes * 60);
        // Each timed store connects by itself.
        releaseIfHeld();
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
    OperationGuard guard(s_, host_);
    if (!guard) return {};
    startPressed_ = true;
    s_.autoStore.autoStoreActive = 0;
    s_.autoStore.autoStoreCounter = 0;
    if (link_.line().isOpen() && s_.link.remoteHeld == 1) {
        link_.releaseRemote();
        s_.link.remoteHeld = 0;
    }
    return {};
}

Followup AutoStoreController::exit()
{
    OperationGuard guard(s_, host_);
    if (!guard) return {};
    const AutoStore& a = s_.autoStore;
    if (a.autoStoreActive != 1) s_.autoStore.autoStoreCounter = 0;
    // An after-trigger autostore stores only while the instrument is held for the timer.
    const bool afterTriggerRuns = a.autoStoreActive == 1 && a.autoStoreTimed == 0;
    if (!afterTriggerRuns) releaseIfHeld();
    Followup close;
    close.closeWindow = true;
    return close;
}

}  // namespace ql
