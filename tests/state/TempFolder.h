#pragma once
// Test helpers: a fresh folder removed afterwards, and a guard under which the folder
// permissions hold even for root (the CI container runs the tests as root).

#include <filesystem>
#include <string>

namespace ql::test {

class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// While alive, file permissions are enforced for this process: root's override of them is
// set aside. ok() is false when that is not possible (the test should then be skipped).
class PermissionsEnforced {
public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    bool ok() const { return ok_; }

private:
    bool ok_ = true;
    bool dropped_ = false;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

}  // namespace ql::test
