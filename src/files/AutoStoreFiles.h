#pragma once
// The numbered files of the autostore: the name of the next one, and storing it with the
// writers of the measurement file and the waveform table.

#include <cstdint>
#include <string>
#include <string_view>

#include "state/Host.h"
#include "state/Status.h"

namespace ql {

inline constexpr std::string_view kAutoSaveTitle = "Auto Save";
// The highest number a file gets: the counter is written with five digits.
inline constexpr std::int32_t kLastAutoStoreNumber = 99999;

// The trimmed prefix, the counter as at least five digits, then ".mes", or ".tab" in table
// mode: "/data/probe" and 7 give "/data/probe00007.mes".
std::string autoStoreFileName(const AutoStore& a);

// Writes the waveforms and settings the state holds into the next numbered file: a
// measurement file (measurement block, then settings block) or, in table mode, the waveform
// table with `decimalSign`. The file is replaced in one piece, so a failed store leaves the
// file of that name as it was; the writer has then reported its "File Error", and the
// result is "Bad Filename" / "Auto Save" for the caller to show after it. Returns the name
// of the stored file; the counter is left to the caller.
Result<std::string> storeAutoStoreFile(const ProgramState& s, Host& host, char decimalSign);

}  // namespace ql
