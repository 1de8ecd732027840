#include "SimulatorConfig.h"

#include <cctype>

#include "ModelProfile.h"
#include "WaveformGenerator.h"

namespace ql::scopesim {

namespace {

bool isFirmwareText(const std::string& s)
{
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    return s.size() == 4 && digit(s[0]) && s[1] == '.' && digit(s[2]) && digit(s[3]);
}

}  // namespace

std::optional<std::string> configProblem(const SimulatorConfig& c)
{
    if (!findModelProfile(c.model)) {
        std::string known;
        for (const auto& p : modelProfiles()) known += (known.empty() ? "" : ", ") + p.name;
        return "unknown model \"" + c.model + "\" (known models: " + known + ")";
    }
    if (!c.firmware.empty() && c.firmware != "none" && !isFirmwareText(c.firmware))
        return "firmware \"" + c.firmware + "\" must be written like 1.16, or be none";
    switch (c.baudRate) {
        case 2400:
        case 4800:
        case 9600:
        case 19200:
        case 38400:
        case 57600:
        case 115200: break;
        default:
            return "baud rate " + std::to_string(c.baudRate) + " is not offered by the instrument";
    }
    if (c.stopBits != 1 && c.stopBits != 2) return "stop bits must be 1 or 2";
    if (c.latencyMs < 0.0) return "latency must not be negative";
    if (c.singleShotTriggerMs && *c.singleShotTriggerMs < 0.0)
        return "single-shot trigger delay must not be negative";
    if (c.serialNumber.size() != 7) return "serial number must have seven characters";
    for (char ch : c.serialNumber)
        if (!std::isdigit(static_cast<unsigned char>(ch))) return "serial number must be digits";
    if (c.copyRequestEnd != "\r\n" && c.copyRequestEnd != "\r" && c.copyRequestEnd != "\n")
        return "the copy request ends in CR LF, CR or LF";
    if (c.copyRequestPauseMs < 0.0) return "the pause after a copy request must not be negative";
    for (const PlantedCodes& p : c.plantedCodes) {
        if (p.record < 1 || p.record > 4) return "planted codes need a record from 1 to 4";
        if (p.index < 0 || p.index + p.codes.size() > kRecordLength)
            return "planted codes must lie within the record's 2047 samples";
    }
    return std::nullopt;
}

}  // namespace ql::scopesim
