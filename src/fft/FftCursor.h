#pragma once
// The measuring cursors of the three spectrum charts: a spectral line on each single-channel
// chart (FftCursorCh1, FftCursorCh2) and a free cross on the dual chart (FftDualCursorX/Y),
// with the texts of their readout cells. A drag moves a cursor only with the left button
// alone pressed and the pointer right of line 1.

#include <optional>
#include <string>

#include "FftReadout.h"
#include "state/ProgramState.h"
#include "state/Scaling.h"

namespace ql {

// View of the dual chart: both spectra, or the difference I - II or II - I (in the log view
// the difference of the dBV levels, that is the ratio I / II in dB).
enum class DualView { Both, OneMinusTwo, TwoMinusOne };

// Readout of a single-channel cursor. A text left empty (nullopt) means the cell keeps what it
// shows: no frequency without a valid time base, no level for a line outside the spectrum
// (see cursorSpectrumLine).
struct LineReadout {
    std::optional<std::string> frequencyText;
    std::optional<std::string> voltsText;
    std::optional<std::string> dbvText;
};

struct DualReadout {
    std::optional<std::string> frequencyText;
    std::string levelText;
};

// A drag moves a cursor only with the left button alone (buttons == 1) and x above 1.0.
bool cursorDragActive(int buttons, double x);

// The spectral line a single-channel cursor stands on when it has a level: 0..1024 (the
// lines the transform gives); nullopt beyond them, where the chart draws no level line and
// the level cells keep their text.
std::optional<int> cursorSpectrumLine(double cursor);

// Readout of the cursor of a single-channel chart at its stored line.
LineReadout channelCursorReadout(const ProgramState& s, Channel ch, KiloStyle kilo,
                                 char decimalSign = systemDecimalSign());

// Mouse drag on a single-channel chart at line position x: the cursor goes to the whole line
// at or below x (not below 0) and its readout is returned; nullopt when the drag is ignored.
std::optional<LineReadout> dragChannelCursor(ProgramState& s, Channel ch, int buttons, double x,
                                             char decimalSign = systemDecimalSign());

// Holds the dual cursor on the chart: x not below 0; y within 0..FftDualMax in the view of
// both spectra, within FftDualMin..FftDualMax in a difference view (lower bound first).
void clampDualCursor(FftView& v, DualView view);

// Level of height y of the dual chart: volts in the linear views; in the log view of both
// spectra the dBV value of the axis that runs from P(FftDualMin) - 50 at 0 to P(FftDualMax) at
// the top; in the log difference views y / 1000 dB.
std::string dualLevelText(const FftView& v, DualView view, bool logLevels, double y,
                          char decimalSign = systemDecimalSign());

DualReadout dualCursorReadout(const ProgramState& s, DualView view, bool logLevels, KiloStyle kilo,
                              char decimalSign = systemDecimalSign());

// Mouse drag on the dual chart at (x, y): the cross goes to the whole numbers at or below
// them, held on the chart; nullopt when the drag is ignored.
std::optional<DualReadout> dragDualCursor(ProgramState& s, DualView view, bool logLevels,
                                          int buttons, double x, double y,
                                          char decimalSign = systemDecimalSign());

}  // namespace ql
