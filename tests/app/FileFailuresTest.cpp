// Every writer of the program (one per way its failure reaches the user) against the ways a
// save fails: the user is told the fixed text and, on the line under it, which file and why;
// nothing is left behind; a symbolic link stays a link, written through when its folder exists.
// The table runs in a process set up as the program's, where a full disk is a file-size limit.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "AppRig.h"
#include "ProgramProcess.h"
#include "TempFolder.h"
#include "app/AutoStoreEngine.h"
#include "app/HarmonicsTestOperations.h"
#include "draw/RecordingClipboard.h"
#include "files/AutoStoreFiles.h"
#include "files/DataFileOperations.h"
#include "files/ParameterFile.h"
#include "hardcopy/HardcopyOutput.h"
#include "hardcopy/HardcopyRenderer.h"
#include "state/RecordingFileDialogs.h"

using namespace ql;
using namespace ql::testing;
namespace fs = std::filesystem;

namespace {

using Messages = std::vector<RecordingHost::Message>;

// A full disk, as this process sees it: no file grows beyond a few bytes while it lives.
class SmallDisk {
public:
    SmallDisk()
    {
        ::getrlimit(RLIMIT_FSIZE, &before_);
        rlimit small = before_;
        small.rlim_cur = 16;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SmallDisk() { ::setrlimit(RLIMIT_FSIZE, &before_); }

private:
    rlimit before_{};
};

Messages reported(const Status& s)
{
    return s ? Messages{} : Messages{{s.failure().text, s.failure().title, s.failure().icon}};
}

// The autostore's store into `path`, the user's files folder being `filesFolder`.
Messages autoStore(AppRig& r, const std::string& path, const std::string& filesFolder)
{
    r.state.autoStore.autoStorePrefix = path.substr(0, path.size() - 9);
    r.state.autoStore.autoStoreActive = 1;
    return reported(storeNextAutoStoreFile(r.state, r.host, r.printer, ',', filesFolder));
}

// A writer: the name it writes under, and a save to `path` that returns what the user saw.
struct Writer {
    const char* what;
    std::string name;
    bool makesItsFolder;
    std::function<Messages(AppRig&, const std::string& path)> save;
};

const Writer kWriters[] = {
    {"measurement file", "data.mes", false,
     [](AppRig& r, const std::string& p) {
         saveMeasurementFile(r.state, r.host, p);
         return r.host.messages;
     }},
    {"harmonics table", "harmonics.tab", false,
     [](AppRig& r, const std::string& p) {
         NoLimitSource limits;
         HarmonicsWindowController window(r.state, r.host, limits);
         RecordingFileDialogs dialogs;
         dialogs.answers = {p};
         HarmonicsTestOperations(r.link, r.printer, dialogs).exportTable(window);
         return r.host.messages;
     }},
    {"screen picture", "screen.wmf", false,
     [](AppRig& r, const std::string& p) {
         RecordingClipboard clipboard;
         return reported(drawWmf(hardcopyInputFor(r.state), {p, true}, clipboard, nullptr));
     }},
    {"autostore file", "probe00000.mes", true,
     [](AppRig& r, const std::string& p) {
         return autoStore(r, p, fs::path(p).parent_path().string());
     }},
    // A user's files folder that cannot be made does not stop a store elsewhere.
    {"autostore file in a folder of the user's", "probe00000.mes", false,
     [](AppRig& r, const std::string& p) { return autoStore(r, p, "/dev/null/ql240"); }},
    {"parameter file", std::string(kParameterFileName), true,
     [](AppRig& r, const std::string& p) {
         const AppPaths paths(r.paths.dataDir(), fs::path(p).parent_path().string(), r.root,
                              r.root);
         writeParameterFile(r.state, r.host, paths);
         return r.host.messages;
     }},
};

enum class Fault {
    ReadOnlyFolder,
    MissingFolder,
    UnmakeableFolder,  // missing, in a read-only folder
    FullDisk,
    LinkIntoMissingFolder,
    LinkIntoFolder
};

// Every entry under `folder`, links as links.
std::set<std::string> entries(const fs::path& folder)
{
    std::set<std::string> all;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        all.insert(fs::relative(it->path(), folder).string());
    return all;
}

}  // namespace

TEST(FileFailures, EveryWriterNamesTheFileAndTheCauseAndLeavesNothingBehind)
{
    const struct {
        const char* what;
        Fault fault;
        std::string cause;  // in the line under the fixed text; empty: the save succeeds
    } faults[] = {
        {"read-only folder", Fault::ReadOnlyFolder, std::strerror(EACCES)},
        {"missing folder", Fault::MissingFolder, "does not exist"},
        {"folder that cannot be made", Fault::UnmakeableFolder, std::strerror(EACCES)},
        {"full disk", Fault::FullDisk, std::strerror(EFBIG)},
        {"link into a missing folder", Fault::LinkIntoMissingFolder, "does not exist"},
        {"link into a folder", Fault::LinkIntoFolder, ""},
    };
    const ProgramProcess process;
    if (!process.isChild()) return;
    for (const Writer& w : kWriters) {
        for (const auto& f : faults) {
            SCOPED_TRACE(std::string(w.what) + ", " + f.what);
            // The autostore writes no name that exists, a link included: it takes the next
            // number instead (its own tests show that).
            if (std::string_view(w.what).substr(0, 9) == "autostore" &&
                f.fault >= Fault::LinkIntoMissingFolder)
                continue;
            AppRig rig;
            const fs::path folder = fs::path(rig.root) / "parent" / "place";
            const fs::path path = folder / w.name;
            const fs::path linkTarget =
                folder / (f.fault == Fault::LinkIntoFolder ? "t" : "gone/t");
            fs::create_directories(folder.parent_path());
            if (f.fault == Fault::UnmakeableFolder)
                fs::permissions(folder.parent_path(),
                                fs::perms::owner_read | fs::perms::owner_exec);
            else if (f.fault != Fault::MissingFolder)
                fs::create_directories(folder);
            if (f.fault >= Fault::LinkIntoMissingFolder) fs::create_symlink(linkTarget, path);
            if (f.fault == Fault::ReadOnlyFolder)
                fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
            const std::set<std::string> before = entries(rig.root);

            Messages shown;
            {
                test::PermissionsEnforced enforced;
                if (!enforced.ok()) GTEST_SKIP() << "cannot enforce permissions here";
                std::optional<SmallDisk> full;
                if (f.fault == Fault::FullDisk) full.emplace();
                shown = w.save(rig, path.string());
            }
            std::error_code ec;
            for (const fs::path& f : {folder, folder.parent_path()})
                fs::permissions(f, fs::perms::owner_all, fs::perm_options::add, ec);

            const bool succeeds =
                f.cause.empty() || (f.fault == Fault::MissingFolder && w.makesItsFolder);
            if (f.fault >= Fault::LinkIntoMissingFolder) {
                EXPECT_TRUE(fs::is_symlink(path));  // never replaced by a file
                EXPECT_EQ(fs::exists(linkTarget), succeeds);
            }
            if (succeeds) {
                EXPECT_TRUE(shown.empty()) << shown.front().text;
                EXPECT_TRUE(fs::is_regular_file(path));
                continue;
            }
            ASSERT_FALSE(shown.empty());
            const std::string& text = shown.front().text;
            const auto lineEnd = text.find('\n');
            ASSERT_NE(lineEnd, std::string::npos) << text;
            const std::string cause = text.substr(lineEnd + 1);
            EXPECT_NE(cause.find(path.string()), std::string::npos) << cause;
            // A folder its writer does not make is one that is not there.
            const bool made = f.fault != Fault::UnmakeableFolder || w.makesItsFolder;
            EXPECT_NE(cause.find(made ? f.cause : "does not exist"), std::string::npos) << cause;
            if (f.fault == Fault::LinkIntoMissingFolder) {
                EXPECT_NE(cause.find(linkTarget.parent_path().string()), std::string::npos)
                    << cause;
            }
            EXPECT_EQ(entries(rig.root), before);
        }
    }
}
