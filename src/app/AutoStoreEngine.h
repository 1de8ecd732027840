#pragma once
// The autostore's work once the main timer has read the instrument: the next numbered file,
// the hardcopy after it when "Print after storage" is on, then the next number; and the one
// way autostore is made inactive from outside its window.

#include "draw/Printer.h"
#include "state/Host.h"
#include "state/ProgramState.h"

namespace ql {

// Said once file 99999 has been stored, and by Start while no number is left.
inline constexpr const char* kAutoStoreNumbersUsedText =
    "File number 99999 has been stored: the autostore stops.\r\n"
    "Stop starts the numbering again at 00000.";

// True once file 99999 has been stored: the counter has passed the last number.
bool autoStoreNumbersUsed(const AutoStore& a);

// Stores the data in memory into the next numbered file (a failure is told after the
// writer's own message: "Bad Filename" / "Auto Save"), prints the hardcopy when chosen (also
// after a failed store; only a stored file is named on the page) and counts the number as
// used either way, so the next store tries the next one. After file 99999 the autostore
// stops and says so, instead of writing that file again and again.
void storeNextAutoStoreFile(ProgramState& s, Host& host, Printer& printer, char decimalSign);

// Autostore becomes inactive (nothing else changes); the autostore window, when it is open,
// shows it.
void stopAutoStore(ProgramState& s, Host& host);

}  // namespace ql
