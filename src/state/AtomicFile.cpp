#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace ql {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kWriteAdvice =
    "Check that the folder exists, that you may write to it and that the disk is not full.";

// Writes all of `bytes`, resuming after interruptions and partial writes.
bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a save really replaces: the target of a symbolic link, else the path itself.
std::string resolveTarget(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    const fs::path resolved = fs::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
}

// Creates a fresh temporary file beside `target`; -1 (errno set) when impossible.
int createTemporary(const std::string& target, std::string& tempPath)
{
    const fs::path p(target);
    const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = (folder / ("." + p.filename().string() + ".tmp-" + std::to_string(::getpid()) +
                              "-" + std::to_string(++counter)))
                       .string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

Failure fileFailure(std::string_view verb, const std::string& path, int error,
                    std::string_view advice, std::string_view title)
{
    std::string text = "Could not " + std::string(verb) + " \"" + path + "\": ";
    text += std::strerror(error);
    text += ". ";
    text += advice;
    return Failure{text, std::string(title), MessageIcon::Warning};
}

Result<StagedFile> stageFile(const std::string& path, std::string_view bytes,
                             std::string_view failureTitle)
{
    const std::string target = resolveTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A file the user made read-only stays as it is, as an in-place write would.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return fileFailure("write", path, errno, kWriteAdvice, failureTitle);

    std::string tempPath;
    const int fd = createTemporary(target, tempPath);
    if (fd < 0) return fileFailure("write", path, errno, kWriteAdvice, failureTitle);

    bool ok = writeAll(fd, bytes);
    if (ok && exists) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        return fileFailure("write", path, error, kWriteAdvice, failureTitle);
    }
    return StagedFile(path, target, tempPath, std::string(failureTitle));
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : path_(std::move(other.path_)),
      target_(std::move(other.target_)),
      tempPath_(std::move(other.tempPath_)),
      title_(std::move(other.title_)),
      pending_(other.pending_)
{
    other.pending_ = false;
}

StagedFile::~StagedFile()
{
    if (pending_) ::unlink(tempPath_.c_str());
}

Status StagedFile::commit()
{
    if (!pending_) return Status::success();
    pending_ = false;
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath_.c_str());
        return fileFailure("write", path_, error, kWriteAdvice, title_);
    }
    // Make the rename itself durable; the new file is complete either way, so a folder that
    // cannot be synced is not a failed save.
    const fs::path folder =
        fs::path(target_).has_parent_path() ? fs::path(target_).parent_path() : fs::path(".");
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
    return Status::success();
}

Status writeFileAtomically(const std::string& path, std::string_view bytes,
                           std::string_view failureTitle)
{
    Result<StagedFile> staged = stageFile(path, bytes, failureTitle);
    if (!staged) return staged.failure();
    return staged.value().commit();
}

}  // namespace ql
