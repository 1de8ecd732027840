#pragma once
// Loading and saving measurement, settings and table files at a given path, with the
// messages the user sees, the caption, and what a load brings up to date. The load and save
// dialogs and the autostore call these.

#include <string>
#include <string_view>

#include "DataFileCodec.h"
#include "link/Identification.h"
#include "state/AtomicFile.h"
#include "state/Host.h"

namespace ql {

inline constexpr std::string_view kLoadDataTitle = "Load Datas";
inline constexpr std::string_view kSaveDataTitle = "Save Datas";

// Model name and firmware text with their padding, the program's version and the file name
// last chosen in a dialog, separated by three blanks each.
std::string mainWindowCaption(const ProgramState& s);

// Reads the whole file (opened read-only) and takes it into the state only when all of it
// checked out (a measurement file advancing the waveform generation, as new records do); then
// re-reads the model's capabilities, stops the automatic update, sets the caption and has the
// screen, the cursor window and the panels show the loaded settings.
// A file that cannot be read or is damaged changes nothing and is reported once as
// "File Error" with the file and the cause under it. True when the file was loaded.
bool loadDataFileAt(ProgramState& s, Host& host, Identification& identification,
                    const std::string& path, DataFileKind kind);

// Write a measurement file (measurement block and settings block) or a settings file in one
// piece: an interrupted or failed save leaves the file that was there. On success the caption
// shows the file; a failure is reported once as "File Error" with the file and the cause under
// it. True when written.
bool saveMeasurementFile(const ProgramState& s, Host& host, const std::string& path);
bool saveSettingsFile(const ProgramState& s, Host& host, const std::string& path);

// Writes the waveform table in one piece; a failure is reported as a save's is.
bool saveTableFile(const ProgramState& s, Host& host, const std::string& path, char decimalSign);

}  // namespace ql
