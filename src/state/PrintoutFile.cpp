#include "PrintoutFile.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "AtomicFile.h"

namespace ql {

namespace {

constexpr int kMostNumbers = 1000;  // printouts of one kind within one second
constexpr std::string_view kFolderAdvice =
    "Check that the folder can be created and that you may write to it.";

}  // namespace

std::string printoutFileName(std::string_view kind, const DateTime& when, int number)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d", when.year, when.month,
                  when.day, when.hour, when.minute, when.second);
    std::string name = std::string(kind) + stamp;
    if (number > 1) name += "-" + std::to_string(number);
    return name + ".pdf";
}

Result<std::string> claimPrintoutFile(const std::string& folder, std::string_view kind,
                                      const DateTime& when)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder)) {
        const int error = ec ? ec.value() : ENOTDIR;
        return fileFailure("create the folder", folder, error, kFolderAdvice, "Print");
    }
    for (int number = 1; number <= kMostNumbers; ++number) {
        const std::string path = folder + "/" + printoutFileName(kind, when, number);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) return fileFailure("write", path, errno, kFolderAdvice, "Print");
    }
    return fileFailure("write", folder + "/" + printoutFileName(kind, when), EEXIST, kFolderAdvice,
                       "Print");
}

}  // namespace ql
