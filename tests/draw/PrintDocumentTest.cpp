// One printout from begin to end on the recording printer: the document is always ended once
// begun, its first failure comes back as the printout's one message, and drawing starts in the
// printer's font.

#include <gtest/gtest.h>

#include "draw/Printer.h"
#include "draw/RecordingPrinter.h"

namespace ql {
namespace {

using Events = std::vector<std::string>;

TEST(PrintDocument, EndsEveryBegunDocumentAndReturnsTheFirstFailure)
{
    const Status newPageRefused = Status::fail("The printer refused a new page.", "Print");
    struct Case {
        const char* what;
        bool available, endRefused, drawFails;
        Events events;
        const char* failure;  // nullptr: printed
    } cases[] = {
        {"printed", true, false, false, {"begin landscape", "end"}, nullptr},
        {"no printer", false, false, false, {}, "Printing failed: No printer is available."},
        {"drawing failed",
         true,
         false,
         true,
         {"begin landscape", "end"},
         "Printing failed: The printer refused a new page."},
        {"job refused",
         true,
         true,
         false,
         {"begin landscape", "end"},
         "Printing failed: The printer refused the job."},
        {"both",
         true,
         true,
         true,
         {"begin landscape", "end"},
         "Printing failed: The printer refused a new page."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPrinter printer;
        printer.setAvailable(c.available);
        printer.setEndRefused(c.endRefused);
        FontSpec font;
        const Status printed =
            printDocument(printer, PageOrientation::Landscape, "fft", [&](Printer&, Surface& s) {
                font = s.font();
                s.print("Spectrum");
                return c.drawFails ? newPageRefused : Status::success();
            });
        EXPECT_EQ(printer.events(), c.events);
        EXPECT_FALSE(printer.inDocument());
        if (c.failure) {
            ASSERT_FALSE(printed);
            EXPECT_EQ(printed.failure().text, c.failure);
            EXPECT_EQ(printed.failure().title, "Print");
        } else {
            EXPECT_TRUE(printed);
            EXPECT_EQ(printer.documentKinds(), (Events{"fft"}));
            EXPECT_EQ(font, kPrinterStartFont);
            EXPECT_EQ(printer.recording().texts(), (Events{"Spectrum"}));
        }
    }
}

}  // namespace
}  // namespace ql
