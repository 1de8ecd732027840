#pragma once
// Where the resizable parts of the harmonics window go, in twips: the tab control fills the
// window, the chart with its level strip (left) and frequency strip (below) takes half of every
// twip of height above the minimum, and the result table under them the rest. Every other
// control keeps its design place.

namespace ql {

inline constexpr int kHarmonicsWindowMinWidth = 7800;
inline constexpr int kHarmonicsWindowMinHeight = 6285;

// Left, top, width, height.
struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
    int bottom() const { return top + height; }
    bool operator==(const TwipsRect&) const = default;
};

struct HarmonicsWindowLayout {
    int width = 0, height = 0;  // the window, grown to the minimum
    TwipsRect tabs;             // in the window
    // On the tab control.
    TwipsRect levelStrip, chart, frequencyStrip, table;
};

// The layout of a window `width` by `height` twips (its outer size); a smaller window grows
// to the minimum first.
HarmonicsWindowLayout harmonicsWindowLayout(int width, int height);

}  // namespace ql
