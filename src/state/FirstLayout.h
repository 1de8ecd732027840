#pragma once
// Where the windows shown at start stand on a first start (no stored window layout), worked
// out from their real sizes: the screen window top left with all the room the others leave, the
// channels panel below it and the other panels to its right, as the default layout has them,
// but moved to wherever they fit so that none covers another and all lie inside the work area.
// When they cannot all fit beside a usable screen window, the storage and intensity panels and
// the automatic-measurement window give way, in that order.

#include <span>
#include <vector>

#include "ToolWindow.h"

namespace ql {

// Sizes and places in pixels of the work area (its top-left corner is 0, 0).
struct PixelSize {
    int width = 0, height = 0;
};
struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

// A window shown at start and its size, frame and title bar included.
struct StartWindow {
    ToolWindow window;
    PixelSize size;
};

struct PlacedWindow {
    ToolWindow window;
    PixelRect place;
};

struct FirstLayout {
    PixelRect screen;                   // the screen window
    std::vector<PlacedWindow> windows;  // the others, at their own sizes
    std::vector<ToolWindow> givenWay;   // closed for want of room, in the order they gave way
    // False when even without the windows that may give way nothing fits beside a usable
    // screen window: the screen window is then smaller, and where not even that leaves room the
    // windows lie inside the area as far as their sizes allow but may overlap.
    bool fits = false;
};

// The smallest screen window that still shows the screen usefully.
inline constexpr PixelSize kUsableScreenWindow{480, 400};

// The first layout of the screen window and `others` (in the order the default layout lists
// them) in a work area of `area`.
FirstLayout planFirstLayout(PixelSize area, std::span<const StartWindow> others);

// Where a window of `size` goes in a work area of `area` beside the windows standing at `taken`:
// a place that covers none of them, the highest and then the leftmost; where there is none, the
// place inside the area that covers the least of them. A window larger than the area goes to
// its top-left corner.
PixelRect freePlace(PixelSize area, PixelSize size, std::span<const PixelRect> taken);

}  // namespace ql
