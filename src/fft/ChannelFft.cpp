#include "ChannelFft.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FftLevels.h"
#include "Fourier.h"

namespace ql {

namespace {

constexpr int kRecordSamples = kLastShownSample;  // samples 1..2046 make the record

bool buffersComplete(const FftBuffers& b)
{
    for (const std::vector<double>* v : {&b.fftSamples, &b.fftImagIn, &b.fftRealOut, &b.fftImagOut,
                                         &b.spectrumCh1, &b.spectrumCh2}) {
        if (v->size() < static_cast<std::size_t>(kFftBufferSize)) return false;
    }
    return true;
}

Failure noSpectrum(const std::string& why)
{
    return Failure{"No spectrum: " + why, "FFT", MessageIcon::Information};
}

}  // namespace

Result<SpectrumScale> spectrumScale(const ProgramState& s, Channel ch)
{
    return spectrumScale(s, s.ddf, ch);
}

Result<SpectrumScale> spectrumScale(const ProgramState& s, const DdfSettings& readWith, Channel ch)
{
    const auto perCode = channelVoltsPerCode(s.tables, readWith, ch);
    if (!perCode) {
        return noSpectrum(std::string("the volts/div setting of ") +
                          (ch == Channel::Ch1 ? "CH I" : "CH II") + " has no scale value.");
    }
    const auto perDiv = spectrumTimePerDiv(s.tables, readWith);
    if (!perDiv) return noSpectrum("the time/div setting has no scale value.");
    if (!buffersComplete(s.fftBuf)) return noSpectrum("the FFT buffers are too short.");
    return SpectrumScale{*perCode, *perDiv};
}

int computeChannelMagnitudes(ProgramState& s, Channel ch, WindowFunction window,
                             double voltsPerCode)
{
    const bool one = ch == Channel::Ch1;
    const Waveform& wave = one ? s.waves.waveCh1 : s.waves.waveCh2;
    const std::int32_t zero =
        std::int32_t{one ? s.preamble.ch1ZeroOffset : s.preamble.ch2ZeroOffset} + kZeroCodeBase;
    std::vector<double>& spectrum = one ? s.fftBuf.spectrumCh1 : s.fftBuf.spectrumCh2;
    std::vector<double>& samples = s.fftBuf.fftSamples;

    std::fill(s.fftBuf.fftImagIn.begin(), s.fftBuf.fftImagIn.end(), 0.0);
    double v = 0.0;
    std::int64_t codeSum = 0;
    for (int i = kFirstSample; i <= kRecordSamples; ++i) {
        // Taken in 32 bits: a code minus an extreme zero offset does not fit 16 bits.
        const std::int32_t code = std::int32_t{wave[static_cast<std::size_t>(i)]} - zero;
        v = code * voltsPerCode;
        samples[static_cast<std::size_t>(i - 1)] = v;
        codeSum += code;
    }
    // The mean is taken over the exact sum of the codes, so a constant record loses its DC
    // exactly to the window instead of leaving rounding residue that would read as a line.
    s.fft.waveMeanLevel = static_cast<double>(codeSum) / kRecordSamples * voltsPerCode;
    // Two points short of 2048: the last sample is repeated.
    samples[kRecordSamples] = v;
    samples[kRecordSamples + 1] = v;

    // The scale check made sure every buffer holds 2049 elements, so neither call can fail.
    (void)applyWindow(window, kFftLength, samples, s.fft.waveMeanLevel);
    (void)fourier(kFftLength, samples, s.fftBuf.fftImagIn, s.fftBuf.fftRealOut, s.fftBuf.fftImagOut,
                  spectrum, false);
    spectrum[0] = 0.0;  // the DC line is never shown; the DC level has its own readout

    double maxLevel = 0.0;
    int maxLine = 0;
    for (int k = 1; k <= kSpectrumLastLine; ++k) {
        if (spectrum[static_cast<std::size_t>(k)] > maxLevel) {
            maxLevel = spectrum[static_cast<std::size_t>(k)];
            maxLine = k;
        }
    }
    (one ? s.fft.fftMaxLevelCh1 : s.fft.fftMaxLevelCh2) = maxLevel;
    return maxLine;
}

ChannelSpectrumResult computeChannelSpectrum(ProgramState& s, Channel ch, WindowFunction window,
                                             char decimalSign)
{
    ChannelSpectrumResult r;
    const bool one = ch == Channel::Ch1;
    if ((one ? s.ddf.ch1On : s.ddf.ch2On) != 1) {
        r.outcome = SpectrumOutcome::ChannelOff;
        r.reason = kNotActualText;
        return r;
    }
    const Result<SpectrumScale> scale = spectrumScale(s, ch);
    if (!scale) {
        r.outcome = SpectrumOutcome::NoSpectrum;
        r.reason = scale.failure().text;
        return r;
    }

    r.outcome = SpectrumOutcome::Computed;
    r.maxLine = computeChannelMagnitudes(s, ch, window, scale.value().voltsPerCode);
    const double maxLevel = one ? s.fft.fftMaxLevelCh1 : s.fft.fftMaxLevelCh2;
    r.maxFrequency = lineFrequency(scale.value().timePerDiv, r.maxLine);
    r.maxFrequencyText = frequencyText(r.maxFrequency, KiloStyle::Lower, decimalSign);
    r.maxLevelDbvText = dbvText(spectrumDbv(maxLevel), decimalSign);
    r.maxLevelVoltsText = spectrumVoltsText(spectrumVolts(maxLevel), decimalSign);
    r.dcLevelText = spectrumVoltsText(s.fft.waveMeanLevel, decimalSign);
    r.cursor = channelCursorReadout(s, ch, KiloStyle::Lower, decimalSign);
    return r;
}

}  // namespace ql
