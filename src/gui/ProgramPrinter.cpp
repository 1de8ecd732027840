#include "ProgramPrinter.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <cstdio>

#include "state/AtomicFile.h"
#include "state/PrintoutFile.h"

namespace ql::gui {

// A printout that becomes a file: PDF bytes in memory, on the paper and at the resolution the
// printer set-up chose.
struct ProgramPrinter::FileDocument {
    explicit FileDocument(const QPrinter& settings) : writer(&bytes)
    {
        bytes.open(QIODevice::WriteOnly);
        writer.setResolution(settings.resolution());
        writer.setPageLayout(settings.pageLayout());
        writer.setCreator(settings.creator());
        writer.setTitle(settings.docName());
    }
    QBuffer bytes;
    QPdfWriter writer;
    QtPrinter device{writer};
};

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

ProgramPrinter::~ProgramPrinter() = default;

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
    if (fileDocument_) return fileDocument_->device;
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
        fileDocument_ = std::make_unique<FileDocument>(qprinter());
    }
    const Status begun = device().beginDocument(orientation, kind);
    if (!begun) dropPendingFile();
    return begun;
}

Status ProgramPrinter::endDocument()
{
    Status ended = device().endDocument();
    if (ended && fileDocument_)
        ended = writeFileAtomically(pending_, fileDocument_->bytes.data().toStdString(), "Print");
    fileDocument_.reset();
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
    // A claimed file is removed; the file the user named stays as it was.
    fileDocument_.reset();
    if (!pending_.empty() && !pendingIsChosen_) std::remove(pending_.c_str());
    pending_.clear();
    pendingIsChosen_ = false;
}

}  // namespace ql::gui
