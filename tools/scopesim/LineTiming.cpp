#include "LineTiming.h"

namespace ql::scopesim {

std::int64_t byteDurationUs(const LineSettings& line)
{
    const int bits = 1 + line.dataBits + (line.parity == Parity::None ? 0 : 1) + line.stopBits;
    if (line.baudRate <= 0) return 0;
    return (static_cast<std::int64_t>(bits) * 1'000'000 + line.baudRate - 1) / line.baudRate;
}

bool linesMatch(const LineSettings& a, const LineSettings& b)
{
    return a.baudRate == b.baudRate && a.dataBits == b.dataBits && a.parity == b.parity;
}

std::uint8_t garbled(std::uint8_t value)
{
    return static_cast<std::uint8_t>(0x80 | ((value * 5 + 0x2B) & 0x7F));
}

}  // namespace ql::scopesim
