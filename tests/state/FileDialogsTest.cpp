// Where each file dialog starts: the name chosen last when the dialog's filter lists it (with
// that entry chosen), otherwise that name's folder with no name, and the user's files folder,
// made on demand, before any choice or when that folder is gone.

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "state/FileDialogs.h"

namespace ql {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLoadFilter = "Measurement (*.mes) |*.mes|Settings (*.set) |*.set";
constexpr const char* kSaveFilter =
    "Measurement (*.mes) |*.mes|Settings (*.set) |*.set|Table (*.tab) |*.tab";
constexpr const char* kPictureFilter = "Pictures|*.wmf;*.emf";

TEST(FileDialogStart, TheLastNameIsOfferedOnlyWhereTheFilterListsIt)
{
    const test::TempFolder root("dialogstart");
    const std::string work = root.file("work");
    const std::string files = root.file("documents/ql240");
    fs::create_directories(work);
    struct Case {
        const char* what;
        std::string lastChosen;
        const char* filter;
        std::string folder, name;
        std::size_t filterIndex;
    } cases[] = {
        {"nothing chosen yet", "", kLoadFilter, files, "", 0},
        {"a measurement", work + "/run.mes", kLoadFilter, work, "run.mes", 0},
        {"a settings file chooses its entry", work + "/a.set", kLoadFilter, work, "a.set", 1},
        {"letters in either case", work + "/A.SET", kLoadFilter, work, "A.SET", 1},
        {"a picture under the load filter", work + "/shot.wmf", kLoadFilter, work, "", 0},
        {"a table where only saving lists it", work + "/t.tab", kLoadFilter, work, "", 0},
        {"a table under the save filter", work + "/t.tab", kSaveFilter, work, "t.tab", 2},
        {"no dot before the ending", work + "/lastmes", kLoadFilter, work, "", 0},
        {"another ending after it", work + "/run.mes.bak", kLoadFilter, work, "", 0},
        {"an entry of several patterns", work + "/p.emf", kPictureFilter, work, "p.emf", 0},
        {"a folder that is gone", root.file("gone") + "/run.mes", kLoadFilter, files, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileDialogRequest request;
        request.filter = c.filter;
        const FileDialogStart start = fileDialogStart(request, c.lastChosen, files);
        EXPECT_EQ(start.folder, c.folder);
        EXPECT_EQ(start.name, c.name);
        EXPECT_EQ(start.filterIndex, c.filterIndex);
        EXPECT_TRUE(fs::is_directory(start.folder));
    }
}

}  // namespace
}  // namespace ql
