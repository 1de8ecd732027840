#include "PictureImage.h"

#include <QColor>

namespace ql::gui {

namespace {

constexpr double kMetresPerInch = 0.0254;

}  // namespace

void PictureImage::remake(const QRect& place, double dpi)
{
    device_.reset();
    place_ = place;
    if (place.width() <= 0 || place.height() <= 0) {
        image_ = QImage();
        return;
    }
    image_ = QImage(place.size(), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(dpi / kMetresPerInch + 0.5);
    image_.setDotsPerMeterX(dotsPerMetre);
    image_.setDotsPerMeterY(dotsPerMetre);
    image_.fill(Qt::white);
    device_ = std::make_unique<QtPaintDevice>(image_);
}

void PictureImage::finish() const
{
    if (device_) device_->finish();
}

const QImage& PictureImage::image() const
{
    finish();
    return image_;
}

}  // namespace ql::gui
