#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
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

// Links followed before a chain counts as a loop, as the system counts them.
constexpr int kMostLinksFollowed = 40;

fs::path folderOf(const fs::path& file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Why `path` (or `target`, the file behind its links) could not be written. A folder that is
// not there is named, as the system's "No such file or directory" does not say which.
Failure writeFailure(const std::string& path, const std::string& target, int error,
                     std::string_view title)
{
    const fs::path folder = folderOf(target);
    std::error_code ec;
    if (error != ENOENT || fs::is_directory(folder, ec))
        return fileFailure("write", path, error, kWriteAdvice, title);
    std::string text = "Could not write \"" + path + "\": ";
    if (target != path)
        text += "it is a link to \"" + target + "\", and the folder \"" + folder.string() +
                "\" does not exist. Make that folder or save under another name.";
    else
        text += "the folder \"" + folder.string() + "\" does not exist. Choose an existing folder.";
    return Failure{text, std::string(title), MessageIcon::Warning};
}

// Temporary files are named ".<target name>.ql240-save-<process id>-<n>", so that they are
// recognisably this writer's and tell which process wrote them. Earlier versions wrote
// ".<target name>.tmp-<process id>-<n>".
constexpr std::string_view kTemporaryMarks[] = {".ql240-save-", ".tmp-"};

// The temporary files this process has staged and not yet committed or dropped.
std::set<std::string>& stagedHere()
{
    static std::set<std::string> paths;
    return paths;
}

// The process id in `name` when it is the name of a temporary file for `target`.
std::optional<long> temporaryOwner(const std::string& name, const std::string& target)
{
    for (std::string_view mark : kTemporaryMarks) {
        const std::string head = "." + target + std::string(mark);
        if (name.size() <= head.size() || name.compare(0, head.size(), head) != 0) continue;
        const std::string_view rest = std::string_view(name).substr(head.size());
        const auto dash = rest.find('-');
        const auto digits = [](std::string_view t) {
            return !t.empty() && t.size() <= 18 &&
                   std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
        };
        if (dash == std::string_view::npos || !digits(rest.substr(0, dash)) ||
            !digits(rest.substr(dash + 1)))
            continue;
        const long pid = std::stol(std::string(rest.substr(0, dash)));
        if (pid > 0 && pid < 1'000'000'000) return pid;  // a process id the system can have
    }
    return std::nullopt;
}

// Whether the process that wrote a temporary file can no longer finish its save.
bool abandoned(long pid, const std::string& path)
{
    if (pid == static_cast<long>(::getpid())) return stagedHere().count(path) == 0;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes the temporary files that saves of `target` left behind when their process ended
// before the rename (killed, or the machine went down). Only regular files named as this
// writer names them for this target, of processes that are gone; nothing else is touched.
void removeLeftovers(const std::string& target)
{
    const fs::path p(target);
    const fs::path folder = folderOf(p);
    const std::string name = p.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        const auto pid = temporaryOwner(entry, name);
        if (!pid) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (abandoned(*pid, it->path().string())) ::unlink(it->path().c_str());
    }
}

// Creates a fresh temporary file beside `target`; -1 (errno set) when impossible.
int createTemporary(const std::string& target, std::string& tempPath)
{
    const fs::path p(target);
    const fs::path folder = folderOf(p);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = (folder / ("." + p.filename().string() + std::string(kTemporaryMarks[0]) +
                              std::to_string(::getpid()) + "-" + std::to_string(++counter)))
                       .string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) stagedHere().insert(tempPath);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Removes a temporary file this process staged.
void dropTemporary(const std::string& tempPath)
{
    ::unlink(tempPath.c_str());
    stagedHere().erase(tempPath);
}

}  // namespace

Status makeFolderOf(const std::string& path, std::string_view failureTitle)
{
    const fs::path folder = folderOf(fs::path(path));
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (fs::is_directory(folder)) return Status::success();
    const int error = ec ? ec.value() : ENOTDIR;
    return Failure{"Could not write \"" + path + "\": the folder \"" + folder.string() +
                       "\" could not be made: " + std::strerror(error) +
                       ". Check that the folder can be created and that you may write to it.",
                   std::string(failureTitle), MessageIcon::Warning};
}

Result<std::string> fileBehindLinks(const std::string& path, std::string_view failureTitle)
{
    fs::path file(path);
    for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return file.string();
        std::error_code ec;
        const fs::path next = fs::read_symlink(file, ec);
        if (ec) return fileFailure("write", path, ec.value(), kWriteAdvice, failureTitle);
        // Not normalised: ".." in a link is taken from the folder the system finds, which a
        // linked folder on the way makes differ from the text of the path.
        file = next.is_absolute() ? next : folderOf(file) / next;
    }
    return fileFailure("write", path, ELOOP, kWriteAdvice, failureTitle);
}

Failure fileFailure(std::string_view verb, const std::string& path, int error,
                    std::string_view advice, std::string_view title)
{
    std::string text = "Could not " + std::string(verb) + " \"" + path + "\": ";
    text += std::strerror(error);
    text += ". ";
    text += advice;
    return Failure{text, std::string(title), MessageIcon::Warning};
}

Failure fileError(std::string_view fixedText, std::string_view title, std::string_view cause,
                  MessageIcon icon)
{
    std::string text(fixedText);
    if (!cause.empty()) text += "\n" + std::string(cause);
    return Failure{text, std::string(title), icon};
}

std::string refusedNameCause(const std::string& name, std::string_view endings)
{
    return "The name \"" + name + "\" does not end in " + std::string(endings) + ".";
}

Result<StagedFile> stageFile(const std::string& path, std::string_view bytes,
                             std::string_view failureTitle)
{
    const Result<std::string> behindLinks = fileBehindLinks(path, failureTitle);
    if (!behindLinks) return behindLinks.failure();
    const std::string& target = behindLinks.value();
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A file the user made read-only stays as it is, as an in-place write would.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return fileFailure("write", path, errno, kWriteAdvice, failureTitle);

    removeLeftovers(target);
    std::string tempPath;
    const int fd = createTemporary(target, tempPath);
    if (fd < 0) return writeFailure(path, target, errno, failureTitle);

    bool ok = writeAll(fd, bytes);
    if (ok && exists) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        dropTemporary(tempPath);
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
    if (pending_) dropTemporary(tempPath_);
}

Status StagedFile::commit()
{
    if (!pending_) return Status::success();
    pending_ = false;
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        dropTemporary(tempPath_);
        return fileFailure("write", path_, error, kWriteAdvice, title_);
    }
    stagedHere().erase(tempPath_);
    // Make the rename itself durable; the new file is complete either way, so a folder that
    // cannot be synced is not a failed save.
    const fs::path folder = folderOf(target_);
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
