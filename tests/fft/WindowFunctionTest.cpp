#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fft/Fourier.h"
#include "fft/WindowFunction.h"

using namespace ql;

namespace {

constexpr int kN = 2048;

// Mean weight over points 0..N-1 from each window's definition: the cosine windows average
// exactly 1, Welch's parabola 1.479 x (2/3 - 1/(6 M^2)) with M = N/2.
double coherentGain(WindowFunction w)
{
    return w == WindowFunction::Welch ? 1.479 * (2.0 / 3.0 - 1.0 / (6.0 * 1024 * 1024)) : 1.0;
}

std::vector<double> windowed(WindowFunction w, std::vector<double> data, double dc)
{
    EXPECT_TRUE(applyWindow(w, static_cast<int>(data.size()) - 1, data, dc).ok());
    return data;
}

}  // namespace

TEST(WindowFunction, EndsAndMiddleOfEachWeighting)
{
    EXPECT_EQ(windowFromCode(1), WindowFunction::Rectangle);
    EXPECT_EQ(windowFromCode(4), WindowFunction::Blackman);
    EXPECT_EQ(windowFromCode(0), WindowFunction::Hanning);  // any other code

    const std::vector<double> data(kN + 1, 5.0);  // DC-free samples of 2 with DC 3
    const auto h = windowed(WindowFunction::Hanning, data, 3.0);
    const auto w = windowed(WindowFunction::Welch, data, 3.0);
    const auto b = windowed(WindowFunction::Blackman, data, 3.0);
    for (const auto* x : {&h, &w, &b}) {
        EXPECT_NEAR(x->front(), 0.0, 1e-15);
        EXPECT_NEAR(x->back(), 0.0, 1e-15);
    }
    EXPECT_DOUBLE_EQ(h[kN / 2], 4.0);
    EXPECT_DOUBLE_EQ(w[kN / 2], 2.0 * 1.479);
    EXPECT_DOUBLE_EQ(b[kN / 2], 2.0 / 0.42);
    EXPECT_NEAR(b[kN / 4], 2.0 * 0.34 / 0.42, 1e-12);                 // 0.42 - 0 + 0.08 cos(pi)
    EXPECT_EQ(windowed(WindowFunction::Rectangle, data, 3.0), data);  // DC kept too
}

TEST(WindowFunction, ToneOnALineReadsTheCalibratedLevelWithEveryWindow)
{
    // Coherent gain from the weights, then a sine of amplitude a on line k must read
    // a x N / 2 / 1.39 x coherent gain there. Welch is no sum of cosines: the tone's mirror
    // (2k lines away, or N - 2k) leaks a trace, so it is checked far from it.
    for (WindowFunction w : {WindowFunction::Rectangle, WindowFunction::Hanning,
                             WindowFunction::Welch, WindowFunction::Blackman}) {
        const auto ones = windowed(w, std::vector<double>(kN + 1, 1.0), 0.0);
        double sum = 0.0;
        for (int i = 0; i < kN; ++i) sum += ones[i];
        EXPECT_NEAR(sum / kN, coherentGain(w), 1e-12);

        const bool welch = w == WindowFunction::Welch;
        for (int k : welch ? std::vector<int>{100, 700} : std::vector<int>{3, 100, 700, 1021}) {
            std::vector<double> x(kN + 1), zero(kN + 1, 0.0), re(kN + 1), im(kN + 1), mag(kN + 1);
            for (int i = 0; i <= kN; ++i) x[i] = 0.25 + 0.8 * std::sin(2 * M_PI * k * i / kN + 1.1);
            ASSERT_TRUE(applyWindow(w, kN, x, w == WindowFunction::Rectangle ? 0.0 : 0.25).ok());
            ASSERT_TRUE(fourier(kN, x, zero, re, im, mag, false).ok());
            const double expected = 0.8 * kN / 2 / 1.39 * coherentGain(w);
            EXPECT_NEAR(mag[k], expected, expected * (welch ? 1e-4 : 1e-9)) << int(w) << " " << k;
        }
    }
}

TEST(WindowFunction, BlackmanAddsNothingToASilentRecord)
{
    std::vector<double> x(kN + 1, 1.7);
    ASSERT_TRUE(windowBlackman(kN, x, 1.7).ok());
    for (double v : x) ASSERT_EQ(v, 0.0);  // so no line appears anywhere in its spectrum
}

TEST(WindowFunction, RefusesTooShortAnArray)
{
    std::vector<double> x(kN, 1.0);  // one element short of 0..N
    EXPECT_FALSE(windowHanning(kN, x, 0.0).ok());
    EXPECT_FALSE(windowWelch(kN, x, 0.0).ok());
    EXPECT_FALSE(windowBlackman(kN, x, 0.0).ok());
    EXPECT_FALSE(windowHanning(0, x, 0.0).ok());
    for (double v : x) ASSERT_EQ(v, 1.0);
}
