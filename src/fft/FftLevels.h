#pragma once
// Units of the spectra: a spectrum value is a magnitude of the 2048-point transform of samples
// in volts, and 1000 spectrum units read as 1 V; 0 dBV is 1 V. Line n lies at n x (200 / T) /
// 2048 Hz, T being the time per division of the time base in use (200 samples per division).

#include <optional>

#include "state/ProgramState.h"

namespace ql {

constexpr int kFftLength = 2048;
constexpr int kSpectrumLastLine = kFftLength / 2;  // line 1024, half the sample rate
constexpr double kSpectrumUnitsPerVolt = 1000.0;
// Values below this floor are taken as the floor before their logarithm: 0 reads -200 dBV.
constexpr double kLogFloor = 1e-10;

// Decimal logarithm with the argument first raised to kLogFloor (0 and negatives give -10).
double log10Floored(double v);

// Level of a spectrum value in volts and in dBV (20 log10(value / 1000), floored).
double spectrumVolts(double value);
double spectrumDbv(double value);

// Seconds per division of the time base the record was taken with: time base B when the
// time-base mode is 3 or more, else A, each with its variable. nullopt when the time/div
// code has no table entry (outside the table or 0), so no frequency can be given. By the given
// settings or the state's.
std::optional<double> spectrumTimePerDiv(const ScaleTables& tables, const DdfSettings& d);
std::optional<double> spectrumTimePerDiv(const ProgramState& s);

// Frequency in Hz of (fractional) line position x for a time per division.
double lineFrequency(double timePerDiv, double x);

}  // namespace ql
