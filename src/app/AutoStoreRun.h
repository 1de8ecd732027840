#pragma once
// The running autostore, in one place: what the one-second tick does for it (the timed store
// when due, the store of each completed acquisition after trigger, a run that can no longer
// store stopped visibly), the store of the next numbered file, and Pause, Stop and Exit of its
// window, at once or as requests carried out once the step in progress has ended.
//
// Beside it: the window's rules (AutoStoreController), the engine that stores the next free
// numbered file and says whether a run stores (AutoStoreEngine), the files themselves
// (files/AutoStoreFiles) and the clock line that shows the next store (ClockLine).

#include <functional>
#include <string>
#include <string_view>

#include "draw/Printer.h"
#include "link/InstrumentLink.h"
#include "state/Status.h"

namespace ql {

// Gives a held instrument back to local operation.
void releaseIfHeld(InstrumentLink& link);

// What Pause, Stop and Exit of the autostore window do once no operation runs; the caller
// holds the operation guard. Pause makes a running autostore inactive and gives a held
// instrument back; Stop also starts the numbering again at 0; leaving the window starts it
// again at 0 unless autostore runs and gives the instrument back unless an after-trigger
// autostore needs it held.
void pauseAutoStore(InstrumentLink& link);
void stopAutoStoreRun(InstrumentLink& link);
void leaveAutoStoreWindow(InstrumentLink& link);
// Carries out a Pause, Stop or Exit clicked while an operation ran (Stop before Pause, then
// Exit, which closes the window); the main timer calls it once no operation runs.
void carryOutAutoStoreRequests(InstrumentLink& link);

class AutoStoreRun {
public:
    // Stores the next numbered autostore file from the data in memory.
    using StoreFile = std::function<Status()>;

    // Each store writes the next free numbered file (in table mode with `decimalSign`),
    // making the user's files folder `userFilesFolder` when the file goes there, and prints
    // it on `printer` when "Print after storage" is on.
    AutoStoreRun(InstrumentLink& link, Printer& printer, std::string userFilesFolder,
                 char decimalSign);

    // Replaces the store (a test records the stores instead of writing files).
    void setStoreFile(StoreFile store) { storeFile_ = std::move(store); }

    // --- The tick; the caller holds the operation guard -----------------------------------
    // A timed autostore runs, no request waits, the program is not ending and the store's time
    // has come.
    bool timedStoreDue() const;
    // The timed store: the user's input already waiting is taken first, so that a Pause, Stop
    // or Exit clicked as the tick began starts no read; then the next store's time is set and,
    // when `read` brings fresh data, the next file is stored.
    void storeTimed(const std::function<bool()>& read);
    // A single acquisition has completed while an after-trigger autostore runs: unless a
    // request waits (the user's waiting input taken first) or "Auto" was cleared, it is read,
    // stored and the instrument re-armed, or given back when the store stopped the autostore.
    // With a request waiting (or the program ending) the acquisition stays on the instrument,
    // neither read nor re-armed, so that after an Exit the run stores it on the next tick.
    void storeCompletedAcquisition();
    // After a failed exchange: an after-trigger autostore whose automatic update ended with it
    // stops visibly, `why` in the clock line, and the instrument goes back to local operation
    // as Pause does (the failure may have left it in remote).
    void stopAfterFailure(std::string_view why);

    // --- The tick, outside any operation -------------------------------------------------
    // Something ended the automatic update without a failure (a release, a loaded file): an
    // after-trigger autostore that can no longer store stops visibly, under its own guard.
    void stopIfStranded();

private:
    // One store; what went wrong is shown at the operation's end, with the link's messages.
    void storeNextFile();

    InstrumentLink& link_;
    ProgramState& state_;
    Host& host_;
    Clock& clock_;
    StoreFile storeFile_;
};

}  // namespace ql
