// The hardcopy on the program's printer as the user meets it: the instrument's copy request
// reads, releases and prints one page with the print windows open until it is done; the
// autostore's printout names the stored file; a refused job or a printout that became a file
// is said once, an unattended one that became a file on the clock line.

#include <gtest/gtest.h>

#include <algorithm>

#include "OperationsRig.h"
#include "app/ScreenPrintout.h"

namespace ql::testing {
namespace {

bool hasText(const RecordingPrinter& printer, const std::string& text)
{
    const std::vector<std::string> texts = printer.recording().texts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::vector<std::string> windowEvents(const RecordingHost& host)
{
    std::vector<std::string> events;
    for (const std::string& e : host.events)
        if (e.rfind("open ", 0) == 0 || e.rfind("close ", 0) == 0) events.push_back(e);
    return events;
}

TEST(Printout, ACopyRequestReadsAllAndPrintsOnePageWithTheWindowsClosedAfter)
{
    OperationsRig t;
    const auto reference = probeCommands(t.sim.config(), {Probe::ReadAll});
    ASSERT_TRUE(t.connect());
    t.sim.sendUnsolicited("COP:\r\nX");
    t.clock.advance(20);
    t.ops.timerTick();
    EXPECT_EQ(t.commands(), join({reference[0], kRelease}));
    EXPECT_EQ(t.printer.events(), (Commands{"begin portrait", "end"}));
    EXPECT_EQ(t.printer.pageCount(), 1);
    EXPECT_EQ(windowEvents(t.host),
              (Commands{"open PrinterSettings", "close PrintPreview", "close PrinterSettings"}));
    EXPECT_TRUE(t.host.openWindows.empty());
    // The page shows what was just read, and names no file.
    const std::string time = trimRight(t.state.stamp.waveTime.str());
    EXPECT_NE(time, "--:--:--");
    EXPECT_TRUE(hasText(t.printer, "Measure time: " + time));
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(Printout, OnlyTheAutostoresPrintoutNamesTheStoredFile)
{
    OperationsRig t;
    t.state.stamp.waveTime.assign("10:11:12");
    ASSERT_TRUE(printScreenHardcopy(t.state, t.host, t.printer, PrintoutStart::Unattended,
                                    "/data/Autostore00004.mes"));
    EXPECT_TRUE(hasText(t.printer, "Measure time: 10:11:12   /data/Autostore00004.mes"));
    EXPECT_EQ(windowEvents(t.host),
              (Commands{"open PrinterSettings", "close PrintPreview", "close PrinterSettings"}));
}

TEST(Printout, EveryEndIsToldOnceAndAFileOnlyToTheUserWhoAskedForIt)
{
    const std::string file = "/home/u/Documents/ql240/screen-20260101-120000.pdf";
    struct Case {
        const char* what;
        PrintoutStart start;
        bool available, endRefused, toFile, printed;
        std::vector<std::string> messages;  // text | title
        std::string printoutNote;
    } cases[] = {
        {"printed", PrintoutStart::Interactive, true, false, false, true, {}, ""},
        {"printed unattended", PrintoutStart::Unattended, true, false, false, true, {}, ""},
        {"to a file",
         PrintoutStart::Interactive,
         true,
         false,
         true,
         true,
         {"The printout was saved as\r\n" + file + " | Print"},
         ""},
        {"to a file unattended",
         PrintoutStart::Unattended,
         true,
         false,
         true,
         true,
         {},
         "Printout saved as " + file},
        {"no printer",
         PrintoutStart::Unattended,
         false,
         false,
         false,
         false,
         {},
         "Printing failed: No printer is available."},
        {"job refused",
         PrintoutStart::Interactive,
         true,
         true,
         true,
         false,
         {"Printing failed: The printer refused the job. | Print"},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OperationsRig t;
        t.printer.setAvailable(c.available);
        t.printer.setEndRefused(c.endRefused);
        if (c.toFile) t.printer.setDocumentFile(file);
        const Status printed = printScreenHardcopy(t.state, t.host, t.printer, c.start);
        EXPECT_EQ(printed.ok(), c.printed);
        std::vector<std::string> messages;
        for (const auto& m : t.host.messages) messages.push_back(m.text + " | " + m.title);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(t.state.printoutNote, c.printoutNote);
        EXPECT_TRUE(t.host.openWindows.empty());
        // The printer knew who asked while it printed, and is back to the user's afterwards.
        if (c.available) {
            EXPECT_EQ(t.printer.unattendedDocuments(),
                      std::vector<bool>{c.start == PrintoutStart::Unattended});
        }
        EXPECT_FALSE(t.printer.unattended());
    }
}

}  // namespace
}  // namespace ql::testing
