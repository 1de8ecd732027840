#pragma once
// Whole-file access for the program's binary and text files: reading opens read-only (a
// read-only file is still read); writing is all-or-nothing (a temporary file in the same
// folder, flushed to disk, then renamed over the target), so a failed save never destroys
// the file that was there. Failures come back with a plain, actionable text.

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "state/Status.h"

namespace ql {

// The file's bytes, at most `maxBytes` of them.
Result<std::string> readFileBytes(const std::string& path, std::string_view failureTitle,
                                  std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// Replaces (or creates) `path` with `bytes`. A symbolic link is followed, so the link stays;
// an existing file keeps its permissions; a file the user may not write is left alone.
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

// The regular file in `folder` whose name equals `name` without regard to ASCII letter case:
// the exact spelling when it exists, else the first match in name order.
std::optional<std::string> findFileNoCase(const std::string& folder, std::string_view name);

}  // namespace ql
