// The harmonics table export and report printout from the window's buttons: the .tab bytes
// other programs read, the names accepted and refused, an unwritable place, and how a report
// that did not come out is told.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "OperationsRig.h"
#include "app/HarmonicsTestOperations.h"
#include "harmonics/HarmonicsTableText.h"
#include "state/RecordingFileDialogs.h"

using namespace ql;
using namespace ql::testing;
namespace fs = std::filesystem;

namespace {

// A fresh folder, removed at the end of the test.
struct TempRoot {
    TempRoot()
        : path((fs::temp_directory_path() /
                ("ql240-harmonics-" + std::to_string(::getpid()) + "-" + std::to_string(counter++)))
                   .string())
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempRoot() { fs::remove_all(path); }
    static inline int counter = 0;
    std::string path;
};

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string kHeaderLine =
    "Harm.\tFreq. (Hz)\tAv-Lev.\tMax-Lev.\tLev.in %\tCheck\tLimit\t\r\n";

struct ExportRig : OperationsRig {
    ExportRig() : window(state, host, limits), test(*link, printer, dialogs)
    {
        window.opened();
        state.harm.obwActive = 1;
    }
    NoLimitSource limits;
    HarmonicsWindowController window;
    RecordingFileDialogs dialogs;
    HarmonicsTestOperations test;
};

}  // namespace

TEST(HarmonicsTable, TabBytesForAHeaderOnlyTableAndOneRow)
{
    HarmonicsResult result;
    EXPECT_EQ(harmonicsTabText(result), kHeaderLine);
    EXPECT_EQ(kHeaderLine.size(), 57u);

    HarmonicRow row;
    // A non-ASCII decimal-free cell travels as its single Windows-1252 byte.
    row.cells = {"1", "50.00", "0.983A", "1.020A", "100.00%", "Not def.", "0.5\xC2\xB0"};
    result.rows.push_back(row);
    const std::string text = harmonicsTabText(result);
    EXPECT_EQ(text, kHeaderLine + "1\t50.00\t0.983A\t1.020A\t100.00%\tNot def.\t0.5\xB0\t\r\n");
    // Every line holds exactly seven TABs, the last directly before CR LF.
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 7) << line;
        EXPECT_EQ(line.back(), '\t') << line;
        start = end + 2;
    }
}

TEST(HarmonicsExport, NamesAcceptedAndRefused)
{
    const TempRoot root;
    const struct {
        std::string chosen;
        bool accepted;
        std::string written;  // the file that appears
    } cases[] = {
        {root.path + "/a.tab", true, root.path + "/a.tab"},
        {root.path + "/b.TAB", true, root.path + "/b.TAB"},
        {root.path + "/mytab", true, root.path + "/mytab"},
        // Blanks after the name are not part of the file written.
        {root.path + "/c.tab  ", true, root.path + "/c.tab"},
        {root.path + "/d.txt", false, ""},
        {root.path + "/e.ta", false, ""},
        {"ab", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        ExportRig t;
        t.dialogs.answers = {c.chosen};
        t.test.exportTable(t.window);
        ASSERT_EQ(t.dialogs.shown.size(), 1u);
        const FileDialogRequest& r = t.dialogs.shown[0].request;
        EXPECT_TRUE(t.dialogs.shown[0].save);
        EXPECT_EQ(r.title, "Save as tab");
        EXPECT_EQ(r.filter, "TAB (*.tab) |*.tab");
        EXPECT_EQ(r.defaultExtension, "tab");
        // The chosen name is kept, a refused one too.
        EXPECT_EQ(t.state.exportTarget.exportFileName, c.chosen);
        if (c.accepted) {
            EXPECT_EQ(t.messageCount(), 0);
            EXPECT_EQ(readBytes(c.written), kHeaderLine);
        } else {
            ASSERT_EQ(t.messageCount(), 1);
            EXPECT_EQ(t.host.messages[0].text, "Bad Filename");
            EXPECT_EQ(t.host.messages[0].title, "Save as tab");
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path), {}), 4);

    // Cancel: nothing written, nothing said, the last name kept.
    ExportRig t;
    t.state.exportTarget.exportFileName = "before.wmf";
    t.test.exportTable(t.window);
    EXPECT_EQ(t.state.exportTarget.exportFileName, "before.wmf");
    EXPECT_EQ(t.messageCount(), 0);
}

TEST(HarmonicsExport, AnUnwritablePlaceGivesOneFileErrorAndNoFile)
{
    const TempRoot root;
    ExportRig t;
    const std::string target = root.path + "/missing/folder/h.tab";
    t.dialogs.answers = {target};
    t.test.exportTable(t.window);
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(t.host.messages[0].text, "File Error");
    EXPECT_EQ(t.host.messages[0].title, "Load as tab");
    EXPECT_FALSE(fs::exists(target));

    // Over an existing file the whole content is replaced.
    const std::string existing = root.path + "/old.tab";
    std::ofstream(existing, std::ios::binary) << std::string(500, 'x');
    t.dialogs.answers = {existing};
    t.test.exportTable(t.window);
    EXPECT_EQ(readBytes(existing), kHeaderLine);
}

TEST(HarmonicsPrint, TheReportGoesToThePrinterAndAFailureIsToldOnce)
{
    ExportRig t;
    t.state.harm.harmPrintHeadline.assign("Bench 4");
    t.test.printReport(t.window);
    EXPECT_EQ(t.printer.documentKinds(), std::vector<std::string>{"harmonics"});
    EXPECT_EQ(t.printer.events().front(), "begin portrait");
    EXPECT_EQ(t.messageCount(), 0);

    t.printer.setAvailable(false);
    t.test.printReport(t.window);
    ASSERT_EQ(t.messageCount(), 1);
    EXPECT_EQ(t.host.messages[0].title, "Print");

    // Without a printer the report becomes a file, and the user is told where.
    t.printer.setAvailable(true);
    t.printer.setDocumentFile("/tmp/harmonics.pdf");
    t.test.printReport(t.window);
    ASSERT_EQ(t.messageCount(), 2);
    EXPECT_NE(t.host.messages[1].text.find("/tmp/harmonics.pdf"), std::string::npos);
}
