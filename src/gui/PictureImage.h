#pragma once
// The image behind a picture of a window and the paint device the core draws it with: white,
// at the window's resolution, remade whenever its place changes size. The window shows the
// image; the core reaches it only through device().

#include <QImage>
#include <QRect>
#include <memory>

#include "QtPaintDevice.h"

namespace ql::gui {

class PictureImage {
public:
    // A fresh white image for `place` at `dpi`; a place without area gives no image and no
    // device. The old device goes first, so nothing draws on an image that is gone.
    void remake(const QRect& place, double dpi);

    // The device to draw on; nullptr when there is no image.
    PaintDevice* device() const { return device_.get(); }
    const QRect& place() const { return place_; }
    // Ends the painting in progress, so the image can be shown or copied.
    void finish() const;
    // The image as last drawn (painting ended first).
    const QImage& image() const;

private:
    QImage image_;
    std::unique_ptr<QtPaintDevice> device_;
    QRect place_;
};

}  // namespace ql::gui
