#pragma once
// The harmonic current emissions test seen from the core: from the line current on CH I (a
// voltage across a current probe or shunt) it keeps the current sweep, a max-hold spectrum
// and a running average over up to 64 sweeps, finds the line frequency (50 or 60 Hz,
// automatically if asked), measures every harmonic in amperes and in per cent of the
// fundamental, judges each against the chosen limit definition and forms the overall result.
//
// A record is scaled by the settings it was read with and enters the accumulation only when it
// can be judged (the line frequency has a spectral line at its time base), once: when it
// arrives, or when the accumulation starts again (Clear, Start, the opening of the window).
// Every other run (a resize, a tab switch, the redraw after a panel edit) judges the same
// accumulation again. A sweep at another time per division starts the accumulation again.

#include <array>
#include <string>
#include <vector>

#include "HarmonicTexts.h"
#include "LimitSource.h"
#include "state/NumberFormat.h"
#include "state/ProgramState.h"

namespace ql {

// One row of the result table: harmonic `order` on its spectral line, its levels in spectrum
// units (the peaks next to the line: average, max-hold and current sweep, the last for the
// chart's bars), its verdict and the seven cell texts.
struct HarmonicRow {
    int order = 0;  // 1 is the fundamental
    int line = 0;
    double averageLevel = 0.0, maxHoldLevel = 0.0, sweepLevel = 0.0;
    HarmonicVerdict verdict = HarmonicVerdict::NotDefined;
    std::array<std::string, kHarmonicColumnCount> cells;
};

// What the last run that got as far as CH I left for the window, the report and the export.
// Without a usable input the table is empty, the labels are empty and the result is None.
struct HarmonicsResult {
    bool judged = false;      // false: no result, `reason` says why
    std::string reason;       // why there is no result
    double timePerDiv = 0.0;  // of the time base the rows were measured on
    int fundamentalLine = 0;  // line of the fundamental (FftCursorCh1)
    double rmsAmperes = 0.0;  // true RMS of the last sweep's record
    double fundamentalAmperes = 0.0;
    std::string rmsText;            // "I rms:"
    std::string fundamentalText;    // "Pk I-rms:"
    std::string lineFrequencyText;  // beside the level labels, " 50Hz"
    std::vector<HarmonicRow> rows;  // harmonics 1, 2, ... whose line is at most 1024
    OverallResult overall = OverallResult::None;
};

enum class HarmonicsRun {
    Judged,      // the result holds a new table
    NoResult,    // the settings give no usable input: empty table, overall result None
    ChannelOff,  // CH I is off: nothing computed, the result and the spectra stay as they were
};

// One run of the analysis, after every screen redraw while the harmonics window is open and
// on the window's own events. Reads the options of HarmView (window function, automatic
// frequency, Max. Hold, volts per ampere, power factor, the definition named by harmLimitName,
// looked up in `limits`) and writes the spectra, harmLineFreq when the automatic choice
// switches (which restarts the max-hold from the current sweep), harmFundamentalLevel,
// harmPeakBin, harmOverallResult, fftMaxLevelCh1 and fftCursorCh1.
//
// No usable input is: no waveform read or loaded yet, a record read with a time/div or CH I
// volts/div setting without a scale value or with CH I off, volts per ampere not above 0 or not
// finite, a line frequency not above 0, or a fundamental line outside 1..1024. A record without
// a usable input leaves the accumulation as it was; so does one read before the Start of the
// acquisition (older than harmFirstGeneration).
HarmonicsRun analyzeHarmonics(ProgramState& s, LimitSource& limits, HarmonicsResult& result,
                              char decimalSign = systemDecimalSign());

// Clear and Start: the current sweep, the max-hold spectrum and the average are erased, the
// count and the fundamental's level start again and nothing is judged; the next run takes the
// record in hand as its first sweep.
void clearHarmonics(ProgramState& s);
// The opening of the window: the max-hold spectrum and the average are erased, the count
// starts again and nothing is judged; the next run takes the record in hand as its first sweep,
// whenever it was read.
void resetHarmonicsOnOpening(ProgramState& s);

}  // namespace ql
