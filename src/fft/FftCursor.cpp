#include "FftCursor.h"

#include <cmath>
#include <cstddef>

#include "FftLevels.h"
#include "state/Numeric.h"

namespace ql {

namespace {

std::optional<std::string> frequencyAt(const ProgramState& s, double line, KiloStyle kilo,
                                       char decimalSign)
{
    const auto t = spectrumTimePerDiv(s);
    if (!t) return std::nullopt;
    return frequencyText(lineFrequency(*t, line), kilo, decimalSign);
}

}  // namespace

bool cursorDragActive(int buttons, double x)
{
    return buttons == 1 && x > 1.0;
}

std::optional<int> cursorSpectrumLine(double cursor)
{
    const auto line = roundClamp(cursor, -1, kSpectrumLastLine + 1);
    if (line < 0 || line > kSpectrumLastLine) return std::nullopt;
    return static_cast<int>(line);
}

LineReadout channelCursorReadout(const ProgramState& s, Channel ch, KiloStyle kilo,
                                 char decimalSign)
{
    const bool one = ch == Channel::Ch1;
    const double cursor = one ? s.fft.fftCursorCh1 : s.fft.fftCursorCh2;
    const std::vector<double>& spectrum = one ? s.fftBuf.spectrumCh1 : s.fftBuf.spectrumCh2;

    LineReadout r;
    r.frequencyText = frequencyAt(s, cursor, kilo, decimalSign);
    const auto line = cursorSpectrumLine(cursor);
    if (line && static_cast<std::size_t>(*line) < spectrum.size()) {
        const double level = spectrum[static_cast<std::size_t>(*line)];
        r.voltsText = spectrumVoltsText(spectrumVolts(level), decimalSign);
        r.dbvText = dbvText(spectrumDbv(level), decimalSign);
    }
    return r;
}

std::optional<LineReadout> dragChannelCursor(ProgramState& s, Channel ch, int buttons, double x,
                                             char decimalSign)
{
    if (!cursorDragActive(buttons, x)) return std::nullopt;
    const double line = std::floor(x);
    (ch == Channel::Ch1 ? s.fft.fftCursorCh1 : s.fft.fftCursorCh2) = line < 0.0 ? 0.0 : line;
    return channelCursorReadout(s, ch, KiloStyle::Upper, decimalSign);
}

void clampDualCursor(FftView& v, DualView view)
{
    if (v.fftDualCursorX < 0.0) v.fftDualCursorX = 0.0;
    const double bottom = view == DualView::Both ? 0.0 : v.fftDualMin;
    if (v.fftDualCursorY < bottom) v.fftDualCursorY = bottom;
    if (v.fftDualCursorY > v.fftDualMax) v.fftDualCursorY = v.fftDualMax;
}

std::string dualLevelText(const FftView& v, DualView view, bool logLevels, double y,
                          char decimalSign)
{
    if (!logLevels) return spectrumVoltsText(y / kSpectrumUnitsPerVolt, decimalSign);
    if (view != DualView::Both) return dbvText(y / kSpectrumUnitsPerVolt, decimalSign);
    const double pMax = spectrumDbv(v.fftDualMax);
    const double pMin = spectrumDbv(v.fftDualMin);
    // With both spectra silent the axis has no height: the cursor then stands on its bottom.
    const double ratio = v.fftDualMax != 0.0 ? y / v.fftDualMax : 0.0;
    return dbvText(pMin - 50.0 + ratio * (pMax - pMin + 50.0), decimalSign);
}

DualReadout dualCursorReadout(const ProgramState& s, DualView view, bool logLevels, KiloStyle kilo,
                              char decimalSign)
{
    return DualReadout{frequencyAt(s, s.fft.fftDualCursorX, kilo, decimalSign),
                       dualLevelText(s.fft, view, logLevels, s.fft.fftDualCursorY, decimalSign)};
}

std::optional<DualReadout> dragDualCursor(ProgramState& s, DualView view, bool logLevels,
                                          int buttons, double x, double y, char decimalSign)
{
    if (!cursorDragActive(buttons, x)) return std::nullopt;
    s.fft.fftDualCursorX = std::floor(x);
    s.fft.fftDualCursorY = std::floor(y);
    clampDualCursor(s.fft, view);
    return dualCursorReadout(s, view, logLevels, KiloStyle::Upper, decimalSign);
}

}  // namespace ql
