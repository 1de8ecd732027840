#include <gtest/gtest.h>

#include <string>

#include "files/ByteReader.h"
#include "state/ByteWriter.h"

using namespace ql;

namespace {

std::string bytesOf(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

}  // namespace

TEST(ByteWriter, WritesLittleEndianFieldsAndBlankPaddedTexts)
{
    ByteWriter w;
    w.writeU8(0xAB);
    w.writeI16(-2);
    w.writeI16(0x1234);
    w.writeI32(19200);
    w.writeI32(-1);
    w.writeF32(1.0f);
    w.writeF64(-2.0);
    w.writeText(FixedText<6>("Mü"));
    EXPECT_EQ(w.bytes(), bytesOf({0xAB, 0xFE, 0xFF, 0x34, 0x12, 0x00, 0x4B, 0x00, 0x00, 0xFF, 0xFF,
                                  0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F, 0,    0,    0,    0,    0,
                                  0,    0x00, 0xC0, 'M',  0xFC, ' ',  ' ',  ' ',  ' '}));
}

TEST(ByteReader, ReadsWhatTheWriterWrote)
{
    const std::string bytes = bytesOf(
        {0xFE, 0xFF, 0x00, 0x4B, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x9C, 0xFF, 'a', 'b', ' '});
    ByteReader r(bytes);
    std::int16_t i16 = 0;
    std::int32_t i32 = 0;
    float f = 0;
    std::uint16_t u16 = 0;
    FixedText<3> text;
    EXPECT_TRUE(r.readI16(i16));
    EXPECT_TRUE(r.readI32(i32));
    EXPECT_TRUE(r.readF32(f));
    EXPECT_TRUE(r.readU16(u16));
    EXPECT_TRUE(r.readText(text));
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(i32, 19200);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(u16, 0xFF9C);
    EXPECT_EQ(text.bytes(), "ab ");
    EXPECT_FALSE(r.failed());
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteReader, AFieldPastTheEndIsSkippedAndLaterFieldsKeepTheirOffsets)
{
    // Seven bytes: a 16-bit value, then a 6-character text that does not fit, then a byte
    // that would lie at offset 8.
    const std::string bytes = bytesOf({0x01, 0x00, 'a', 'b', 'c', 'd', 'e'});
    ByteReader r(bytes);
    std::int16_t first = 0;
    FixedText<6> text("keep");
    std::uint8_t after = 42;
    EXPECT_TRUE(r.readI16(first));
    EXPECT_FALSE(r.readText(text));
    EXPECT_FALSE(r.readU8(after));
    EXPECT_TRUE(r.failed());
    EXPECT_EQ(first, 1);
    EXPECT_EQ(text.trimmed(), "keep");  // untouched, not half-filled
    EXPECT_EQ(after, 42);
    EXPECT_EQ(r.position(), 9u);
    EXPECT_FALSE(r.seek(20));
    EXPECT_TRUE(r.seek(7));
}
