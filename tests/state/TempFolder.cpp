#include "TempFolder.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <fstream>
#include <iterator>

namespace ql::test {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& name)
    : path_(fs::temp_directory_path() / ("ql240-" + name + "-" + std::to_string(::getpid())))
{
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (const auto& entry : fs::recursive_directory_iterator(path_, ec))
        if (entry.is_directory(ec))
            fs::permissions(entry, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

namespace {

bool setDacOverride(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0) return false;
    const unsigned bit = 1u << CAP_DAC_OVERRIDE;
    if (on)
        data[0].effective |= bit & data[0].permitted;
    else
        data[0].effective &= ~bit;
    return ::syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

PermissionsEnforced::PermissionsEnforced()
{
    if (::geteuid() != 0) return;
    ok_ = dropped_ = setDacOverride(false);
}

PermissionsEnforced::~PermissionsEnforced()
{
    if (dropped_) setDacOverride(true);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace ql::test
