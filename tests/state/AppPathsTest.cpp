#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "state/AppPaths.h"

using namespace ql;

TEST(AppPaths, PerUserFoldersFollowXdgAndAreCreatedOnFirstUse)
{
    const auto root = std::filesystem::temp_directory_path() / "ql240-apppaths-test";
    std::filesystem::remove_all(root);
    setenv("XDG_CONFIG_HOME", (root / "cfg").c_str(), 1);
    setenv("XDG_DATA_HOME", (root / "share").c_str(), 1);
    setenv("QL240_DATA_DIR", "/opt/data", 1);
    const AppPaths paths = AppPaths::fromEnvironment();
    EXPECT_EQ(paths.configDir(), (root / "cfg" / "ql240").string());
    EXPECT_EQ(paths.userDataDir(), (root / "share" / "ql240").string());
    EXPECT_EQ(paths.dataFile("scopes.db"), "/opt/data/scopes.db");
    EXPECT_FALSE(std::filesystem::exists(paths.configDir()));
    EXPECT_TRUE(paths.ensureConfigDir());
    EXPECT_TRUE(paths.ensureUserDataDir());
    EXPECT_TRUE(std::filesystem::is_directory(paths.configDir()));
    std::filesystem::remove_all(root);
}

TEST(AppPaths, UnwritableFolderIsReported)
{
    const AppPaths paths("/nonexistent", "/proc/ql240-cannot-exist", "/proc/ql240-no");
    EXPECT_FALSE(paths.ensureConfigDir());
    EXPECT_FALSE(paths.ensureUserDataDir());
}
