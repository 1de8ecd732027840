// The harmonics table export: the .tab bytes other programs read, the names accepted and
// refused, and an unwritable place.
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

const std::string kHeaderLine =
    "Harm.\tFreq. (Hz)\tAv-Lev.\tMax-Lev.\tLev.in %\tCheck\tLimit\t\r\n";  // 57 bytes

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Exports the header-only table to the name the dialog answers.
RecordingHost exportTo(const std::string& chosen, std::string* kept = nullptr)
{
    OperationsRig t;
    NoLimitSource limits;
    HarmonicsWindowController window(t.state, t.host, limits);
    RecordingFileDialogs dialogs;
    dialogs.answers = {chosen};
    HarmonicsTestOperations(*t.link, t.printer, dialogs).exportTable(window);
    EXPECT_EQ(dialogs.shown.at(0).request.filter, "TAB (*.tab) |*.tab");
    if (kept) *kept = t.state.exportTarget.exportFileName;
    return t.host;
}

}  // namespace

TEST(HarmonicsTable, TabBytesOfAHeaderOnlyTableAndOfOneRow)
{
    HarmonicsResult result;
    EXPECT_EQ(harmonicsTabText(result), kHeaderLine);
    HarmonicRow row;
    row.cells = {"1", "50", "0.983A", "1.020A", "100.00%", "Not def.", "2.0\xC2\xB0"};
    result.rows.push_back(row);
    EXPECT_EQ(harmonicsTabText(result),
              kHeaderLine + "1\t50\t0.983A\t1.020A\t100.00%\tNot def.\t2.0\xB0\t\r\n");
}

TEST(HarmonicsExport, NamesAcceptedAndRefusedAndAnUnwritablePlace)
{
    const fs::path root = fs::temp_directory_path() / ("ql240-harmtab-" + std::to_string(getpid()));
    fs::create_directories(root);
    const std::string r = root.string();
    const struct {
        std::string chosen, written, message;  // written: the file that appears
    } cases[] = {
        {r + "/a.tab", r + "/a.tab", ""},
        {r + "/b.TAB", r + "/b.TAB", ""},
        {r + "/mytab", r + "/mytab", ""},
        {r + "/c.tab  ", r + "/c.tab", ""},  // blanks after the name are dropped
        {r + "/d.txt", "", "Bad Filename | Save as tab"},
        {r + "/e.ta", "", "Bad Filename | Save as tab"},
        {r + "/no/such/folder.tab", "", "File Error | Load as tab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        std::string kept;
        const RecordingHost host = exportTo(c.chosen, &kept);
        EXPECT_EQ(kept, c.chosen);  // a refused name is kept too
        EXPECT_EQ(host.countEvents("message: "), c.message.empty() ? 0 : 1);
        EXPECT_EQ(host.countEvents("message: " + c.message), c.message.empty() ? 0 : 1);
        EXPECT_EQ(readBytes(c.written), c.written.empty() ? "" : kHeaderLine);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root), {}), 4);  // and nothing else
    fs::remove_all(root);
}
