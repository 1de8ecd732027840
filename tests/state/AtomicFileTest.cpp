#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <set>
#include <vector>

#include "TempFolder.h"
#include "state/AtomicFile.h"

using namespace ql;
using namespace ql::test;
namespace fs = std::filesystem;

namespace {

int entryCount(const fs::path& folder)
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
    return n;
}

}  // namespace

TEST(AtomicFile, AtomicWriteReplacesTheFileKeepsItsModeAndLeavesNoTemporary)
{
    TempFolder dir("atomic");
    const std::string path = dir.file("data.bin");
    ASSERT_TRUE(writeFileAtomically(path, std::string("first\0one", 9), "t").ok());
    EXPECT_EQ(readFile(path), std::string("first\0one", 9));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(path, "second", "t").ok());
    EXPECT_EQ(readFile(path), "second");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entryCount(dir.path()), 1);
}

TEST(AtomicFile, WritingThroughASymbolicLinkKeepsTheLink)
{
    TempFolder dir("symlink");
    writeFile(dir.file("real.bin"), "old");
    fs::create_symlink(dir.file("real.bin"), dir.file("link.bin"));
    ASSERT_TRUE(writeFileAtomically(dir.file("link.bin"), "new", "t").ok());
    EXPECT_TRUE(fs::is_symlink(dir.file("link.bin")));
    EXPECT_EQ(readFile(dir.file("real.bin")), "new");
}

TEST(AtomicFile, FailuresNameTheFileAndTheReasonAndKeepTheOldFile)
{
    TempFolder dir("unwritable");
    const std::string path = dir.file("data.bin");
    writeFile(path, "precious");
    ::chmod(dir.path().c_str(), 0555);
    {
        PermissionsEnforced enforced;
        if (!enforced.ok()) GTEST_SKIP() << "cannot enforce permissions here";
        const Status s = writeFileAtomically(path, "replacement", "Save things");
        ASSERT_FALSE(s.ok());
        EXPECT_EQ(s.failure().title, "Save things");
        EXPECT_NE(s.failure().text.find(path), std::string::npos);
        EXPECT_NE(s.failure().text.find("Permission denied"), std::string::npos);
    }
    EXPECT_EQ(readFile(path), "precious");
    EXPECT_EQ(entryCount(dir.path()), 1);

    const Status missingFolder = writeFileAtomically(dir.file("no/such/file"), "x", "t");
    EXPECT_FALSE(missingFolder.ok());
}

TEST(AtomicFile, AReadOnlyFileIsNotReplaced)
{
    TempFolder dir("readonly");
    const std::string path = dir.file("data.bin");
    writeFile(path, "0123456789");
    ::chmod(path.c_str(), 0444);
    PermissionsEnforced enforced;
    if (!enforced.ok()) GTEST_SKIP() << "cannot enforce permissions here";
    EXPECT_FALSE(writeFileAtomically(path, "new", "t").ok());
    EXPECT_EQ(readFile(path), "0123456789");
}

TEST(AtomicFile, ASaveRemovesWhatInterruptedSavesOfTheSameFileLeftAndNothingElse)
{
    TempFolder dir("leftovers");
    const std::string path = dir.file("data.bin");
    // Saves killed between writing and renaming: the process ends with its file staged.
    pid_t gone = -1;
    for (int k = 0; k < 3; ++k) {
        gone = ::fork();
        ASSERT_GE(gone, 0);
        if (gone == 0) {
            Result<StagedFile> staged = stageFile(path, "half a save", "t");
            ::_exit(staged.ok() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(gone, &status, 0), gone);
        ASSERT_EQ(WEXITSTATUS(status), 0);
    }
    const std::string dead = std::to_string(gone);
    // Each save cleared the one before it, so the kills do not pile up.
    ASSERT_EQ(entryCount(dir.path()), 1);
    writeFile(dir.file(".data.bin.tmp-" + dead + "-7"), "left by an earlier version");

    // What must stay: another file's leftover, a save still running in a living process or
    // in this one, names that only look alike, a folder, and the user's own files.
    const std::string alive = std::to_string(::getppid());
    const std::vector<std::string> kept = {
        ".other.bin.ql240-save-" + dead + "-1",
        ".data.bin.ql240-save-" + alive + "-1",
        ".data.bin.ql240-save-" + dead + "-x",
        ".data.bin.ql240-save-" + dead,
        "data.bin.ql240-save-" + dead + "-1",
        ".data.bin.tmp-" + dead + "-1.keep",
        "notes.txt",
    };
    for (const auto& name : kept) writeFile(dir.file(name), "keep");
    fs::create_directory(dir.file(".data.bin.ql240-save-" + dead + "-9"));
    Result<StagedFile> running = stageFile(path, "in progress", "t");
    ASSERT_TRUE(running.ok());

    ASSERT_TRUE(writeFileAtomically(path, "whole", "t").ok());
    EXPECT_EQ(readFile(path), "whole");
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path())) names.insert(e.path().filename());
    std::set<std::string> expected(kept.begin(), kept.end());
    expected.insert({"data.bin", ".data.bin.ql240-save-" + dead + "-9",
                     fs::path(running.value().temporaryPath()).filename().string()});
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(running.value().commit().ok());
    EXPECT_EQ(readFile(path), "in progress");
}
