#pragma once
// The Qt paint device: draws the primitives of a Surface with a QPainter on a QImage or
// QPixmap (screen pictures, print preview, clipboard pictures) or on a QPrinter / QPdfWriter
// (paper).
//
// On an image or pixmap the not-XOR pen is the raster operation NOT (pen XOR picture), drawn
// without antialiasing, so a mark drawn twice restores every pixel. Printers have no raster
// operations: there the not-XOR pen draws like the copy pen. Lines are aliased like the
// classic picture boxes; dashes and dots have fixed lengths in pixels (18 on / 6 off and
// 3 on / 3 off at 96 dpi, scaled with the resolution), not lengths relative to the width.
// Fonts the system lacks are replaced by one of their kind: the Courier faces by a metric
// twin or a monospace face, the dialog faces (MS Sans Serif, Arial) by a sans face.
//
// The painter starts with the first primitive and stays active; call finish() before the
// target is shown, copied, saved, resized or sent.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include "draw/PaintDevice.h"

class QPaintDevice;

namespace ql::gui {

class QtPaintDevice : public ql::PaintDevice {
public:
    explicit QtPaintDevice(QPaintDevice& target);
    ~QtPaintDevice() override;
    QtPaintDevice(const QtPaintDevice&) = delete;
    QtPaintDevice& operator=(const QtPaintDevice&) = delete;

    // Starts painting now (a printer starts its job here); false when the target refuses.
    bool begin();
    // Ends painting; a printer sends its job. Drawing again begins anew.
    bool finish();
    bool isActive() const { return painter_.isActive(); }
    // True on images and pixmaps, where the not-XOR pen is a raster operation.
    bool hasRasterOps() const { return raster_; }

    DeviceSize size() const override;
    double dpi() const override;
    void clear(Rgb background) override;
    void line(DevicePoint a, DevicePoint b, const Pen& pen) override;
    void polyline(std::span<const DevicePoint> points, const Pen& pen) override;
    void dot(DevicePoint p, const Pen& pen) override;
    void fillRect(const DeviceRect& rect, const Pen& pen) override;
    void text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font, Rgb color) override;
    double textWidth(std::string_view utf8, const FontSpec& font) const override;
    double lineHeight(const FontSpec& font) const override;

    // The Qt font for a font of the drawing model, with the substitutes named above.
    static QFont qtFont(const FontSpec& font);

private:
    // Lengths of a pen's dashes and gaps, in widths of the pen.
    struct DashLengths {
        double on = 0.0, off = 0.0;
    };
    QPainter& painter();
    void setMode(DrawMode mode);
    DashLengths dashLengths(DrawStyle style, int width) const;
    QPen qtPen(const Pen& pen) const;
    // Draws a line along a row or a column by filling pixels where that gives the stroke's
    // pixels; false when the line has to be stroked.
    bool fillAxisLine(DevicePoint a, DevicePoint b, const Pen& pen);

    QPaintDevice& target_;
    QPainter painter_;
    bool raster_;
    QPolygon path_;
};

// A 1 by 1 image at `dpi`: a metafile of that resolution measures its texts on a QtPaintDevice
// over it.
QImage textMetricsImage(double dpi);

}  // namespace ql::gui
