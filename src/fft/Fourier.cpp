#include "Fourier.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <string>

namespace ql {

namespace {

// The loops that carry the work are built twice, for AVX2 and for the baseline instruction
// set, and the loader picks the one the processor runs (no fused multiply-add either way,
// so both give the same numbers).
#if defined(__x86_64__) && !defined(__clang__)
#define QL_FFT_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define QL_FFT_KERNEL
#endif

// Twiddle factors are produced by the recurrence this many at a time, so that the butterflies
// of every block of a stage can reuse them without a buffer that grows with the length.
constexpr std::size_t kTwiddleChunk = 256;
// Stages up to this block size take their twiddles from a table made once by the recurrence.
constexpr std::size_t kTabledBlockSize = 2048;

Failure fourierFailure(const std::string& detail)
{
    return Failure{"Error in procedure Fourier:\r\n" + detail, "Error!", MessageIcon::None};
}

bool sharesMemory(std::span<const double> a, std::span<const double> b)
{
    if (a.empty() || b.empty()) return false;
    const std::less<const double*> before;
    return before(a.data(), b.data() + b.size()) && before(b.data(), a.data() + a.size());
}

// The recurrence constants of the stage with this block size: the twiddle starts at 1 + 0i
// and turns by angle / blockSize per position, two sine evaluations per stage.
struct Rotation {
    double alpha;
    double beta;
    Rotation(double angle, std::size_t blockSize)
    {
        const double delta = angle / static_cast<double>(blockSize);
        const double q = std::sin(delta * 0.5);
        alpha = (q + q) * q;
        beta = std::sin(delta);
    }
    void advance(double& c, double& s) const
    {
        const double t = alpha * c + beta * s;
        s = s - (alpha * s - beta * c);
        c = c - t;
    }
};

// The twiddles of every stage up to kTabledBlockSize for one direction, made by the same
// recurrence each block of a stage would run: the stage with half-block size E keeps its E
// factors at offset E - 1. Computing them once removes the recurrence's long chain of
// dependent multiplications from every transform; the values are the same.
struct TwiddleTable {
    std::array<double, kTabledBlockSize - 1> cosines{};
    std::array<double, kTabledBlockSize - 1> sines{};
    explicit TwiddleTable(double angle)
    {
        for (std::size_t blockEnd = 1; blockEnd < kTabledBlockSize; blockEnd *= 2) {
            const Rotation rotation(angle, blockEnd * 2);
            double c = 1.0;
            double s = 0.0;
            for (std::size_t k = 0; k < blockEnd; ++k) {
                cosines[blockEnd - 1 + k] = c;
                sines[blockEnd - 1 + k] = s;
                rotation.advance(c, s);
            }
        }
    }
};

const TwiddleTable& twiddleTable(bool inverse)
{
    static const TwiddleTable forward(kFourierAngle);
    static const TwiddleTable backward(-kFourierAngle);
    return inverse ? backward : forward;
}

// The butterflies of one stage for positions first..first + count - 1 of every block.
QL_FFT_KERNEL void butterflies(std::size_t n, std::size_t blockEnd, std::size_t first,
                               std::size_t count, const double* __restrict cosines,
                               const double* __restrict sines, double* __restrict re,
                               double* __restrict im)
{
    for (std::size_t block = 0; block < n; block += blockEnd * 2) {
        double* __restrict rj = re + block + first;
        double* __restrict ij = im + block + first;
        double* __restrict rk = rj + blockEnd;
        double* __restrict ik = ij + blockEnd;
        for (std::size_t k = 0; k < count; ++k) {
            const double c = cosines[k], s = sines[k];
            const double xr = rj[k], xi = ij[k], yr = rk[k], yi = ik[k];
            const double tr = c * yr - s * yi;
            const double ti = s * yr + c * yi;
            rk[k] = xr - tr;
            ik[k] = xi - ti;
            rj[k] = xr + tr;
            ij[k] = xi + ti;
        }
    }
}

// Two consecutive stages in one pass: the stage with half-block size E and the one with 2E.
// Within each block of 4E the four points p, p + E, p + 2E, p + 3E meet only each other in
// these two stages, so they are combined in registers with the very same butterflies.
QL_FFT_KERNEL void butterflyPair(std::size_t n, std::size_t blockEnd, const double* __restrict c1,
                                 const double* __restrict s1, const double* __restrict c2,
                                 const double* __restrict s2, double* __restrict re,
                                 double* __restrict im)
{
    const std::size_t e = blockEnd;
    for (std::size_t block = 0; block < n; block += e * 4) {
        double* r0 = re + block;
        double* i0 = im + block;
#pragma GCC ivdep
        for (std::size_t p = 0; p < e; ++p) {
            const double ar = r0[p], ai = i0[p], br = r0[p + e], bi = i0[p + e];
            const double cr = r0[p + 2 * e], ci = i0[p + 2 * e];
            const double dr = r0[p + 3 * e], di = i0[p + 3 * e];
            // First stage: (a, b) and (c, d), both with twiddle p of the first stage.
            const double wc = c1[p], ws = s1[p];
            const double tr = wc * br - ws * bi, ti = ws * br + wc * bi;
            const double ur = wc * dr - ws * di, ui = ws * dr + wc * di;
            const double a1r = ar + tr, a1i = ai + ti, b1r = ar - tr, b1i = ai - ti;
            const double c1r = cr + ur, c1i = ci + ui, d1r = cr - ur, d1i = ci - ui;
            // Second stage: (a, c) with twiddle p, (b, d) with twiddle p + E.
            const double vc = c2[p], vs = s2[p], zc = c2[p + e], zs = s2[p + e];
            const double vr = vc * c1r - vs * c1i, vi = vs * c1r + vc * c1i;
            const double zr = zc * d1r - zs * d1i, zi = zs * d1r + zc * d1i;
            r0[p] = a1r + vr;
            i0[p] = a1i + vi;
            r0[p + 2 * e] = a1r - vr;
            i0[p + 2 * e] = a1i - vi;
            r0[p + e] = b1r + zr;
            i0[p + e] = b1i + zi;
            r0[p + 3 * e] = b1r - zr;
            i0[p + 3 * e] = b1i - zi;
        }
    }
}

// A stage beyond the table: its twiddles come from the recurrence a chunk at a time.
void butterflyStageByRecurrence(std::size_t n, std::size_t blockEnd, double angle, double* re,
                                double* im)
{
    const Rotation rotation(angle, blockEnd * 2);
    double c = 1.0;
    double s = 0.0;
    double cosines[kTwiddleChunk];
    double sines[kTwiddleChunk];
    for (std::size_t first = 0; first < blockEnd; first += kTwiddleChunk) {
        const std::size_t count = std::min(kTwiddleChunk, blockEnd - first);
        for (std::size_t k = 0; k < count; ++k) {
            cosines[k] = c;
            sines[k] = s;
            rotation.advance(c, s);
        }
        butterflies(n, blockEnd, first, count, cosines, sines, re, im);
    }
}

// Bit reversal of every 11-bit index, made once: the first pass of a transform of up to
// 8192 points reads its reversed indexes here instead of counting them bit by bit.
constexpr std::uint8_t kReversalTableBits = 11;
const std::array<std::uint16_t, 1u << kReversalTableBits>& reversalTable()
{
    static const auto table = [] {
        std::array<std::uint16_t, 1u << kReversalTableBits> t{};
        for (std::size_t i = 0; i < t.size(); ++i) {
            t[i] = static_cast<std::uint16_t>(
                reverseBits(static_cast<std::int32_t>(i), kReversalTableBits));
        }
        return t;
    }();
    return table;
}

// The bit-reversed copy fused with the first two stages (n >= 4). The four inputs r, r + n/4,
// r + n/2, r + 3n/4 go to output positions 4m..4m+3, m = reversed(r) being r with its bits
// reversed; the twiddle 1 + 0i of the first stage and of position 0 of the second is applied
// as the identity, which gives the same numbers as the multiplication for every finite input.
// Running over r reads the inputs in order, which lets the arithmetic vectorise.
template <typename Reversed>
inline void firstStages(std::size_t n, const double* __restrict realIn,
                        const double* __restrict imagIn, double c1, double s1,
                        double* __restrict re, double* __restrict im, Reversed reversed)
{
    const std::size_t quarter = n / 4;
    for (std::size_t r = 0; r < quarter; ++r) {
        const std::size_t out = reversed(r) * 4;
        const double x0r = realIn[r], x0i = imagIn[r];
        const double x1r = realIn[r + 2 * quarter], x1i = imagIn[r + 2 * quarter];
        const double x2r = realIn[r + quarter], x2i = imagIn[r + quarter];
        const double x3r = realIn[r + 3 * quarter], x3i = imagIn[r + 3 * quarter];
        const double y0r = x0r + x1r, y0i = x0i + x1i, y1r = x0r - x1r, y1i = x0i - x1i;
        const double y2r = x2r + x3r, y2i = x2i + x3i, y3r = x2r - x3r, y3i = x2i - x3i;
        const double tr = c1 * y3r - s1 * y3i;
        const double ti = s1 * y3r + c1 * y3i;
        re[out] = y0r + y2r;
        im[out] = y0i + y2i;
        re[out + 1] = y1r + tr;
        im[out + 1] = y1i + ti;
        re[out + 2] = y0r - y2r;
        im[out + 2] = y0i - y2i;
        re[out + 3] = y1r - tr;
        im[out + 3] = y1i - ti;
    }
}

// Four doubles handled as one value; the compiler maps it onto the widest registers the
// processor offers (two halves on the baseline instruction set).
using Vec4 = double __attribute__((vector_size(32)));

// Values of this type pass by reference only: passing them by value would tie the calling
// convention to the instruction set.
inline void load4(Vec4& v, const double* p)
{
    v = Vec4{p[0], p[1], p[2], p[3]};
}

inline void store4(double* p, const Vec4& v)
{
    for (int j = 0; j < 4; ++j) p[j] = v[j];
}

// Up to 8192 points the reversed indexes come from the table, and four consecutive r are
// handled at once: their inputs are loaded side by side, the outputs of each r are gathered
// by a 4 x 4 transposition and stored together at its 4m. Same arithmetic as firstStages.
QL_FFT_KERNEL void firstStagesTabled(std::size_t n, std::uint8_t mBits, const double* realIn,
                                     const double* imagIn, double c1, double s1, double* re,
                                     double* im)
{
    const std::uint16_t* table = reversalTable().data();
    const int shift = kReversalTableBits - mBits;
    const std::size_t quarter = n / 4;
    if (quarter < 4) {
        firstStages(n, realIn, imagIn, c1, s1, re, im,
                    [table, shift](std::size_t r) { return std::size_t{table[r]} >> shift; });
        return;
    }
    const auto transposeAndStore = [](double* base, const std::size_t(&out)[4], const Vec4& z0,
                                      const Vec4& z1, const Vec4& z2, const Vec4& z3) {
        const Vec4 t0 = __builtin_shufflevector(z0, z1, 0, 4, 2, 6);
        const Vec4 t1 = __builtin_shufflevector(z0, z1, 1, 5, 3, 7);
        const Vec4 t2 = __builtin_shufflevector(z2, z3, 0, 4, 2, 6);
        const Vec4 t3 = __builtin_shufflevector(z2, z3, 1, 5, 3, 7);
        store4(base + out[0], __builtin_shufflevector(t0, t2, 0, 1, 4, 5));
        store4(base + out[1], __builtin_shufflevector(t1, t3, 0, 1, 4, 5));
        store4(base + out[2], __builtin_shufflevector(t0, t2, 2, 3, 6, 7));
        store4(base + out[3], __builtin_shufflevector(t1, t3, 2, 3, 6, 7));
    };
    for (std::size_t r = 0; r < quarter; r += 4) {
        const std::size_t out[4] = {
            std::size_t{table[r]} >> shift << 2, std::size_t{table[r + 1]} >> shift << 2,
            std::size_t{table[r + 2]} >> shift << 2, std::size_t{table[r + 3]} >> shift << 2};
        Vec4 x0r, x0i, x1r, x1i, x2r, x2i, x3r, x3i;
        load4(x0r, realIn + r);
        load4(x0i, imagIn + r);
        load4(x1r, realIn + r + 2 * quarter);
        load4(x1i, imagIn + r + 2 * quarter);
        load4(x2r, realIn + r + quarter);
        load4(x2i, imagIn + r + quarter);
        load4(x3r, realIn + r + 3 * quarter);
        load4(x3i, imagIn + r + 3 * quarter);
        const Vec4 y0r = x0r + x1r, y0i = x0i + x1i, y1r = x0r - x1r, y1i = x0i - x1i;
        const Vec4 y2r = x2r + x3r, y2i = x2i + x3i, y3r = x2r - x3r, y3i = x2i - x3i;
        const Vec4 tr = c1 * y3r - s1 * y3i;
        const Vec4 ti = s1 * y3r + c1 * y3i;
        transposeAndStore(re, out, y0r + y2r, y1r + tr, y0r - y2r, y1r - tr);
        transposeAndStore(im, out, y0i + y2i, y1i + ti, y0i - y2i, y1i - ti);
    }
}

// Longer transforms count the reversed index up bit by bit.
void firstStagesCounted(std::size_t n, const double* realIn, const double* imagIn, double c1,
                        double s1, double* re, double* im)
{
    const std::size_t top = n / 8;  // highest bit of an index below n / 4
    std::size_t m = 0;
    firstStages(n, realIn, imagIn, c1, s1, re, im, [top, &m](std::size_t r) {
        if (r > 0) {
            std::size_t bit = top;
            while ((m & bit) != 0) {
                m ^= bit;
                bit >>= 1;
            }
            m |= bit;
        }
        return m;
    });
}

// Magnitudes of the first count lines. Multiplying by the divisor's reciprocal keeps the
// divider free for the square roots; the result differs from a division by at most one
// rounding step.
QL_FFT_KERNEL void magnitudes(std::size_t count, const double* __restrict re,
                              const double* __restrict im, double* __restrict magnitude)
{
    constexpr double levelScale = 1.0 / kFftLevelDivisor;
    for (std::size_t i = 0; i < count; ++i) {
        magnitude[i] = std::sqrt(re[i] * re[i] + im[i] * im[i]) * levelScale;
    }
}

}  // namespace

bool isPowerOfTwo(std::int32_t n)
{
    return n >= 2 && (n & (n - 1)) == 0;
}

std::uint8_t numberOfBitsNeeded(std::int32_t powerOfTwo)
{
    for (std::uint8_t i = 0; i <= 16; ++i) {
        if ((powerOfTwo & (std::int32_t{1} << i)) != 0) return i;
    }
    return 0;
}

std::int32_t reverseBits(std::int32_t index, std::uint8_t numBits)
{
    std::int32_t r = 0;
    for (std::uint8_t i = 0; i < numBits; ++i) {
        r = (r * 2) | (index & 1);
        index /= 2;
    }
    return r;
}

Status fourier(std::int32_t numSamples, std::span<const double> realIn,
               std::span<const double> imagIn, std::span<double> realOut, std::span<double> imagOut,
               std::span<double> magnitude, bool inverse)
{
    if (!isPowerOfTwo(numSamples)) {
        return fourierFailure(" NumSamples is " + std::to_string(numSamples) +
                              ", which is not a positive integer power of two.");
    }
    if (numSamples > kFourierMaxSamples) {
        return fourierFailure(" NumSamples is " + std::to_string(numSamples) +
                              ", which is above the largest supported length 65536.");
    }
    const auto n = static_cast<std::size_t>(numSamples);
    if (realIn.size() < n || imagIn.size() < n || realOut.size() < n || imagOut.size() < n ||
        magnitude.size() < n / 2 + 1) {
        return fourierFailure(" an array holds fewer elements than NumSamples " +
                              std::to_string(numSamples) + " requires.");
    }
    const std::span<const double> outputs[] = {realOut, imagOut, magnitude};
    for (std::size_t a = 0; a < 3; ++a) {
        bool shared = sharesMemory(outputs[a], realIn) || sharesMemory(outputs[a], imagIn);
        for (std::size_t b = a + 1; b < 3; ++b)
            shared = shared || sharesMemory(outputs[a], outputs[b]);
        if (shared) return fourierFailure(" input and output arrays must be separate arrays.");
    }

    double* re = realOut.data();
    double* im = imagOut.data();
    const TwiddleTable& table = twiddleTable(inverse);
    if (n == 2) {
        re[0] = realIn[0] + realIn[1];
        im[0] = imagIn[0] + imagIn[1];
        re[1] = realIn[0] - realIn[1];
        im[1] = imagIn[0] - imagIn[1];
    } else {
        const auto mBits = static_cast<std::uint8_t>(numberOfBitsNeeded(numSamples) - 2);
        if (mBits <= kReversalTableBits) {
            firstStagesTabled(n, mBits, realIn.data(), imagIn.data(), table.cosines[2],
                              table.sines[2], re, im);
        } else {
            firstStagesCounted(n, realIn.data(), imagIn.data(), table.cosines[2], table.sines[2],
                               re, im);
        }
    }
    const double angle = inverse ? -kFourierAngle : kFourierAngle;
    std::size_t blockEnd = 4;
    for (; blockEnd * 2 < n && blockEnd * 4 <= kTabledBlockSize; blockEnd *= 4) {
        butterflyPair(n, blockEnd, &table.cosines[blockEnd - 1], &table.sines[blockEnd - 1],
                      &table.cosines[2 * blockEnd - 1], &table.sines[2 * blockEnd - 1], re, im);
    }
    for (; blockEnd < n; blockEnd *= 2) {
        if (blockEnd * 2 <= kTabledBlockSize) {
            butterflies(n, blockEnd, 0, blockEnd, &table.cosines[blockEnd - 1],
                        &table.sines[blockEnd - 1], re, im);
        } else {
            butterflyStageByRecurrence(n, blockEnd, angle, re, im);
        }
    }

    if (inverse) {
        const auto count = static_cast<double>(numSamples);
        for (std::size_t i = 0; i < n; ++i) {
            re[i] /= count;
            im[i] /= count;
        }
    }
    magnitudes(n / 2 + 1, re, im, magnitude.data());
    return Status::success();
}

}  // namespace ql
