#pragma once
// The drawing backend in device pixels. Surface turns the drawing model (user scale, current
// position, text flow) into these few primitives; a device only puts pixels, records or
// metafile records where it is told. Devices: QtPaintDevice (screen pictures, preview,
// clipboard, printer), WmfDevice (metafile files), RecordingDevice (tests).

#include <span>
#include <string_view>

#include "DrawTypes.h"

namespace ql {

class PaintDevice {
public:
    virtual ~PaintDevice() = default;

    // Drawable area in pixels and its resolution in pixels per inch (the same both ways).
    virtual DeviceSize size() const = 0;
    virtual double dpi() const = 0;

    // Fills the whole area with `background`: everything drawn before is gone.
    virtual void clear(Rgb background) = 0;

    // A straight line from a to b, both end pixels included, centred on the path.
    virtual void line(DevicePoint a, DevicePoint b, const Pen& pen) = 0;
    // Lines joining two or more points as one stroke: in not-XOR mode every pixel of the
    // stroke is inverted exactly once, so a closed box drawn twice leaves no corner behind.
    virtual void polyline(std::span<const DevicePoint> points, const Pen& pen) = 0;
    // A round dot of diameter pen.width centred on p; width 1 is the single pixel p.
    virtual void dot(DevicePoint p, const Pen& pen) = 0;
    // The rectangle with both edges included, filled with pen.color in pen.mode.
    virtual void fillRect(const DeviceRect& rect, const Pen& pen) = 0;

    // One line of UTF-8 text (no line breaks) with the top-left corner of its line box at
    // topLeft. Text is always copied: draw modes and line styles apply to lines only.
    virtual void text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font,
                      Rgb color) = 0;
    // Advance width of one line of text and the height of one text row, in pixels.
    virtual double textWidth(std::string_view utf8, const FontSpec& font) const = 0;
    virtual double lineHeight(const FontSpec& font) const = 0;
};

}  // namespace ql
