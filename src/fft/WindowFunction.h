#pragma once
// The window functions that weight a record before the transform. Each of Hanning, Welch and
// Blackman first removes the DC level the caller passes (d = data(i) - dc) and then weights
// elements 0..n inclusive, so the array needs n + 1 elements; element n lies outside an
// n-point transform. Every weight averages about 1 over the record, so a tone on a spectral
// line reads about the same level whichever window is chosen. The rectangle window leaves the
// samples, DC included, as they are.

#include <cstdint>
#include <span>

#include "state/Status.h"

namespace ql {

// Codes as the window option and the settings file carry them.
enum class WindowFunction : std::uint8_t { Rectangle = 1, Hanning = 2, Welch = 3, Blackman = 4 };

// The window a stored code selects; a code outside 1..4 selects Hanning.
WindowFunction windowFromCode(int code);

// d x (1 - cos(w i)), w = 2 pi / n: runs from 0 to 2 and averages 1.
Status windowHanning(std::int32_t n, std::span<double> data, double dc);
// d x (1 - ((i - n/2) / (n/2))^2) x 1.479.
Status windowWelch(std::int32_t n, std::span<double> data, double dc);
// d x (0.42 - 0.5 cos(w i) + 0.08 cos(2 w i)) / 0.42: the Blackman weighting, scaled to
// average 1 like the Hanning window.
Status windowBlackman(std::int32_t n, std::span<double> data, double dc);

// Applies the chosen window; Rectangle changes nothing.
Status applyWindow(WindowFunction window, std::int32_t n, std::span<double> data, double dc);

}  // namespace ql
