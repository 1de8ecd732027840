#include "HardcopyOutput.h"

#include <algorithm>
#include <cmath>

#include "draw/MetafileName.h"
#include "draw/WmfDevice.h"

namespace ql {

namespace {

void drawOn(PaintDevice& device, const HardcopyInput& input, const HardcopyTarget& target)
{
    Surface surface(device);
    renderHardcopy(input, target, surface);
}

}  // namespace

Status printScreenCopy(const HardcopyInput& input, Printer& printer)
{
    return printDocument(printer, PageOrientation::Portrait, "screen",
                         [&](Printer&, Surface& page) {
                             renderHardcopy(input, kPrinterHardcopy, page);
                             return Status::success();
                         });
}

void drawPrintPreview(const HardcopyInput& input, PaintDevice& picture)
{
    drawOn(picture, input, kPreviewHardcopy);
}

DeviceSize previewPictureSize(DeviceSize room)
{
    constexpr double kPageWidthPerHeight = 210.0 / 297.0;
    if (room.width <= 0 || room.height <= 0) return {};
    const int width = std::min(room.width, static_cast<int>(room.height * kPageWidthPerHeight));
    const int height =
        std::min(room.height, static_cast<int>(std::lround(width / kPageWidthPerHeight)));
    if (width <= 0 || height <= 0) return {};
    return {width, height};
}

Status drawWmf(const HardcopyInput& input, const ExportTarget& target, PictureClipboard& clipboard,
               const PaintDevice* textMetrics)
{
    if (!target.exportToFile) {
        const Status put =
            clipboard.putBitmap(kMetafilePictureSize, kMetafilePictureDpi,
                                [&](PaintDevice& d) { drawOn(d, input, kMetafileHardcopy); });
        if (!put) return printingFailure(put.failure());
        return Status::success();
    }
    WmfDevice metafile(kMetafilePictureSize, kMetafilePictureDpi, textMetrics);
    drawOn(metafile, input, kMetafileHardcopy);
    return saveMetafileAs(metafile, target.exportFileName);
}

}  // namespace ql
