#pragma once
// Whole measurement and settings files as bytes: a measurement file is a measurement block
// followed by a settings block, a settings file a settings block alone. Parsing is
// all-or-nothing: the file must be as long as its tags require and every value must fit where
// the program later uses it, else nothing of it is taken.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "DataFileFields.h"

namespace ql {

enum class DataFileKind { Measurement, Settings };

// Sizes of the files as they are written.
inline constexpr std::size_t kMeasurementFileSize = 17624;
inline constexpr std::size_t kSettingsFileSize = 1175;
// No file needs more bytes than this; anything behind is never looked at.
inline constexpr std::size_t kLongestDataFile = kMeasurementFileSize;

std::string encodeMeasurementFile(const ProgramState& s);
std::string encodeSettingsFile(const ProgramState& s);

// The fields of `s` with the file's contents in place, or nullopt when the file is damaged:
// shorter than its tags require, or holding a value out of range. Cursor positions are held
// inside 1..2046. A measurement file whose first five bytes are not "mes1 " keeps the
// waveforms of `s` and has its settings block right after those five bytes; a settings tag
// other than "set2 " to "set6 " is followed directly by the common tail.
std::optional<DataFileFields> parseDataFile(std::string_view bytes, DataFileKind kind,
                                            const ProgramState& s);

}  // namespace ql
