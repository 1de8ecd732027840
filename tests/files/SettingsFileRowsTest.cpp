// Every setting the instrument's blocks carry against the settings file: the file keeps it in
// one place, and a file holding a value outside the setting's place in a block is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "DataFileTestSupport.h"
#include "files/DataFileCodec.h"
#include "link/SettingsCodec.h"

using namespace ql;
using namespace ql::test;

namespace {

// The settings files were laid out before the instrument reported peak detection.
const DdfMember kNotInFiles[] = {&DdfSettings::peakDetect};

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

// Bytes from the first to the last that differ.
long changedSpan(const std::string& a, const std::string& b)
{
    long first = -1, last = -1;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) {
            if (first < 0) first = static_cast<long>(i);
            last = static_cast<long>(i);
        }
    return first < 0 ? 0 : last - first + 1;
}

}  // namespace

TEST(SettingsFileRows, EverySettingTheBlocksCarryIsKeptOnceAndRangeChecked)
{
    const ProgramState base = savableState();
    const std::string baseFile = encodeSettingsFile(base);
    for (const BlockLayout& layout : blockLayouts())
        for (const BlockField& f : layout.fields) {
            SCOPED_TRACE(std::string(layout.name) + " byte " + std::to_string(f.byte));
            ProgramState changed = base;
            std::visit([&](auto m) { changed.ddf.*m = changed.ddf.*m == 1 ? 0 : 1; }, f.member);
            const long span = changedSpan(encodeSettingsFile(changed), baseFile);
            const bool kept = std::ranges::find(kNotInFiles, f.member) == std::end(kNotInFiles);
            EXPECT_EQ(span > 0, kept);
            EXPECT_LE(span, 4);  // one place, no neighbour touched

            ProgramState beyond = base;
            if (!kept || !put(beyond, f.member, f.width == 16 ? 32768L : 1L << f.width)) continue;
            EXPECT_FALSE(parseDataFile(encodeSettingsFile(beyond), DataFileKind::Settings, base)
                             .has_value());
        }
}
