#include "ByteWriter.h"

#include <bit>

namespace ql {

void ByteWriter::writeLittleEndian(std::uint64_t value, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        bytes_.push_back(static_cast<char>(value & 0xFF));
        value >>= 8;
    }
}

void ByteWriter::writeU8(std::uint8_t value)
{
    writeLittleEndian(value, 1);
}
void ByteWriter::writeU16(std::uint16_t value)
{
    writeLittleEndian(value, 2);
}
void ByteWriter::writeI16(std::int16_t value)
{
    writeU16(static_cast<std::uint16_t>(value));
}
void ByteWriter::writeU32(std::uint32_t value)
{
    writeLittleEndian(value, 4);
}
void ByteWriter::writeI32(std::int32_t value)
{
    writeU32(static_cast<std::uint32_t>(value));
}
void ByteWriter::writeF32(float value)
{
    writeU32(std::bit_cast<std::uint32_t>(value));
}

void ByteWriter::writeF64(double value)
{
    writeLittleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

void ByteWriter::writeBytes(std::string_view bytes)
{
    bytes_.append(bytes);
}

}  // namespace ql
