#include "Surface.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ql {

namespace {

bool finite(double v)
{
    return std::isfinite(v);
}

double pixelSpan(int pixels)
{
    return std::max(1, pixels - 1);
}

int roundPixel(double v)
{
    return static_cast<int>(std::floor(v + 0.5));
}

// roundPixel for a value known to lie near the device (well inside the int range): truncation
// corrected downwards for negative values, which is floor without the library's large-value
// cases.
int roundNearPixel(double v)
{
    const double h = v + 0.5;
    const int i = static_cast<int>(h);
    return i > h ? i - 1 : i;
}

// Cuts the segment to the rectangle [lo, hi] (Liang-Barsky); false when nothing is left.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double loX, double loY, double hiX,
                 double hiY)
{
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - loX, hiX - x1, y1 - loY, hiY - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ox = x1, oy = y1;
    if (t1 < 1.0) x2 = ox + t1 * dx, y2 = oy + t1 * dy;
    if (t0 > 0.0) x1 = ox + t0 * dx, y1 = oy + t0 * dy;
    return true;
}

}  // namespace

Surface::Surface(PaintDevice& device) : device_(device) {}

// ---- Scale ------------------------------------------------------------------------------

bool Surface::scale(double x1, double y1, double x2, double y2)
{
    return setUserScale(UserScale{x1, y1, x2 - x1, y2 - y1});
}

bool Surface::setUserScale(const UserScale& frame)
{
    if (!finite(frame.left) || !finite(frame.top) || !finite(frame.width) ||
        !finite(frame.height) || frame.width == 0.0 || frame.height == 0.0)
        return false;
    scale_ = frame;
    pixelScale_ = false;
    return true;
}

void Surface::resetScale()
{
    pixelScale_ = true;
}

UserScale Surface::userScale() const
{
    if (!pixelScale_) return scale_;
    return UserScale{0.0, 0.0, spanX(), spanY()};
}

// Pixels between the first and the last pixel centre (at least 1, so the mapping stays
// defined on a one-pixel or empty device).
double Surface::spanX() const
{
    return pixelSpan(device_.size().width);
}
double Surface::spanY() const
{
    return pixelSpan(device_.size().height);
}

double Surface::deviceX(double x) const
{
    if (pixelScale_) return x;
    return (x - scale_.left) * spanX() / scale_.width;
}

double Surface::deviceY(double y) const
{
    if (pixelScale_) return y;
    return (y - scale_.top) * spanY() / scale_.height;
}

double Surface::userX(double deviceX) const
{
    if (pixelScale_) return deviceX;
    return scale_.left + deviceX * scale_.width / spanX();
}

double Surface::userY(double deviceY) const
{
    if (pixelScale_) return deviceY;
    return scale_.top + deviceY * scale_.height / spanY();
}

// ---- Position, pen, font ----------------------------------------------------------------

void Surface::setCurrentX(double x)
{
    if (finite(x)) currentX_ = x;
}

void Surface::setCurrentY(double y)
{
    if (finite(y)) currentY_ = y;
}

void Surface::setCurrent(double x, double y)
{
    setCurrentX(x);
    setCurrentY(y);
}

void Surface::home()
{
    const UserScale frame = userScale();
    currentX_ = frame.left;
    currentY_ = frame.top;
}

void Surface::setDrawWidth(int width)
{
    if (width >= 1 && width <= 32767) pen_.width = width;
}

void Surface::setFontName(std::string_view face)
{
    if (!face.empty()) font_.face = std::string(face);
}

void Surface::setFontSize(double points)
{
    if (finite(points) && points > 0.0 && points <= 2048.0) font_.points = points;
}

void Surface::setFont(const FontSpec& font)
{
    setFontName(font.face);
    setFontSize(font.points);
    font_.bold = font.bold;
    font_.underline = font.underline;
}

Pen Surface::penWith(std::optional<Rgb> color) const
{
    Pen pen = pen_;
    if (color) pen.color = *color;
    return pen;
}

// ---- Drawing ----------------------------------------------------------------------------

void Surface::cls()
{
    device_.clear(backColor_);
    home();
}

// A user point as a device pixel, when it lies within `margin` pixels of the device.
std::optional<DevicePoint> Surface::toDevicePoint(double x, double y, int margin) const
{
    const double dx = deviceX(x), dy = deviceY(y);
    if (!finite(dx) || !finite(dy)) return std::nullopt;
    const DeviceSize size = device_.size();
    if (dx < -margin || dy < -margin || dx > size.width - 1 + margin ||
        dy > size.height - 1 + margin)
        return std::nullopt;
    return DevicePoint{roundPixel(dx), roundPixel(dy)};
}

void Surface::drawClippedLine(double x1, double y1, double x2, double y2, const Pen& pen)
{
    double ax = deviceX(x1), ay = deviceY(y1), bx = deviceX(x2), by = deviceY(y2);
    if (!finite(ax) || !finite(ay) || !finite(bx) || !finite(by)) return;
    const DeviceSize size = device_.size();
    if (size.width <= 0 || size.height <= 0) return;
    // Keep the part that can touch the device; a wide pen reaches `margin` pixels beyond.
    const double margin = pen.width + 2.0;
    if (!clipSegment(ax, ay, bx, by, -margin, -margin, size.width - 1 + margin,
                     size.height - 1 + margin))
        return;
    device_.line({roundPixel(ax), roundPixel(ay)}, {roundPixel(bx), roundPixel(by)}, pen);
}

void Surface::line(double x1, double y1, double x2, double y2, std::optional<Rgb> color)
{
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2)) return;
    drawClippedLine(x1, y1, x2, y2, penWith(color));
    currentX_ = x2;
    currentY_ = y2;
}

void Surface::lineTo(double x, double y, std::optional<Rgb> color)
{
    line(currentX_, currentY_, x, y, color);
}

void Surface::polyline(std::span<const UserPoint> points, std::optional<Rgb> color)
{
    for (const UserPoint& p : points)
        if (!finite(p.x) || !finite(p.y)) return;
    if (points.size() < 2) return;
    const Pen pen = penWith(color);
    // The runs of the path that stay on the device go to it as paths; a segment with an end
    // off the device is clipped on its own.
    std::vector<DevicePoint> run;
    run.reserve(points.size());
    const auto flush = [&] {
        if (run.size() >= 2) device_.polyline(run, pen);
        run.clear();
    };
    // The mapping of toDevicePoint with the device's size asked once for the whole path (a
    // trace has 2000 points): the same arithmetic, so a path and its segments drawn one by one
    // agree.
    const DeviceSize size = device_.size();
    const double margin = pen.width + 2;
    const double spanX = pixelSpan(size.width), spanY = pixelSpan(size.height);
    const double hiX = size.width - 1 + margin, hiY = size.height - 1 + margin;
    const auto onDevice = [&](const UserPoint& p, DevicePoint& out) {
        const double dx = pixelScale_ ? p.x : (p.x - scale_.left) * spanX / scale_.width;
        const double dy = pixelScale_ ? p.y : (p.y - scale_.top) * spanY / scale_.height;
        // Also false for a mapping that overflowed.
        if (!(dx >= -margin && dx <= hiX && dy >= -margin && dy <= hiY)) return false;
        out = DevicePoint{roundNearPixel(dx), roundNearPixel(dy)};
        return true;
    };
    DevicePoint at;
    bool previousOn = onDevice(points[0], at);
    if (previousOn) run.push_back(at);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const bool currentOn = onDevice(points[i], at);
        if (!previousOn || !currentOn) {
            flush();
            drawClippedLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, pen);
        }
        if (currentOn) run.push_back(at);
        previousOn = currentOn;
    }
    flush();
    currentX_ = points.back().x;
    currentY_ = points.back().y;
}

void Surface::box(double x1, double y1, double x2, double y2, std::optional<Rgb> color)
{
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2)) return;
    const DeviceSize size = device_.size();
    const Pen pen = penWith(color);
    double ax = deviceX(x1), ay = deviceY(y1), bx = deviceX(x2), by = deviceY(y2);
    if (finite(ax) && finite(ay) && finite(bx) && finite(by) && size.width > 0 && size.height > 0) {
        // Clamping the corners of an upright rectangle is clipping it: an edge outside the
        // device stays outside, just closer.
        const double m = pen.width + 2.0;
        auto clampX = [&](double v) { return std::clamp(v, -m, size.width - 1 + m); };
        auto clampY = [&](double v) { return std::clamp(v, -m, size.height - 1 + m); };
        const int l = roundPixel(clampX(ax)), r = roundPixel(clampX(bx));
        const int t = roundPixel(clampY(ay)), b = roundPixel(clampY(by));
        const DevicePoint corners[5] = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
        device_.polyline(corners, pen);
    }
    currentX_ = x2;
    currentY_ = y2;
}

void Surface::fillBox(double x1, double y1, double x2, double y2, std::optional<Rgb> color)
{
    if (!finite(x1) || !finite(y1) || !finite(x2) || !finite(y2)) return;
    const DeviceSize size = device_.size();
    const double ax = deviceX(x1), ay = deviceY(y1), bx = deviceX(x2), by = deviceY(y2);
    currentX_ = x2;
    currentY_ = y2;
    if (!finite(ax) || !finite(ay) || !finite(bx) || !finite(by)) return;
    const double l = std::max(std::min(ax, bx), 0.0);
    const double r = std::min(std::max(ax, bx), size.width - 1.0);
    const double t = std::max(std::min(ay, by), 0.0);
    const double b = std::min(std::max(ay, by), size.height - 1.0);
    if (l > r || t > b) return;
    device_.fillRect(DeviceRect{roundPixel(l), roundPixel(t), roundPixel(r), roundPixel(b)},
                     penWith(color));
}

void Surface::pset(double x, double y, std::optional<Rgb> color)
{
    if (!finite(x) || !finite(y)) return;
    const Pen pen = penWith(color);
    if (const auto p = toDevicePoint(x, y, pen.width)) device_.dot(*p, pen);
    currentX_ = x;
    currentY_ = y;
}

// ---- Text -------------------------------------------------------------------------------

double Surface::deviceTextWidth(std::string_view row) const
{
    const double w = device_.textWidth(row, font_);
    return finite(w) && w > 0.0 ? w : 0.0;
}

void Surface::printRow(std::string_view row)
{
    if (row.empty()) return;
    const double px = deviceX(currentX_), py = deviceY(currentY_);
    const double width = deviceTextWidth(row);
    if (!finite(px) || !finite(py)) return;
    const DeviceSize size = device_.size();
    const double height = device_.lineHeight(font_);
    // Drawn only when some of it can show; the position moves on in any case.
    if (px <= size.width && py <= size.height && px + width >= 0.0 && py + height >= 0.0)
        device_.text({roundPixel(std::max(px, -1e9)), roundPixel(std::max(py, -1e9))}, row, font_,
                     pen_.color);
    const double next = userX(px + width);
    if (finite(next)) currentX_ = next;
}

void Surface::newLine()
{
    const double height = device_.lineHeight(font_);
    const double next = userY(deviceY(currentY_) + (finite(height) ? height : 0.0));
    currentX_ = userScale().left;
    if (finite(next)) currentY_ = next;
}

void Surface::print(std::string_view text, LineEnd end)
{
    std::string row;
    for (const char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            printRow(row);
            row.clear();
            newLine();
            continue;
        }
        row.push_back(c);
    }
    printRow(row);
    if (end == LineEnd::Next) newLine();
}

void Surface::tab(int column)
{
    column = std::max(column, 1);
    const double left = deviceX(userScale().left);
    const double target = left + (column - 1) * deviceTextWidth("0");
    // Half a pixel of tolerance: text that ends exactly on the column does not wrap.
    if (deviceX(currentX_) > target + 0.5) newLine();
    const double x = userX(target);
    if (finite(x)) currentX_ = x;
}

double Surface::textWidth(std::string_view text) const
{
    double widest = 0.0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string row;
        for (const char c : text.substr(start, end - start))
            if (c != '\r') row.push_back(c);
        widest = std::max(widest, deviceTextWidth(row));
        start = end + 1;
    }
    return std::abs(userX(widest) - userX(0.0));
}

double Surface::textHeight(std::string_view text) const
{
    const double rows = 1.0 + static_cast<double>(std::count(text.begin(), text.end(), '\n'));
    const double height = device_.lineHeight(font_);
    return std::abs(userY(rows * height) - userY(0.0));
}

}  // namespace ql
