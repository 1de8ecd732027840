// The sweeps of the harmonics test: the current sweep against a naive transform of the weighted
// record, the running average and the max-hold over new waveforms only, the RMS of the record,
// and the automatic 50/60 Hz choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "HarmonicsRig.h"

using namespace ql;
using namespace ql::test;

namespace {

constexpr double kVoltsPerCode = 0.5 / 25;

HarmonicsRun run(ProgramState& s)
{
    NoLimitSource none;
    HarmonicsResult r;
    return analyzeHarmonics(s, none, r, '.');
}

std::vector<double> lines(const std::vector<double>& v)
{
    return std::vector<double>(v.begin(), v.begin() + 1025);
}

}  // namespace

TEST(HarmonicSweep, CurrentSweepIsTheTransformOfTheWeightedRecord)
{
    for (const byte windowCode : {byte{1}, byte{2}}) {
        SCOPED_TRACE(int(windowCode));
        ProgramState s = harmonicsState();
        s.harm.harmWindowCode = windowCode;
        s.preamble.ch1ZeroOffset = 3;  // code 130 is 0 V
        fillLineCurrent(s, 50.0, {{1, 60.0}, {3, 15.0}, {7, 4.0}});
        ASSERT_EQ(run(s), HarmonicsRun::Judged);

        // The record in volts, padded with its last sample; Hanning takes off the mean of the
        // absolute values and weights by 1 - cos(2 pi i / 2048).
        std::vector<double> x(2048);
        double meanAbs = 0.0;
        for (int i = 1; i <= 2046; ++i) {
            x[i - 1] = (s.waves.waveCh1[i] - 130) * kVoltsPerCode;
            meanAbs += std::abs(x[i - 1]) / 2046;
        }
        x[2046] = x[2047] = x[2045];
        if (windowCode == 2) {
            for (int i = 0; i < 2048; ++i)
                x[i] = (x[i] - meanAbs) * (1 - std::cos(2 * M_PI * i / 2048));
        }
        EXPECT_NEAR(s.fft.waveMeanLevel, meanAbs, 1e-12);
        EXPECT_EQ(s.fftBuf.spectrumCh2[0], 0.0);
        const double peak = *std::max_element(s.fftBuf.spectrumCh2.begin() + 1,
                                              s.fftBuf.spectrumCh2.begin() + 1025);
        for (int m = 1; m <= 1024; ++m) {
            double re = 0.0, im = 0.0;
            for (int i = 0; i < 2048; ++i) {
                const double a = 2 * M_PI * static_cast<double>(i) * m / 2048;
                re += x[i] * std::cos(a);
                im += x[i] * std::sin(a);
            }
            ASSERT_NEAR(s.fftBuf.spectrumCh2[m], std::hypot(re, im) / 1.39, 1e-9 * peak) << m;
        }
    }
}

TEST(HarmonicSweep, TheAverageIsTheMeanOfUpTo64SweepsAndTheMaxHoldTheirMaximum)
{
    ProgramState s = harmonicsState();
    std::vector<double> sum(1025, 0.0), max(1025, 0.0);
    for (int k = 1; k <= 64; ++k) {
        fillLineCurrent(s, 50.0, {{1, 20.0 + k}, {k % 2 ? 3 : 5, 10.0}});
        ++s.waves.generation;
        ASSERT_EQ(run(s), HarmonicsRun::Judged);
        for (std::size_t i = 0; i <= 1024; ++i) {
            sum[i] += s.fftBuf.spectrumCh2[i];
            max[i] = std::max(max[i], s.fftBuf.spectrumCh2[i]);
        }
        if (k == 2) {
            for (std::size_t i = 0; i <= 1024; ++i)
                ASSERT_EQ(s.harmTest.harmAvgSpectrum[i], sum[i] / 2) << i;
        }
    }
    EXPECT_EQ(s.harmTest.harmAverageCount, 64);
    for (std::size_t i = 0; i <= 1024; ++i) {
        ASSERT_NEAR(s.harmTest.harmAvgSpectrum[i], sum[i] / 64, 1e-9 * sum[26]) << i;
        ASSERT_EQ(s.fftBuf.spectrumCh1[i], max[i]) << i;
    }
    EXPECT_EQ(s.fft.fftMaxLevelCh1, *std::max_element(max.begin(), max.end()));

    // From then on a new sweep weighs 1/64.
    const std::vector<double> before = lines(s.harmTest.harmAvgSpectrum);
    fillLineCurrent(s, 50.0, {{1, 100.0}});
    ++s.waves.generation;
    ASSERT_EQ(run(s), HarmonicsRun::Judged);
    for (std::size_t i = 0; i <= 1024; ++i) {
        ASSERT_EQ(s.harmTest.harmAvgSpectrum[i], (63 * before[i] + s.fftBuf.spectrumCh2[i]) / 64)
            << i;
    }
    EXPECT_EQ(s.harmTest.harmAverageCount, 64);

    // A record read at 20 ms per division has its lines at other frequencies: both start again.
    s.ddf.tbAIndex = 17;
    s.waves.takeNew(s.ddf);
    ASSERT_EQ(run(s), HarmonicsRun::Judged);
    EXPECT_EQ(s.harmTest.harmAverageCount, 2);
    EXPECT_EQ(lines(s.harmTest.harmAvgSpectrum), lines(s.fftBuf.spectrumCh2));
    EXPECT_EQ(lines(s.fftBuf.spectrumCh1), lines(s.fftBuf.spectrumCh2));
}

TEST(HarmonicSweep, ARunWithoutANewWaveformJudgesTheSameAccumulation)
{
    ProgramState s = harmonicsState();
    MemoryLimits limits;
    limits.definitions["Test"] = classA();
    fillLineCurrent(s, 50.0, {{1, 60.0}, {3, 12.0}});
    HarmonicsResult first;
    ASSERT_EQ(analyzeHarmonics(s, limits, first, '.'), HarmonicsRun::Judged);
    const std::vector<double> average = s.harmTest.harmAvgSpectrum;
    const std::vector<double> maxHold = s.fftBuf.spectrumCh1;

    // A panel edit redraws: another scale and window, but the same acquisition.
    s.ddf.ch1VoltsIndex = 9;
    s.harm.harmWindowCode = 1;
    for (int again = 0; again < 3; ++again) {
        HarmonicsResult r;
        ASSERT_EQ(analyzeHarmonics(s, limits, r, '.'), HarmonicsRun::Judged);
        EXPECT_EQ(s.harmTest.harmAvgSpectrum, average);
        EXPECT_EQ(s.fftBuf.spectrumCh1, maxHold);
        EXPECT_EQ(s.harmTest.harmAverageCount, 2);
        EXPECT_EQ(r.rmsText, first.rmsText);
        ASSERT_EQ(r.rows.size(), first.rows.size());
        for (std::size_t k = 0; k < r.rows.size(); ++k)
            EXPECT_EQ(r.rows[k].cells, first.rows[k].cells);
    }

    // Clear and the opening of the window start again from the record in hand, with the window
    // now set but at the scale it was read with: the panel's 1 V/div does not double its volts.
    ProgramState unedited = harmonicsState();
    unedited.harm.harmWindowCode = 1;
    fillLineCurrent(unedited, 50.0, {{1, 60.0}, {3, 12.0}});
    ASSERT_EQ(run(unedited), HarmonicsRun::Judged);
    for (auto reset : {&clearHarmonics, &resetHarmonicsOnOpening}) {
        reset(s);
        EXPECT_EQ(s.harmTest.harmOverallResult, OverallResult::None);
        ASSERT_EQ(run(s), HarmonicsRun::Judged);
        EXPECT_EQ(s.harmTest.harmAverageCount, 2);
        EXPECT_EQ(lines(s.harmTest.harmAvgSpectrum), lines(unedited.fftBuf.spectrumCh2));
        EXPECT_EQ(lines(s.fftBuf.spectrumCh1), lines(s.fftBuf.spectrumCh2));
    }
}

TEST(HarmonicSweep, IrmsIsTheTrueRmsOfTheRecordWithinOneCode)
{
    // 80 codes of 20 mV over a DC level of 10 codes: RMS sqrt(1.6^2 / 2 + 0.2^2) V, at 0.5 V per
    // ampere; one code is 0.04 A.
    ProgramState s = harmonicsState();
    for (int i = 1; i <= kLastShownSample; ++i)
        s.waves.waveCh1[i] = static_cast<std::int16_t>(
            std::lround(137 + 80 * std::sin(2 * M_PI * 50 * (i - 1) / 4000.0)));
    NoLimitSource none;
    HarmonicsResult r;
    ASSERT_EQ(analyzeHarmonics(s, none, r, '.'), HarmonicsRun::Judged);
    const double rms = std::sqrt(1.6 * 1.6 / 2 + 0.2 * 0.2) / 0.5;
    EXPECT_NEAR(r.rmsAmperes, rms, 0.04);
    // The mean of the absolute values is still what the window takes off.
    EXPECT_NEAR(s.fft.waveMeanLevel, 1.6 * 2 / M_PI, 0.2 + kVoltsPerCode);
}

TEST(HarmonicSweep, AutomaticFrequencyChoosesByTheCurrentSweepAndRestartsTheMaxHold)
{
    struct Case {
        float before;
        double at50, at60;  // current sweep near the 50 Hz (25.6) and 60 Hz (30.72) lines
        float chosen;
    };
    const Case cases[] = {
        {60.0f, 100.0, 100.0, 50.0f},  // a tie gives 50
        {50.0f, 100.0, 101.0, 60.0f},
        {50.0f, 100.0, 99.0, 50.0f},
        {0.0f, 0.0, 0.0, 50.0f},  // a line frequency of 0 is chosen over
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at60);
        ProgramState s = harmonicsState();
        s.harm.harmAutoFreq = 1;
        s.harm.harmLineFreq = c.before;
        takeInjectedAccumulation(s);
        s.fftBuf.spectrumCh2[26] = c.at50;
        s.fftBuf.spectrumCh2[29] = c.at60;
        s.fftBuf.spectrumCh1[100] = 5000.0;  // max-hold of the sweeps before
        s.harmTest.harmAvgSpectrum[100] = 7.0;
        ASSERT_EQ(run(s), HarmonicsRun::Judged);
        EXPECT_EQ(s.harm.harmLineFreq, c.chosen);
        EXPECT_EQ(s.harmTest.harmAvgSpectrum[100], 7.0) << "the average goes on";
        if (c.chosen != c.before) {
            EXPECT_EQ(lines(s.fftBuf.spectrumCh1), lines(s.fftBuf.spectrumCh2));
            EXPECT_EQ(s.fft.fftMaxLevelCh1, std::max(c.at50, c.at60));
        } else {
            EXPECT_EQ(s.fftBuf.spectrumCh1[100], 5000.0);
            EXPECT_EQ(s.fft.fftMaxLevelCh1, 5000.0);
        }
    }
}
