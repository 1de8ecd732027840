#pragma once
// Serial line arithmetic shared by the transports: how long a byte takes, whether two ends
// of a line understand each other, and what a receiver makes of a byte when they do not.

#include <cstdint>

#include "state/SerialPort.h"

namespace ql::scopesim {

// Microseconds one character occupies the line: start bit, data bits, parity, stop bits.
std::int64_t byteDurationUs(const LineSettings& line);

// Same baud rate, data bits and parity. The stop bits may differ: a receiver checks only the
// first stop bit, so 8N1 and 8N2 understand each other.
bool linesMatch(const LineSettings& a, const LineSettings& b);

// A byte as a receiver on a mismatched line sees it: framing garbage with the top bit set,
// which never reads as a command letter, digit, CR or LF.
std::uint8_t garbled(std::uint8_t value);

}  // namespace ql::scopesim
