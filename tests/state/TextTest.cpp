#include <gtest/gtest.h>

#include "state/Text.h"

using namespace ql;

TEST(Cp1252, ConvertsBothWaysAndReplacesForeignCharacters)
{
    EXPECT_EQ(utf8ToCp1252("µ€Ä"), std::string("\xB5\x80\xC4"));
    EXPECT_EQ(cp1252ToUtf8("\xB5\x80\xC4"), "µ€Ä");
    EXPECT_EQ(utf8ToCp1252("Ω→"), "??");
    EXPECT_EQ(utf8ToCp1252(std::string("a\xFF"
                                       "b")),
              "a?b");  // broken UTF-8
    for (int b = 0; b < 256; ++b) {
        if (b >= 0x80 && b < 0xA0 &&
            (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D))
            continue;
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << b;
    }
}

TEST(FixedText, PadsCutsAndCountsCharactersNotBytes)
{
    FixedText<5> t("ab");
    EXPECT_EQ(t.str(), "ab   ");
    EXPECT_EQ(t.trimmed(), "ab");
    t.assign("abcdefg");
    EXPECT_EQ(t.str(), "abcde");
    t.assign("µµµµµµµ");
    EXPECT_EQ(t.bytes().size(), 5u);
    EXPECT_EQ(t.str(), "µµµµµ");
    t.assign("Ω1");
    EXPECT_EQ(t.str(), "?1   ");
    t.assignBytes(std::string("x\xB5", 2));
    EXPECT_EQ(t.str(), "xµ   ");
    EXPECT_EQ(FixedText<3>().str(), "   ");
    EXPECT_EQ(characterCount("aµ€"), 3u);
}

TEST(TextSearch, OneBasedCaseSensitive)
{
    EXPECT_EQ(instr("TX226-2 V1.16", "T"), 1u);
    EXPECT_EQ(instr("xxTX226", "T"), 3u);
    EXPECT_EQ(instr("xxTX226", "t"), 0u);
    EXPECT_EQ(instr("abcabc", "c", 4), 6u);
    EXPECT_EQ(instr("abc", "", 2), 2u);
    EXPECT_EQ(instr("abc", "a", 10), 0u);
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(trim("    "), "");
    EXPECT_EQ(trimRight("  a  "), "  a");
    EXPECT_EQ(upperAscii("wmf.µ"), "WMF.µ");
}
