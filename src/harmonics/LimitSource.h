#pragma once
// Where the harmonic analysis finds the limits it judges against. A limit definition is a named
// set of limits, one per harmonic order, in amperes or (relative) in per cent of the
// fundamental, with the multiplier that the max-hold levels are judged by. The limit database
// implements LimitSource; until one is connected, NoLimitSource finds nothing and every
// harmonic reads "Not def.".

#include <map>
#include <optional>
#include <string_view>

namespace ql {

struct LimitDefinition {
    // True: the limits are per cent of the fundamental's level, and a negative one is scaled by
    // the power factor. False: the limits are amperes, a negative one used as it stands.
    bool relative = false;
    // With Max. Hold on, a harmonic whose max-hold level exceeds limit x multiplier fails.
    double multiplier = 1.0;
    // Limit by harmonic order (1 is the fundamental), as the store holds it: single precision.
    std::map<int, float> limits;

    // The limit of an order, or null when the definition has no row for it.
    const float* limitOf(int order) const
    {
        const auto it = limits.find(order);
        return it == limits.end() ? nullptr : &it->second;
    }
};

class LimitSource {
public:
    virtual ~LimitSource() = default;
    // The definition of that name with all its rows, read together, or nullopt when none has
    // that name (or the store cannot be read). Names match as the store matches them.
    virtual std::optional<LimitDefinition> definition(std::string_view name) = 0;
};

// Finds no definition of any name.
class NoLimitSource final : public LimitSource {
public:
    std::optional<LimitDefinition> definition(std::string_view) override { return std::nullopt; }
};

}  // namespace ql
