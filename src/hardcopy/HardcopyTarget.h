#pragma once
// The three places a hardcopy of the scope screen goes: the printed page, the preview picture
// and the metafile picture (saved or copied to the clipboard). They differ only in the
// constants below; one drawing serves all three.
//
// Every value is in the page's own units: x in sample positions (200 per division), y in
// sample codes (25 per division, the screen area from 28 at the bottom to 228 at the top, y
// growing upward); widths in device pixels; text rows in multiples of the row height lineStep.

#include "display/StatusLine.h"

namespace ql {

enum class HardcopyKind { Printer, Preview, Metafile };

// Height of one text row on a page whose frame is 200 codes plus its two spaces: a 64th of it.
constexpr double frameLineStep(int topSpace, int bottomSpace)
{
    return (200.0 + topSpace - bottomSpace) / 64.0;
}

struct HardcopyTarget {
    HardcopyKind kind;
    StatusLineTarget statusLine;  // the status line's variant for this target

    // What the options window offers: the export window has no headline and no Notes box.
    bool hasHeadline;
    bool hasNotes;

    // A picture is cleared first; a new printer page is empty already.
    bool clearsFirst;
    const char* fontFace;
    double fontPoints;  // 0: from the picture's width, 6 pt per 640 pixels (at least 1 pt)

    // The frame: the space above the top edge (228) and below the bottom edge (28; negative),
    // and the row height.
    int topSpace;
    int bottomSpace;
    double lineStep;

    // Headline: centred over the screen area in columns of (XTo - XFrom) / headlineColumns,
    // counted from headlineBase; the printer puts it on whole units.
    double headlineColumns;
    int headlineBase;
    bool headlineOnWholeUnits;
    // The printer's time line names the file autostore has just stored.
    bool timeLineNamesStoredFile;

    // Line widths.
    int heavyWidth;           // graticule frame and centre lines
    int traceWidth;           // traces, and the XY curve drawn as lines
    int timebaseBTraceWidth;  // channel segments inside the time-base B window
    int xyDotWidth;           // the XY curve drawn as dots
    int levelMarkWidth;       // cursor level marks
    int triggerMarkWidth;

    // Text rows above the top edge: status line (rows, then codes added) and XY label.
    double statusRow;
    double statusRaise;
    double xyLabelRow;
    // Text rows below the bottom edge: the cursor values of CH I and CH II, dt, time base B.
    double ch1ValuesRow;
    double ch2ValuesRow;
    double dtRow;
    double timebaseBRow;
    // Columns of the cursor values beyond the first (times the view's horizontal factor) and
    // their labels.
    int cursor2Column;
    int differenceColumn;
    int frequencyColumn;
    const char* cursor2Label;
    const char* differenceLabel;
    const char* frequencyLabel;
    // The printer puts the peak-detect mark on its time-base B line, the others on the status
    // line.
    bool peakOnTimebaseBLine;
};

inline constexpr HardcopyTarget kPrinterHardcopy{
    .kind = HardcopyKind::Printer,
    .statusLine = StatusLineTarget::Printer,
    .hasHeadline = true,
    .hasNotes = true,
    .clearsFirst = false,
    .fontFace = "Courier New",
    .fontPoints = 10,
    .topSpace = 80,
    .bottomSpace = -175,
    .lineStep = frameLineStep(80, -175),
    .headlineColumns = 80,
    .headlineBase = 79,
    .headlineOnWholeUnits = true,
    .timeLineNamesStoredFile = true,
    .heavyWidth = 3,
    .traceWidth = 1,
    .timebaseBTraceWidth = 6,
    .xyDotWidth = 8,
    .levelMarkWidth = 5,
    .triggerMarkWidth = 2,
    .statusRow = 1,
    .statusRaise = 2,
    .xyLabelRow = 1,
    .ch1ValuesRow = 2,
    .ch2ValuesRow = 3,
    .dtRow = 4.5,
    .timebaseBRow = 1,
    .cursor2Column = 800,
    .differenceColumn = 1500,
    .frequencyColumn = 500,
    .cursor2Label = "Cursor II: ",
    .differenceLabel = "Diff. I-II: ",
    .frequencyLabel = "   1/dt: ",
    .peakOnTimebaseBLine = true,
};

inline constexpr HardcopyTarget kPreviewHardcopy{
    .kind = HardcopyKind::Preview,
    .statusLine = StatusLineTarget::Preview,
    .hasHeadline = true,
    .hasNotes = true,
    .clearsFirst = true,
    .fontFace = "Courier New",
    .fontPoints = 0,
    .topSpace = 80,
    .bottomSpace = -200,
    .lineStep = frameLineStep(80, -200),
    .headlineColumns = 79,
    .headlineBase = 80,
    .headlineOnWholeUnits = false,
    .timeLineNamesStoredFile = false,
    .heavyWidth = 2,
    .traceWidth = 1,
    .timebaseBTraceWidth = 3,
    .xyDotWidth = 2,
    .levelMarkWidth = 1,
    .triggerMarkWidth = 2,
    .statusRow = 1,
    .statusRaise = 0,
    .xyLabelRow = 1,
    .ch1ValuesRow = 2,
    .ch2ValuesRow = 3,
    .dtRow = 4.5,
    .timebaseBRow = 1,
    .cursor2Column = 700,
    .differenceColumn = 1200,
    .frequencyColumn = 500,
    .cursor2Label = "   Cursor II: ",
    .differenceLabel = "   Diff. I-II: ",
    .frequencyLabel = "1/dt: ",
    .peakOnTimebaseBLine = false,
};

inline constexpr HardcopyTarget kMetafileHardcopy{
    .kind = HardcopyKind::Metafile,
    .statusLine = StatusLineTarget::Metafile,
    .hasHeadline = false,
    .hasNotes = false,
    .clearsFirst = true,
    .fontFace = "MS Sans Serif",
    .fontPoints = 18,
    .topSpace = 30,
    .bottomSpace = -40,
    .lineStep = 6.5,
    .headlineColumns = 80,
    .headlineBase = 79,
    .headlineOnWholeUnits = false,
    .timeLineNamesStoredFile = false,
    .heavyWidth = 1,
    .traceWidth = 2,
    .timebaseBTraceWidth = 4,
    .xyDotWidth = 2,
    .levelMarkWidth = 1,
    .triggerMarkWidth = 2,
    .statusRow = 1.5,
    .statusRaise = 0,
    .xyLabelRow = 1.5,
    .ch1ValuesRow = 2.5,
    .ch2ValuesRow = 3.5,
    .dtRow = 4.5,
    .timebaseBRow = 1.3,
    .cursor2Column = 700,
    .differenceColumn = 1200,
    .frequencyColumn = 500,
    .cursor2Label = "   Cursor II: ",
    .differenceLabel = "   Diff. I-II: ",
    .frequencyLabel = "1/dt: ",
    .peakOnTimebaseBLine = false,
};

inline const HardcopyTarget& hardcopyTarget(HardcopyKind kind)
{
    switch (kind) {
        case HardcopyKind::Printer: return kPrinterHardcopy;
        case HardcopyKind::Preview: return kPreviewHardcopy;
        case HardcopyKind::Metafile: return kMetafileHardcopy;
    }
    return kPrinterHardcopy;
}

}  // namespace ql
