#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>

#include "TempFolder.h"
#include "files/FileAccess.h"

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

TEST(FileAccess, AtomicWriteReplacesTheFileKeepsItsModeAndLeavesNoTemporary)
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

TEST(FileAccess, WritingThroughASymbolicLinkKeepsTheLink)
{
    TempFolder dir("symlink");
    writeFile(dir.file("real.bin"), "old");
    fs::create_symlink(dir.file("real.bin"), dir.file("link.bin"));
    ASSERT_TRUE(writeFileAtomically(dir.file("link.bin"), "new", "t").ok());
    EXPECT_TRUE(fs::is_symlink(dir.file("link.bin")));
    EXPECT_EQ(readFile(dir.file("real.bin")), "new");
}

TEST(FileAccess, FailuresNameTheFileAndTheReasonAndKeepTheOldFile)
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

TEST(FileAccess, AReadOnlyFileIsReadButNotReplaced)
{
    TempFolder dir("readonly");
    const std::string path = dir.file("data.bin");
    writeFile(path, "0123456789");
    ::chmod(path.c_str(), 0444);
    PermissionsEnforced enforced;
    if (!enforced.ok()) GTEST_SKIP() << "cannot enforce permissions here";
    const auto whole = readFileBytes(path, "t");
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(whole.value(), "0123456789");
    const auto head = readFileBytes(path, "t", 4);
    ASSERT_TRUE(head.ok());
    EXPECT_EQ(head.value(), "0123");
    EXPECT_FALSE(writeFileAtomically(path, "new", "t").ok());
    EXPECT_EQ(readFile(path), "0123456789");
    EXPECT_FALSE(readFileBytes(dir.file("missing.bin"), "t").ok());
}

TEST(FileAccess, FindsAFileWhateverItsLetterCasePreferringTheExactName)
{
    TempFolder dir("nocase");
    EXPECT_FALSE(findFileNoCase(dir.path().string(), "Tx4080.par").has_value());
    fs::create_directory(dir.file("TX4080.PAR"));  // a folder of that name is not the file
    EXPECT_FALSE(findFileNoCase(dir.path().string(), "Tx4080.par").has_value());
    writeFile(dir.file("tx4080.PAR"), "a");
    EXPECT_EQ(findFileNoCase(dir.path().string(), "Tx4080.par"), dir.file("tx4080.PAR"));
    writeFile(dir.file("Tx4080.par"), "b");
    EXPECT_EQ(findFileNoCase(dir.path().string(), "Tx4080.par"), dir.file("Tx4080.par"));
    EXPECT_FALSE(findFileNoCase(dir.file("missing"), "Tx4080.par").has_value());
}
