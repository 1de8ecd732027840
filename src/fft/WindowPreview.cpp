#include "WindowPreview.h"

#include <algorithm>
#include <vector>

#include "ChartDrawing.h"
#include "draw/Surface.h"

namespace ql {

std::array<double, kPreviewPoints> windowedSignal(WindowFunction window)
{
    std::array<double, kPreviewPoints> points;
    points.fill(1.0);
    // The window procedures weight the points 0..n inclusive: exactly these 101.
    (void)applyWindow(window, kPreviewPoints - 1, points, 0.0);
    return points;
}

void drawWindowedSignal(PaintDevice& picture, WindowFunction window)
{
    const std::array<double, kPreviewPoints> values = windowedSignal(window);
    // The largest value, starting from 0.
    const double top = std::max(0.0, *std::max_element(values.begin(), values.end()));
    Surface s(picture);
    s.setBackColor(kPreviewBackground);
    s.cls();
    s.setUserScale({-2.0, top + 0.1, kPreviewPoints + 3.0, -(top + 0.2)});
    s.setDrawWidth(2);
    const Rgb colour = qbColor(kFftCh1Color);
    const double last = kPreviewPoints - 1;
    s.line(0.0, 0.0, 0.0, values.front(), colour);
    s.line(last, 0.0, last, values.back(), colour);
    std::vector<UserPoint> curve;
    curve.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        curve.push_back({static_cast<double>(i), values[i]});
    s.polyline(curve, colour);
}

}  // namespace ql
