#pragma once
// What the simulated instrument puts on the line for one command (or on its own): the bytes,
// any extra pause before single bytes, and whether the port vanishes once they are out.

#include <cstdint>
#include <string_view>
#include <vector>

namespace ql::scopesim {

// What the instrument sends when its copy key is pressed, with its usual line end (CR LF;
// `SimulatorConfig::copyRequestEnd` may choose another).
inline constexpr std::string_view kCopyRequest = "COP:HC\r\n";
inline constexpr std::string_view kCopyRequestText = "COP:HC";

struct OutByte {
    std::uint8_t value = 0;
    std::int64_t extraDelayUs = 0;  // idle line before this byte, on top of the line rate
};

struct Reply {
    std::vector<OutByte> bytes;
    std::int64_t originUs = 0;  // when the instrument starts to answer (command end + latency)
    bool vanishAfter = false;   // the port disappears when the last byte is out

    void append(std::string_view text)
    {
        for (char c : text) bytes.push_back(OutByte{static_cast<std::uint8_t>(c), 0});
    }
    void append(std::uint8_t value) { bytes.push_back(OutByte{value, 0}); }
    std::vector<std::uint8_t> values() const
    {
        std::vector<std::uint8_t> v;
        for (const auto& b : bytes) v.push_back(b.value);
        return v;
    }
};

}  // namespace ql::scopesim
