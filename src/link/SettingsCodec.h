#pragma once
// The instrument's settings blocks, bit for bit, without a port: the 14-byte main block, the
// eight words of "ddf1", the readout block, and the opaque "ddf2" and "measddf" blocks.
// Each block is one table with a row per setting; encoding, decoding and the range check of
// settings files all read the same rows. Encoding masks every bit-group field to its width, so
// a value too wide for its group never spills into a neighbour on the wire.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "state/ProgramState.h"

namespace ql {

using MainBlock = std::array<std::uint8_t, 14>;
using Ddf1Block = std::array<std::uint8_t, 16>;
using ReadoutBlock = std::array<std::uint8_t, 10>;
using Ddf2Block = std::array<std::uint8_t, 8>;
using MeasDdfBlock = std::array<std::uint8_t, 22>;

// Firmware from which byte 3 carries the probe-factor bits.
constexpr float kProbeBitsFirmware = 2.0f;
// Firmware above which positions travel in tenths around the centre 511.
constexpr float kTenthPositionsFirmware = 1.05f;

// A setting of the front panel, by its member.
using DdfMember =
    std::variant<byte DdfSettings::*, std::int16_t DdfSettings::*, std::int32_t DdfSettings::*>;

enum class WireForm : std::uint8_t {
    Plain,     // bit group (width 1..7, masked), whole byte (8, held in 0..255), word (16, signed)
    Position,  // word, in tenths around the centre on firmware above 1.05
    SentOnly,  // sent in this block, but the instrument reports it elsewhere: never read from it
};

// One row of a block: the setting and where it travels (`byte` counts from 0). A word is
// little-endian from `byte` on.
struct BlockField {
    DdfMember member;
    std::uint8_t byte, width, shift = 0;
    WireForm form = WireForm::Plain;
};

struct BlockLayout {
    std::string_view name;  // the query without its "?"
    std::size_t size;
    std::span<const BlockField> fields;
};
// The tables of the five blocks: "ddf", "ddf1", "roddf", "ddf2", "measddf".
std::span<const BlockLayout> blockLayouts();

// Firmware 2.0 on, the main block has a bit per channel for a 10:1 probe; a factor of 100 has
// none and travels like 1.
struct ProbeBit {
    std::int16_t DdfSettings::*factor;
    std::uint8_t byte, shift;
};
inline constexpr ProbeBit kProbeBits[] = {{&DdfSettings::ch1ProbeFactor, 2, 6},
                                          {&DdfSettings::ch2ProbeFactor, 2, 2}};

// Decodes a received main block into the settings, with the follow-up rules: probe factors
// (firmware 2.0 on), fixed 0 % pre-trigger on analog-only models, the XY save of the channel
// on-states, and whether the time-base B window is on.
void decodeMainBlock(ProgramState& s, const MainBlock& block);

// The settings as Set leaves them, made before any block is encoded for sending (running it
// again changes nothing): XY's saved channel on-states back, time-base mode 1 as 2, the
// "vermode=" byte from the main block, the opaque blocks' bytes that carry a setting.
void prepareForSet(ProgramState& s);

// The blocks to send, from the settings as they are. While the time-base B window is on, the
// main block's reference bits stay clear.
MainBlock encodeMainBlock(const ProgramState& s);
Ddf1Block encodeDdf1(const ProgramState& s);
ReadoutBlock encodeReadoutBlock(const ProgramState& s);
// The opaque blocks: the instrument's own bytes, those carrying a setting filled from it.
Ddf2Block encodeDdf2(const ProgramState& s);
MeasDdfBlock encodeMeasDdf(const ProgramState& s);

// Position of a panel (0..1023, centre 511) as the instrument wants it, and back.
std::uint16_t positionToWire(int field, float firmwareVersion);
std::int16_t positionFromWire(std::uint16_t word, float firmwareVersion);

void decodeDdf1(ProgramState& s, const Ddf1Block& block);
void decodeReadoutBlock(ProgramState& s, const ReadoutBlock& block);

// The opaque blocks: a received byte is stored in its element as it arrives; the settings
// they carry are taken once the block is complete.
void storeDdf2Byte(ProgramState& s, std::size_t index, std::uint8_t value);
void finishDdf2(ProgramState& s);
void storeMeasDdfByte(ProgramState& s, std::size_t index, std::uint8_t value);
void finishMeasDdf(ProgramState& s);

// Whether every setting the blocks carry holds a value its place can: a bit group's range,
// 0..255 for a whole byte, a signed 16-bit number for a word.
bool fitsSettingsBlocks(const DdfSettings& d);

// A whole-byte parameter from a wider field: clamped into 0..255.
std::uint8_t clampToByte(int value);

}  // namespace ql
