#pragma once
// The radix-2 fast Fourier transform behind every spectrum of the program.
//
// The forward transform computes X(m) = sum over n of x(n) e^(+2 pi i n m / N) (positive
// exponent, no scaling); the inverse uses the negative exponent and divides by N. Twiddle
// factors come from a two-multiplication recurrence started at 1 + 0i, with two sine
// evaluations per stage. Magnitudes carry the level divisor 1.39, so a sine of amplitude a
// exactly on a line reads a x N / 2 / 1.39 there.

#include <cstdint>
#include <span>

#include "state/Status.h"

namespace ql {

// The angle numerator of the transform and of the window functions (not a full-precision 2 pi).
constexpr double kFourierAngle = 6.28318530717958;
// Every magnitude is divided by this level divisor.
constexpr double kFftLevelDivisor = 1.39;
constexpr int kFourierMaxSamples = 65536;

// True when n is at least 2 and a power of two.
bool isPowerOfTwo(std::int32_t n);

// Index 0..16 of the lowest set bit among bits 0..16 of powerOfTwo; 0 when none is set.
std::uint8_t numberOfBitsNeeded(std::int32_t powerOfTwo);

// The lowest numBits bits of index in reverse order.
std::int32_t reverseBits(std::int32_t index, std::uint8_t numBits);

// Transforms numSamples points (a power of two from 2 to 65536) of realIn + i imagIn into
// realOut + i imagOut and writes the magnitudes of lines 0..numSamples / 2 (the line at half
// the sample rate included) into magnitude; nothing else of magnitude is touched. The inputs
// are read only and must not share memory with an output, nor the outputs with each other.
// A length that is no power of two, too short an array or shared memory is a failure that
// leaves every output as it was.
Status fourier(std::int32_t numSamples, std::span<const double> realIn,
               std::span<const double> imagIn, std::span<double> realOut, std::span<double> imagOut,
               std::span<double> magnitude, bool inverse);

}  // namespace ql
