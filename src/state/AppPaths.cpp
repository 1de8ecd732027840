#include "AppPaths.h"

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ql {

namespace fs = std::filesystem;

namespace {

std::string envOr(const char* name, const std::string& fallback)
{
    const char* v = std::getenv(name);
    return (v && *v) ? std::string(v) : fallback;
}

std::string homeDir()
{
    const char* home = std::getenv("HOME");
    return (home && *home) ? std::string(home) : std::string("/tmp");
}

std::string executableDir()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

}  // namespace

AppPaths::AppPaths(std::string dataDir, std::string configDir, std::string userDataDir)
    : dataDir_(std::move(dataDir)),
      configDir_(std::move(configDir)),
      userDataDir_(std::move(userDataDir))
{
}

AppPaths AppPaths::fromEnvironment()
{
    std::string data = envOr("QL240_DATA_DIR", "");
    if (data.empty()) {
        const fs::path exeDir = executableDir();
        std::error_code ec;
        const fs::path installed = exeDir / ".." / "share" / "ql240";
        const fs::path buildTree = exeDir / ".." / "data";
        if (fs::is_directory(installed, ec))
            data = fs::weakly_canonical(installed, ec).string();
        else
            data = fs::weakly_canonical(buildTree, ec).string();
    }
    const std::string config = envOr("XDG_CONFIG_HOME", homeDir() + "/.config") + "/ql240";
    const std::string userData = envOr("XDG_DATA_HOME", homeDir() + "/.local/share") + "/ql240";
    return AppPaths(data, config, userData);
}

AppPaths AppPaths::underRoot(const std::string& root)
{
    return AppPaths(root + "/data", root + "/config", root + "/userdata");
}

bool makeDirectories(const std::string& path)
{
    std::error_code ec;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

bool AppPaths::ensureConfigDir() const
{
    return makeDirectories(configDir_);
}
bool AppPaths::ensureUserDataDir() const
{
    return makeDirectories(userDataDir_);
}

}  // namespace ql
