#include "ProgramPrinter.h"

#include <QFile>
#include <QPrinterInfo>
#include <cstdio>

#include "state/PrintoutFile.h"

namespace ql::gui {

std::unique_ptr<QPrinter> ProgramPrinter::systemPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    if (system.isNull())
        printer->setOutputFormat(QPrinter::PdfFormat);
    else
        printer->setPrinterName(system.printerName());
    return printer;
}

ProgramPrinter::ProgramPrinter(Clock& clock, std::string printoutFolder,
                               QPrinterFactory makePrinter)
    : clock_(clock), folder_(std::move(printoutFolder)), makePrinter_(std::move(makePrinter))
{
}

QPrinter& ProgramPrinter::qprinter() const
{
    if (!qprinter_) {
        qprinter_ = makePrinter_();
        qprinter_->setResolution(kResolution);
        qprinter_->setFullPage(false);
        device_ = std::make_unique<QtPrinter>(*qprinter_);
    }
    return *qprinter_;
}

QtPrinter& ProgramPrinter::device() const
{
    qprinter();
    return *device_;
}

bool ProgramPrinter::printsToFiles() const
{
    const QPrinter& printer = qprinter();
    return printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty();
}

void ProgramPrinter::setupOpening()
{
    const std::string offered = chosenFile_.empty() ? folder_ + "/printout.pdf" : chosenFile_;
    qprinter().setOutputFileName(QFile::decodeName(offered.c_str()));
}

void ProgramPrinter::setupClosed(bool accepted)
{
    QPrinter& printer = qprinter();
    if (accepted) {
        const QString named = printer.outputFileName();
        const bool toFile = printer.outputFormat() == QPrinter::PdfFormat && !named.isEmpty();
        chosenFile_ = toFile ? QFile::encodeName(named).toStdString() : std::string();
    }
    // Between printouts the printer names no file: each document names its own.
    printer.setOutputFileName(QString());
}

Status ProgramPrinter::beginDocument(PageOrientation orientation, std::string_view kind)
{
    file_.clear();
    if (printsToFiles()) {
        if (!pending_.empty()) return Status::fail("A print job is already open.", "Print");
        pendingIsChosen_ = !unattended_ && !chosenFile_.empty();
        if (pendingIsChosen_) {
            pending_ = chosenFile_;
        } else {
            const Result<std::string> claimed = claimPrintoutFile(folder_, kind, clock_.now());
            if (!claimed) return claimed.status();
            pending_ = claimed.value();
        }
        qprinter().setOutputFormat(QPrinter::PdfFormat);
        qprinter().setOutputFileName(QFile::decodeName(pending_.c_str()));
    }
    const Status begun = device().beginDocument(orientation, kind);
    if (!begun) dropPendingFile();
    return begun;
}

Status ProgramPrinter::endDocument()
{
    const Status ended = device().endDocument();
    if (!ended) {
        dropPendingFile();
        return ended;
    }
    file_ = pending_;
    // The file named in the set-up took this printout; the next one gets a file of its own.
    if (pendingIsChosen_) chosenFile_.clear();
    pending_.clear();
    pendingIsChosen_ = false;
    return ended;
}

void ProgramPrinter::dropPendingFile()
{
    // A claimed file is removed; the file the user named is left as the printer left it.
    if (!pending_.empty() && !pendingIsChosen_) std::remove(pending_.c_str());
    pending_.clear();
    pendingIsChosen_ = false;
}

}  // namespace ql::gui
