#include "InstrumentSettings.h"

#include <algorithm>

#include "state/Numeric.h"

namespace ql::scopesim {

bool positionsInTenths(float firmware)
{
    return firmwareAbove(firmware, 1.05f);
}

double positionFromWord(std::uint16_t word, float firmware)
{
    if (!positionsInTenths(firmware)) return word;
    return 511.0 + asSigned16(word) / 10.0;
}

std::uint16_t wordForPosition(int position, float firmware)
{
    if (!positionsInTenths(firmware)) return static_cast<std::uint16_t>(position);
    const int tenths = (std::clamp(position, 0, 1023) - 511) * 10;
    return static_cast<std::uint16_t>(tenths & 0xFFFF);
}

bool isPositionWord(int ddf1Index)
{
    return ddf1Index == kHorPosition || ddf1Index == kCh2Position || ddf1Index == kCh1Position;
}

InstrumentSettings factorySettings(const ModelProfile& profile, float firmware)
{
    InstrumentSettings s;
    MainBlock& m = s.main;
    m.set(MainField::Ch1On, 1);
    m.set(MainField::Ch1VoltsIndex, 5);  // 50 mV/div, with the x10 probe 0.5 V/div
    m.set(MainField::Ch2On, 1);
    m.set(MainField::Ch2VoltsIndex, 5);
    m.set(MainField::TbAIndex, 13);  // 1 ms/div
    m.set(MainField::TbBIndex, 10);  // 100 us/div
    m.set(MainField::DigitalMode, profile.analogOnly ? 0 : 1);
    m.set(MainField::TrigCoupling, 0);                              // AC
    m.set(MainField::PretriggerIndex, profile.analogOnly ? 3 : 4);  // 25 % before the trigger
    m.set(MainField::Ch1Variable, 255);                             // calibrated
    m.set(MainField::Ch2Variable, 255);
    m.set(MainField::TraceSeparation, 40);
    m.set(MainField::TbAIntensity, 128);
    m.set(MainField::TbBIntensity, 128);

    s.ddf1[kTrigLevelA] = 511;
    s.ddf1[kHorPosition] = wordForPosition(511, firmware);
    s.ddf1[kCh2Position] = wordForPosition(511, firmware);
    s.ddf1[kCh1Position] = wordForPosition(511, firmware);
    s.ddf1[kTrigLevelB] = 511;
    s.ddf1[kDelayPosition] = 1024;

    s.roddf[0] = 128;
    for (int v = 0; v < 4; ++v) {
        const std::uint16_t word = wordForPosition(511, firmware);
        s.roddf[static_cast<std::size_t>(2 + 2 * v)] = static_cast<std::uint8_t>(word & 0xFF);
        s.roddf[static_cast<std::size_t>(3 + 2 * v)] = static_cast<std::uint8_t>(word >> 8);
    }
    s.measddf[0] = s.roddf[0];
    s.pretriggerPosition = 500;
    // x10 probes on both inputs, as the program assumes until the instrument tells otherwise.
    s.ch1ProbeFactor = 10;
    s.ch2ProbeFactor = 10;
    return s;
}

}  // namespace ql::scopesim
