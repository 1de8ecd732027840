#include "ProgramPrinter.h"

#include <QPrinterInfo>
#include <cstdio>

#include "state/PrintoutFile.h"

namespace ql::gui {

ProgramPrinter::ProgramPrinter(Clock& clock, std::string printoutFolder)
    : QtPrinter(PrinterHolder::qprinter), clock_(clock), folder_(std::move(printoutFolder))
{
    QPrinter& printer = qprinter();
    printer.setResolution(kResolution);
    printer.setFullPage(false);
    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    if (system.isNull())
        printer.setOutputFormat(QPrinter::PdfFormat);
    else
        printer.setPrinterName(system.printerName());
}

bool ProgramPrinter::printsToFiles() const
{
    const QPrinter& printer = PrinterHolder::qprinter;
    return printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty();
}

Status ProgramPrinter::beginDocument(PageOrientation orientation, std::string_view kind)
{
    file_.clear();
    if (printsToFiles()) {
        if (!pending_.empty()) return Status::fail("A print job is already open.", "Print");
        const Result<std::string> claimed = claimPrintoutFile(folder_, kind, clock_.now());
        if (!claimed) return claimed.status();
        pending_ = claimed.value();
        qprinter().setOutputFormat(QPrinter::PdfFormat);
        qprinter().setOutputFileName(QString::fromStdString(pending_));
    }
    const Status begun = QtPrinter::beginDocument(orientation, kind);
    if (!begun) dropPendingFile();
    return begun;
}

Status ProgramPrinter::endDocument()
{
    const Status ended = QtPrinter::endDocument();
    if (!ended) {
        dropPendingFile();
        return ended;
    }
    file_ = pending_;
    pending_.clear();
    return ended;
}

void ProgramPrinter::dropPendingFile()
{
    if (!pending_.empty()) std::remove(pending_.c_str());
    pending_.clear();
}

}  // namespace ql::gui
