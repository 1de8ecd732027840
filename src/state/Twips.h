#pragma once
// Window positions, sizes and fixed strips of a window are given in twips (1440 per inch) so
// that a layout means the same on screens of any density; the screen's logical DPI converts
// them. Both directions round to the nearest whole unit, a tie to the even one (roundClamp).

#include <cstdint>

namespace ql {

inline constexpr double kTwipsPerInch = 1440.0;

// Nearest pixel for a length in twips at `dotsPerInch`, clamped to the range of int.
int twipsToPixels(int twips, double dotsPerInch);
// Nearest whole number of twips, clamped to the 16 bits the parameter file holds.
std::int16_t pixelsToTwips(int pixels, double dotsPerInch);

}  // namespace ql
