#pragma once
// One field list drives both directions of a binary record: the list is a function template
// over a field stream; FieldWriter appends each field, FieldReader reads each back into
// place. A field the reader cannot find keeps its value and marks the reader failed.

#include <algorithm>
#include <cstdint>

#include "ByteReader.h"
#include "state/ByteWriter.h"

namespace ql {

struct FieldWriter {
    ByteWriter& out;
    void u8(std::uint8_t v) { out.writeU8(v); }
    // A byte on disk kept in a wider field of the state; a value outside 0..255 is held at
    // the nearer limit.
    void u8Wide(std::int16_t v)
    {
        out.writeU8(static_cast<std::uint8_t>(std::clamp<int>(v, 0, 255)));
    }
    void i16(std::int16_t v) { out.writeI16(v); }
    void i32(std::int32_t v) { out.writeI32(v); }
    void f32(float v) { out.writeF32(v); }
    template <std::size_t N>
    void text(const FixedText<N>& v)
    {
        out.writeText(v);
    }
};

struct FieldReader {
    ByteReader& in;
    void u8(std::uint8_t& v) { in.readU8(v); }
    void u8Wide(std::int16_t& v)
    {
        std::uint8_t b = 0;
        if (in.readU8(b)) v = b;
    }
    void i16(std::int16_t& v) { in.readI16(v); }
    void i32(std::int32_t& v) { in.readI32(v); }
    void f32(float& v) { in.readF32(v); }
    template <std::size_t N>
    void text(FixedText<N>& v)
    {
        in.readText(v);
    }
};

}  // namespace ql
