#include "DualFft.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "FftLevels.h"

namespace ql {

namespace {

// The dB floor of each channel in the log difference views lies this far below its maximum.
constexpr double kLogRangeDb = 50.0;

void prepareDifference(ProgramState& s, DualView view, bool logLevels)
{
    std::vector<double>& one = s.fftBuf.spectrumCh1;
    std::vector<double>& two = s.fftBuf.spectrumCh2;
    // Lines 0..FftSpan; the zoom keeps FftSpan within 1024, this keeps any value in bounds.
    const int last = std::min<int>(s.fft.fftSpan, kSpectrumLastLine);
    const double floor1 = spectrumDbv(s.fft.fftMaxLevelCh1) - kLogRangeDb;
    const double floor2 = spectrumDbv(s.fft.fftMaxLevelCh2) - kLogRangeDb;
    for (int i = 0; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (logLevels) {
            one[k] = std::max(spectrumDbv(one[k]), floor1);
            two[k] = std::max(spectrumDbv(two[k]), floor2);
            one[k] = (view == DualView::OneMinusTwo ? one[k] - two[k] : two[k] - one[k]) *
                     kSpectrumUnitsPerVolt;
        } else {
            one[k] = view == DualView::OneMinusTwo ? one[k] - two[k] : two[k] - one[k];
        }
    }
    double maxLevel = one[0];
    double minLevel = one[0];
    for (int i = 1; i <= last; ++i) {
        const double v = one[static_cast<std::size_t>(i)];
        if (v > maxLevel) maxLevel = v;
        if (v < minLevel) minLevel = v;
    }
    s.fft.fftDualMax = maxLevel;
    s.fft.fftDualMin = minLevel;
}

}  // namespace

DualSpectrumResult computeDualSpectrum(ProgramState& s, WindowFunction window, DualView view,
                                       bool logLevels, char decimalSign)
{
    DualSpectrumResult r;
    if (s.ddf.ch1On != 1 || s.ddf.ch2On != 1) {
        r.outcome = SpectrumOutcome::ChannelOff;
        r.reason = kNotActualText;
        return r;
    }
    const Result<SpectrumScale> scale1 = spectrumScale(s, Channel::Ch1);
    const Result<SpectrumScale> scale2 = spectrumScale(s, Channel::Ch2);
    if (!scale1 || !scale2) {
        r.outcome = SpectrumOutcome::NoSpectrum;
        r.reason = (!scale1 ? scale1 : scale2).failure().text;
        return r;
    }

    r.outcome = SpectrumOutcome::Computed;
    computeChannelMagnitudes(s, Channel::Ch1, window, scale1.value().voltsPerCode);
    computeChannelMagnitudes(s, Channel::Ch2, window, scale2.value().voltsPerCode);
    if (view == DualView::Both) {
        s.fft.fftDualMax = std::max(s.fft.fftMaxLevelCh1, s.fft.fftMaxLevelCh2);
        s.fft.fftDualMin = std::min(s.fft.fftMaxLevelCh1, s.fft.fftMaxLevelCh2);
    } else {
        prepareDifference(s, view, logLevels);
    }
    clampDualCursor(s.fft, view);
    r.cursor = dualCursorReadout(s, view, logLevels, KiloStyle::Lower, decimalSign);
    return r;
}

}  // namespace ql
