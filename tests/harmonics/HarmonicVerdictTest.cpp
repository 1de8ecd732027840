// The verdicts, rows and overall result of the analysis, judged on spectra written straight into
// the accumulation with limits a float holds exactly.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <tuple>

#include "HarmonicsRig.h"

using namespace ql;
using namespace ql::test;

namespace {

constexpr int kFundamentalLine = 25;  // 50 Hz at 50 ms/div: line 25.6
constexpr int kThirdLine = 76;        // 150 Hz: line 76.8

std::string cell(const HarmonicRow& row, HarmonicColumn c)
{
    return row.cells[static_cast<std::size_t>(c)];
}

}  // namespace

TEST(HarmonicVerdicts, EachLimitKindOnTheThirdHarmonic)
{
    struct Case {
        const char* what;
        bool relative;
        float limit;
        double multiplier;
        bool maxHold;
        double average, maxLevel;  // amperes, or per cent of the fundamental when relative
        HarmonicVerdict verdict;
        const char* limitText;
        OverallResult overall;
        char decimalSign = '.';
        float powerFactor = 1.0f;
    };
    using V = HarmonicVerdict;
    using O = OverallResult;
    const Case cases[] = {
        {"average at the limit, max at limit x multiplier", false, 0.5f, 1.5, true, 0.5, 0.75,
         V::Pass, "0.500A", O::Pass},
        {"max above limit x multiplier", false, 0.5f, 1.5, true, 0.5, 0.76, V::MaxFail, "0.500A",
         O::Fail},
        {"Max Hold off never gives Max-Fail", false, 0.5f, 1.5, false, 0.5, 5.0, V::Pass, "0.500A",
         O::Pass},
        {"average above the limit", false, 0.25f, 1.0, true, 0.26, 0.26, V::Fail, "0.250A",
         O::Fail},
        {"average above, Max Hold off", false, 0.25f, 1.0, false, 0.26, 0.0, V::Fail, "0,250A",
         O::Fail, ','},
        {"a negative absolute limit fails whatever the level", false, -0.25f, 1.0, true, 0.0, 0.0,
         V::Fail, "-0.250A", O::Fail},
        {"relative at the limit, max at limit x multiplier", true, 1.5f, 1.5, true, 1.5, 2.25,
         V::Pass, "1.5%", O::Pass},
        {"per cent are compared in single precision", true, 1.5f, 1.0, false, 1.50000001, 0.0,
         V::Pass, "1.5%", O::Pass},
        {"relative max above", true, 1.5f, 1.5, true, 1.5, 2.3, V::MaxFail, "1.5%", O::Fail},
        {"relative average above", true, 1.5f, 1.5, false, 1.55, 0.0, V::Fail, "1.5%", O::Fail},
        {"-5 with power factor 0.9 is 4.5 %", true, -5.0f, 1.0, true, 4.5, 4.5, V::Pass, "4,5%",
         O::Pass, ',', 0.9f},
        {"-5 with power factor 0.9, above", true, -5.0f, 1.0, true, 4.6, 4.5, V::Fail, "4.5%",
         O::Fail, '.', 0.9f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramState s = harmonicsState();
        s.harm.harmMaxHold = c.maxHold ? 1 : 0;
        s.harm.harmPowerFactor = c.powerFactor;
        takeInjectedAccumulation(s);
        // Fundamental: 1000 units averaged, 2000 max-hold; per cent are taken of each.
        s.harmTest.harmAvgSpectrum[kFundamentalLine] = 1000.0;
        s.fftBuf.spectrumCh1[kFundamentalLine] = 2000.0;
        const double avg = c.relative ? c.average * 10.0 : c.average * kUnitsPerAmpere;
        const double max = c.relative ? c.maxLevel * 20.0 : c.maxLevel * kUnitsPerAmpere;
        s.harmTest.harmAvgSpectrum[kThirdLine] = avg;
        s.fftBuf.spectrumCh1[kThirdLine] = max;
        MemoryLimits limits;
        limits.definitions["Test"] = {c.relative, c.multiplier, {{3, c.limit}}};

        HarmonicsResult r;
        ASSERT_EQ(analyzeHarmonics(s, limits, r, c.decimalSign), HarmonicsRun::Judged);
        ASSERT_EQ(r.rows.size(), 40u);
        const HarmonicRow& third = r.rows[2];
        EXPECT_EQ(third.order, 3);
        EXPECT_EQ(third.line, kThirdLine);
        EXPECT_EQ(third.verdict, c.verdict);
        EXPECT_EQ(cell(third, HarmonicColumn::Check), verdictText(c.verdict));
        EXPECT_EQ(cell(third, HarmonicColumn::Limit), c.limitText);
        EXPECT_EQ(cell(third, HarmonicColumn::MaxLevel)[0], c.maxHold ? '0' : 'O');
        // The rows without a limit are not judged; the overall result is the third's.
        EXPECT_EQ(cell(r.rows[1], HarmonicColumn::Check), "Not def.");
        EXPECT_EQ(cell(r.rows[1], HarmonicColumn::Limit), "Not def.");
        EXPECT_EQ(r.overall, c.overall);
        EXPECT_EQ(s.harmTest.harmOverallResult, c.overall);
        EXPECT_EQ(limits.lookups, 1) << "head and rows are read together, once per run";
    }
}

TEST(HarmonicVerdicts, CellsOfARowAndTheValuesTheyComeFrom)
{
    ProgramState s = harmonicsState();
    s.harm.harmLineFreq = 60.0f;  // lines 30.72 k
    takeInjectedAccumulation(s);
    s.harmTest.harmAvgSpectrum[30] = 2000.0;  // 4 A
    s.fftBuf.spectrumCh1[31] = 2500.0;        // the peak search looks at lines 29..31
    s.harmTest.harmAvgSpectrum[92] = 101.0;   // 3rd at line 92.16: 0.202 A, 5.05 %
    s.fftBuf.spectrumCh1[91] = 150.0;
    s.fftBuf.spectrumCh2[93] = 90.0;
    MemoryLimits limits;
    limits.definitions["Test"] = {false, 1.5, {{3, 0.25f}}};
    HarmonicsResult r;
    ASSERT_EQ(analyzeHarmonics(s, limits, r, ','), HarmonicsRun::Judged);
    ASSERT_EQ(r.rows.size(), 33u);
    const HarmonicRow& third = r.rows[2];
    const std::array<std::string, 7> cells = {"3",     "180",  "0,202A", "0,300A",
                                              "5,05%", "Pass", "0,250A"};
    EXPECT_EQ(third.cells, cells);
    EXPECT_EQ(third.line, 92);
    EXPECT_EQ(third.sweepLevel, 90.0);
    EXPECT_EQ(cell(r.rows[0], HarmonicColumn::Percent), "100,00%");
    EXPECT_EQ(r.fundamentalLine, 30);
    EXPECT_EQ(s.fft.fftCursorCh1, 30.0);
    EXPECT_EQ(s.harmTest.harmFundamentalLevel, 2000.0);
    EXPECT_EQ(r.fundamentalText, "4,00A");
    EXPECT_EQ(r.lineFrequencyText, " 60Hz");
    EXPECT_EQ(s.fft.fftMaxLevelCh1, 2500.0);
    // The last search of the max-hold spectrum that found a value left its line.
    EXPECT_EQ(s.harmTest.harmPeakBin, 91);
    // The last row is filled like the others.
    EXPECT_EQ(r.rows.back().cells[4], "0,00%");
    EXPECT_EQ(r.rows.back().cells[0], "33");
    EXPECT_EQ(r.rows.back().cells[1], "1980");

    // Max. Hold off: "Off" in every row; a relative row without a fundamental is not judged.
    s.harm.harmMaxHold = 0;
    s.harmTest.harmAvgSpectrum[30] = 0.0;
    limits.definitions["Test"] = {true, 1.0, {{3, 10.0f}}};
    ASSERT_EQ(analyzeHarmonics(s, limits, r, '.'), HarmonicsRun::Judged);
    for (const HarmonicRow& row : r.rows) EXPECT_EQ(cell(row, HarmonicColumn::MaxLevel), "Off");
    EXPECT_EQ(r.rows[2].verdict, HarmonicVerdict::NotDefined);
    EXPECT_EQ(cell(r.rows[2], HarmonicColumn::Limit), "10.0%");
    EXPECT_EQ(cell(r.rows[2], HarmonicColumn::Percent), "") << "no 100 % to take it of";
    EXPECT_EQ(r.overall, OverallResult::None);
}

TEST(HarmonicVerdicts, RowsStopAtLine1024)
{
    struct Case {
        float lineHz;
        int timebaseCode;
        std::size_t rows;
        int fundamentalLine, lastLine;
    };
    const Case cases[] = {
        {50.0f, 18, 40, 25, 1024},   // 50 ms/div
        {60.0f, 18, 33, 30, 1013},   // 1024 / 30 rounds to 34
        {50.0f, 17, 100, 10, 1024},  // 20 ms/div: orders up to 101 would reach line 1034
        {50.0f, 23, 1, 1024, 1024},  // 2 s/div: the fundamental alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.timebaseCode);
        ProgramState s = harmonicsState();
        s.harm.harmLineFreq = c.lineHz;
        s.ddf.tbAIndex = static_cast<byte>(c.timebaseCode);
        s.waves.takeNew(s.ddf);
        NoLimitSource none;
        HarmonicsResult r;
        ASSERT_EQ(analyzeHarmonics(s, none, r, '.'), HarmonicsRun::Judged);
        ASSERT_EQ(r.rows.size(), c.rows);
        EXPECT_EQ(r.fundamentalLine, c.fundamentalLine);
        EXPECT_EQ(r.rows.back().line, c.lastLine);
        for (std::size_t k = 0; k < r.rows.size(); ++k) ASSERT_EQ(r.rows[k].order, int(k) + 1);
        EXPECT_EQ(r.overall, OverallResult::None) << "no definition: nothing judged";
    }
}

TEST(HarmonicVerdicts, NoUsableInputGivesNoResult)
{
    const std::function<void(ProgramState&)> unusable[] = {
        // A new record read with a setting that gives no scale or no line.
        [](ProgramState& s) { s.ddf.tbAIndex = 29, s.waves.takeNew(s.ddf); },  // table value 0
        [](ProgramState& s) { s.ddf.tbAIndex = 200, s.waves.takeNew(s.ddf); },
        [](ProgramState& s) {
            s.ddf.timebaseMode = 3, s.ddf.tbBIndex = 250, s.waves.takeNew(s.ddf);
        },
        [](ProgramState& s) { s.ddf.tbAIndex = 4, s.waves.takeNew(s.ddf); },  // 50 Hz below line 1
        [](ProgramState& s) { s.ddf.ch1VoltsIndex = 200, s.waves.takeNew(s.ddf); },
        // After Clear, the record in hand was read with CH I off: it is an older one.
        [](ProgramState& s) {
            s.waves.readWith.ch1On = 0;
            clearHarmonics(s);
        },
        [](ProgramState& s) { s.harm.harmVoltsPerAmp = 0.0f; },
        [](ProgramState& s) { s.harm.harmVoltsPerAmp = -0.1f; },
        [](ProgramState& s) { s.harm.harmVoltsPerAmp = std::numeric_limits<float>::infinity(); },
        [](ProgramState& s) { s.harm.harmVoltsPerAmp = std::numeric_limits<float>::quiet_NaN(); },
        [](ProgramState& s) { s.harm.harmLineFreq = 0.0f; },
        [](ProgramState& s) { s.harm.harmLineFreq = -50.0f; },
        [](ProgramState& s) { s.harm.harmLineFreq = std::numeric_limits<float>::quiet_NaN(); },
        // Nothing read or loaded yet, after Clear: the empty record is not taken as a sweep.
        [](ProgramState& s) { s.waves.generation = 0, clearHarmonics(s); },
    };
    for (std::size_t k = 0; k < std::size(unusable); ++k) {
        SCOPED_TRACE(k);
        ProgramState s = harmonicsState();
        MemoryLimits limits;
        limits.definitions["Test"] = classA();
        HarmonicsResult r;
        ASSERT_EQ(analyzeHarmonics(s, limits, r, '.'), HarmonicsRun::Judged);
        ASSERT_FALSE(r.rows.empty());
        fillLineCurrent(s, 50.0, {{1, 90.0}});  // a record of another current in hand
        unusable[k](s);
        const auto accumulation = [&s] {
            return std::tuple(s.fftBuf.spectrumCh1, s.fftBuf.spectrumCh2,
                              s.harmTest.harmAvgSpectrum, s.harmTest.harmAverageCount);
        };
        const auto kept = accumulation();
        EXPECT_EQ(analyzeHarmonics(s, limits, r, '.'), HarmonicsRun::NoResult);
        EXPECT_TRUE(accumulation() == kept) << "the record stays out of the accumulation";
        EXPECT_FALSE(r.judged);
        EXPECT_TRUE(r.rows.empty());
        EXPECT_EQ(r.rmsText, "");
        EXPECT_NE(r.reason, "");
        EXPECT_EQ(s.harmTest.harmOverallResult, OverallResult::None);
        EXPECT_EQ(harmonicsTableColor(r.overall), kWhite);
        if (s.waves.generation == 0) {
            EXPECT_EQ(s.harmTest.harmAverageCount, 1);
        }
    }
}

TEST(HarmonicVerdicts, ChannelOffKeepsTheTableAndTheSpectra)
{
    ProgramState s = harmonicsState();
    fillLineCurrent(s, 50.0, {{1, 50.0}, {3, 10.0}});
    MemoryLimits limits;
    limits.definitions["Test"] = classA();
    HarmonicsResult r;
    ASSERT_EQ(analyzeHarmonics(s, limits, r, '.'), HarmonicsRun::Judged);
    const HarmonicsResult before = r;
    const std::vector<double> maxHold = s.fftBuf.spectrumCh1;
    const std::vector<double> average = s.harmTest.harmAvgSpectrum;

    s.ddf.ch1On = 0;
    fillLineCurrent(s, 50.0, {{1, 80.0}});
    s.waves.takeNew(s.ddf);
    EXPECT_EQ(analyzeHarmonics(s, limits, r, '.'), HarmonicsRun::ChannelOff);
    EXPECT_EQ(r.rows.size(), before.rows.size());
    EXPECT_EQ(r.rows[2].cells, before.rows[2].cells);
    EXPECT_EQ(s.fftBuf.spectrumCh1, maxHold);
    EXPECT_EQ(s.harmTest.harmAvgSpectrum, average);
    EXPECT_EQ(s.harmTest.harmOverallResult, OverallResult::Pass);
    // The record taken while CH I was off is passed over when CH I comes back.
    s.ddf.ch1On = 1;
    ASSERT_EQ(analyzeHarmonics(s, limits, r, '.'), HarmonicsRun::Judged);
    EXPECT_EQ(s.harmTest.harmAvgSpectrum, average);
}
