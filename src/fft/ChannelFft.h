#pragma once
// The spectrum of one channel from the waveform in the shared state: the 2046 samples in
// volts, padded to 2048 with the last sample, weighted by the chosen window (which removes the
// mean), transformed, the DC line cleared and the highest line found. Results stay in the
// shared FFT buffers and fields for the cursor readout, printouts and pictures.

#include <string>

#include "FftCursor.h"
#include "WindowFunction.h"
#include "state/ProgramState.h"
#include "state/Scaling.h"
#include "state/Status.h"

namespace ql {

enum class SpectrumOutcome {
    Computed,    // buffers, fields and readout texts are new
    ChannelOff,  // the channel is off: nothing changed, the chart shows "Not actual"
    NoSpectrum,  // the settings give no scale: nothing changed, `reason` says why
};

inline constexpr const char* kNotActualText = "Not actual";

struct ChannelSpectrumResult {
    SpectrumOutcome outcome = SpectrumOutcome::ChannelOff;
    std::string reason;
    int maxLine = 0;            // first line of the highest magnitude among 1..1024; 0 if none
    double maxFrequency = 0.0;  // Hz
    std::string maxFrequencyText, maxLevelDbvText, maxLevelVoltsText, dcLevelText;
    LineReadout cursor;  // readout at the chart's cursor line
};

// Volts per sample code of a channel and seconds per division of the time base in use, or the
// text that says why the settings give no spectrum (a volts/div or time/div code without a
// table value, or FFT buffers shorter than 2049 elements); by the state's settings or by those
// a record was read with.
struct SpectrumScale {
    double voltsPerCode = 0.0;
    double timePerDiv = 0.0;
};
Result<SpectrumScale> spectrumScale(const ProgramState& s, Channel ch);
Result<SpectrumScale> spectrumScale(const ProgramState& s, const DdfSettings& readWith, Channel ch);

// Record, window, transform, DC line and maximum of one channel with a checked scale: writes
// FftSamples, FftImagIn, FftRealOut, FftImagOut, WaveMeanLevel, lines 0..1024 of the channel's
// spectrum array and its maximum level. Returns the line of the maximum.
int computeChannelMagnitudes(ProgramState& s, Channel ch, WindowFunction window,
                             double voltsPerCode);

// The whole computation behind the CH I or CH II chart with its readout texts.
ChannelSpectrumResult computeChannelSpectrum(ProgramState& s, Channel ch, WindowFunction window,
                                             char decimalSign = systemDecimalSign());

}  // namespace ql
