// The tables of the settings blocks against their documented shape: each bit belongs to one
// setting at most, the bits no setting owns are exactly the ones the instrument leaves clear or
// keeps as its own, and no setting has two rows in one block.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "link/SettingsCodec.h"

using namespace ql;

namespace {

// Per byte of the block, the bits that carry no setting.
struct FreeBits {
    std::string_view block;
    std::vector<std::uint8_t> free;
};

const FreeBits kFreeBits[] = {
    // Bits 6-7 of the fourth byte, bit 5 of the fifth and bits 3 and 6 of the seventh are
    // always 0.
    {"ddf", {0, 0, 0, 0xC0, 0x20, 0, 0x48, 0, 0, 0, 0, 0, 0, 0}},
    {"ddf1", std::vector<std::uint8_t>(16, 0)},
    {"roddf", std::vector<std::uint8_t>(10, 0)},
    // Averaging, storage mode, the references in the fourth byte (its other bits 0), position.
    {"ddf2", {0, 0, 0xFF, 0xFC, 0xFF, 0xFF, 0, 0}},
    {"measddf", {0,    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
};

// Bits a row covers, per byte; a word covers both its bytes.
void cover(std::vector<int>& uses, std::size_t byte, int width, int shift)
{
    for (int bit = shift; bit < shift + width; ++bit) ++uses.at(byte * 8 + bit);
}

}  // namespace

TEST(BlockLayout, EveryBitHasOneOwnerOrIsDocumentedFree)
{
    ASSERT_EQ(blockLayouts().size(), std::size(kFreeBits));
    for (const BlockLayout& layout : blockLayouts()) {
        SCOPED_TRACE(std::string(layout.name));
        const auto row = std::ranges::find(kFreeBits, layout.name, &FreeBits::block);
        ASSERT_NE(row, std::end(kFreeBits));
        ASSERT_EQ(row->free.size(), layout.size);
        std::vector<int> uses(layout.size * 8, 0);
        for (const BlockField& f : layout.fields) {
            if (f.width == 16) {
                EXPECT_EQ(f.shift, 0);
                cover(uses, f.byte, 8, 0);
                cover(uses, f.byte + 1u, 8, 0);
            } else {
                EXPECT_LE(f.shift + f.width, 8) << int{f.byte};
                cover(uses, f.byte, f.width, f.shift);
            }
        }
        if (layout.name == "ddf")
            for (const ProbeBit& p : kProbeBits) cover(uses, p.byte, 1, p.shift);
        for (std::size_t bit = 0; bit < uses.size(); ++bit) {
            const bool free = (row->free[bit / 8] >> (bit % 8)) & 1;
            EXPECT_EQ(uses[bit], free ? 0 : 1) << "byte " << bit / 8 << " bit " << bit % 8;
        }
    }
}

TEST(BlockLayout, NoSettingHasTwoRowsInOneBlock)
{
    for (const BlockLayout& layout : blockLayouts())
        for (std::size_t i = 0; i < layout.fields.size(); ++i)
            for (std::size_t j = i + 1; j < layout.fields.size(); ++j)
                EXPECT_FALSE(layout.fields[i].member == layout.fields[j].member)
                    << layout.name << " rows " << i << " and " << j;
}
