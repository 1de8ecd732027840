#pragma once
// The printouts of the program on its one printer, as the user sees them: the hardcopy of the
// scope screen, and how any printout ended (the FFT pages, the harmonics report and the
// support page report through reportPrintout too).

#include <optional>
#include <string>

#include "draw/Printer.h"
#include "state/Host.h"
#include "state/ProgramState.h"

namespace ql {

// Who asked for a printout: the user (a button or a menu item) or the program on its own (the
// instrument's copy request, the autostore's print after storage).
enum class PrintoutStart { Interactive, Unattended };

// Tells the user once how a printout the user asked for ended: a failure as the printer layer
// gave it (printingFailure), and after a printout that became a file (no printer, or a file
// named in the printer set-up), where that file is.
void reportPrintout(Host& host, const Printer& printer, const Status& printed);

// The hardcopy of the scope screen on the printer, with the options of the print settings as
// the state holds them. An unattended printout opens the print settings (and with them the
// preview) first, so the user sees what is printed; every printout closes both once the page
// is done. The file the autostore has just stored is named on the page's time line. Reported
// through reportPrintout, except an unattended printout: nobody waits for a box then, so a
// failure, or the file it became, goes into the clock line's note. Returns what the printer did.
Status printScreenHardcopy(ProgramState& s, Host& host, Printer& printer, PrintoutStart start,
                           std::optional<std::string> storedFileName = std::nullopt);

}  // namespace ql
