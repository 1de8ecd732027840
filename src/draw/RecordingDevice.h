#pragma once
// A paint device for tests: it records every primitive with its full pen and font, measures
// text with fixed metrics, and keeps the set of not-XOR marks that stand on the picture, so a
// test can assert that a mark drawn twice is gone.
//
// Metrics: one em is points x dpi / 72 pixels; every character is half an em wide and a text
// row is 1.25 em high (12 pt at 96 dpi: 8 pixels per character, 20 per row).

#include <string>
#include <vector>

#include "PaintDevice.h"

namespace ql {

struct DrawOp {
    enum class Kind { Clear, Line, Polyline, Dot, FillRect, Text };
    Kind kind = Kind::Line;
    // Line: the two ends; Polyline: every point; Dot and Text: the one point; FillRect: the
    // top-left and bottom-right pixels; Clear: none.
    std::vector<DevicePoint> points;
    Pen pen;  // Clear: pen.color is the background; Text: pen.color is the text colour
    FontSpec font;
    std::string text;
    bool operator==(const DrawOp&) const = default;
};

class RecordingDevice : public PaintDevice {
public:
    explicit RecordingDevice(DeviceSize size = {640, 480}, double dpi = 96.0);

    void setSize(DeviceSize size) { size_ = size; }

    DeviceSize size() const override { return size_; }
    double dpi() const override { return dpi_; }
    void clear(Rgb background) override;
    void line(DevicePoint a, DevicePoint b, const Pen& pen) override;
    void polyline(std::span<const DevicePoint> points, const Pen& pen) override;
    void dot(DevicePoint p, const Pen& pen) override;
    void fillRect(const DeviceRect& rect, const Pen& pen) override;
    void text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font, Rgb color) override;
    double textWidth(std::string_view utf8, const FontSpec& font) const override;
    double lineHeight(const FontSpec& font) const override;

    // Every primitive since construction or forget(), in order (clear() included).
    const std::vector<DrawOp>& ops() const { return ops_; }
    void forget() { ops_.clear(); }
    // The not-XOR primitives now standing: each one drawn an odd number of times since the
    // last clear() (drawn again identically, it is removed).
    const std::vector<DrawOp>& standingMarks() const { return marks_; }
    // Only the ops of one kind, and the texts drawn, in order.
    std::vector<DrawOp> opsOfKind(DrawOp::Kind kind) const;
    std::vector<std::string> texts() const;

    // One line per primitive, readable by a person and stable for comparisons.
    std::string dump() const;
    static std::string describe(const DrawOp& op);

private:
    void record(DrawOp op);

    DeviceSize size_;
    double dpi_;
    std::vector<DrawOp> ops_;
    std::vector<DrawOp> marks_;
};

}  // namespace ql
