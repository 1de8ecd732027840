#pragma once
// The autostore's work once the main timer has read the instrument: the next free numbered
// file, the hardcopy after it when "Print after storage" is on, then the next free number;
// and the ways autostore is made inactive from outside its window, visibly.

#include <string_view>

#include "draw/Printer.h"
#include "state/Host.h"
#include "state/ProgramState.h"
#include "state/Status.h"

namespace ql {

// Said by a store and by Start when no file number up to 99999 is free for the prefix.
inline constexpr const char* kAutoStoreNumbersUsedText =
    "No file number up to 99999 is free for this file name: the autostore stops.\r\n"
    "Choose another file name, or move the numbered files to another folder.";

// Why an autostore stopped by itself, as the clock line keeps it after "Autostore stopped: ".
inline constexpr std::string_view kStoppedByTransmissionError = "transmission error";
inline constexpr std::string_view kStoppedByUpdateEnd = "automatic update ended";
inline constexpr std::string_view kStoppedByFileError = "file not written";
inline constexpr std::string_view kStoppedByNumbersUsed = "no free file number";

// An after-trigger autostore that stores: active, and the automatic update polls the held
// instrument for each completed acquisition.
bool afterTriggerAutoStoreRuns(const ProgramState& s);
// An after-trigger autostore that no longer can: active, but the automatic update has ended
// (a failed exchange, a release, a loaded file).
bool afterTriggerAutoStoreStranded(const ProgramState& s);
// A Pause, Stop or Exit of the autostore window waits for the step in progress.
bool autoStoreRequestPending(const AutoStore& a);

// Stores the data in memory into the next free numbered file (numbers whose file exists are
// skipped, so nothing is replaced), prints the hardcopy when chosen (also after a failed store;
// only a stored file is named on the page; a failed printout goes into the clock line's note)
// and moves the counter on to the next free number, which the clock line shows. The user's files
// folder `userFilesFolder` is made when the file goes there (storeAutoStoreFile). A store that
// fails uses no number, stops the autostore and returns what to tell ("File Error" with the file
// and the cause); so does running out of numbers. The caller gives the instrument back, then
// tells it once, so that the window and the clock line already say the autostore stopped.
Status storeNextAutoStoreFile(ProgramState& s, Host& host, Printer& printer, char decimalSign,
                              const std::string& userFilesFolder);

// Autostore becomes inactive (nothing else changes); the autostore window, when it is open,
// shows it.
void stopAutoStore(ProgramState& s, Host& host);
// Autostore stops by itself: inactive, the window shows "Start", and the clock line keeps
// "Autostore stopped: " and `why` until the next Start. Nothing is said in a box here.
void autoStoreStoppedBy(ProgramState& s, Host& host, std::string_view why);

}  // namespace ql
