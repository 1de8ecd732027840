// Printouts made without a printer: where they go, how they are named, and a folder that
// cannot take them.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "TempFolder.h"
#include "state/AppPaths.h"
#include "state/PrintoutFile.h"

using namespace ql;
using namespace ql::test;
namespace fs = std::filesystem;

namespace {

const DateTime kWhen{2026, 3, 7, 9, 5, 1};

// Sets an environment variable for the test's duration.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~EnvironmentValue()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(PrintoutFile, NamesAreKindAndTimeNumberedFromTheSecondOn)
{
    TempFolder dir("printouts");
    const std::string folder = dir.file("documents/ql240");  // made on first use
    const std::string first = dir.file("documents/ql240/screen-20260307-090501.pdf");
    for (const std::string& expected :
         {first, dir.file("documents/ql240/screen-20260307-090501-2.pdf"),
          dir.file("documents/ql240/screen-20260307-090501-3.pdf")}) {
        const Result<std::string> claimed = claimPrintoutFile(folder, "screen", kWhen);
        ASSERT_TRUE(claimed.ok());
        EXPECT_EQ(claimed.value(), expected);
        EXPECT_TRUE(fs::is_regular_file(expected));
    }
    // Another kind in the same second starts its own numbers.
    EXPECT_EQ(claimPrintoutFile(folder, "fft", kWhen).value(),
              dir.file("documents/ql240/fft-20260307-090501.pdf"));
}

TEST(PrintoutFile, AFolderThatCannotBeMadeOrWrittenIsAFailureNamingIt)
{
    TempFolder dir("printouts-refused");
    writeFile(dir.file("plain-file"), "x");
    const Result<std::string> inFile =
        claimPrintoutFile(dir.file("plain-file/ql240"), "screen", kWhen);
    ASSERT_FALSE(inFile.ok());
    EXPECT_EQ(inFile.failure().title, "Print");
    EXPECT_NE(inFile.failure().text.find("plain-file/ql240"), std::string::npos);

    fs::create_directory(dir.file("locked"));
    ::chmod(dir.file("locked").c_str(), 0555);
    PermissionsEnforced enforced;
    if (!enforced.ok()) GTEST_SKIP() << "cannot enforce permissions here";
    const Result<std::string> locked = claimPrintoutFile(dir.file("locked"), "screen", kWhen);
    ASSERT_FALSE(locked.ok());
    EXPECT_NE(locked.failure().text.find("Permission denied"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir.file("locked")));
}

TEST(PrintoutFile, PrintoutsGoToTheDocumentsFolderTheDesktopNames)
{
    TempFolder dir("documents");
    const std::string home = dir.file("home");
    fs::create_directories(home + "/Papers");
    fs::create_directories(home + "/.config");
    const EnvironmentValue homeFolder("HOME", home);
    const EnvironmentValue config("XDG_CONFIG_HOME", home + "/.config");
    const EnvironmentValue documents("XDG_DOCUMENTS_DIR", "");
    EXPECT_EQ(documentsFolder(), home);  // nothing named: the home folder
    writeFile(home + "/.config/user-dirs.dirs",
              "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    EXPECT_EQ(documentsFolder(), home + "/Papers");
    EXPECT_EQ(AppPaths::fromEnvironment().userFilesDir(), home + "/Papers/ql240");
    setenv("XDG_DOCUMENTS_DIR", dir.path().c_str(), 1);
    EXPECT_EQ(documentsFolder(), dir.path().string());
    setenv("XDG_DOCUMENTS_DIR", (home + "/missing").c_str(), 1);
    EXPECT_EQ(documentsFolder(), home + "/Papers");
}
