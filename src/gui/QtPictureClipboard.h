#pragma once
// The picture clipboard on the system clipboard: the picture is drawn on an image through the
// Qt paint device and put on the clipboard as a bitmap.

#include "draw/PictureClipboard.h"

namespace ql::gui {

class QtPictureClipboard : public PictureClipboard {
public:
    Status putBitmap(DeviceSize size, double dpi,
                     const std::function<void(PaintDevice&)>& draw) override;
};

}  // namespace ql::gui
