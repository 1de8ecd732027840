#pragma once
// A clipboard for tests: the last picture put on it, recorded, and a clipboard that refuses.

#include <memory>

#include "PictureClipboard.h"
#include "RecordingDevice.h"

namespace ql {

class RecordingClipboard : public PictureClipboard {
public:
    Status putBitmap(DeviceSize size, double dpi,
                     const std::function<void(PaintDevice&)>& draw) override;

    // A refusing clipboard keeps what it held.
    void setRefused(bool refused) { refused_ = refused; }
    // The picture on the clipboard; null while it holds none.
    const RecordingDevice* picture() const { return picture_.get(); }
    int putCount() const { return puts_; }

private:
    std::unique_ptr<RecordingDevice> picture_;
    bool refused_ = false;
    int puts_ = 0;
};

}  // namespace ql
