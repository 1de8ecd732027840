#include "FftPageOutput.h"

#include "draw/MetafileName.h"
#include "draw/WmfDevice.h"
#include "state/AtomicFile.h"

namespace ql {

namespace {

void drawPicture(PaintDevice& device, const SpectrumSnapshot& snapshot)
{
    Surface surface(device);
    renderSpectrumPage(surface, PageKind::Picture, snapshot);
}

}  // namespace

Status printSpectrumPage(const SpectrumSnapshot& snapshot, Printer& printer)
{
    return printDocument(printer, PageOrientation::Landscape, "fft", [&](Printer&, Surface& page) {
        renderSpectrumPage(page, PageKind::Printout, snapshot);
        return Status::success();
    });
}

Status exportSpectrumPicture(const SpectrumSnapshot& snapshot, const ExportTarget& target,
                             PictureClipboard& clipboard, const PaintDevice* textMetrics)
{
    if (!target.exportToFile) {
        const Status put = clipboard.putBitmap(kSpectrumPictureSize, kSpectrumPictureDpi,
                                               [&](PaintDevice& d) { drawPicture(d, snapshot); });
        if (!put) return fileError(kFileErrorText, kSaveWmfTitle, put.failure().text);
        return Status::success();
    }
    WmfDevice metafile(kSpectrumPictureSize, kSpectrumPictureDpi, textMetrics);
    drawPicture(metafile, snapshot);
    return saveMetafileAs(metafile, target.exportFileName);
}

}  // namespace ql
