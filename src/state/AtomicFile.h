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

// Replaces (or creates) `path` with `bytes`. A symbolic link is followed, so the link stays;
// an existing file keeps its permissions; a file the user may not write is left alone.
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

// The text every file failure shows: what could not be done to which file, the system's
// reason for `error` (an errno value) and `advice` on what to check.
Failure fileFailure(std::string_view verb, const std::string& path, int error,
                    std::string_view advice, std::string_view title);

}  // namespace ql
