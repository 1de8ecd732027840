#pragma once
// The numbered files of the autostore: the name of the next one, the next number whose file
// does not exist yet, and storing it with the writers of the measurement file and the
// waveform table.

#include <cstdint>
#include <string>
#include <string_view>

#include "state/ProgramState.h"
#include "state/Status.h"

namespace ql {

inline constexpr std::string_view kAutoSaveTitle = "Auto Save";
// The highest number a file gets: the counter is written with five digits.
inline constexpr std::int32_t kLastAutoStoreNumber = 99999;

// The trimmed prefix, the counter as at least five digits, then ".mes", or ".tab" in table
// mode: "/data/probe" and 7 give "/data/probe00007.mes".
std::string autoStoreFileName(const AutoStore& a);

// Moves the counter on past every number whose file of the mode already exists (anything at
// that name counts, a dangling link too), so that no earlier measurement is ever replaced.
// False when no number up to 99999 is free: the counter then stands past 99999.
bool skipTakenAutoStoreNumbers(AutoStore& a);

// Writes the waveforms and settings the state holds into the file of the counter's number: a
// measurement file (measurement block, then settings block) or, in table mode, the waveform
// table with `decimalSign`. The file is written in one piece, so a failed store leaves
// nothing behind. A file that goes into `userFilesFolder` (the user's files folder, made on
// first use) makes that folder first; no other folder is made. Returns the name of the stored
// file, or "File Error" with the writer's text (which file, and why: a folder that could not be
// made, or is not there) on a second line; nothing is shown and the counter is the caller's.
Result<std::string> storeAutoStoreFile(const ProgramState& s, char decimalSign,
                                       const std::string& userFilesFolder);

}  // namespace ql
