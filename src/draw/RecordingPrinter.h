#pragma once
// A printer for tests: a RecordingDevice page that also records the document's begin, new
// pages and end, and can play a missing printer.

#include <string>
#include <vector>

#include "Printer.h"
#include "RecordingDevice.h"

namespace ql {

class RecordingPrinter : public Printer {
public:
    // `portraitPage` is the printable area upright; landscape documents swap its sides.
    explicit RecordingPrinter(DeviceSize portraitPage = {4800, 6600}, double dpi = 600.0);

    // With no printer, beginDocument fails.
    void setAvailable(bool available) { available_ = available; }

    Status beginDocument(PageOrientation orientation) override;
    Status newPage() override;
    Status endDocument() override;

    DeviceSize size() const override { return page_.size(); }
    double dpi() const override { return page_.dpi(); }
    void clear(Rgb background) override { page_.clear(background); }
    void line(DevicePoint a, DevicePoint b, const Pen& pen) override { page_.line(a, b, pen); }
    void polyline(std::span<const DevicePoint> points, const Pen& pen) override;
    void dot(DevicePoint p, const Pen& pen) override { page_.dot(p, pen); }
    void fillRect(const DeviceRect& rect, const Pen& pen) override { page_.fillRect(rect, pen); }
    void text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font, Rgb color) override;
    double textWidth(std::string_view utf8, const FontSpec& font) const override;
    double lineHeight(const FontSpec& font) const override { return page_.lineHeight(font); }

    // "begin portrait", "begin landscape", "new page", "end", in order.
    const std::vector<std::string>& events() const { return events_; }
    // Everything drawn, across all pages, and the count of the document's pages.
    const RecordingDevice& recording() const { return page_; }
    int pageCount() const { return pages_; }
    bool inDocument() const { return inDocument_; }

private:
    DeviceSize portrait_;
    RecordingDevice page_;
    std::vector<std::string> events_;
    bool available_ = true;
    bool inDocument_ = false;
    int pages_ = 0;
};

}  // namespace ql
