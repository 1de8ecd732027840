#pragma once
// The preview of the FFT window's Settings tab: what the chosen window function does to a
// constant signal, on 101 points. It works on points of its own, so the spectrum buffers and
// the DC level a printout reads stay as the last spectrum left them.

#include <array>

#include "WindowFunction.h"
#include "draw/PaintDevice.h"

namespace ql {

inline constexpr int kPreviewPoints = 101;
inline constexpr Rgb kPreviewBackground{255, 255, 192};

// The window applied to 1.0 on the points 0..100 (n = 100, no DC); the rectangle window
// leaves every point at 1.0.
std::array<double, kPreviewPoints> windowedSignal(WindowFunction window);

// Clears the picture to the preview's background and draws the weighted points in the CH I
// colour, 2 pixels wide, closed by vertical lines from the zero line to the first and the last
// point. x runs from -2 to 102 across, y from the largest value + 0.1 at the top to -0.1 at
// the bottom, so the whole shape stands just inside the picture.
void drawWindowedSignal(PaintDevice& picture, WindowFunction window);

}  // namespace ql
