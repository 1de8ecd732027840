#pragma once
// The measurement block of a measurement file: the four waveforms with their preamble, the
// reference trace offsets and the time stamp, 16,449 bytes behind the tag "mes1 ".

#include <cstddef>
#include <string_view>

#include "ByteReader.h"
#include "DataFileFields.h"
#include "state/ByteWriter.h"

namespace ql {

inline constexpr std::string_view kMeasurementTag = "mes1 ";
inline constexpr std::size_t kMeasurementBlockSize = 16449;
// Elements 1..2050 of each waveform are stored; element 0 is not.
inline constexpr int kLastStoredSample = 2050;

void writeMeasurementBlock(ByteWriter& out, const ProgramState& s);

// Reads the fields after the tag (the caller has checked it) into `f`; false when the
// block ends early, in which case `f` is partly filled and must be dropped.
bool readMeasurementFields(ByteReader& in, DataFileFields& f);

// Whether every value that is later packed into a narrower field fits it (the reference
// offsets travel to the instrument as one byte each).
bool measurementFieldsInRange(const DataFileFields& f);

}  // namespace ql
