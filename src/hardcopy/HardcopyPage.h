#pragma once
// What every drawing phase of the hardcopy shares: the state and options of the run, the
// target's constants, the surface, and the frame values the page set up.

#include "HardcopyTarget.h"
#include "draw/Surface.h"
#include "state/ProgramState.h"

namespace ql::hardcopy {

// Edges and centre of the screen area in codes.
inline constexpr int kBottom = 28;
inline constexpr int kTop = 228;
inline constexpr int kCentre = 128;

struct Page {
    const ProgramState& s;
    const PrintOptions& options;
    const HardcopyTarget& target;
    Surface& surface;
    char decimalSign;

    // The screen area's x range and the factor for offsets beside it (0.1 in the magnified
    // view); x of sample 0 of every trace. Sums are kept in 32 bits, so a damaged position
    // only moves what it places out of the window.
    int xFrom = 0;
    int xTo = 2000;
    double xScale = 1.0;
    int originX = 0;

    // y of text row k: above the top edge for k > 0, below the bottom edge from 28 - k rows.
    double rowAbove(double k) const { return kTop + k * target.lineStep; }
    double rowBelow(double k) const { return kBottom - k * target.lineStep; }

    // Black, or the palette colour when the options ask for colour.
    Rgb colour(int paletteIndex) const
    {
        return options.printColor == 1 ? qbColor(paletteIndex) : kBlack;
    }

    // Prints a text with its top-left corner at (x, y) in the fore colour.
    void printAt(double x, double y, std::string_view text) const
    {
        surface.setCurrent(x, y);
        surface.print(text, LineEnd::Stay);
    }
};

// The time view: graticule, traces with labels and the trigger-level mark, status line.
void drawTimeView(Page& page);
// Cursor lines, level marks and values, the time-base B line and the pen reset.
void drawCursorsAndValues(Page& page);
// The XY view: graticule, curve, label.
void drawXyView(Page& page);

}  // namespace ql::hardcopy
