#pragma once
// The simulator's own table of instrument models: what each model can do, as far as it changes
// what the simulated instrument answers. Kept apart from the program's model table on purpose,
// so that the two are independent witnesses of each other.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ql::scopesim {

struct ModelProfile {
    std::string name;                  // as the identity reply carries it, at most 8 characters
    char family = 'a';                 // 'a' or 'c' digital families, 'n' analog-only
    bool analogOnly = false;           // no storage: waveform and storage commands go unanswered
    bool hasTimebaseB = false;         // delayed time base; its traces travel as REF I/REF II
    bool hasMeasDdf = false;           // answers "measddf?"/"measddf="
    bool hasDdf2 = false;              // answers "ddf2?"/"ddf2="
    bool hasTriggerPositions = false;  // answers "trgposa?"/"trgposb?"
    bool variablePretrigger = false;   // trigger point taken from the ddf2 position
    bool hasPeakDetect = false;        // informational: the simulator stores the bit either way
    bool xyInverted = false;           // informational: XY is drawn by the program, not here
    std::string defaultFirmware;       // firmware offered when none is chosen
};

// Every model the simulator knows, in a fixed order.
const std::vector<ModelProfile>& modelProfiles();
// The profile of a model name (exact, case-sensitive), or nullptr.
const ModelProfile* findModelProfile(std::string_view name);

// Firmware versions at which the instrument's answers change, as the version reply writes
// them. A firmware of std::nullopt stands for a version reply without a firmware field.
const std::vector<std::string>& knownFirmwareVersions();

// The firmware version as a number: the value of "x.yz", or 0 for a reply without one.
float firmwareNumber(const std::optional<std::string>& firmware);

}  // namespace ql::scopesim
