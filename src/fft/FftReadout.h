#pragma once
// Texts of the FFT window's readout cells. Frequencies switch to kHz at 1000 Hz and to MHz at
// 1000000 Hz with two decimals; levels show volts with three decimals and dBV with one. The
// decimal sign is the user's (pass '.' for a fixed one).

#include <string>

#include "state/NumberFormat.h"

namespace ql {

// How the kilo prefix is written: the readouts written with a chart use "kHz", the readout
// that follows a cursor drag writes "KHz", and the spectrum printouts and pictures "kHZ".
enum class KiloStyle { Lower, Upper, Page };

// "###0.00Hz", "###0.00kHz" (or "###0.00KHz", "###0.00kHZ") or "###0.00MHz" of a frequency in
// Hz.
std::string frequencyText(double hz, KiloStyle kilo, char decimalSign = systemDecimalSign());

// "0.000V" of a level in volts: unlike the screen readouts ("#.000V", ".250V"), a level below
// 1 V keeps its leading zero ("0.250V").
std::string spectrumVoltsText(double volts, char decimalSign = systemDecimalSign());

// "0.0dBV" of a level in dBV.
std::string dbvText(double dbv, char decimalSign = systemDecimalSign());

// Labels of the chart axes, which carry no unit. A frequency: "###0.00" in Hz, "###0.00K" in
// kHz from 1000 Hz, "###0.00M" in MHz from 1000000 Hz.
std::string frequencyAxisText(double hz, char decimalSign = systemDecimalSign());
// A level in spectrum units shown in volts (or in dB for the log difference views, whose
// levels are dB x 1000), with fewer decimals as it grows: "###0.00" up to 10000 units,
// "###0.0" up to 100000, "###0" above.
std::string levelAxisText(double level, char decimalSign = systemDecimalSign());
// A level in dBV or dB on a logarithmic axis: "###.0" (0 reads ".0").
std::string decibelAxisText(double db, char decimalSign = systemDecimalSign());

}  // namespace ql
