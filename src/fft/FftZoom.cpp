#include "FftZoom.h"

#include <algorithm>

#include "FftLevels.h"

namespace ql {

XZoomRange xZoomRange(int zoomFactor, int scrollValue)
{
    const int z = std::max(zoomFactor, 1);
    const int linesInView = kSpectrumLastLine / z;
    XZoomRange r;
    r.scrollEnabled = z > 1;
    r.scrollMax = kSpectrumLastLine - linesInView;
    r.scrollPos = z > 1 ? std::clamp(scrollValue, 0, r.scrollMax) : 0;
    r.span = r.scrollPos + linesInView;
    return r;
}

void applyXZoom(FftView& v, const XZoomRange& range)
{
    v.fftScrollPos = static_cast<std::int16_t>(range.scrollPos);
    v.fftSpan = static_cast<std::int16_t>(range.span);
}

}  // namespace ql
