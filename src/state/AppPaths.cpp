#include "AppPaths.h"

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

bool isFolder(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

// The value of XDG_DOCUMENTS_DIR in a user-dirs.dirs file: XDG_DOCUMENTS_DIR="$HOME/Documents".
std::string documentsDirOfUserDirs(const std::string& file, const std::string& home)
{
    std::ifstream in(file);
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        return value;
    }
    return {};
}

}  // namespace

AppPaths::AppPaths(std::string dataDir, std::string configDir, std::string userDataDir,
                   std::string userFilesDir)
    : dataDir_(std::move(dataDir)),
      configDir_(std::move(configDir)),
      userDataDir_(std::move(userDataDir)),
      userFilesDir_(userFilesDir.empty() ? userDataDir_ + "/files" : std::move(userFilesDir))
{
}

std::string documentsFolder()
{
    const std::string home = homeDir();
    const std::string named = envOr("XDG_DOCUMENTS_DIR", "");
    if (isFolder(named)) return named;
    const std::string userDirs = envOr("XDG_CONFIG_HOME", home + "/.config") + "/user-dirs.dirs";
    const std::string listed = documentsDirOfUserDirs(userDirs, home);
    return isFolder(listed) ? listed : home;
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
    return AppPaths(data, config, userData, documentsFolder() + "/ql240");
}

AppPaths AppPaths::underRoot(const std::string& root)
{
    return AppPaths(root + "/data", root + "/config", root + "/userdata", root + "/files");
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
