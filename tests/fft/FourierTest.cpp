#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "fft/Fourier.h"

using namespace ql;

namespace {

using Complex = std::complex<long double>;
using Signal = std::vector<double>;

// The reference: the transform summed term by term in long double with the same positive
// exponent forward (negative with 1/N inverse), on the given lines.
std::vector<Complex> naiveDft(const Signal& re, const Signal& im, bool inverse,
                              const std::vector<int>& lines)
{
    const auto n = static_cast<long>(re.size());
    const long double pi = 3.141592653589793238462643383279502884L;
    std::vector<Complex> roots(n);  // e^(+-2 pi i j / n)
    for (long j = 0; j < n; ++j) roots[j] = std::polar(1.0L, (inverse ? -2 : 2) * pi * j / n);
    std::vector<Complex> out;
    for (int m : lines) {
        Complex sum = 0;
        for (long k = 0; k < n; ++k) sum += Complex(re[k], im[k]) * roots[(k * m) % n];
        out.push_back(inverse ? sum / static_cast<long double>(n) : sum);
    }
    return out;
}

struct Transform {
    Signal re, im, mag;
};

Transform runFourier(const Signal& re, const Signal& im, bool inverse)
{
    const auto n = static_cast<int>(re.size());
    Transform t{Signal(n), Signal(n), Signal(n / 2 + 1)};
    EXPECT_TRUE(fourier(n, re, im, t.re, t.im, t.mag, inverse).ok());
    return t;
}

// Largest deviation over the lines relative to the reference's largest magnitude.
void expectMatchesNaiveDft(const Signal& re, const Signal& im, std::vector<int> lines = {})
{
    if (lines.empty()) {
        for (int m = 0; m < static_cast<int>(re.size()); ++m) lines.push_back(m);
    }
    for (bool inverse : {false, true}) {
        const Transform t = runFourier(re, im, inverse);
        const std::vector<Complex> ref = naiveDft(re, im, inverse, lines);
        long double worst = 0, largest = 0;
        for (std::size_t j = 0; j < lines.size(); ++j) {
            worst = std::max(worst, std::abs(Complex(t.re[lines[j]], t.im[lines[j]]) - ref[j]));
            largest = std::max(largest, std::abs(ref[j]));
        }
        EXPECT_LT(worst / largest, 1e-12) << "n " << re.size() << " inverse " << inverse;
    }
}

Signal randomSignal(int n, unsigned seed)
{
    std::mt19937_64 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    Signal v(n);
    for (double& x : v) x = dist(gen);
    return v;
}

}  // namespace

TEST(Fourier, BitHelpers)
{
    EXPECT_EQ(numberOfBitsNeeded(2048), 11);
    EXPECT_EQ(numberOfBitsNeeded(65536), 16);
    EXPECT_EQ(numberOfBitsNeeded(0), 0);
    EXPECT_EQ(numberOfBitsNeeded(131072), 0);  // bits above 16 are not counted
    EXPECT_EQ(reverseBits(1, 11), 1024);
    EXPECT_EQ(reverseBits(2047, 11), 2047);
    EXPECT_EQ(reverseBits(6, 3), 3);
    for (int n : {2, 2048, 65536}) EXPECT_TRUE(isPowerOfTwo(n)) << n;
    for (int n : {0, 1, 2046, -2, -2048}) EXPECT_FALSE(isPowerOfTwo(n)) << n;
}

TEST(Fourier, MatchesTheDirectSumForRandomImpulseConstantAndNyquistInputs)
{
    for (int n = 2; n <= 2048; n *= 2)
        expectMatchesNaiveDft(randomSignal(n, n), randomSignal(n, 7));
    const int n = 2048;
    Signal zero(n, 0.0), impulse(n, 0.0), constant(n, 0.75), nyquist(n);
    impulse[37] = 1.0;
    for (int i = 0; i < n; ++i) nyquist[i] = i % 2 == 0 ? 1.0 : -1.0;
    for (const Signal& x : {impulse, constant, nyquist}) expectMatchesNaiveDft(x, zero);

    // Magnitudes carry the level divisor, line n/2 included.
    const Transform c = runFourier(constant, zero, false);
    EXPECT_NEAR(c.mag[0], n * 0.75 / 1.39, 1e-9);
    for (int m = 1; m <= n / 2; ++m) ASSERT_NEAR(c.mag[m], 0.0, 1e-9) << m;
    EXPECT_NEAR(runFourier(nyquist, zero, false).mag[n / 2], n / 1.39, 1e-9);
}

TEST(Fourier, LongTransformsMatchTheDirectSumOnSampledLines)
{
    // Beyond 2048 points the twiddles come from the running recurrence, beyond 8192 the
    // reversed indexes are counted.
    for (int n : {4096, 16384, 65536}) {
        std::vector<int> lines{n / 2, n - 1};
        for (int m = 0; m < n; m += n / 64 + 3) lines.push_back(m);
        expectMatchesNaiveDft(randomSignal(n, 11), randomSignal(n, 12), lines);
    }
}

TEST(Fourier, ForwardThenInverseGivesTheInputBack)
{
    for (int n : {2, 8, 2048, 65536}) {
        const Signal re = randomSignal(n, 21), im = randomSignal(n, 22);
        const Transform there = runFourier(re, im, false);
        const Transform back = runFourier(there.re, there.im, true);
        for (int i = 0; i < n; ++i) {
            ASSERT_NEAR(back.re[i], re[i], 1e-12) << n << " " << i;
            ASSERT_NEAR(back.im[i], im[i], 1e-12) << n << " " << i;
        }
    }
}

TEST(Fourier, RefusedCallsLeaveEveryOutputAlone)
{
    Signal in(2048, 1.0), re(2049, 5.0), im(2049, 5.0), mag(2049, 5.0), shortMag(1024);
    for (int n : {2046, 0, 1, -2048}) {
        const Status st = fourier(n, in, in, re, im, mag, false);
        ASSERT_FALSE(st.ok());
        EXPECT_EQ(st.failure().text, "Error in procedure Fourier:\r\n NumSamples is " +
                                         std::to_string(n) +
                                         ", which is not a positive integer power of two.");
        EXPECT_EQ(st.failure().title, "Error!");
        EXPECT_EQ(st.failure().icon, MessageIcon::None);
    }
    EXPECT_FALSE(fourier(2048, in, in, re, im, shortMag, false).ok());  // no room for line 1024
    EXPECT_FALSE(fourier(131072, in, in, re, im, mag, false).ok());
    EXPECT_FALSE(fourier(2048, in, in, re, re, mag, false).ok());  // outputs share memory
    EXPECT_FALSE(fourier(1024, re, im, std::span(re).subspan(1024), mag, in, false).ok());
    for (const Signal* v : {&re, &im, &mag}) {
        for (double x : *v) ASSERT_EQ(x, 5.0);
    }
}
