#pragma once
// What the FFT window's Print, Copy and Save buttons hand over to: the chart as the window
// shows it (its spectra, readout cells and title), dated by the clock, printed on the
// program's printer or rendered to the export target. How each ended is told once: a printer
// failure or the file a printout became (reportPrintout), a metafile or clipboard that could
// not be written ("File Error", title "Save wmf").

#include "draw/PictureClipboard.h"
#include "draw/Printer.h"
#include "fft/FftWindowController.h"
#include "state/Clock.h"
#include "state/Host.h"

namespace ql {

// The outputs of the charts in `charts` (the window's own, which outlive the outputs). A
// metafile measures its texts on `textMetrics` when given.
FftChartOutputs fftChartOutputs(ProgramState& s, Host& host, Printer& printer,
                                PictureClipboard& clipboard, Clock& clock, const FftCharts& charts,
                                const PaintDevice* textMetrics = nullptr,
                                char decimalSign = systemDecimalSign());

}  // namespace ql
