#include "QtPictureClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "QtPaintDevice.h"

namespace ql::gui {

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

}  // namespace

Status QtPictureClipboard::putBitmap(DeviceSize size, double dpi,
                                     const std::function<void(PaintDevice&)>& draw)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return Status::fail("The clipboard is not available.", "Print");
    QImage image(size.width, size.height, QImage::Format_RGB32);
    if (image.isNull()) return Status::fail("There is not enough memory for the picture.", "Print");
    const int dotsPerMetre = static_cast<int>(dpi * kInchesPerMetre + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
        QtPaintDevice device(image);
        if (draw) draw(device);
        device.finish();
    }
    clipboard->setImage(image);
    if (clipboard->image().isNull())
        return Status::fail("The clipboard did not take the picture.", "Print");
    return Status::success();
}

}  // namespace ql::gui
