#pragma once
// The instrument operations of the main window: the toolbar's handlers, the storage panel's
// four buttons, the remote READ and the instrument work of the one-second tick (clock and autostore
// status, the deferred redraw, the copy request, the automatic update and the autostore, whose
// running part is AutoStoreRun).
// Each operation that talks to the instrument runs under the OperationGuard and brackets its work
// with connect ... release; a handler with the busy test does nothing while operationRunning().

#include <functional>
#include <string>
#include <string_view>

#include "AutoStoreRun.h"
#include "draw/Printer.h"
#include "link/InstrumentLink.h"
#include "state/Status.h"

namespace ql {

// Firmware above which a single-shot setting alone (not only the Single storage mode) makes
// the automatic update wait for the trigger.
constexpr float kSingleShotPollFirmware = 2.0f;

// What a remote READ did.
enum class RemoteReadOutcome { Refused, Read, Failed };

// The mouse button released over a button that tells them apart (the keyboard counts as Left).
enum class MouseButton { Left, Right };

class InstrumentOperations {
public:
    // Hardcopies asked for on the instrument come out on `printer`, the program's printer, as
    // do the autostore's printouts; the autostore's numbered files go where its prefix says,
    // making the user's files folder `userFilesFolder` when they go there, tables written with
    // `decimalSign`.
    InstrumentOperations(InstrumentLink& link, Printer& printer, std::string userFilesFolder,
                         char decimalSign);

    // Replaces the autostore's store (a test records the stores instead of writing files).
    void setAutoStoreFile(AutoStoreRun::StoreFile store)
    {
        autoStore_.setStoreFile(std::move(store));
    }

    // --- Toolbar ------------------------------------------------------------------------------
    void config();     // "Config" and "Config port": the port set-up window
    void read();       // "Read": connect unless held, read-all, release always
    void setRead();    // "Set/Read": write-all, then read-all, each in its own bracket
    void set();        // "Set": write-all, then the settings alone
    void autoset();    // "Autoset"
    void notes();      // "Notes": the notes window
    void wmfExport();  // "WMF-Export": the export settings window (no busy test)
    void print();      // Data menu "&Print": the print settings window, with its preview
    void autostore();  // Measurement menu "&Autostore": the autostore window (no busy test)
    // "RM" and "Auto" act when the mouse button is released over them, with the box's new
    // value; setting the box from code must not call these.
    void remoteBoxReleased(bool checked);
    void autoBoxReleased(bool checked);

    // --- The storage panel's buttons -------------------------------------------------------
    // Each sends its commands at once, in the connect ... release bracket, and stops at the
    // first failure; like the toolbar, none does anything while another operation runs.
    // "Reset": re-arms a single acquisition; released with the right button it then reads
    // everything and releases the instrument also when the user held it.
    void resetReleased(MouseButton button);
    // "Set": the shown reference traces into the instrument's REF memories.
    void saveReferences();
    // "Save": the program's settings into the instrument and from there into the set-up
    // memory of the panel; then, in a bracket of its own, the settings read back.
    void saveSetup();
    // "Recall": the set-up memory of the panel into the instrument, then its settings read.
    void recallSetup();

    // --- Remote command READ --------------------------------------------------------------
    RemoteReadOutcome remoteRead();

    // --- The one-second tick ----------------------------------------------------------------
    // Clock and autostore status; then, unless an operation runs, the autostore's Pause, Stop
    // or Exit that waited for an operation (also right after this tick's own work), an
    // after-trigger autostore whose automatic update has ended stopped visibly, the deferred
    // redraw, the instrument's copy request, the automatic update and the timed autostore.
    void timerTick();

private:
    // Connects unless the instrument is held, runs `operation`, and releases only when it
    // connected here. Returns what the operation returned.
    bool inBracket(const std::function<bool()>& operation);
    // Connects unless held, reads everything, releases always (even a hold the user set),
    // except while an after-trigger autostore or the harmonics acquisition runs: those keep the
    // instrument held (and armed).
    bool readAndRelease();
    void writeThenRead(UiAction button, bool settingsOnly);

    // A hardcopy asked for on the instrument: read everything, release, print (with the print
    // settings and the preview open until the page is done).
    void serveCopyRequest();
    // The guarded part of the tick: the copy request, the automatic update, the timed store.
    void instrumentWork();
    // The end of an operation that talks to the instrument, of the outermost one where one
    // runs inside another: the running modes that a failure ended stop visibly (stopEndedModes),
    // and only then are the link's messages of the operation shown.
    class Edge;
    // After a failed exchange, the running modes it ended stop visibly, `why` in the clock
    // line: an after-trigger autostore whose automatic update has ended with it
    // (afterTriggerAutoStoreStranded), which also sends the instrument back to local operation
    // as the failure did not; and the harmonics acquisition when it ran (`harmonicsRan`).
    void stopEndedModes(std::string_view why, bool harmonicsRan);
    // The clock line as it stands now: the time, the autostore's next store, the notes.
    void showClockLine();
    void pollAutomaticUpdate();
    // A single acquisition has completed: read it and re-arm, or, while an after-trigger
    // autostore runs, let the autostore read and store it.
    void readCompletedAcquisition();

    InstrumentLink& link_;
    ProgramState& state_;
    Host& host_;
    Clock& clock_;
    Printer& printer_;
    AutoStoreRun autoStore_;
    int edgeDepth_ = 0;
};

}  // namespace ql
