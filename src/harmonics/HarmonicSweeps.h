#pragma once
// The spectra of the harmonics test, kept in the shared buffers: the current sweep
// (FftBuffers::spectrumCh2), the max-hold spectrum (spectrumCh1) and the running average
// (HarmTestState::harmAvgSpectrum, over up to 64 sweeps), lines 0..1024; and the searches the
// analysis, the chart and the row marker make on them.

#include <cstdint>
#include <span>

#include "state/ProgramState.h"

namespace ql {

inline constexpr int kHarmonicMaxSweeps = 64;
// The last line the peak searches look at: the line at half the sample rate is never searched.
inline constexpr int kHarmonicLastSearchedLine = 1023;

// Spectral line of a frequency for a time per division: the whole part of f / (200 / T) x
// 2048 (200 samples per division, 2048-point transform). Kept inside -1..1000000000, so a
// frequency that gives no line (not a number) reads -1.
std::int64_t harmonicLine(double hz, double timePerDiv);

// The largest value of a spectrum among lines max(1, n - 1) to min(1023, n + 1), the first of
// equal values winning; a level of 0 and no line when none of them is above 0 or the range is
// empty.
struct HarmonicPeak {
    double level = 0.0;
    int line = -1;  // -1: no value above 0
    bool found() const { return line >= 0; }
};
HarmonicPeak findHarmonicPeak(std::span<const double> spectrum, std::int64_t line);

// Transforms the CH I record in hand, scaled by `voltsPerCode`, into the current sweep: its
// samples 1..2046 in volts (padded to 2048 with the last one), their mean of absolute values
// (WaveMeanLevel, the DC the Hanning window removes), the window of harmWindowCode (1
// Rectangle, any other Hanning), the transform into spectrumCh2 with line 0 cleared. Returns the
// record's RMS in volts. Needs the buffers spectrumScale checks.
double transformHarmonicRecord(ProgramState& s, double voltsPerCode);

// No sweep has entered the max-hold spectrum and the average since they were cleared.
bool harmonicAccumulationEmpty(const HarmTestState& t);

// The current sweep, read at `timePerDiv`, enters the accumulation: it raises the max-hold
// spectrum and enters the average with weight 1 / harmAverageCount (1 replaces it), and the
// count grows up to 64. Sweeps of another time per division are dropped first, since their
// lines lie at other frequencies. The record's generation counts as swept and its RMS is kept.
// Needs an average of 1025 lines.
void accumulateHarmonicSweep(ProgramState& s, double timePerDiv, double rmsVolts);

// The line frequency the current sweep shows: 60 Hz when its peak near the 60 Hz line is above
// the one near the 50 Hz line, else (ties included) 50 Hz.
float automaticLineFrequency(const ProgramState& s, double timePerDiv);

// The max-hold spectrum starts again from the current sweep.
void restartMaxHold(ProgramState& s);

// The largest max-hold value of lines 0..1024: the chart's full scale.
double maxHoldPeak(const ProgramState& s);

}  // namespace ql
