#include "VisibleExtremes.h"

#include <algorithm>

namespace ql {

namespace {

TraceExtremes extremesOf(const Waveform& codes, int originX, const VisibleWindow& window)
{
    TraceExtremes e;
    for (int i = kFirstSample; i <= kLastShownSample; ++i) {
        if (!window.contains(originX + i)) continue;
        const std::int16_t c = codes[static_cast<std::size_t>(i)];
        const auto index = static_cast<std::int16_t>(i);
        // The first visible sample sets both extremes, so a trace of constant code still
        // names the sample that holds it.
        if (!e.anyVisible || c > e.max) {
            e.max = c;
            e.maxIndex = index;
        }
        if (!e.anyVisible || c < e.min) {
            e.min = c;
            e.minIndex = index;
        }
        e.anyVisible = true;
    }
    return e;
}

void storeTrace(const TraceExtremes& e, std::int16_t& min, std::int16_t& max,
                std::int16_t& minIndex, std::int16_t& maxIndex)
{
    min = e.min;
    max = e.max;
    if (e.anyVisible) {
        minIndex = e.minIndex;
        maxIndex = e.maxIndex;
    }
}

}  // namespace

VisibleWindow visibleWindow(const DdfSettings& ddf, int magnifiedScroll)
{
    if (ddf.xMag10 != 1) return VisibleWindow{};
    const int v = std::clamp(magnifiedScroll, 0, kMagnifiedScrollMax);
    return VisibleWindow{v, v + kMagnifiedSteps};
}

VisibleExtremes findVisibleExtremes(const ProgramState& s, int magnifiedScroll)
{
    VisibleExtremes e;
    e.window = visibleWindow(s.ddf, magnifiedScroll);
    const int originX = traceOriginX(s.ddf.horPosition);
    if (s.ddf.ch1On == 1) e.ch1 = extremesOf(s.waves.waveCh1, originX, e.window);
    if (s.ddf.ch2On == 1 && s.ddf.verAdd == 0)
        e.ch2 = extremesOf(s.waves.waveCh2, originX, e.window);
    return e;
}

void storeVisibleExtremes(MeasurePoints& m, const VisibleExtremes& e)
{
    storeTrace(e.ch1, m.ch1Min, m.ch1Max, m.ch1MinIndex, m.ch1MaxIndex);
    storeTrace(e.ch2, m.ch2Min, m.ch2Max, m.ch2MinIndex, m.ch2MaxIndex);
    m.visFirst = static_cast<std::int16_t>(e.window.first);
    m.visLast = static_cast<std::int16_t>(e.window.last);
}

}  // namespace ql
