#pragma once
// The program's printer: one QPrinter for every printout (the screen's hardcopy, the FFT
// pages, the harmonics report, the support page), at 600 dpi, on the system's default printer
// until the printer set-up changes it. Each printout sets its own orientation and starts in
// Courier New, 10 pt (kPrinterStartFont), for which the paint device takes a metric twin.
//
// Where there is no printer, every printout becomes a PDF file of its own in the printout
// folder (claimPrintoutFile: "<kind>-YYYYMMDD-HHMMSS.pdf", numbered within one second), and
// documentFile() says which; a folder that cannot take it is a printer failure.

#include <QPrinter>
#include <string>

#include "QtPrinter.h"
#include "state/Clock.h"

namespace ql::gui {

namespace detail {
// Holds the QPrinter so that it is made before the QtPrinter that draws on it.
struct PrinterHolder {
    QPrinter qprinter{QPrinter::HighResolution};
};
}  // namespace detail

class ProgramPrinter : private detail::PrinterHolder, public QtPrinter {
public:
    static constexpr int kResolution = 600;

    ProgramPrinter(Clock& clock, std::string printoutFolder);

    // The printer and paper the printer set-up dialog edits.
    QPrinter& qprinter() { return PrinterHolder::qprinter; }
    // True when printouts become files: no system printer is chosen.
    bool printsToFiles() const;
    const std::string& printoutFolder() const { return folder_; }

    Status beginDocument(PageOrientation orientation, std::string_view kind = "printout") override;
    Status endDocument() override;
    std::string documentFile() const override { return file_; }

private:
    void dropPendingFile();

    Clock& clock_;
    std::string folder_;
    std::string pending_;  // the file of the document in progress
    std::string file_;     // the file of the last document ended
};

}  // namespace ql::gui
