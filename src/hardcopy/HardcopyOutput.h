#pragma once
// Where the hardcopy goes: the printed page, the preview picture and the metafile picture
// (saved as a metafile, or put on the clipboard as a bitmap of the same picture). Each draws
// the one page of renderHardcopy for its target and finishes it; none writes into the state.

#include "HardcopyRenderer.h"
#include "draw/PictureClipboard.h"
#include "draw/Printer.h"
#include "state/ProgramState.h"
#include "state/Status.h"

namespace ql {

// The metafile picture: the client area of the hidden drawing window (15675 by 12630 twips)
// at 15 twips a pixel, less the 300 twips below its picture.
inline constexpr DeviceSize kMetafilePictureSize{1045, 822};
inline constexpr double kMetafilePictureDpi = 96.0;

// The printed page: one portrait document of kind "screen". A printer that refuses gives its
// printingFailure.
Status printScreenCopy(const HardcopyInput& input, Printer& printer);

// The preview picture on the whole device; a device without area gets nothing.
void drawPrintPreview(const HardcopyInput& input, PaintDevice& picture);

// The preview's picture in `room`: as large as fits with the proportions of a portrait A4 page
// (210 by 297), so that its text rows keep their places at any window size; nothing for a
// room without area.
DeviceSize previewPictureSize(DeviceSize room);

// The metafile picture, delivered as `target` says: written as a metafile to its file name
// without the blanks around it ("File Error", title "Save wmf", with the file and the cause
// under it, when that fails), or as a bitmap of the same picture on the clipboard
// (printingFailure when it refuses). A metafile measures its texts on `textMetrics` when
// given (a picture of the same resolution).
Status drawWmf(const HardcopyInput& input, const ExportTarget& target, PictureClipboard& clipboard,
               const PaintDevice* textMetrics = nullptr);

}  // namespace ql
