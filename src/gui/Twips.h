#pragma once
// Window positions and sizes are kept in twips (1440 per inch) so that a layout means the
// same on screens of any density; the screen's logical DPI converts them.

#include <cstdint>

namespace ql::gui {

inline constexpr double kTwipsPerInch = 1440.0;

// Nearest pixel for a length in twips at `dotsPerInch`.
int twipsToPixels(int twips, double dotsPerInch);
// Nearest whole number of twips, clamped to the 16 bits the parameter file holds.
std::int16_t pixelsToTwips(int pixels, double dotsPerInch);

}  // namespace ql::gui
