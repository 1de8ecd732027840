#pragma once
// Little-endian writer that builds the bytes of a binary file field by field, in order.
// Fixed-length texts are written as their N single-byte characters, blank-padded.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Text.h"

namespace ql {

class ByteWriter {
public:
    void writeU8(std::uint8_t value);
    void writeU16(std::uint16_t value);
    void writeI16(std::int16_t value);
    void writeU32(std::uint32_t value);
    void writeI32(std::int32_t value);
    void writeF32(float value);
    void writeF64(double value);
    void writeBytes(std::string_view bytes);

    template <std::size_t N>
    void writeText(const FixedText<N>& text)
    {
        writeBytes(text.bytes());
    }

    const std::string& bytes() const { return bytes_; }
    std::string takeBytes() { return std::move(bytes_); }
    std::size_t size() const { return bytes_.size(); }

private:
    void writeLittleEndian(std::uint64_t value, std::size_t count);

    std::string bytes_;
};

}  // namespace ql
