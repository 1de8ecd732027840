#pragma once
// The printer seam on Qt: a paged device (a QPrinter, or a QPdfWriter for a printout that
// becomes a file) drawn through a QtPaintDevice. Printers have no raster operations, so the
// not-XOR pen prints like the copy pen.

#include <QPagedPaintDevice>
#include <memory>

#include "QtPaintDevice.h"
#include "draw/Printer.h"

namespace ql::gui {

class QtPrinter : public ql::Printer {
public:
    explicit QtPrinter(QPagedPaintDevice& printer);

    Status beginDocument(PageOrientation orientation, std::string_view kind = "printout") override;
    Status newPage() override;
    Status endDocument() override;

    DeviceSize size() const override { return device_->size(); }
    double dpi() const override { return device_->dpi(); }
    void clear(Rgb background) override { device_->clear(background); }
    void line(DevicePoint a, DevicePoint b, const Pen& pen) override { device_->line(a, b, pen); }
    void polyline(std::span<const DevicePoint> points, const Pen& pen) override
    {
        device_->polyline(points, pen);
    }
    void dot(DevicePoint p, const Pen& pen) override { device_->dot(p, pen); }
    void fillRect(const DeviceRect& rect, const Pen& pen) override { device_->fillRect(rect, pen); }
    void text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font, Rgb color) override
    {
        device_->text(topLeft, utf8, font, color);
    }
    double textWidth(std::string_view utf8, const FontSpec& font) const override
    {
        return device_->textWidth(utf8, font);
    }
    double lineHeight(const FontSpec& font) const override { return device_->lineHeight(font); }

private:
    QPagedPaintDevice& printer_;
    std::unique_ptr<QtPaintDevice> device_;
    bool inDocument_ = false;
};

}  // namespace ql::gui
