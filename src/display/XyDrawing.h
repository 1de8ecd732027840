#pragma once
// The XY view: CH I against CH II on a graticule of 10 x 8 divisions, both axes in raw sample
// codes (25 codes per division, centre 128), and a label with the vertical scales, couplings
// and the sample rate. On models with an inverted XY wiring CH I is the X axis, otherwise CH II.

#include <string>

#include "DisplayViews.h"
#include "draw/Surface.h"
#include "state/NumberFormat.h"
#include "state/ProgramState.h"

namespace ql {

// Draws the view unless it is minimised (a maximised view is drawn like a normal one) and
// marks it shown. Called by every screen redraw while XY display is on.
void drawXy(ProgramState& s, XyView& view);

// "CHY: .500V DC   CHX: 1.000V AC   200 KS/s" (CHX first on inverted models). A scale or a
// time base without a table value shows "---".
std::string xyLabelText(const ProgramState& s, char decimalSign = systemDecimalSign());

// Point i (1..2047) of the XY curve in codes, as stored: (CH I, CH II) on models with the
// inverted XY wiring, (CH II, CH I) on the others.
UserPoint xyPoint(const ProgramState& s, int i);

// Sample rate at time base A, 200 samples per division ("200 KS/s"); "---" without a value.
std::string xySampleRateText(const ProgramState& s, char decimalSign = systemDecimalSign());

// The user closed the XY view: while XY display is still on it is switched off and the
// channels get back the on-states saved when it was switched on (when XY display was already
// switched off by other means, the channels' states are the current ones and stay). Then the
// screen is redrawn. True when the channel settings changed, so the channel panel repaints.
bool closeXyView(ProgramState& s, DisplayViews& views);

// A double click on the figure: lines become dots and back; the main timer redraws.
void toggleXyVectors(ProgramState& s);

}  // namespace ql
