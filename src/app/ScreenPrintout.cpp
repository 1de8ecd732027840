#include "ScreenPrintout.h"

#include "ClockLine.h"
#include "hardcopy/HardcopyOutput.h"

namespace ql {

void reportPrintout(Host& host, const Printer& printer, const Status& printed)
{
    if (!printed) {
        host.report(printed.failure());
        return;
    }
    const std::string file = printer.documentFile();
    if (!file.empty())
        host.showMessage("The printout was saved as\r\n" + file, "Print", MessageIcon::Information);
}

Status printScreenHardcopy(ProgramState& s, Host& host, Printer& printer, PrintoutStart start,
                           std::optional<std::string> storedFileName)
{
    if (start == PrintoutStart::Unattended) {
        host.openWindow(ToolWindow::PrinterSettings);
        host.refreshWindow(ToolWindow::PrinterSettings);
    }
    HardcopyInput input = hardcopyInputFor(s);
    input.storedFileName = std::move(storedFileName);
    printer.setUnattended(start == PrintoutStart::Unattended);
    const Status printed = printScreenCopy(input, printer);
    printer.setUnattended(false);
    host.closeWindow(ToolWindow::PrintPreview);
    host.closeWindow(ToolWindow::PrinterSettings);
    // Nobody waits at an unattended printout: a box would halt the autostore until answered,
    // so what became of it (failed, or saved as a file) stays on the clock line.
    if (start != PrintoutStart::Unattended)
        reportPrintout(host, printer, printed);
    else if (!printed)
        keepPrintoutNote(s, printed.failure().text);
    else if (const std::string file = printer.documentFile(); !file.empty())
        keepPrintoutNote(s, "Printout saved as " + file);
    else
        keepPrintoutNote(s, {});  // came out on the printer: an earlier failure is past
    return printed;
}

}  // namespace ql
