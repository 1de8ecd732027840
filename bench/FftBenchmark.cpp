// Our 2048-point transform against FFTW's estimate plan on the same input in one run, and the
// spectrum computations the FFT window makes after every acquisition.
//
// FFTW's backward transform uses the same positive exponent and no scaling as our forward
// transform, so both compute the same numbers; the set-up checks that before timing.

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "Fastest.h"
#include "fft/ChannelFft.h"
#include "fft/DualFft.h"
#include "fft/Fourier.h"
#include "state/InitProgramState.h"

using namespace ql;

namespace {

constexpr int kN = 2048;

using ql::bench::fastest;
#define QL_BENCHMARK(fn) BENCHMARK(fn)->Repetitions(12)->ComputeStatistics("min", fastest)

struct Input {
    std::vector<double> re = std::vector<double>(kN);
    std::vector<double> im = std::vector<double>(kN);
    Input()
    {
        std::mt19937_64 gen(2048);
        std::uniform_real_distribution<double> dist(-1.0, 1.0);
        for (int i = 0; i < kN; ++i) {
            re[i] = dist(gen);
            im[i] = dist(gen);
        }
    }
};

const Input& input()
{
    static const Input in;
    return in;
}

struct FftwPlan {
    fftw_complex* in = fftw_alloc_complex(kN);
    fftw_complex* out = fftw_alloc_complex(kN);
    fftw_plan plan = fftw_plan_dft_1d(kN, in, out, FFTW_BACKWARD, FFTW_ESTIMATE);
    FftwPlan()
    {
        for (int i = 0; i < kN; ++i) {
            in[i][0] = input().re[i];
            in[i][1] = input().im[i];
        }
    }
    ~FftwPlan()
    {
        fftw_destroy_plan(plan);
        fftw_free(in);
        fftw_free(out);
    }
};

// Stops the run when the two transforms disagree: timing different results would mean nothing.
void checkSameResult()
{
    static bool checked = false;
    if (checked) return;
    checked = true;
    FftwPlan fftw;
    fftw_execute(fftw.plan);
    std::vector<double> re(kN), im(kN), mag(kN / 2 + 1);
    if (!fourier(kN, input().re, input().im, re, im, mag, false).ok()) std::abort();
    double worst = 0.0, largest = 0.0;
    for (int i = 0; i < kN; ++i) {
        worst =
            std::max(worst, std::abs(std::complex(re[i] - fftw.out[i][0], im[i] - fftw.out[i][1])));
        largest = std::max(largest, std::abs(std::complex(fftw.out[i][0], fftw.out[i][1])));
    }
    if (worst > 1e-12 * largest) {
        std::fprintf(stderr, "transforms differ: %g of %g\n", worst, largest);
        std::abort();
    }
}

void transformOurs(benchmark::State& state)
{
    checkSameResult();
    std::vector<double> re(kN), im(kN), mag(kN / 2 + 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fourier(kN, input().re, input().im, re, im, mag, false));
        benchmark::ClobberMemory();
    }
}
QL_BENCHMARK(transformOurs);

void transformFftwEstimate(benchmark::State& state)
{
    checkSameResult();
    FftwPlan fftw;
    for (auto _ : state) {
        fftw_execute(fftw.plan);
        benchmark::ClobberMemory();
    }
}
QL_BENCHMARK(transformFftwEstimate);

// FFTW followed by the magnitudes our transform also delivers, for a like-for-like figure.
void transformFftwEstimateWithMagnitudes(benchmark::State& state)
{
    checkSameResult();
    FftwPlan fftw;
    std::vector<double> mag(kN / 2 + 1);
    for (auto _ : state) {
        fftw_execute(fftw.plan);
        for (int i = 0; i <= kN / 2; ++i) {
            mag[i] = std::sqrt(fftw.out[i][0] * fftw.out[i][0] + fftw.out[i][1] * fftw.out[i][1]) /
                     kFftLevelDivisor;
        }
        benchmark::DoNotOptimize(mag.data());
        benchmark::ClobberMemory();
    }
}
QL_BENCHMARK(transformFftwEstimateWithMagnitudes);

ProgramState acquiredState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.ddf.ch1On = 1;
    s.ddf.ch2On = 1;
    s.ddf.ch1VoltsIndex = 9;
    s.ddf.ch2VoltsIndex = 8;
    s.ddf.ch1ProbeFactor = 1;
    s.ddf.ch2ProbeFactor = 10;
    s.ddf.tbAIndex = 13;
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> noise(-3, 3);
    for (int i = 1; i <= kLastTransferredSample; ++i) {
        const double phase = 2.0 * M_PI * 37.0 * i / kN;
        s.waves.waveCh1[i] = static_cast<std::int16_t>(127 + 80 * std::sin(phase) + noise(gen));
        s.waves.waveCh2[i] = static_cast<std::int16_t>(127 + 60 * std::sin(3 * phase) + noise(gen));
    }
    return s;
}

void spectrumBothChannels(benchmark::State& state)
{
    ProgramState s = acquiredState();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            computeChannelSpectrum(s, Channel::Ch1, WindowFunction::Hanning, '.'));
        benchmark::DoNotOptimize(
            computeChannelSpectrum(s, Channel::Ch2, WindowFunction::Hanning, '.'));
    }
}
QL_BENCHMARK(spectrumBothChannels);

void dualSpectrumLogDifference(benchmark::State& state)
{
    ProgramState s = acquiredState();
    s.fft.fftSpan = 1024;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            computeDualSpectrum(s, WindowFunction::Blackman, DualView::OneMinusTwo, true, '.'));
    }
}
QL_BENCHMARK(dualSpectrumLogDifference);

}  // namespace
