#pragma once
// Port numbers 1..4 as the parameter file stores them, mapped to serial devices.

#include <optional>
#include <string>

namespace ql {

constexpr int kFirstPortNumber = 1;
constexpr int kLastPortNumber = 4;

// Port n opens the device named by $QL240_COM<n> when set, else /dev/ttyS<n-1>; a number
// outside 1..4 maps to nothing.
std::optional<std::string> portDevice(int portNumber);

// The baud rates the instrument offers.
bool isOfferedBaudRate(long baudRate);

}  // namespace ql
