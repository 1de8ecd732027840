#include "PortMap.h"

#include <cstdlib>

namespace ql {

std::optional<std::string> portDevice(int portNumber)
{
    if (portNumber < kFirstPortNumber || portNumber > kLastPortNumber) return std::nullopt;
    const std::string variable = "QL240_COM" + std::to_string(portNumber);
    if (const char* mapped = std::getenv(variable.c_str()); mapped && *mapped)
        return std::string(mapped);
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

bool isOfferedBaudRate(long baudRate)
{
    switch (baudRate) {
        case 2400:
        case 4800:
        case 9600:
        case 19200:
        case 57600:
        case 115200: return true;
        default: return false;
    }
}

}  // namespace ql
