#pragma once
// Where a spectrum page goes: the printout as one landscape document of kind "fft" on the
// program's printer, the picture (1045 by 842 pixels, the client area of the hidden drawing
// window at 15 twips a pixel) as a metafile file or a bitmap on the clipboard. Neither writes
// into the state.

#include "FftPage.h"
#include "draw/PictureClipboard.h"
#include "draw/Printer.h"
#include "state/ProgramState.h"
#include "state/Status.h"

namespace ql {

inline constexpr DeviceSize kSpectrumPictureSize{1045, 842};
inline constexpr double kSpectrumPictureDpi = 96.0;

// The printout; a printer that refuses gives its printingFailure.
Status printSpectrumPage(const SpectrumSnapshot& snapshot, Printer& printer);

// The picture, delivered as `target` says: written as a metafile under its file name without
// the blanks around it, or put on the clipboard as a bitmap (the file name is not read then).
// Either failing gives "File Error" (title "Save wmf") with the cause under it. A metafile
// measures its texts on `textMetrics` when given (a picture of the same resolution).
Status exportSpectrumPicture(const SpectrumSnapshot& snapshot, const ExportTarget& target,
                             PictureClipboard& clipboard, const PaintDevice* textMetrics = nullptr);

}  // namespace ql
