#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>

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
