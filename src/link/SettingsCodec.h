#pragma once
// The instrument's settings blocks, bit for bit, without a port: the 14-byte main block, the
// eight words of "ddf1", the readout block, and the opaque "ddf2" and "measddf" blocks.
// Encoding masks every bit-group field to its width, so a value too wide for its group never
// spills into a neighbour on the wire.

#include <array>
#include <cstdint>

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

// Decodes a received main block into the settings, with the follow-up rules: probe factors
// (firmware 2.0 on), fixed 0 % pre-trigger on analog-only models, the XY save of the channel
// on-states, and whether the time-base B window is on.
void decodeMainBlock(ProgramState& s, const MainBlock& block);

// Encodes the settings for sending. Changes the state as sending does: the XY restore of the
// channel on-states, time-base mode 1 becoming 2, and byte 3 copied into verModeByte.
MainBlock encodeMainBlock(ProgramState& s);

// Position of a panel (0..1023, centre 511) as the instrument wants it, and back.
std::uint16_t positionToWire(int field, float firmwareVersion);
std::int16_t positionFromWire(std::uint16_t word, float firmwareVersion);

void decodeDdf1(ProgramState& s, const Ddf1Block& block);
Ddf1Block encodeDdf1(const ProgramState& s);

void decodeReadoutBlock(ProgramState& s, const ReadoutBlock& block);
ReadoutBlock encodeReadoutBlock(const ProgramState& s);

// "ddf2": a received byte is stored in its element as it arrives; the pre-trigger position
// is taken from elements 7 and 8 once the block is complete.
void storeDdf2Byte(ProgramState& s, std::size_t index, std::uint8_t value);
void finishDdf2(ProgramState& s);
// Refills elements 1, 2, 4, 7 and 8 from the settings and returns the block to send.
Ddf2Block prepareDdf2(ProgramState& s);

void storeMeasDdfByte(ProgramState& s, std::size_t index, std::uint8_t value);
void finishMeasDdf(ProgramState& s);
// Refills byte 1 from the readout intensity and returns the block to send.
MeasDdfBlock prepareMeasDdf(ProgramState& s);

// A whole-byte parameter from a wider field: clamped into 0..255.
std::uint8_t clampToByte(int value);

}  // namespace ql
