#pragma once
// The hardcopy of the scope screen: one page drawing for the printer, the preview and the
// metafile. In this order: the frame of the page, the headline centred over the screen area,
// the measurement time and date, then the time view (graticule, traces with labels and the
// trigger-level mark, status line, cursor lines and values, time-base B line) or, with the XY
// option and both channels on, the XY view; finally the notes.
//
// The page frame: x from 300 positions left of the record to 300 right of it (-300..2300), or
// the magnified window of 200 positions with a tenth of the margins, or -39..293 codes in the
// XY view; y from 228 plus the target's top space down to 28 plus its bottom space.

#include <cstdint>
#include <optional>
#include <string>

#include "HardcopyTarget.h"
#include "draw/Surface.h"
#include "state/NumberFormat.h"
#include "state/ProgramState.h"

namespace ql {

struct HardcopyInput {
    const ProgramState& state;
    // The options as the options window held them when the run started; a metafile draws no
    // headline and no notes whatever they say.
    PrintOptions options;
    // The screen window's scroll bar: the first position the magnified view shows.
    std::int16_t scrollValue = 0;
    // The file the autostore has just stored, named on the printer's time line; none for every
    // other printout.
    std::optional<std::string> storedFileName;
    char decimalSign = systemDecimalSign();
};

// The input of a run started from the state as it stands: its options and scroll position.
HardcopyInput hardcopyInputFor(const ProgramState& s);

// Draws the page on the surface's device, scaled to the whole device; writes nothing into the
// state. The caller starts the printer page (portrait) and finishes the page or the picture.
// A device without area gets nothing.
void renderHardcopy(const HardcopyInput& input, const HardcopyTarget& target, Surface& surface);

}  // namespace ql
