#include "QtPaintDevice.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

namespace ql::gui {

namespace {

QColor qtColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

QString qtText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

QtPaintDevice::QtPaintDevice(QPaintDevice& target)
    : target_(target),
      raster_(target.devType() == QInternal::Image || target.devType() == QInternal::Pixmap)
{
}

QtPaintDevice::~QtPaintDevice()
{
    finish();
}

bool QtPaintDevice::begin()
{
    if (painter_.isActive()) return true;
    if (!painter_.begin(&target_)) return false;
    // A printer's engine outlives its documents and keeps the last pen of the one before; a
    // first pen equal to the painter's default would not reach it (text in black would come
    // out in the colour the last document ended with), so the default pen is sent anew.
    painter_.setPen(Qt::NoPen);
    painter_.setPen(QPen(Qt::black));
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    return true;
}

bool QtPaintDevice::finish()
{
    return !painter_.isActive() || painter_.end();
}

QPainter& QtPaintDevice::painter()
{
    begin();
    return painter_;
}

DeviceSize QtPaintDevice::size() const
{
    return {target_.width(), target_.height()};
}

double QtPaintDevice::dpi() const
{
    return target_.logicalDpiX();
}

void QtPaintDevice::setMode(DrawMode mode)
{
    painter_.setCompositionMode(raster_ && mode == DrawMode::NotXorPen
                                    ? QPainter::RasterOp_NotSourceXorDestination
                                    : QPainter::CompositionMode_SourceOver);
}

QtPaintDevice::DashLengths QtPaintDevice::dashLengths(DrawStyle style, int width) const
{
    // 18 on / 6 off and 3 on / 3 off pixels at 96 dpi, scaled with the resolution; Qt counts
    // them in pen widths.
    const double unit = std::max(1.0, dpi() / 96.0) / width;
    const double on = style == DrawStyle::Dash ? 18.0 : 3.0;
    const double off = style == DrawStyle::Dash ? 6.0 : 3.0;
    return {on * unit, off * unit};
}

QPen QtPaintDevice::qtPen(const Pen& pen) const
{
    QPen q(qtColor(pen.color));
    const int width = std::max(1, pen.width);
    q.setWidth(width);
    q.setJoinStyle(Qt::RoundJoin);
    if (pen.style == DrawStyle::Solid) {
        q.setCapStyle(Qt::RoundCap);
        return q;
    }
    // Qt measures dash patterns in pen widths; the classic patterns are fixed pixel lengths.
    const DashLengths dash = dashLengths(pen.style, width);
    q.setDashPattern({dash.on, dash.off});
    q.setCapStyle(Qt::FlatCap);
    return q;
}

void QtPaintDevice::clear(Rgb background)
{
    QPainter& p = painter();
    // Paper is white already: a white page needs no fill in the print job.
    if (!raster_ && background == kWhite) return;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(0, 0, target_.width(), target_.height()), qtColor(background));
}

bool QtPaintDevice::fillAxisLine(DevicePoint a, DevicePoint b, const Pen& pen)
{
    // On an image a line along a row or a column (graticules, cursor lines) is a rectangle,
    // or a row of them for a dashed line: filling them gives the pixels of the aliased stroke
    // and is many times quicker than stroking a column pixel by pixel (whose one-pixel spans
    // Qt even hands out to worker threads).
    if (!raster_ || !(a.x == b.x || a.y == b.y)) return false;
    if (pen.style == DrawStyle::Solid) {
        // Width 2 with round caps covers one more row and column before the ends.
        if (pen.width > 2 || (pen.width == 2 && a == b)) return false;
        const int before = pen.width == 2 ? 1 : 0;
        fillRect(DeviceRect{std::min(a.x, b.x) - before, std::min(a.y, b.y) - before,
                            std::max(a.x, b.x), std::max(a.y, b.y)},
                 pen);
        return true;
    }
    // Thin dashes of whole pixels: the pixels whose centres lie on the line from a toward b,
    // the pattern measured from a, after the line has been cut to one pixel beyond the image
    // (where the stroke restarts its pattern).
    const DashLengths dash = dashLengths(pen.style, 1);
    if (pen.width > 1 || a == b || dash.on != std::floor(dash.on) ||
        dash.off != std::floor(dash.off))
        return false;
    const bool column = a.x == b.x;
    const int extent = column ? target_.height() : target_.width();
    const int from = std::clamp(column ? a.y : a.x, -1, extent + 1);
    const int to = std::clamp(column ? b.y : b.x, -1, extent + 1);
    const int on = static_cast<int>(dash.on), period = on + static_cast<int>(dash.off);
    const auto fillRun = [&](int first, int last) {
        fillRect(column ? DeviceRect{a.x, first, a.x, last} : DeviceRect{first, a.y, last, a.y},
                 pen);
    };
    int runStart = 0;
    bool inRun = false;
    for (int q = std::min(from, to); q < std::max(from, to); ++q) {
        const int along = q >= from ? q - from : from - q - 1;
        const bool drawn = along % period < on;
        if (drawn && !inRun) runStart = q;
        if (!drawn && inRun) fillRun(runStart, q - 1);
        inRun = drawn;
    }
    if (inRun) fillRun(runStart, std::max(from, to) - 1);
    return true;
}

void QtPaintDevice::line(DevicePoint a, DevicePoint b, const Pen& pen)
{
    if (fillAxisLine(a, b, pen)) return;
    QPainter& p = painter();
    setMode(pen.mode);
    p.setPen(qtPen(pen));
    p.setBrush(Qt::NoBrush);
    if (a == b)
        p.drawPoint(a.x, a.y);
    else
        p.drawLine(a.x, a.y, b.x, b.y);
}

void QtPaintDevice::polyline(std::span<const DevicePoint> points, const Pen& pen)
{
    if (points.size() < 2) return;
    // One buffer for every path: a trace is drawn after every acquisition.
    path_.resize(static_cast<qsizetype>(points.size()));
    QPoint* out = path_.data();
    for (const DevicePoint& pt : points) *out++ = QPoint(pt.x, pt.y);
    QPainter& p = painter();
    setMode(pen.mode);
    p.setPen(qtPen(pen));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(path_.constData(), static_cast<int>(path_.size()));
}

void QtPaintDevice::dot(DevicePoint pt, const Pen& pen)
{
    QPainter& p = painter();
    setMode(pen.mode);
    if (pen.width <= 1) {
        QPen q(qtColor(pen.color));
        q.setWidth(1);
        p.setPen(q);
        p.drawPoint(pt.x, pt.y);
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(qtColor(pen.color));
    const int w = pen.width;
    p.drawEllipse(QRect(pt.x - w / 2, pt.y - w / 2, w, w));
    p.setBrush(Qt::NoBrush);
}

void QtPaintDevice::fillRect(const DeviceRect& rect, const Pen& pen)
{
    QPainter& p = painter();
    setMode(pen.mode);
    const int l = std::min(rect.left, rect.right), r = std::max(rect.left, rect.right);
    const int t = std::min(rect.top, rect.bottom), b = std::max(rect.top, rect.bottom);
    p.fillRect(QRect(l, t, r - l + 1, b - t + 1), qtColor(pen.color));
}

QFont QtPaintDevice::qtFont(const FontSpec& font)
{
    const QString face = qtText(font.face);
    const QString lower = face.toLower();
    QStringList families{face};
    QFont q;
    if (lower.contains(QLatin1String("courier")) || lower.contains(QLatin1String("mono")) ||
        lower.contains(QLatin1String("console")) || lower.contains(QLatin1String("fixedsys"))) {
        families << QStringLiteral("Courier New") << QStringLiteral("Liberation Mono")
                 << QStringLiteral("DejaVu Sans Mono") << QStringLiteral("monospace");
        q.setStyleHint(QFont::TypeWriter);
    } else if (lower.contains(QLatin1String("serif")) && !lower.contains(QLatin1String("sans"))) {
        families << QStringLiteral("Liberation Serif") << QStringLiteral("DejaVu Serif");
        q.setStyleHint(QFont::Serif);
    } else {
        // The dialog faces (MS Sans Serif, Arial, Helvetica) and anything unknown.
        families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans")
                 << QStringLiteral("DejaVu Sans") << QStringLiteral("sans-serif");
        q.setStyleHint(QFont::SansSerif);
    }
    q.setFamilies(families);
    q.setPointSizeF(font.points);
    q.setBold(font.bold);
    q.setUnderline(font.underline);
    return q;
}

void QtPaintDevice::text(DevicePoint topLeft, std::string_view utf8, const FontSpec& font,
                         Rgb color)
{
    if (utf8.empty()) return;
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QFont q = qtFont(font);
    p.setFont(q);
    p.setPen(qtColor(color));
    const QFontMetricsF metrics(q, &target_);
    p.drawText(QPointF(topLeft.x, topLeft.y + metrics.ascent()), qtText(utf8));
}

double QtPaintDevice::textWidth(std::string_view utf8, const FontSpec& font) const
{
    return QFontMetricsF(qtFont(font), &target_).horizontalAdvance(qtText(utf8));
}

double QtPaintDevice::lineHeight(const FontSpec& font) const
{
    return QFontMetricsF(qtFont(font), &target_).lineSpacing();
}

QImage textMetricsImage(double dpi)
{
    constexpr double kInchesPerMetre = 1 / 0.0254;
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(dpi * kInchesPerMetre + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

}  // namespace ql::gui
