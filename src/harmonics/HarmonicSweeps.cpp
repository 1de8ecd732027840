#include "HarmonicSweeps.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "fft/FftLevels.h"
#include "fft/Fourier.h"
#include "fft/WindowFunction.h"
#include "state/Numeric.h"
#include "state/Scaling.h"

namespace ql {

namespace {

constexpr int kRecordSamples = kLastShownSample;  // samples 1..2046 make the record
constexpr std::size_t kAccumulatedLines = kSpectrumLastLine + 1;

std::size_t at(int line)
{
    return static_cast<std::size_t>(line);
}

}  // namespace

std::int64_t harmonicLine(double hz, double timePerDiv)
{
    const double x = hz / (kSamplesPerDivision / timePerDiv) * kFftLength;
    if (!(x > -1.0)) return -1;  // below -1, or not a number
    if (x > 1e9) return 1000000000;
    return static_cast<std::int64_t>(intFloor(x));
}

HarmonicPeak findHarmonicPeak(std::span<const double> spectrum, std::int64_t line)
{
    const std::int64_t last = std::min<std::int64_t>(
        {kHarmonicLastSearchedLine, line + 1, static_cast<std::int64_t>(spectrum.size()) - 1});
    HarmonicPeak peak;
    for (std::int64_t i = std::max<std::int64_t>(1, line - 1); i <= last; ++i) {
        const double v = spectrum[static_cast<std::size_t>(i)];
        if (v > peak.level) {
            peak.level = v;
            peak.line = static_cast<int>(i);
        }
    }
    return peak;
}

double transformHarmonicRecord(ProgramState& s, double voltsPerCode)
{
    FftBuffers& b = s.fftBuf;
    std::vector<double>& samples = b.fftSamples;
    std::fill(b.fftImagIn.begin(), b.fftImagIn.end(), 0.0);
    // Taken in 32 bits: a code minus an extreme zero offset does not fit 16 bits.
    const std::int32_t zero = std::int32_t{s.preamble.ch1ZeroOffset} + kZeroCodeBase;
    double meanAbs = 0.0, sumSquares = 0.0, x = 0.0;
    for (int i = kFirstSample; i <= kRecordSamples; ++i) {
        x = (std::int32_t{s.waves.waveCh1[at(i)]} - zero) * voltsPerCode;
        samples[at(i - 1)] = x;
        meanAbs += std::abs(x / kRecordSamples);
        sumSquares += x * x;
    }
    // Two points short of 2048: the last sample is repeated.
    samples[kRecordSamples] = x;
    samples[kRecordSamples + 1] = x;
    s.fft.waveMeanLevel = meanAbs;

    // The caller made sure every buffer holds 2049 elements, so neither call can fail.
    if (s.harm.harmWindowCode != 1) (void)windowHanning(kFftLength, samples, meanAbs);
    (void)fourier(kFftLength, samples, b.fftImagIn, b.fftRealOut, b.fftImagOut, b.spectrumCh2,
                  false);
    b.spectrumCh2[0] = 0.0;
    return std::sqrt(sumSquares / kRecordSamples);
}

bool harmonicAccumulationEmpty(const HarmTestState& t)
{
    // A count outside 1..64 (none set yet) counts as the start of an accumulation.
    return t.harmAverageCount <= 1 || t.harmAverageCount > kHarmonicMaxSweeps;
}

void accumulateHarmonicSweep(ProgramState& s, double timePerDiv, double rmsVolts)
{
    HarmTestState& test = s.harmTest;
    FftBuffers& b = s.fftBuf;
    // Lines of another spacing would be averaged with the wrong frequencies: start again.
    if (!harmonicAccumulationEmpty(test) && timePerDiv != test.harmSweepTimePerDiv) {
        std::fill_n(b.spectrumCh1.begin(), kAccumulatedLines, 0.0);
        test.harmAverageCount = 1;
    }
    const int count = std::clamp<int>(test.harmAverageCount, 1, kHarmonicMaxSweeps);
    std::vector<double>& average = test.harmAvgSpectrum;
    for (std::size_t i = 0; i < kAccumulatedLines; ++i) {
        const double sweep = b.spectrumCh2[i];
        if (b.spectrumCh1[i] < sweep) b.spectrumCh1[i] = sweep;
        average[i] = count == 1 ? sweep : ((count - 1) * average[i] + sweep) / count;
    }
    test.harmAverageCount =
        static_cast<std::int16_t>(count < kHarmonicMaxSweeps ? count + 1 : count);
    test.harmSweptGeneration = s.waves.generation;
    test.harmSweepRmsVolts = rmsVolts;
    test.harmSweepTimePerDiv = timePerDiv;
}

float automaticLineFrequency(const ProgramState& s, double timePerDiv)
{
    const std::span<const double> sweep = s.fftBuf.spectrumCh2;
    const double at50 = findHarmonicPeak(sweep, harmonicLine(50.0, timePerDiv)).level;
    const double at60 = findHarmonicPeak(sweep, harmonicLine(60.0, timePerDiv)).level;
    return at50 < at60 ? 60.0f : 50.0f;
}

void restartMaxHold(ProgramState& s)
{
    std::copy_n(s.fftBuf.spectrumCh2.begin(), kAccumulatedLines, s.fftBuf.spectrumCh1.begin());
}

double maxHoldPeak(const ProgramState& s)
{
    double peak = 0.0;
    for (std::size_t i = 0; i < kAccumulatedLines; ++i)
        peak = std::max(peak, s.fftBuf.spectrumCh1[i]);
    return peak;
}

}  // namespace ql
