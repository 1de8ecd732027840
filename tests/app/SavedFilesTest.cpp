// Every file the program writes goes through the one all-or-nothing writer: saved through a
// symbolic link, the link stays a link and the file it points to keeps its permissions.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "AppRig.h"
#include "draw/Surface.h"
#include "draw/WmfDevice.h"
#include "files/DataFileOperations.h"
#include "files/TableExport.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

using namespace ql;
using namespace ql::testing;
namespace fs = std::filesystem;

TEST(SavedFiles, ASaveThroughASymbolicLinkKeepsTheLinkAndTheTargetsPermissions)
{
    ProgramState state;
    initProgramState(state, "/tmp");
    RecordingHost host;
    WmfDevice picture({64, 48});
    Surface(picture).line(0, 0, 63, 47);
    const std::vector<std::uint8_t> pictureBytes = picture.bytes();

    struct Case {
        const char* what;
        std::function<bool(const std::string&)> save;
        std::string expected;
    };
    const Case cases[] = {
        {"measurement file",
         [&](const std::string& p) { return saveMeasurementFile(state, host, p); },
         encodeMeasurementFile(state)},
        {"waveform table", [&](const std::string& p) { return saveTableFile(state, host, p, ','); },
         waveformTableText(state, ',')},
        {"metafile", [&](const std::string& p) { return picture.saveAs(p).ok(); },
         std::string(pictureBytes.begin(), pictureBytes.end())},
    };
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempRoot root;
        const fs::path target = fs::path(root.path) / "real" / "file";
        writeBytes(target.string(), "old");
        fs::permissions(target, mode, fs::perm_options::replace);
        // A relative link, as a user makes one with ln -s: it resolves from the link's folder.
        const fs::path link = fs::path(root.path) / "link";
        fs::create_symlink(fs::path("real") / "file", link);

        ASSERT_TRUE(c.save(link.string()));
        ASSERT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link), fs::path("real") / "file");
        EXPECT_EQ(readBytes(target.string()), c.expected);
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, mode);
        EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), {}), 1);
    }
    EXPECT_TRUE(host.messages.empty());
}
