#include "RecordingClipboard.h"

namespace ql {

Status RecordingClipboard::putBitmap(DeviceSize size, double dpi,
                                     const std::function<void(PaintDevice&)>& draw)
{
    if (refused_) return Status::fail("The clipboard is not available.", "Print");
    auto picture = std::make_unique<RecordingDevice>(size, dpi);
    picture->clear(kWhite);
    if (draw) draw(*picture);
    picture_ = std::move(picture);
    ++puts_;
    return Status::success();
}

}  // namespace ql
