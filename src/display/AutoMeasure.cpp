#include "AutoMeasure.h"

#include <cmath>

#include "CursorReadout.h"
#include "ReadoutText.h"
#include "VisibleExtremes.h"
#include "state/Numeric.h"
#include "state/Scaling.h"

namespace ql {

namespace {

constexpr int kHysteresis = 3;
constexpr int kNotFoundX = 3000;  // no visible x takes this value

struct ChannelInputs {
    Channel channel;
    const Waveform& codes;
    std::int16_t min, max;
    std::int16_t& periodStart;
    std::int16_t& periodEnd;
};

struct PeriodSearch {
    int startX = kNotFoundX, endX = kNotFoundX;
    double mean = 0.0;
};

// Band crossings: 1/2 first seen below/above the band, 10/20 period started (rising/falling),
// 11/21 left the band on the other side, 12/22 period ended.
PeriodSearch searchPeriod(const ProgramState& s, const ChannelInputs& in, bool visibleSamples)
{
    PeriodSearch r;
    const int mid = measureMidLevel(in.min, in.max);
    const int low = mid - kHysteresis, high = mid + kHysteresis;
    const int originX = traceOriginX(s.ddf.horPosition);
    const int visFirst = s.measure.visFirst, visLast = s.measure.visLast;
    int state = 0;
    for (int i = kFirstSample; i <= kLastShownSample; ++i) {
        const int c = in.codes[static_cast<std::size_t>(i)];
        r.mean += c / static_cast<double>(kLastShownSample);
        const int x = originX + i;
        if (!visibleSamples || !(visFirst < x && x < visLast)) continue;
        const auto index = static_cast<std::int16_t>(i);
        if (state == 0 && c < low) state = 1;
        if (state == 0 && c > high) state = 2;
        if ((state == 1 && c > high) || (state == 2 && c < low)) {
            state *= 10;
            r.startX = x;
            in.periodStart = index;
        }
        if (state == 10 && c < low) state = 11;
        if (state == 20 && c > high) state = 21;
        if ((state == 11 && c > high) || (state == 21 && c < low)) {
            state += 1;
            r.endX = x;
            in.periodEnd = index;
        }
    }
    return r;
}

std::optional<double> periodTimePerDiv(const ProgramState& s)
{
    return s.ddf.timebaseMode >= 3 ? timebaseBTimePerDiv(s) : timebaseATimePerDiv(s);
}

ChannelMeasurement measureChannel(ProgramState& s, const ChannelInputs& in, char decimalSign)
{
    ChannelMeasurement m;
    m.measured = true;
    const bool anyVisible = in.max >= in.min;
    const PeriodSearch search = searchPeriod(s, in, anyVisible);

    const auto perCode = channelVoltsPerCode(s, in.channel);
    const int zero =
        (in.channel == Channel::Ch1 ? s.preamble.ch1ZeroOffset : s.preamble.ch2ZeroOffset) +
        kZeroCodeBase;
    if (anyVisible && perCode) {
        m.vpPlus = (in.max - zero) * *perCode;
        m.vpMinus = (in.min - zero) * *perCode;
        m.vpp = *m.vpPlus - *m.vpMinus;
        m.vav = (search.mean - zero) * *perCode;
        m.vpPlusText = readoutVoltsText(*m.vpPlus, decimalSign);
        m.vpMinusText = readoutVoltsText(*m.vpMinus, decimalSign);
        m.vppText = voltsDifferenceText(*m.vpp, decimalSign);
        m.vavText = readoutVoltsText(*m.vav, decimalSign);
    } else {
        m.vpPlusText = m.vpMinusText = m.vppText = m.vavText = kNoValueText;
    }

    m.periodText = m.frequencyText = kNoValueText;
    const auto perDiv = periodTimePerDiv(s);
    if (!perDiv || search.startX >= kNotFoundX || search.endX >= kNotFoundX) return m;
    const double period = std::fabs((search.endX - search.startX) / kSamplesPerDivision) * *perDiv;
    if (period <= 0) return m;
    m.period = period;
    m.frequency = 1 / period;
    m.periodText = timeText(period, decimalSign);
    m.frequencyText = frequencyText(*m.frequency, decimalSign);
    return m;
}

ChannelMeasurement notMeasured()
{
    ChannelMeasurement m;
    m.vpPlusText = m.vpMinusText = m.vppText = m.vavText = kOffText;
    m.periodText = m.frequencyText = kNoValueText;
    return m;
}

bool isCursorPosition(int index)
{
    return index >= kFirstCursorPosition && index <= kLastCursorPosition;
}

}  // namespace

int measureMidLevel(int minCode, int maxCode)
{
    return static_cast<int>(roundHalfEven(minCode + (maxCode - minCode) / 2.0));
}

std::optional<AutoMeasurement> autoMeasure(ProgramState& s, char decimalSign)
{
    if (s.screen.noDataYet == 1) return std::nullopt;
    AutoMeasurement result;
    MeasurePoints& mp = s.measure;
    if (s.ddf.ch1On == 1) {
        const ChannelInputs in{Channel::Ch1, s.waves.waveCh1,   mp.ch1Min,
                               mp.ch1Max,    mp.ch1PeriodStart, mp.ch1PeriodEnd};
        result.ch1 = measureChannel(s, in, decimalSign);
    } else {
        result.ch1 = notMeasured();
    }
    if (s.ddf.ch2On == 1 && s.ddf.verAdd == 0) {
        const ChannelInputs in{Channel::Ch2, s.waves.waveCh2,   mp.ch2Min,
                               mp.ch2Max,    mp.ch2PeriodStart, mp.ch2PeriodEnd};
        result.ch2 = measureChannel(s, in, decimalSign);
    } else {
        result.ch2 = notMeasured();
    }
    return result;
}

std::optional<CursorTargets> cursorTargetsForCell(const MeasurePoints& m, MeasureCell cell)
{
    CursorTargets t;
    switch (cell) {
        case MeasureCell::Ch1Voltage: t = {m.ch1MaxIndex, m.ch1MinIndex}; break;
        case MeasureCell::Ch1Timing: t = {m.ch1PeriodEnd, m.ch1PeriodStart}; break;
        case MeasureCell::Ch2Voltage: t = {m.ch2MaxIndex, m.ch2MinIndex}; break;
        case MeasureCell::Ch2Timing: t = {m.ch2PeriodEnd, m.ch2PeriodStart}; break;
    }
    if (!isCursorPosition(t.cursor1) || !isCursorPosition(t.cursor2)) return std::nullopt;
    return t;
}

bool moveCursorsToMeasurement(ProgramState& s, MeasureCell cell)
{
    const auto targets = cursorTargetsForCell(s.measure, cell);
    if (!targets) return false;
    setCursorPositions(s, targets->cursor1, targets->cursor2);
    return true;
}

}  // namespace ql
