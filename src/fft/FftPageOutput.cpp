#include "FftPageOutput.h"

#include "draw/WmfDevice.h"
#include "state/AtomicFile.h"
#include "state/Text.h"

namespace ql {

namespace {

constexpr const char* kSaveWmfTitle = "Save wmf";

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
    Status done;
    if (!target.exportToFile) {
        done = clipboard.putBitmap(kSpectrumPictureSize, kSpectrumPictureDpi,
                                   [&](PaintDevice& d) { drawPicture(d, snapshot); });
    } else {
        WmfDevice metafile(kSpectrumPictureSize, kSpectrumPictureDpi, textMetrics);
        drawPicture(metafile, snapshot);
        done = metafile.saveAs(trim(target.exportFileName));
    }
    if (!done) return fileError(kFileErrorText, kSaveWmfTitle, done.failure().text);
    return Status::success();
}

}  // namespace ql
