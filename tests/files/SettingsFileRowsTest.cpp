// Every setting the instrument's blocks carry against the settings file: the file keeps it in
// one place, and a file holding a value outside the setting's place in the blocks is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "DataFileTestSupport.h"
#include "files/DataFileCodec.h"
#include "link/SettingsCodec.h"

using namespace ql;
using namespace ql::test;

namespace {

// The settings files were laid out before the instrument reported peak detection.
const DdfMember kNotInFiles[] = {&DdfSettings::peakDetect};

struct Carried {
    DdfMember member;
    int width;  // of its narrowest place
    std::string where;
};

std::vector<Carried> carriedSettings()
{
    std::vector<Carried> all;
    for (const BlockLayout& layout : blockLayouts())
        for (const BlockField& f : layout.fields) {
            const auto known = std::find_if(all.begin(), all.end(),
                                            [&](const Carried& c) { return c.member == f.member; });
            const std::string where = std::string(layout.name) + " byte " + std::to_string(f.byte) +
                                      " shift " + std::to_string(f.shift);
            if (known == all.end())
                all.push_back({f.member, f.width, where});
            else if (f.width < known->width)
                *known = {f.member, f.width, where};
        }
    return all;
}

// False when the member's type cannot hold the value.
bool put(ProgramState& s, const DdfMember& member, long value)
{
    return std::visit(
        [&](auto m) {
            using T = std::remove_cvref_t<decltype(s.ddf.*m)>;
            if (value > std::numeric_limits<T>::max()) return false;
            s.ddf.*m = static_cast<T>(value);
            return true;
        },
        member);
}

long valueOf(const ProgramState& s, const DdfMember& member)
{
    return std::visit([&](auto m) { return static_cast<long>(s.ddf.*m); }, member);
}

// Bytes from the first to the last that differ.
std::size_t changedSpan(const std::string& a, const std::string& b)
{
    std::size_t first = a.size(), last = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) {
            first = std::min(first, i);
            last = i;
        }
    return first == a.size() ? 0 : last - first + 1;
}

}  // namespace

TEST(SettingsFileRows, EverySettingTheBlocksCarryIsKeptOnceAndRangeChecked)
{
    const ProgramState base = savableState();
    const std::string baseFile = encodeSettingsFile(base);
    ASSERT_TRUE(parseDataFile(baseFile, DataFileKind::Settings, base).has_value());
    for (const Carried& c : carriedSettings()) {
        SCOPED_TRACE(c.where);
        const bool inFiles = std::ranges::find(kNotInFiles, c.member) == std::end(kNotInFiles);
        ProgramState changed = base;
        put(changed, c.member, valueOf(base, c.member) == 0 ? 1 : 0);
        const std::size_t span = changedSpan(baseFile, encodeSettingsFile(changed));
        if (!inFiles) {
            EXPECT_EQ(span, 0u);
            continue;
        }
        EXPECT_GE(span, 1u);
        EXPECT_LE(span, 4u);  // one field: no second place, no neighbour touched

        ProgramState beyond = base;
        const long outside = c.width == 16 ? 32768L : 1L << c.width;
        if (!put(beyond, c.member, outside)) continue;  // its type holds nothing wider
        EXPECT_FALSE(
            parseDataFile(encodeSettingsFile(beyond), DataFileKind::Settings, base).has_value());
    }
}
