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

#include "state/Status.h"

namespace ql {

// The file's bytes, at most `maxBytes` of them.
Result<std::string> readFileBytes(const std::string& path, std::string_view failureTitle,
                                  std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// Replaces (or creates) `path` with `bytes`. A symbolic link is followed, so the link stays;
// an existing file keeps its permissions; a file the user may not write is left alone.
Status writeFileAtomically(const std::string& path, std::string_view bytes,
                           std::string_view failureTitle);

// The regular file in `folder` whose name equals `name` without regard to ASCII letter case:
// the exact spelling when it exists, else the first match in name order.
std::optional<std::string> findFileNoCase(const std::string& folder, std::string_view name);

}  // namespace ql
