#include "FftPageOutput.h"

#include "draw/WmfDevice.h"
#include "state/Text.h"

namespace ql {

namespace {

constexpr const char* kFileErrorText = "File Error";
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
    const Failure failed{kFileErrorText, kSaveWmfTitle, MessageIcon::None};
    if (!target.exportToFile) {
        const Status put = clipboard.putBitmap(kSpectrumPictureSize, kSpectrumPictureDpi,
                                               [&](PaintDevice& d) { drawPicture(d, snapshot); });
        return put ? Status::success() : Status(failed);
    }
    WmfDevice metafile(kSpectrumPictureSize, kSpectrumPictureDpi, textMetrics);
    drawPicture(metafile, snapshot);
    if (!metafile.saveAs(trim(target.exportFileName))) return failed;
    return Status::success();
}

}  // namespace ql
