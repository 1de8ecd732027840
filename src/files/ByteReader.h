#pragma once
// Bounds-checked little-endian reader over the bytes of a binary file. A read that does not
// fit leaves its target untouched, marks the reader failed (sticky) and still moves past the
// field, so every later field is looked for at its own offset and fails too: the file rule
// "attempt every read, test once at the end" needs no special case.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "state/Text.h"

namespace ql {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    // Offset of the next field; may lie beyond size() after reads that did not fit.
    std::size_t position() const { return pos_; }
    std::size_t size() const { return bytes_.size(); }
    std::size_t remaining() const { return pos_ < bytes_.size() ? bytes_.size() - pos_ : 0; }
    bool failed() const { return failed_; }
    void clearFailure() { failed_ = false; }

    // Moves to an absolute offset / past n bytes; fails (and marks) beyond the end.
    bool seek(std::size_t offset);
    bool skip(std::size_t count);

    bool readU8(std::uint8_t& out);
    bool readU16(std::uint16_t& out);
    bool readI16(std::int16_t& out);
    bool readU32(std::uint32_t& out);
    bool readI32(std::int32_t& out);
    bool readF32(float& out);
    bool readF64(double& out);
    // `count` raw bytes.
    bool readBytes(std::size_t count, std::string& out);

    // A fixed-length text of N single-byte characters.
    template <std::size_t N>
    bool readText(FixedText<N>& out)
    {
        const std::string_view field = take(N);
        if (field.size() != N) return false;
        out.assignBytes(field);
        return true;
    }

private:
    // The next `count` bytes, or an empty view (and the failure mark) when they do not fit.
    std::string_view take(std::size_t count);
    std::uint64_t takeLittleEndian(std::size_t count, bool& ok);

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace ql
