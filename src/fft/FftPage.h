#pragma once
// The spectrum pages of the FFT window's charts: the printout (one landscape page) and the
// picture (for the clipboard or a metafile) of the CH I, CH II or dual chart, drawn by one
// renderer. A page carries the chart's title, a text block (a channel's DC level and maximum,
// or the dual chart's view; the window function with the date and time), the chart frame with
// a 10 x 5 grid, frequency labels under it, level labels left of it and the curves. Printout
// and picture differ only by the widths of frame and curves, the title face of the CH I picture
// and how far the frequency ticks of the dual chart reach.
//
// Page coordinates: x is the spectral line, y the level in spectrum units (1000 per volt)
// growing upward. The chart covers the lines S = FftScrollPos to E = FftSpan and the levels
// from its base (0, or FftDualMin in a difference view) to its top (the channel's maximum or
// FftDualMax); the page adds W / 6 on the left, W / 12 on the right (W = E - S) and a fifth
// of the level range above and below. The level ticks stand at lines 0 to -5, left of the
// frame only while the chart starts at line 0. A chart without a level range (nothing
// measured yet) is an empty frame over one level unit.

#include <optional>
#include <string>
#include <vector>

#include "FftCharts.h"
#include "FftCursor.h"
#include "WindowFunction.h"
#include "draw/Surface.h"
#include "state/Clock.h"

namespace ql {

enum class PageKind { Printout, Picture };

// Everything a page shows, taken when the user asks for it; the page reads nothing else, so
// drawing it changes no spectrum and no maximum.
struct SpectrumSnapshot {
    FftTab chart = FftTab::Ch1;  // Ch1, Ch2 or Dual
    DualView view = DualView::Both;
    bool logLevels = false;
    WindowFunction windowFunction = WindowFunction::Hanning;
    std::string title;
    int firstLine = 0, lastLine = 1024;  // S and E
    // The top of the level range (the channel's maximum, FftDualMax) and, in the dual chart,
    // its bottom (FftDualMin).
    double maxLevel = 0.0, minLevel = 0.0;
    // Lines 0..lastLine of CH I (the difference curve in a difference view) and of CH II.
    std::vector<double> spectrumCh1, spectrumCh2;
    std::optional<double> timePerDiv;  // none: the frequency ticks carry no labels
    // The readout cells of a single-channel chart.
    std::string dcLevel, maxVolts, maxDbv, maxFrequency;
    std::string date, time;  // the user's long date, hh:mm:ss
    char decimalSign = '.';
};

// The snapshot of a chart tab of the window as it stands: the spectra, level range, lines and
// time base of the state, the window function and log switch, the dual view of `charts`, the
// chart's readout cells and `title`, dated `now`.
SpectrumSnapshot spectrumSnapshot(const ProgramState& s, const FftCharts& charts, FftTab chart,
                                  const std::string& title, const DateTime& now,
                                  char decimalSign = systemDecimalSign());

// Draws the page on a surface whose device is the printable area (a printout) or the picture
// (a picture, which is cleared first). The title and the text block are black.
void renderSpectrumPage(Surface& page, PageKind kind, const SpectrumSnapshot& snapshot);

}  // namespace ql
