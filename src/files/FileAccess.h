#pragma once
// Whole-file reading for the program's binary and text files: a file is opened read-only (a
// read-only file is still read); failures come back with a plain, actionable text. Writing
// goes through the all-or-nothing writer of state/AtomicFile.h.

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

// The regular file in `folder` whose name equals `name` without regard to ASCII letter case:
// the exact spelling when it exists, else the first match in name order.
std::optional<std::string> findFileNoCase(const std::string& folder, std::string_view name);

}  // namespace ql
