#include "ModelProfile.h"

#include "state/Numeric.h"

namespace ql::scopesim {

const std::vector<ModelProfile>& modelProfiles()
{
    static const std::vector<ModelProfile> profiles = [] {
        std::vector<ModelProfile> p;
        ModelProfile tx2262{
            .name = "TX226-2", .family = 'a', .hasPeakDetect = true, .defaultFirmware = "2.10"};
        ModelProfile tx220{.name = "TX220", .family = 'a', .defaultFirmware = "1.16"};
        ModelProfile tc308{.name = "TC308",
                           .family = 'c',
                           .hasTimebaseB = true,
                           .hasMeasDdf = true,
                           .hasDdf2 = true,
                           .hasTriggerPositions = true,
                           .variablePretrigger = true,
                           .hasPeakDetect = true,
                           .defaultFirmware = "2.10"};
        ModelProfile tc304{.name = "TC304",
                           .family = 'c',
                           .hasTimebaseB = true,
                           .hasPeakDetect = true,
                           .defaultFirmware = "2.00"};
        ModelProfile tc310x{.name = "TC310X",
                            .family = 'c',
                            .hasTimebaseB = true,
                            .xyInverted = true,
                            .defaultFirmware = "2.01"};
        ModelProfile ta100{.name = "TA100",
                           .family = 'n',
                           .analogOnly = true,
                           .hasTimebaseB = true,
                           .defaultFirmware = "1.04"};
        p = {tx2262, tx220, tc308, tc304, tc310x, ta100};
        return p;
    }();
    return profiles;
}

const ModelProfile* findModelProfile(std::string_view name)
{
    for (const auto& p : modelProfiles())
        if (p.name == name) return &p;
    return nullptr;
}

const std::vector<std::string>& knownFirmwareVersions()
{
    static const std::vector<std::string> versions = {"1.04", "1.05", "1.06", "1.16", "1.17",
                                                      "1.99", "2.00", "2.01", "2.10"};
    return versions;
}

float firmwareNumber(const std::optional<std::string>& firmware)
{
    return firmware ? static_cast<float>(val(*firmware)) : 0.0f;
}

}  // namespace ql::scopesim
