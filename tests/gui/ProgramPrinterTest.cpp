// The program's printer without a system printer: each printout a PDF file of its own, named
// after its kind and time, and a printout folder or a disk that cannot take it is a printer
// failure that leaves no file behind; a file named in the printer set-up takes the next printout
// the user asks for.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QImage>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ProgramProcess.h"
#include "ProgramRig.h"
#include "gui/ProgramPrinter.h"

namespace ql::gui {
namespace {

namespace fs = std::filesystem;

TEST(ProgramPrinter, EveryPrintoutBecomesAFileOfItsOwn)
{
    const std::string root = freshFolder();
    FakeClock clock;
    clock.setWallClock({2026, 5, 4, 3, 2, 1});
    ProgramPrinter printer(clock, root + "/documents/ql240");
    printer.qprinter().setOutputFormat(QPrinter::PdfFormat);  // also with a system printer
    ASSERT_TRUE(printer.printsToFiles());
    EXPECT_EQ(printer.qprinter().resolution(), 600);
    for (const char* expected : {"fft-20260504-030201.pdf", "fft-20260504-030201-2.pdf"}) {
        ASSERT_TRUE(
            printDocument(printer, PageOrientation::Landscape, "fft", [](Printer&, Surface& page) {
                page.print("Spectrum");
                return Status::success();
            }));
        EXPECT_EQ(printer.documentFile(), root + "/documents/ql240/" + expected);
        EXPECT_GT(fs::file_size(printer.documentFile()), 500u);
    }
    if (const ql::testing::ProgramProcess full; full.isChild()) {
        rlimit smallDisk{};
        ::getrlimit(RLIMIT_FSIZE, &smallDisk);
        smallDisk.rlim_cur = 100;
        ::setrlimit(RLIMIT_FSIZE, &smallDisk);
        const Status failed = printDocument(printer, PageOrientation::Landscape, "fft", nullptr);
        ASSERT_FALSE(failed);
        const std::string& text = failed.failure().text;
        EXPECT_NE(text.find(root + "/documents/ql240/fft-"), std::string::npos) << text;
        EXPECT_NE(text.find(std::strerror(EFBIG)), std::string::npos) << text;
        EXPECT_EQ(std::distance(fs::directory_iterator(root + "/documents/ql240"), {}), 2);
    }

    std::ofstream(root + "/taken") << "a file where the folder should be";
    ProgramPrinter blocked(clock, root + "/taken/ql240");
    blocked.qprinter().setOutputFormat(QPrinter::PdfFormat);
    const Status refused = printDocument(blocked, PageOrientation::Portrait, "screen", nullptr);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().title, "Print");
    EXPECT_EQ(refused.failure().text.rfind("Printing failed: Could not create the folder", 0), 0u)
        << refused.failure().text;
    EXPECT_EQ(blocked.documentFile(), "");
    fs::remove_all(root);
}

TEST(ProgramPrinter, ADocumentStartsInBlackWhateverColourTheOneBeforeEndedIn)
{
    const std::string root = freshFolder();
    FakeClock clock;
    ProgramPrinter printer(clock, root);
    printer.qprinter().setOutputFormat(QPrinter::PdfFormat);
    const auto print = [&](bool redLine) {
        EXPECT_TRUE(
            printDocument(printer, PageOrientation::Landscape, "fft", [&](Printer&, Surface& page) {
                page.setFontSize(72);
                page.setForeColor(kBlack);
                page.print("MMMM");
                // The first document ends with a red stroke.
                page.setDrawWidth(100);
                if (redLine) page.line(0, 3000, 3000, 3000, qbColor(12));
                return Status::success();
            }));
        return printer.documentFile();
    };
    print(true);
    const std::string second = print(false);
    // Read back by another program: the text of the second page has no red in it.
    const std::string png = root + "/page";
    const std::string command = "pdftoppm -r 30 -png -singlefile '" + second + "' '" + png + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const QImage page(QString::fromStdString(png + ".png"));
    ASSERT_FALSE(page.isNull());
    int dark = 0, red = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            dark += c.red() < 100 && c.green() < 100;
            red += c.red() > 200 && c.green() < 100;
        }
    EXPECT_GT(dark, 20);
    EXPECT_EQ(red, 0);
    fs::remove_all(root);
}

TEST(ProgramPrinter, AFileNamedInTheSetupTakesTheNextPrintoutTheUserAsksFor)
{
    const std::string root = freshFolder();
    FakeClock clock;
    clock.setWallClock({2026, 5, 4, 3, 2, 1});
    ProgramPrinter printer(clock, root + "/files", [] {
        auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pdf->setOutputFormat(QPrinter::PdfFormat);
        return pdf;
    });
    // The set-up offers a file in the user's files folder; the user names another.
    printer.setupOpening();
    EXPECT_EQ(printer.qprinter().outputFileName().toStdString(), root + "/files/printout.pdf");
    const std::string named = root + "/report.pdf";
    printer.qprinter().setOutputFileName(QString::fromStdString(named));
    printer.setupClosed(true);

    const std::string dated = root + "/files/screen-20260504-030201";
    struct Printout {
        const char* what;
        bool unattended;
        bool setupCancelled;  // the set-up opened and cancelled before this printout
        std::string file;
    } printouts[] = {
        {"the instrument's copy request leaves it", true, false, dated + ".pdf"},
        {"a cancelled set-up keeps it", false, true, named},
        {"the one after gets a file of its own", false, false, dated + "-2.pdf"},
    };
    for (const Printout& p : printouts) {
        SCOPED_TRACE(p.what);
        if (p.setupCancelled) {
            printer.setupOpening();
            printer.setupClosed(false);
        }
        printer.setUnattended(p.unattended);
        ASSERT_TRUE(printDocument(printer, PageOrientation::Portrait, "screen",
                                  [](Printer&, Surface& page) {
                                      page.print("Screen");
                                      return Status::success();
                                  }));
        EXPECT_EQ(printer.documentFile(), p.file);
        EXPECT_GT(fs::file_size(p.file), 500u);
    }
    fs::remove_all(root);
}

}  // namespace
}  // namespace ql::gui
