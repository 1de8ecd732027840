#include "FftTestState.h"

#include <cmath>

#include "state/InitProgramState.h"

namespace ql::test {

ProgramState spectrumState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.ddf.ch1On = s.ddf.ch2On = 1;
    s.ddf.ch1VoltsIndex = s.ddf.ch2VoltsIndex = 8;
    s.ddf.ch1Variable = s.ddf.ch2Variable = 255;
    s.ddf.ch1ProbeFactor = s.ddf.ch2ProbeFactor = 1;
    s.ddf.tbAIndex = 13;
    s.fft.fftSpan = 1024;
    for (int i = 1; i <= kLastShownSample; ++i) s.waves.waveCh1[i] = s.waves.waveCh2[i] = 127;
    return s;
}

void fillSine(Waveform& wave, int zeroCode, double amplitude, double line, double phase, double dc)
{
    for (int i = 1; i <= kLastShownSample; ++i) {
        const double x = amplitude * std::sin(2 * M_PI * line * (i - 1) / 2048 + phase);
        wave[i] = static_cast<std::int16_t>(std::lround(zeroCode + dc + x));
    }
}

SpectrumSnapshot snapshot(const ProgramState& s)
{
    const FftBuffers& b = s.fftBuf;
    const FftView& v = s.fft;
    return {{b.fftSamples, b.fftImagIn, b.fftRealOut, b.fftImagOut, b.spectrumCh1, b.spectrumCh2},
            {v.fftMaxLevelCh1, v.fftMaxLevelCh2, v.fftDualMax, v.fftDualMin, v.fftDualCursorX,
             v.fftDualCursorY, v.waveMeanLevel}};
}

}  // namespace ql::test
