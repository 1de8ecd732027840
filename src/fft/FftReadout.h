#pragma once
// Texts of the FFT window's readout cells. Frequencies switch to kHz at 1000 Hz and to MHz at
// 1000000 Hz with two decimals; levels show volts with three decimals and dBV with one. The
// decimal sign is the user's (pass '.' for a fixed one).

#include <string>

#include "state/NumberFormat.h"

namespace ql {

// How the kilo prefix is written: the readouts written with a chart use "kHz", the readout
// that follows a cursor drag writes "KHz".
enum class KiloStyle { Lower, Upper };

// "###0.00Hz", "###0.00kHz" (or "###0.00KHz") or "###0.00MHz" of a frequency in Hz.
std::string frequencyText(double hz, KiloStyle kilo, char decimalSign = systemDecimalSign());

// "0.000V" of a level in volts: unlike the screen readouts ("#.000V", ".250V"), a level below
// 1 V keeps its leading zero ("0.250V").
std::string spectrumVoltsText(double volts, char decimalSign = systemDecimalSign());

// "0.0dBV" of a level in dBV.
std::string dbvText(double dbv, char decimalSign = systemDecimalSign());

}  // namespace ql
