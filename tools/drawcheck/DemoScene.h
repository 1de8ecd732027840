#pragma once
// One picture that uses every drawing primitive and rule of Surface: a y-up scope frame with
// graticule, traces, dashed and dotted lines, not-XOR marks (one drawn twice, which must be
// gone, one drawn once), wide points, filled boxes, and text in several fonts with the Print
// flow, line feeds, character columns and characters beyond ASCII. Shared by the check tool
// and the tests.

#include "draw/Surface.h"

namespace ql {

// The texts the scene prints, for tests that look for them in a device's output.
inline constexpr const char* kDemoHeadline = "QL240 drawing check";
inline constexpr const char* kDemoColumnTexts[] = {"col10", "col20", "col30"};

// Draws the scene on the whole device; clears it first.
void drawDemoScene(Surface& surface);

}  // namespace ql
