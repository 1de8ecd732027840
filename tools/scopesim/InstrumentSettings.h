#pragma once
// Everything the simulated instrument keeps of its front panel, in its own native form: the
// main block as bytes, the "ddf1" words and the readout bytes as the instrument holds them for
// its firmware. A set-up memory stores one of these.

#include <array>
#include <cstdint>

#include "MainBlock.h"
#include "ModelProfile.h"

namespace ql::scopesim {

// Word numbers of the "ddf1" block (0-based).
enum Ddf1Word {
    kTrigLevelA = 0,
    kTbAVariable = 1,
    kHorPosition = 2,
    kCh2Position = 3,
    kCh1Position = 4,
    kTrigLevelB = 5,
    kTbBVariable = 6,
    kDelayPosition = 7,
};

struct InstrumentSettings {
    MainBlock main;                          // probe bits held apart, in the probe factors
    std::array<std::uint16_t, 8> ddf1{};     // words as sent, positions in the firmware's form
    std::array<std::uint8_t, 10> roddf{};    // byte 1 is the readout intensity
    std::array<std::uint8_t, 8> ddf2{};      // only bytes 3, 5, 6 live here; the rest mirror
    std::array<std::uint8_t, 22> measddf{};  // byte 1 mirrors the readout intensity
    std::int16_t pretriggerPosition = 0;     // variable pre-trigger: samples before the trigger
    std::uint8_t averageIndex = 4;           // 2^n averages
    std::uint8_t ref1PosByte = 128;          // reference trace offset + 128
    std::uint8_t ref2PosByte = 128;
    int ch1ProbeFactor = 10;  // travels as a bit from firmware 2.00 on
    int ch2ProbeFactor = 10;

    bool operator==(const InstrumentSettings&) const = default;
};

// Firmware above 1.05 counts positions in tenths around the centre 511; older firmware holds
// the position itself. Positions are 0..1023 with 511 in the middle of the screen.
bool positionsInTenths(float firmware);
double positionFromWord(std::uint16_t word, float firmware);
std::uint16_t wordForPosition(int position, float firmware);

// Which words and readout bytes are positions (converted on newer firmware).
bool isPositionWord(int ddf1Index);

// The state of a freshly switched-on instrument of a model.
InstrumentSettings factorySettings(const ModelProfile& profile, float firmware);

}  // namespace ql::scopesim
