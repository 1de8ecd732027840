#include "FileAccess.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "state/AtomicFile.h"
#include "state/Text.h"

namespace ql {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kReadAdvice = "Check that the file exists and that you may read it.";

}  // namespace

Result<std::string> readFileBytes(const std::string& path, std::string_view failureTitle,
                                  std::size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fileFailure("read", path, errno, kReadAdvice, failureTitle);
    std::string bytes;
    char buffer[8192];
    while (bytes.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return fileFailure("read", path, error, kReadAdvice, failureTitle);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::optional<std::string> findFileNoCase(const std::string& folder, std::string_view name)
{
    std::error_code ec;
    const fs::path exact = fs::path(folder) / std::string(name);
    if (fs::is_regular_file(exact, ec)) return exact.string();

    const std::string wanted = upperAscii(name);
    std::optional<std::string> best;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        std::error_code typeError;
        if (upperAscii(entry) != wanted || !it->is_regular_file(typeError)) continue;
        if (!best || entry < fs::path(*best).filename().string()) best = it->path().string();
    }
    return best;
}

}  // namespace ql
