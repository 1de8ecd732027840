#pragma once
// The "Load" and "Save" items of the Data menu: a file dialog, then the file kind chosen by
// the name's ending (".mes" measurement, ".set" settings, ".tab" table, upper or lower case),
// with the busy pointer shown while the file is read or written.

#include <optional>
#include <string>
#include <string_view>

#include "DataFileOperations.h"
#include "state/FileDialogs.h"
#include "state/NumberFormat.h"

namespace ql {

inline constexpr std::string_view kLoadDialogTitle = "Load Data";
inline constexpr std::string_view kSaveDialogTitle = "Save Data";
inline constexpr std::string_view kSaveWithoutNotesText = "SAVE WITHOUT NOTES ?";

enum class DataFileName { Measurement, Settings, Table, Other };

// The kind a chosen name stands for, by its last three characters: "mes"/"MES", "set"/"SET",
// "tab"/"TAB" (no dot needed); mixed case counts as another name.
DataFileName dataFileNameKind(std::string_view name);

// The dialogs as the identified model allows: an analog-only model offers settings files only.
FileDialogRequest loadDialogRequest(const ProgramState& s);
FileDialogRequest saveDialogRequest(const ProgramState& s);

// Lets the user choose a measurement or settings file and loads it; after a good load the
// "Set/Read", "Set" and "Autoset" buttons are enabled.
void loadDataFile(ProgramState& s, Host& host, FileDialogs& dialogs,
                  Identification& identification);

// Lets the user choose a name and writes a measurement file, a settings file or a table.
// A measurement file with (nearly) empty notes is written only after the user agreed.
void saveDataFile(ProgramState& s, Host& host, FileDialogs& dialogs,
                  char decimalSign = systemDecimalSign());

}  // namespace ql
