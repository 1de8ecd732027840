#pragma once
// The settings block of settings and measurement files: the instrument settings, the
// instrument identity, the FFT and harmonics options, the notes, the cursor positions and the
// print options. A 5-character tag chooses the head; a common tail of 981 bytes follows.
// The current layout "set6 " is written; "set5 " to "set2 " are still read.

#include <cstddef>
#include <string_view>

#include "ByteReader.h"
#include "DataFileFields.h"
#include "state/ByteWriter.h"

namespace ql {

// Newest first: each layout holds the head fields of those after it.
enum class SettingsLayout {
    Set6,     // full head, 1,175 bytes
    Set5,     // without the pre-trigger position, 1,171 bytes
    Set4,     // bandwidth limit, analog model, B window and three readout flags, 995 bytes
    Set3,     // B window and three readout flags, 993 bytes
    Set2,     // three readout flags, 992 bytes
    Foreign,  // any other tag: no head, the tail follows the tag directly, 986 bytes
};

inline constexpr std::string_view kSettingsTag = "set6 ";
inline constexpr std::size_t kSettingsBlockSize = 1175;

// The layout a 5-character tag stands for; only the exact spellings count.
SettingsLayout settingsLayoutOf(std::string_view tag);
// Size of a whole block of that layout, tag included.
std::size_t settingsBlockSize(SettingsLayout layout);

// Writes a "set6 " block.
void writeSettingsBlock(ByteWriter& out, const ProgramState& s);

// Reads the head of `layout` and the tail, the tag already read, into `f`; false when the
// block ends early, in which case `f` is partly filled and must be dropped. Head fields the
// layout lacks keep their values.
bool readSettingsFields(ByteReader& in, SettingsLayout layout, DataFileFields& f);

// Whether every setting that later indexes a scale table or is packed into a bit group of the
// instrument's settings blocks lies inside that table or group (the blocks' own rows say which).
bool settingsFieldsInRange(const DataFileFields& f);

// Holds the cursor positions inside the samples the screen shows.
void clampCursorPositions(DataFileFields& f);

}  // namespace ql
