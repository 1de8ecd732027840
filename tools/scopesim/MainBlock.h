#pragma once
// The instrument's packed 14-byte front-panel block as it travels in "ddf?"/"ddf=": bit groups
// addressed by name through one table of (byte, lowest bit, width), so the layout is written
// down exactly once.

#include <array>
#include <cstdint>
#include <span>

namespace ql::scopesim {

// clang-format off
enum class MainField {
    Ch1Coupling, Ch1Invert, Ch1On, Ch1VoltsIndex,
    Ch2Coupling, Ch2Invert, Ch2On, Ch2VoltsIndex,
    TrigAlternate, Ch1ProbeBit, BandwidthLimit, VerChop, VerAdd, Ch2ProbeBit, TrigSource,
    SingleShot, TbAIndex,
    TrigSlopeB, TrigDelayOn, TbBIndex,
    ComponentTester, XYMode, XMag10, DigitalMode, PeakDetect, TimebaseMode,
    TrigSlopeA, TrigLevelRelative, TrigMode, TrigCoupling,
    Ref2On, Ref1On, PretriggerIndex, StorageMode,
    Ch2Variable, Ch1Variable, TraceSeparation, Byte12, TbAIntensity, TbBIntensity,
};
// clang-format on

class MainBlock {
public:
    static constexpr std::size_t kSize = 14;

    MainBlock() = default;
    explicit MainBlock(std::span<const std::uint8_t, kSize> bytes);

    // Value of a bit group; set() keeps only the bits that fit the group.
    int get(MainField field) const;
    void set(MainField field, int value);

    // Bytes numbered 1..14 as on the wire.
    std::uint8_t byte(int number) const;
    void setByte(int number, std::uint8_t value);
    const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }

    // Bits the layout keeps at 0 (byte 4 bits 7-6, byte 5 bit 5, byte 7 bits 6 and 3).
    static std::uint8_t reservedMask(int number);
    bool hasReservedBitsSet() const;
    void clearReservedBits();

    bool operator==(const MainBlock&) const = default;

private:
    std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace ql::scopesim
