#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>

#include "TempFolder.h"
#include "files/FileAccess.h"

using namespace ql;
using namespace ql::test;
namespace fs = std::filesystem;

TEST(FileAccess, AReadOnlyFileIsRead)
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
