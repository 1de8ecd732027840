#pragma once
// The parameter file "Tx4080.par" in the per-user configuration folder: window layout, help
// language, port and baud rate, and the user's contact details, kept between runs in one
// 1,089-byte binary record (tag "par05"). Start-up reads it once; shutdown writes it.

#include <cstddef>
#include <string>
#include <string_view>

#include "state/AppPaths.h"
#include "state/Host.h"
#include "state/ProgramState.h"

namespace ql {

inline constexpr std::string_view kParameterFileName = "Tx4080.par";
inline constexpr std::string_view kParameterFileTag = "par05";
inline constexpr std::size_t kParameterFileSize = 1089;

inline constexpr std::string_view kDefaultSettingsText = "Generate new default settings";
inline constexpr std::string_view kDefaultSettingsTitle = "Load default settings";
inline constexpr std::string_view kSaveSettingsTitle = "Save settings";

// How a record read back.
enum class ParameterRecordStatus {
    Good,       // every field read
    WrongTag,   // not a parameter record (or fewer than five bytes): nothing taken from it
    Truncated,  // right tag, but the record ends early: the fields wholly inside were taken
};

// The record of the state's parameter fields, exactly kParameterFileSize bytes.
std::string encodeParameterRecord(const ProgramState& s);
// Takes every field of the record into `s`, unchanged and without range checks; a field that
// does not lie wholly inside `bytes` keeps its value.
ParameterRecordStatus decodeParameterRecord(std::string_view bytes, ProgramState& s);

// The default window layout (twips), the automatic-measurement window shown, port 2 at
// 19200 baud. Language, the reserved text and the contact details are left as they are.
void applyParameterDefaults(ProgramState& s);

// The path the file is written to. Reading also finds it under another letter case.
std::string parameterFilePath(const AppPaths& paths);

// Fills the parameter fields from the file. When it is missing, foreign or damaged: one
// message "Generate new default settings" with the file and the cause under it, the defaults,
// and parDefaultsGenerated = 1 so that closing writes a fresh file; otherwise
// parDefaultsGenerated = 0.
void readParameterFile(ProgramState& s, Host& host, const AppPaths& paths);

// Writes the file from the state as it stands; a failure is reported once through `host`
// ("File Error" with the file and the cause under it) and leaves the previous file unchanged. True
// when the file was written.
bool writeParameterFile(const ProgramState& s, Host& host, const AppPaths& paths);

// Takes the placement of the open tool windows into the layout (state always; position and
// size only of a window in its normal state), then writes the file as writeParameterFile does.
bool saveParameters(ProgramState& s, Host& host, const AppPaths& paths);

}  // namespace ql
