#include "RecordingDevice.h"

#include <algorithm>
#include <cstdio>

#include "state/Text.h"

namespace ql {

namespace {

double emPixels(const FontSpec& font, double dpi)
{
    return font.points * dpi / 72.0;
}

std::string colorText(Rgb c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
    return buffer;
}

std::string penText(const Pen& pen)
{
    const char* style = pen.style == DrawStyle::Dash  ? "dash"
                        : pen.style == DrawStyle::Dot ? "dot"
                                                      : "solid";
    return colorText(pen.color) + " width " + std::to_string(pen.width) + " " + style +
           (pen.mode == DrawMode::NotXorPen ? " not-xor" : " copy");
}

std::string pointText(DevicePoint p)
{
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

}  // namespace

RecordingDevice::RecordingDevice(DeviceSize size, double dpi) : size_(size), dpi_(dpi) {}

void RecordingDevice::record(DrawOp op)
{
    if (op.kind != DrawOp::Kind::Text && op.kind != DrawOp::Kind::Clear &&
        op.pen.mode == DrawMode::NotXorPen) {
        const auto same = std::find(marks_.begin(), marks_.end(), op);
        if (same != marks_.end())
            marks_.erase(same);
        else
            marks_.push_back(op);
    }
    ops_.push_back(std::move(op));
}

void RecordingDevice::clear(Rgb background)
{
    marks_.clear();
    DrawOp op{DrawOp::Kind::Clear, {}, Pen{}, {}, {}};
    op.pen.color = background;
    record(std::move(op));
}

void RecordingDevice::line(DevicePoint a, DevicePoint b, const Pen& pen)
{
    record({DrawOp::Kind::Line, {a, b}, pen, {}, {}});
}

void RecordingDevice::polyline(std::span<const DevicePoint> points, const Pen& pen)
{
    record({DrawOp::Kind::Polyline, {points.begin(), points.end()}, pen, {}, {}});
}

void RecordingDevice::dot(DevicePoint p, const Pen& pen)
{
    record({DrawOp::Kind::Dot, {p}, pen, {}, {}});
}

void RecordingDevice::fillRect(const DeviceRect& rect, const Pen& pen)
{
    record(
        {DrawOp::Kind::FillRect, {{rect.left, rect.top}, {rect.right, rect.bottom}}, pen, {}, {}});
}

void RecordingDevice::text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font,
                           Rgb color)
{
    Pen pen;
    pen.color = color;
    record({DrawOp::Kind::Text, {topLeft}, pen, font, std::string(utf8)});
}

double RecordingDevice::textWidth(std::string_view utf8, const FontSpec& font) const
{
    return static_cast<double>(characterCount(utf8)) * emPixels(font, dpi_) / 2.0;
}

double RecordingDevice::lineHeight(const FontSpec& font) const
{
    return emPixels(font, dpi_) * 1.25;
}

std::vector<DrawOp> RecordingDevice::opsOfKind(DrawOp::Kind kind) const
{
    std::vector<DrawOp> result;
    for (const DrawOp& op : ops_)
        if (op.kind == kind) result.push_back(op);
    return result;
}

std::vector<std::string> RecordingDevice::texts() const
{
    std::vector<std::string> result;
    for (const DrawOp& op : ops_)
        if (op.kind == DrawOp::Kind::Text) result.push_back(op.text);
    return result;
}

std::string RecordingDevice::describe(const DrawOp& op)
{
    std::string points;
    for (const DevicePoint& p : op.points) points += (points.empty() ? "" : "-") + pointText(p);
    switch (op.kind) {
        case DrawOp::Kind::Clear: return "clear " + colorText(op.pen.color);
        case DrawOp::Kind::Line: return "line " + points + " " + penText(op.pen);
        case DrawOp::Kind::Polyline: return "polyline " + points + " " + penText(op.pen);
        case DrawOp::Kind::Dot: return "dot " + points + " " + penText(op.pen);
        case DrawOp::Kind::FillRect: return "fill " + points + " " + penText(op.pen);
        case DrawOp::Kind::Text: {
            char size[32];
            std::snprintf(size, sizeof size, "%gpt", op.font.points);
            return "text " + points + " \"" + op.text + "\" " + colorText(op.pen.color) + " \"" +
                   op.font.face + "\" " + size + (op.font.bold ? " bold" : "") +
                   (op.font.underline ? " underline" : "");
        }
    }
    return {};
}

std::string RecordingDevice::dump() const
{
    std::string out;
    for (const DrawOp& op : ops_) out += describe(op) + "\n";
    return out;
}

}  // namespace ql
