#include "DisplayViews.h"

#include <algorithm>

#include "state/Twips.h"

namespace ql {

namespace {

constexpr int kStatusStripTwips = 300;
constexpr int kZeroMarkStripTwips = 255;

// Stands in for a control that has no picture: it has no pixels, so nothing is drawn.
class NoDevice : public PaintDevice {
public:
    DeviceSize size() const override { return {0, 0}; }
    double dpi() const override { return 96.0; }
    void clear(Rgb) override {}
    void line(DevicePoint, DevicePoint, const Pen&) override {}
    void polyline(std::span<const DevicePoint>, const Pen&) override {}
    void dot(DevicePoint, const Pen&) override {}
    void fillRect(const DeviceRect&, const Pen&) override {}
    void text(DevicePoint, std::string_view, const FontSpec&, Rgb) override {}
    double textWidth(std::string_view, const FontSpec&) const override { return 0.0; }
    double lineHeight(const FontSpec&) const override { return 0.0; }
};

}  // namespace

ScreenLayout screenLayout(DeviceSize inner, double dpi, int scrollBarHeight)
{
    const int width = std::max(inner.width, 0);
    const int height = std::max(inner.height, 0);
    const int scroll = std::clamp(scrollBarHeight, 0, height);
    const int top = std::clamp(twipsToPixels(kStatusStripTwips, dpi), 0, height);
    const int side = std::clamp(twipsToPixels(kZeroMarkStripTwips, dpi), 0, width);
    const int pictureHeight = std::max(height - scroll - top, 0);

    ScreenLayout layout;
    layout.statusStrip = {0, 0, width, top};
    layout.zeroMarkStrip = {0, top, side, pictureHeight};
    layout.picture = {side, top, width - side, pictureHeight};
    layout.scrollBar = {0, height - scroll, width, scroll};
    return layout;
}

PaintDevice& deviceOrNone(PaintDevice* device)
{
    static NoDevice none;
    return device ? *device : none;
}

}  // namespace ql
