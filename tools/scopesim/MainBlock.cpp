#include "MainBlock.h"

#include <stdexcept>

namespace ql::scopesim {

namespace {

struct BitGroup {
    int byte;   // 1..14
    int shift;  // lowest bit of the group
    int width;
};

// One row per MainField, in the enum's order.
// clang-format off
constexpr BitGroup kLayout[] = {
    {1, 6, 2}, {1, 5, 1}, {1, 4, 1}, {1, 0, 4},                          // CH I
    {2, 6, 2}, {2, 5, 1}, {2, 4, 1}, {2, 0, 4},                          // CH II
    {3, 7, 1}, {3, 6, 1}, {3, 5, 1}, {3, 4, 1}, {3, 3, 1}, {3, 2, 1}, {3, 0, 2},  // vertical
    {4, 5, 1}, {4, 0, 5},                                                // time base A
    {5, 7, 1}, {5, 6, 1}, {5, 0, 5},                                     // time base B
    {6, 7, 1}, {6, 6, 1}, {6, 5, 1}, {6, 4, 1}, {6, 3, 1}, {6, 0, 3},    // display modes
    {7, 7, 1}, {7, 5, 1}, {7, 4, 1}, {7, 0, 3},                          // trigger
    {8, 7, 1}, {8, 6, 1}, {8, 3, 3}, {8, 0, 3},                          // storage
    {9, 0, 8}, {10, 0, 8}, {11, 0, 8}, {12, 0, 8}, {13, 0, 8}, {14, 0, 8},
};
// clang-format on
static_assert(std::size(kLayout) == static_cast<std::size_t>(MainField::TbBIntensity) + 1);

const BitGroup& groupOf(MainField field)
{
    return kLayout[static_cast<std::size_t>(field)];
}

std::size_t indexOf(int number)
{
    if (number < 1 || number > static_cast<int>(MainBlock::kSize))
        throw std::out_of_range("settings block byte number out of range");
    return static_cast<std::size_t>(number - 1);
}

}  // namespace

MainBlock::MainBlock(std::span<const std::uint8_t, kSize> bytes)
{
    for (std::size_t i = 0; i < kSize; ++i) bytes_[i] = bytes[i];
}

int MainBlock::get(MainField field) const
{
    const BitGroup& g = groupOf(field);
    const int mask = (1 << g.width) - 1;
    return (bytes_[indexOf(g.byte)] >> g.shift) & mask;
}

void MainBlock::set(MainField field, int value)
{
    const BitGroup& g = groupOf(field);
    const int mask = ((1 << g.width) - 1) << g.shift;
    auto& b = bytes_[indexOf(g.byte)];
    b = static_cast<std::uint8_t>((b & ~mask) | ((value << g.shift) & mask));
}

std::uint8_t MainBlock::byte(int number) const
{
    return bytes_[indexOf(number)];
}

void MainBlock::setByte(int number, std::uint8_t value)
{
    bytes_[indexOf(number)] = value;
}

std::uint8_t MainBlock::reservedMask(int number)
{
    switch (number) {
        case 4: return 0xC0;
        case 5: return 0x20;
        case 7: return 0x48;
        default: return 0;
    }
}

bool MainBlock::hasReservedBitsSet() const
{
    for (int n = 1; n <= static_cast<int>(kSize); ++n)
        if (byte(n) & reservedMask(n)) return true;
    return false;
}

void MainBlock::clearReservedBits()
{
    for (int n = 1; n <= static_cast<int>(kSize); ++n)
        bytes_[indexOf(n)] = static_cast<std::uint8_t>(byte(n) & ~reservedMask(n));
}

}  // namespace ql::scopesim
