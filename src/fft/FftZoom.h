#pragma once
// X-zoom of the spectrum charts: at zoom factor z the charts show the whole part of 1024 / z
// lines starting at the scroll position, so the range always ends at line 1024 at most.

#include "state/ProgramState.h"

namespace ql {

struct XZoomRange {
    bool scrollEnabled = false;  // the scroll bar takes part only when zoomed
    int scrollMax = 0;           // largest scroll position, 1024 - lines in view
    int scrollPos = 0;           // first line shown (FftScrollPos)
    int span = 1024;             // last line shown (FftSpan)
};

// Range for zoom factor z and scroll bar position. A factor below 1 counts as 1; a position
// outside 0..scrollMax is moved onto the bar, as the bar itself does.
XZoomRange xZoomRange(int zoomFactor, int scrollValue);

// Writes the range into FftScrollPos and FftSpan.
void applyXZoom(FftView& v, const XZoomRange& range);

}  // namespace ql
