#include "HardcopyOutput.h"

#include "draw/WmfDevice.h"
#include "state/AtomicFile.h"
#include "state/Text.h"

namespace ql {

namespace {

constexpr const char* kSaveWmfTitle = "Save wmf";

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
    const Status saved = metafile.saveAs(trim(target.exportFileName));
    if (!saved) return fileError(kFileErrorText, kSaveWmfTitle, saved.failure().text);
    return Status::success();
}

}  // namespace ql
