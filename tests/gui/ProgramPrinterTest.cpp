// The program's printer without a system printer: each printout a PDF file of its own, named
// after its kind and time, and a printout folder that cannot take it is a printer failure
// that leaves no file behind.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

}  // namespace
}  // namespace ql::gui
