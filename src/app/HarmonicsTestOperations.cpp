#include "HarmonicsTestOperations.h"

#include <optional>

#include "ClockLine.h"
#include "OperationGuard.h"
#include "ScreenPrintout.h"
#include "files/DataFileOperations.h"
#include "harmonics/HarmonicsReport.h"
#include "harmonics/HarmonicsTableText.h"
#include "state/AtomicFile.h"
#include "state/Text.h"

namespace ql {

namespace {

// The trigger coupling LINE: code 6 on models without time base B, 7 on the others.
constexpr byte kLineCouplingWithoutTbB = 6;
constexpr byte kLineCoupling = 7;
// Time base A at 50 ms per division: two and a half periods of 50 Hz on the screen.
constexpr byte kHarmonicsTimebaseIndex = 18;
// CH I in the middle of the screen.
constexpr std::int16_t kCentredPosition = 512;

// The settings the set-up changes, as the instrument last reported them. A set-up that ends
// before its last step (a failure at any step, the window closed) puts them back, so the
// program never shows or saves settings the instrument never took.
class LastReadSettings {
public:
    LastReadSettings(ProgramState& s, Host& host) : s_(s), host_(host) {}
    ~LastReadSettings()
    {
        if (finished_ || !ddf_) return;
        // The opaque blocks a write-all fetched are the instrument's own bytes: they stay.
        DdfSettings read = *ddf_;
        read.ddf2Data = s_.ddf.ddf2Data;
        read.measDdfData = s_.ddf.measDdfData;
        s_.ddf = read;
        s_.storage.holdWaveform = hold_;
        host_.stateChanged(s_, {.screen = true, .settings = true});
    }
    LastReadSettings(const LastReadSettings&) = delete;
    LastReadSettings& operator=(const LastReadSettings&) = delete;

    // The settings in the state have just been read from the instrument.
    void keep()
    {
        ddf_ = s_.ddf;
        hold_ = s_.storage.holdWaveform;
    }
    void finished() { finished_ = true; }

private:
    ProgramState& s_;
    Host& host_;
    std::optional<DdfSettings> ddf_;
    byte hold_ = 0;
    bool finished_ = false;
};

}  // namespace

bool harmonicsAcquisitionRuns(const ProgramState& s)
{
    return s.harm.obwActive == 1 && s.link.autoUpdate == 1;
}

void harmonicsAcquisitionStoppedBy(ProgramState& s, Host& host, std::string_view why)
{
    keepClockNote(s, "Harmonics acquisition stopped: " + std::string(why));
    host.refreshWindow(ToolWindow::HarmonicsWindow);
}

bool isTabFileName(std::string_view name)
{
    const std::string trimmed = trim(name);
    return trimmed.size() >= 3 && upperAscii(trimmed.substr(trimmed.size() - 3)) == "TAB";
}

HarmonicsTestOperations::HarmonicsTestOperations(InstrumentLink& link, Printer& printer,
                                                 FileDialogs& dialogs)
    : link_(link),
      state_(link.context().state),
      host_(link.context().host),
      clock_(link.context().clock),
      printer_(printer),
      dialogs_(dialogs)
{
}

void HarmonicsTestOperations::defaultSetting()
{
    OperationGuard guard(state_, host_);
    if (!guard) return;
    setUp();
}

void HarmonicsTestOperations::startStop()
{
    if (state_.link.autoUpdate == 1) {
        // Stopping sends nothing: the instrument stays held and the results stay.
        state_.link.autoUpdate = 0;
        host_.setAutoBox(false);
        return;
    }
    OperationGuard guard(state_, host_);
    if (!guard) return;
    clearHarmonics(state_);
    // The accumulation starts with the set-up's own read, also after a set-up that failed.
    state_.harmTest.harmFirstGeneration = state_.waves.generation + 1;
    setUp();
}

bool HarmonicsTestOperations::setUp()
{
    ProgramState& s = state_;
    // Why an earlier acquisition stopped is no longer news.
    keepClockNote(s, {});
    if (s.link.remoteHeld != 1) {
        if (!host_.askYesNo(kScopeConnectedQuestion, kScopeConnectedTitle)) return false;
        // A failed connection has been reported and leaves the settings as they were.
        if (!link_.connectInstrument()) return false;
    }
    // Every step has reported its own failure; after one nothing more is sent.
    Sequences& seq = link_.sequences();
    LastReadSettings lastRead(s, host_);
    if (!windowOpen() || !seq.readSettingsFromScope()) return false;
    lastRead.keep();
    DdfSettings& d = s.ddf;
    d.ch1On = 1;
    d.ch2On = 0;
    d.ch1Position = kCentredPosition;
    d.storageMode = 0;  // refresh
    d.digitalMode = 1;
    s.storage.holdWaveform = 0;
    if (!windowOpen() || !seq.writeAllToScope()) return false;
    if (!windowOpen() || !link_.control().sendAutoset()) return false;
    // What AUTOSET chose stays, the CH I volts per division among it, except for these.
    if (!windowOpen() || !seq.readSettingsFromScope()) return false;
    lastRead.keep();
    d.trigCoupling = s.caps.unitNotbb ? kLineCouplingWithoutTbB : kLineCoupling;
    d.tbAIndex = kHarmonicsTimebaseIndex;
    d.ch1Position = kCentredPosition;
    d.ch1Coupling = 0;  // DC
    if (!windowOpen() || !seq.writeAllToScope()) return false;
    if (!settle() || !seq.readAllFromScope()) return false;
    lastRead.finished();  // the state holds what the instrument has just reported
    if (!windowOpen()) return false;
    s.link.autoUpdate = 1;
    host_.setAutoBox(true);
    return true;
}

bool HarmonicsTestOperations::settle()
{
    // On the monotonic clock, so a set-up around midnight waits 2 s as well.
    const std::int64_t start = clock_.monotonicMs();
    while (clock_.monotonicMs() - start < kHarmonicsSettleMs) {
        host_.pumpEvents();
        if (!windowOpen()) return false;
        clock_.idle();
    }
    return windowOpen();
}

void HarmonicsTestOperations::printReport(const HarmonicsWindowController& window)
{
    if (operationRunning(state_)) return;
    const HarmonicsWindowView view = window.view();
    HarmonicsReportInput input;
    input.headline = view.headline;
    input.limitName = state_.harm.harmLimitName.str();
    input.longDate = formatLongDate(clock_.now());
    input.powerFactorText = view.powerFactorText;
    input.result = &window.result();
    const Status printed = printHarmonicsReport(input, printer_);
    reportPrintout(host_, printer_, printed);
}

void HarmonicsTestOperations::exportTable(const HarmonicsWindowController& window)
{
    if (operationRunning(state_)) return;
    FileDialogRequest request;
    request.title = kSaveTabTitle;
    request.filter = kSaveTabFilter;
    request.defaultExtension = "tab";
    request.confirmOverwrite = true;
    request.confirmCreate = true;
    const std::optional<std::string> chosen = dialogs_.chooseFileToSave(request);
    if (!chosen) return;
    // Kept also when refused: the picture exports start from it next time.
    state_.exportTarget.exportFileName = *chosen;
    if (!isTabFileName(*chosen)) {
        host_.report(fileError(kBadFilenameText, kSaveTabTitle, refusedNameCause(*chosen, "tab")));
        return;
    }
    // Blanks around the name would become part of the file's name; a failed write leaves
    // the file that was there.
    const std::string tabText = harmonicsTabText(window.result());
    const Status written = writeFileAtomically(trim(*chosen), tabText, kSaveTabTitle);
    if (!written)
        host_.report(fileError(kFileErrorText, kTabFileErrorTitle, written.failure().text));
}

}  // namespace ql
