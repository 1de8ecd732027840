#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "TempFolder.h"
#include "files/TableExport.h"
#include "state/InitProgramState.h"

using namespace ql;
using namespace ql::test;

namespace {

// The state data/waveform-table.tab was written for (see make-waveform-table.py there).
ProgramState knownState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    DdfSettings& d = s.ddf;
    d.ch1On = 1, d.ch2On = 1, d.ref1On = 1, d.ref2On = 0;
    d.ch1VoltsIndex = 9, d.ch1ProbeFactor = 1, d.ch1Variable = 255;
    d.ch2VoltsIndex = 6, d.ch2ProbeFactor = 10, d.ch2Variable = 0;
    d.timebaseMode = 2;  // the A-and-B view still counts time on time base A
    d.tbAIndex = 13, d.tbAVariable = 341;
    d.tbBIndex = 7, d.tbBVariable = 800;
    s.preamble.ch1ZeroOffset = 1;
    s.preamble.ch2ZeroOffset = -2;
    s.storage.ref1Pos = 50;  // display offsets are not part of the table
    for (int i = 0; i <= 2050; ++i) {
        const auto at = static_cast<std::size_t>(i);
        s.waves.waveCh1[at] = static_cast<std::int16_t>(128 + (i * 7) % 21 - 10);
        s.waves.waveCh2[at] = static_cast<std::int16_t>(125 + i % 9 - 4);
        s.waves.waveRef1[at] = static_cast<std::int16_t>(200 - i % 50);
        s.waves.waveRef2[at] = 999;
    }
    return s;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

}  // namespace

TEST(TableExport, MatchesTheExpectedTableOfAKnownState)
{
    const std::string expected = readFile(QL240_FILES_TEST_DATA "/waveform-table.tab");
    ASSERT_EQ(expected.size(), 81084u);
    EXPECT_EQ(waveformTableText(knownState(), '.'), expected);
}

TEST(TableExport, TheDecimalSignOfTheRegionalSettingsIsUsed)
{
    std::string expected = readFile(QL240_FILES_TEST_DATA "/waveform-table.tab");
    std::replace(expected.begin(), expected.end(), '.', ',');
    EXPECT_EQ(waveformTableText(knownState(), ','), expected);
}

TEST(TableExport, TheSwitchedOnTracesChooseTheColumns)
{
    ProgramState s = knownState();
    s.ddf.ref2On = 1;
    s.waves.waveRef2[1] = 125;  // its channel's zero: 0 V
    std::vector<std::string> lines = linesOf(waveformTableText(s, '.'));
    ASSERT_EQ(lines.size(), 2047u);
    EXPECT_EQ(lines[0], "Time in s\tCH I in Volt\tCH II in Volt\tREF I in Volt\tREF II in Volt");
    EXPECT_EQ(lines[1], "0E+0\t-1.20E-01\t-3.00E-01\t2.84E+00\t0.00E+00");

    s.ddf.ch1On = s.ddf.ch2On = s.ddf.ref1On = s.ddf.ref2On = 0;
    lines = linesOf(waveformTableText(s, '.'));
    ASSERT_EQ(lines.size(), 2047u);
    EXPECT_EQ(lines[0], "Time in s\t");
    EXPECT_EQ(lines[2], "7.5E-6\t");

    s.ddf.ch1On = 1;
    lines = linesOf(waveformTableText(s, '.'));
    EXPECT_EQ(lines[0], "Time in s\tCH I in Volt\t");
    EXPECT_EQ(lines[2], "7.5E-6\t1.60E-01\t");
}

TEST(TableExport, FromTimebaseModeThreeTheTimeIsThatOfTimebaseB)
{
    ProgramState s = knownState();
    s.ddf.timebaseMode = 3;
    s.ddf.tbBVariable = 0;  // 10 us/div: 50 ns per sample
    const std::vector<std::string> lines = linesOf(waveformTableText(s, '.'));
    EXPECT_EQ(lines[1].substr(0, 5), "0E+0\t");
    EXPECT_EQ(lines[2].substr(0, 5), "5E-8\t");
    EXPECT_EQ(lines[2046].substr(0, 10), "1.0225E-4\t");  // 2045 samples
}
