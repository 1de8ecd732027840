#pragma once
// The one way the program writes a file: all-or-nothing (a temporary file in the same folder,
// flushed to disk, then renamed over the target), so a failed save never destroys the file
// that was there. Data files, the parameter file, the waveform table and pictures all go
// through it. Failures come back with a plain, actionable text.

#include <string>
#include <string_view>
#include <utility>

#include "Status.h"

namespace ql {

// The program's fixed texts for a file that could not be read or written, and for a name
// refused before anything was done.
inline constexpr std::string_view kFileErrorText = "File Error";
inline constexpr std::string_view kBadFilenameText = "Bad Filename";

// Replaces (or creates) `path` with `bytes`. A symbolic link is followed, so the link stays:
// one that points to a file not there yet creates that file when its folder exists, and fails
// naming the missing folder otherwise. An existing file keeps its permissions; a file the user
// may not write is left alone.
// Temporary files are named ".<name>.ql240-save-<process id>-<n>"; before writing, those a
// save of the same target left behind when its process ended early are removed (only those).
Status writeFileAtomically(const std::string& path, std::string_view bytes,
                           std::string_view failureTitle);

// The two halves of writeFileAtomically: a replacement written completely beside its target,
// and then put in place by one rename. Dropped without commit(), it is removed and the target
// stays as it was; a process that ends in between leaves the target as it was too.
class StagedFile {
public:
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&&) = delete;
    StagedFile(const StagedFile&) = delete;
    ~StagedFile();

    Status commit();
    const std::string& temporaryPath() const { return tempPath_; }

private:
    friend Result<StagedFile> stageFile(const std::string&, std::string_view, std::string_view);
    StagedFile(std::string path, std::string target, std::string tempPath, std::string title)
        : path_(std::move(path)),
          target_(std::move(target)),
          tempPath_(std::move(tempPath)),
          title_(std::move(title))
    {
    }

    std::string path_, target_, tempPath_, title_;
    bool pending_ = true;
};

Result<StagedFile> stageFile(const std::string& path, std::string_view bytes,
                             std::string_view failureTitle);

// Makes the folder `path` is to be written into, with its parents, when it is not there. A
// failure names `path`, the folder and the system's reason for it.
Status makeFolderOf(const std::string& path, std::string_view failureTitle);

// The file a save of `path` really replaces: the end of its chain of symbolic links (a relative
// link read from its own folder), which need not exist yet; `path` itself when it is no link.
// A chain that loops or cannot be read is a failure.
Result<std::string> fileBehindLinks(const std::string& path, std::string_view failureTitle);

// The text every file failure shows: what could not be done to which file, the system's
// reason for `error` (an errno value) and `advice` on what to check.
Failure fileFailure(std::string_view verb, const std::string& path, int error,
                    std::string_view advice, std::string_view title);

// What the user sees of a failed file operation: the program's fixed text for it ("File
// Error", "Bad Filename") and under it one line that names the file and the cause (`cause`,
// such as the text of fileFailure). Every reporter of a file failure words it so.
Failure fileError(std::string_view fixedText, std::string_view title, std::string_view cause,
                  MessageIcon icon = MessageIcon::None);

// The cause line of a name refused before anything was read or written.
std::string refusedNameCause(const std::string& name, std::string_view endings);

}  // namespace ql
