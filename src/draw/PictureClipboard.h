#pragma once
// The clipboard seam for pictures: what the program copies goes there as a bitmap, drawn by
// core code on a raster device the clipboard provides. The Qt clipboard in the product, a
// recording clipboard in tests.

#include <functional>

#include "PaintDevice.h"
#include "state/Status.h"

namespace ql {

class PictureClipboard {
public:
    virtual ~PictureClipboard() = default;
    // Replaces what the clipboard holds with a bitmap of `size` pixels at `dpi`, white until
    // `draw` paints it. A failure says why the clipboard did not take the picture.
    virtual Status putBitmap(DeviceSize size, double dpi,
                             const std::function<void(PaintDevice&)>& draw) = 0;
};

}  // namespace ql
