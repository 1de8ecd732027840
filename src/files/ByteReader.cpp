#include "ByteReader.h"

#include <bit>
#include <limits>

namespace ql {

std::string_view ByteReader::take(std::size_t count)
{
    const std::size_t start = pos_;
    pos_ = count > std::numeric_limits<std::size_t>::max() - pos_
               ? std::numeric_limits<std::size_t>::max()
               : pos_ + count;
    if (start > bytes_.size() || count > bytes_.size() - start) {
        failed_ = true;
        return {};
    }
    return bytes_.substr(start, count);
}

std::uint64_t ByteReader::takeLittleEndian(std::size_t count, bool& ok)
{
    const std::string_view field = take(count);
    ok = field.size() == count;
    std::uint64_t value = 0;
    if (!ok) return value;
    for (std::size_t i = count; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(field[i]);
    return value;
}

bool ByteReader::seek(std::size_t offset)
{
    pos_ = offset;
    if (offset > bytes_.size()) failed_ = true;
    return offset <= bytes_.size();
}

bool ByteReader::skip(std::size_t count)
{
    return take(count).size() == count;
}

bool ByteReader::readU8(std::uint8_t& out)
{
    bool ok = false;
    const auto v = takeLittleEndian(1, ok);
    if (ok) out = static_cast<std::uint8_t>(v);
    return ok;
}

bool ByteReader::readU16(std::uint16_t& out)
{
    bool ok = false;
    const auto v = takeLittleEndian(2, ok);
    if (ok) out = static_cast<std::uint16_t>(v);
    return ok;
}

bool ByteReader::readI16(std::int16_t& out)
{
    std::uint16_t v = 0;
    if (!readU16(v)) return false;
    out = static_cast<std::int16_t>(v);
    return true;
}

bool ByteReader::readU32(std::uint32_t& out)
{
    bool ok = false;
    const auto v = takeLittleEndian(4, ok);
    if (ok) out = static_cast<std::uint32_t>(v);
    return ok;
}

bool ByteReader::readI32(std::int32_t& out)
{
    std::uint32_t v = 0;
    if (!readU32(v)) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

bool ByteReader::readF32(float& out)
{
    std::uint32_t v = 0;
    if (!readU32(v)) return false;
    out = std::bit_cast<float>(v);
    return true;
}

bool ByteReader::readF64(double& out)
{
    bool ok = false;
    const auto v = takeLittleEndian(8, ok);
    if (ok) out = std::bit_cast<double>(v);
    return ok;
}

bool ByteReader::readBytes(std::size_t count, std::string& out)
{
    const std::string_view field = take(count);
    if (field.size() != count) return false;
    out.assign(field);
    return true;
}

}  // namespace ql
