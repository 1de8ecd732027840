#pragma once
// The program's printer: one QPrinter for every printout (the screen's hardcopy, the FFT
// pages, the harmonics report, the support page), at 600 dpi, on the system's default printer
// until the printer set-up changes it. Each printout sets its own orientation and starts in
// Courier New, 10 pt (kPrinterStartFont), for which the paint device takes a metric twin.
//
// The QPrinter is made on first use (a printout, the printer set-up), not at start: making it
// loads the print support and asks the print server, which may be slow or unreachable.
//
// Where there is no printer, every printout becomes a PDF file of its own in the user's files
// folder (claimPrintoutFile: "<kind>-YYYYMMDD-HHMMSS.pdf", numbered within one second), and
// documentFile() says which; a folder that cannot take it is a printer failure. Such a printout
// is drawn into memory and written at its end as every file of the program is (AtomicFile),
// so a full disk or a file-size limit fails it, naming the file and the cause, instead of
// leaving a cut-off file reported as saved. A PDF file
// named in the printer set-up takes the next printout the user asks for; an unattended one
// (the instrument's copy request, the autostore) leaves it for that and gets a file of its own.

#include <QPrinter>
#include <functional>
#include <memory>
#include <string>

#include "QtPrinter.h"
#include "state/Clock.h"

namespace ql::gui {

class ProgramPrinter : public ql::Printer {
public:
    static constexpr int kResolution = 600;

    using QPrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    // The system's default printer, or PDF output where there is none.
    static std::unique_ptr<QPrinter> systemPrinter();

    ProgramPrinter(Clock& clock, std::string printoutFolder,
                   QPrinterFactory makePrinter = systemPrinter);
    ~ProgramPrinter() override;
    ProgramPrinter(const ProgramPrinter&) = delete;
    ProgramPrinter& operator=(const ProgramPrinter&) = delete;

    // The printer and paper the printer set-up dialog edits (made on the first call).
    QPrinter& qprinter() const;
    // True when printouts become files: no system printer is chosen.
    bool printsToFiles() const;
    const std::string& printoutFolder() const { return folder_; }

    // Around the printer set-up dialog: before it is shown, its file name is the one chosen
    // before or "printout.pdf" in the printout folder; once it closed, an accepted PDF output
    // names the file of the next interactive printout (another printer drops that name).
    void setupOpening();
    void setupClosed(bool accepted);

    Status beginDocument(PageOrientation orientation, std::string_view kind = "printout") override;
    Status newPage() override { return device().newPage(); }
    Status endDocument() override;
    std::string documentFile() const override { return file_; }
    void setUnattended(bool unattended) override { unattended_ = unattended; }

    DeviceSize size() const override { return device().size(); }
    double dpi() const override { return device().dpi(); }
    void clear(Rgb background) override { device().clear(background); }
    void line(DevicePoint a, DevicePoint b, const Pen& pen) override { device().line(a, b, pen); }
    void polyline(std::span<const DevicePoint> points, const Pen& pen) override
    {
        device().polyline(points, pen);
    }
    void dot(DevicePoint p, const Pen& pen) override { device().dot(p, pen); }
    void fillRect(const DeviceRect& rect, const Pen& pen) override { device().fillRect(rect, pen); }
    void text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font, Rgb color) override
    {
        device().text(topLeft, utf8, font, color);
    }
    double textWidth(std::string_view utf8, const FontSpec& font) const override
    {
        return device().textWidth(utf8, font);
    }
    double lineHeight(const FontSpec& font) const override { return device().lineHeight(font); }

private:
    struct FileDocument;

    // The document in progress when it becomes a file, the printer's otherwise.
    QtPrinter& device() const;
    void dropPendingFile();

    Clock& clock_;
    std::string folder_;
    QPrinterFactory makePrinter_;
    // Made together on first use, the QPrinter before the device that draws on it; the device
    // (which ends its painter on the printer) goes first.
    mutable std::unique_ptr<QPrinter> qprinter_;
    mutable std::unique_ptr<QtPrinter> device_;
    std::unique_ptr<FileDocument> fileDocument_;  // while a printout that becomes a file is drawn
    std::string chosenFile_;  // named in the printer set-up for the next interactive printout
    std::string pending_;     // the file of the document in progress
    std::string file_;        // the file of the last document ended
    bool pendingIsChosen_ = false;
    bool unattended_ = false;
};

}  // namespace ql::gui
