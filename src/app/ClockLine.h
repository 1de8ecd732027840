#pragma once
// The clock line of the toolbar: the time, the autostore's next store while it runs, and two
// kept notes: why a running mode (the autostore, the harmonics acquisition) stopped, and what
// became of the last unattended printout.

#include <string>
#include <string_view>

#include "state/ProgramState.h"

namespace ql {

// "hh:mm:ss", followed by the autostore status while autostore runs:
// "   Store 00012 at: hh:mm:ss" (timed) or "   Store after reset #00012" (after each trigger),
// then the kept notes, if any.
std::string clockStatusText(const ProgramState& s, const DateTime& now);
// The clock line keeps `note` (on one line) from the next tick on: why a running mode stopped,
// until another stop replaces it or a start clears it (an empty note).
void keepClockNote(ProgramState& s, std::string_view note);
// Beside it, what became of the last unattended printout: its failure or the file it became;
// empty once one came out on a printer.
void keepPrintoutNote(ProgramState& s, std::string_view note);

}  // namespace ql
