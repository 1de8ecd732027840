#include "WaveformGenerator.h"

#include <algorithm>
#include <cmath>

#include "state/Numeric.h"

namespace ql::scopesim {

namespace {

constexpr double kCodesPerDiv = 25.0;
constexpr double kSamplesPerScreen = 2000.0;  // ten divisions of 200 samples
constexpr int kTriggerSearchSteps = 2048;
constexpr int kTriggerRefineSteps = 40;

// 1-2-5 sequence: step n is {1, 2, 5}[n % 3] x 10^(n / 3) x unit.
double oneTwoFive(int n, double unit)
{
    static constexpr double mantissa[] = {1.0, 2.0, 5.0};
    return mantissa[n % 3] * std::pow(10.0, n / 3) * unit;
}

}  // namespace

double voltsPerDivOfStep(int code)
{
    return oneTwoFive(std::clamp(code, 0, 13), 1e-3);
}

double timePerDivOfStep(int code)
{
    if (code == 31) return 20e-9;
    if (code < 0 || code > 28) return 0.0;
    return oneTwoFive(code + 2, 10e-9);  // code 0 = 50 ns
}

WaveformGenerator::WaveformGenerator(const InstrumentSettings& settings,
                                     const ModelProfile& profile, float firmware,
                                     const std::array<Signal, 2>& inputs)
    : settings_(settings), profile_(profile), firmware_(firmware), signals_(inputs)
{
}

double WaveformGenerator::voltsPerCode(int channel) const
{
    const MainBlock& m = settings_.main;
    const bool one = channel != 2;
    const int step = m.get(one ? MainField::Ch1VoltsIndex : MainField::Ch2VoltsIndex);
    const int variable = m.get(one ? MainField::Ch1Variable : MainField::Ch2Variable);
    const int probe = one ? settings_.ch1ProbeFactor : settings_.ch2ProbeFactor;
    const double gain = (255.0 - variable) / 255.0 * 1.5 + 1.0;
    return voltsPerDivOfStep(step) * probe * gain / kCodesPerDiv;
}

int WaveformGenerator::zeroOffset(int channel) const
{
    // A quarter code per position step: the full position range moves the trace by about
    // five divisions either way.
    const double position =
        positionFromWord(settings_.ddf1[channel == 2 ? kCh2Position : kCh1Position], firmware_);
    return static_cast<int>(std::clamp(roundHalfEven((position - 511.0) / 4.0), -128.0, 128.0));
}

std::uint8_t WaveformGenerator::codeOf(int channel, double volts) const
{
    const double code = zeroCode(channel) + volts / voltsPerCode(channel);
    return static_cast<std::uint8_t>(std::clamp(roundHalfEven(code), 0.0, 255.0));
}

double WaveformGenerator::coupledVolts(int channel, double t) const
{
    const MainBlock& m = settings_.main;
    const bool one = channel != 2;
    const int coupling = m.get(one ? MainField::Ch1Coupling : MainField::Ch2Coupling);
    const Signal& s = signals_[one ? 0 : 1];
    if (coupling & 2) return 0.0;  // GND
    double v = s.valueAt(t);
    if (coupling & 1) v -= s.mean();  // AC
    if (m.get(one ? MainField::Ch1Invert : MainField::Ch2Invert)) v = -v;
    return v;
}

double WaveformGenerator::sampleIntervalA() const
{
    const double variable = settings_.ddf1[kTbAVariable];
    return timePerDivOfStep(settings_.main.get(MainField::TbAIndex)) *
           (1.0 + 1.5 * variable / 1023.0) / 200.0;
}

double WaveformGenerator::sampleIntervalB() const
{
    const double variable = settings_.ddf1[kTbBVariable];
    return timePerDivOfStep(settings_.main.get(MainField::TbBIndex)) *
           (1.0 + 1.5 * variable / 1023.0) / 200.0;
}

double WaveformGenerator::levelCode(int levelWord) const
{
    // The trigger level's range 0..1023 spans the screen's eight divisions, codes 28..228.
    return 28.0 + std::clamp(levelWord, 0, 1023) * 200.0 / 1023.0;
}

double WaveformGenerator::triggerTime() const
{
    const MainBlock& m = settings_.main;
    const int source = m.get(MainField::TrigSource);
    const int lineCoupling = profile_.hasTimebaseB ? 7 : 6;
    // External and line triggering align to the signals' own time 0 (the line's zero crossing).
    if (source > 1 || m.get(MainField::TrigCoupling) == lineCoupling) return 0.0;
    const int channel = source + 1;
    const Signal& s = signals_[static_cast<std::size_t>(source)];
    if (!s.isPeriodic()) return 0.0;

    const double level =
        (levelCode(settings_.ddf1[kTrigLevelA]) - zeroCode(channel)) * voltsPerCode(channel);
    const bool rising = m.get(MainField::TrigSlopeA) == 0;
    auto crosses = [&](double a, double b) {
        const double va = coupledVolts(channel, a) - level;
        const double vb = coupledVolts(channel, b) - level;
        return rising ? (va < 0.0 && vb >= 0.0) : (va > 0.0 && vb <= 0.0);
    };
    const double step = s.period() / kTriggerSearchSteps;
    for (int k = 0; k < kTriggerSearchSteps; ++k) {
        double lo = k * step, hi = (k + 1) * step;
        if (!crosses(lo, hi)) continue;
        for (int i = 0; i < kTriggerRefineSteps; ++i) {
            const double mid = (lo + hi) / 2.0;
            if (crosses(lo, mid))
                hi = mid;
            else
                lo = mid;
        }
        return hi;
    }
    return 0.0;  // the level is never crossed: the instrument runs free
}

Preamble WaveformGenerator::preamble() const
{
    Preamble p;
    const int pretriggerIndex = settings_.main.get(MainField::PretriggerIndex);
    if (profile_.analogOnly)
        p.trigPos = 0;
    else if (profile_.variablePretrigger)
        p.trigPos = settings_.pretriggerPosition;
    else
        p.trigPos = static_cast<std::int16_t>((pretriggerIndex - 3) * 500);  // 25 % steps
    p.pre2 = kRecordLength;
    p.pre3 = static_cast<std::int16_t>(settings_.main.get(MainField::TbAIndex));
    p.ch1ZeroOffset = static_cast<std::int16_t>(zeroOffset(1));
    p.ch2ZeroOffset = static_cast<std::int16_t>(zeroOffset(2));
    return p;
}

WaveRecord WaveformGenerator::sampleRecord(int channel, double firstSampleTime,
                                           double interval) const
{
    WaveRecord r{};
    for (int i = 0; i < kRecordLength; ++i)
        r[static_cast<std::size_t>(i)] =
            codeOf(channel, coupledVolts(channel, firstSampleTime + i * interval));
    return r;
}

WaveRecord WaveformGenerator::channelRecord(int channel) const
{
    const double dtA = sampleIntervalA();
    const double start = triggerTime() - preamble().trigPos * dtA;
    if (profile_.hasTimebaseB && settings_.main.get(MainField::TimebaseMode) == 3) {
        const double delay = settings_.ddf1[kDelayPosition] / 4095.0 * kSamplesPerScreen * dtA;
        return sampleRecord(channel, start + delay, sampleIntervalB());
    }
    return sampleRecord(channel, start, dtA);
}

WaveRecord WaveformGenerator::timebaseBRecord(int channel) const
{
    const double dtA = sampleIntervalA();
    const double start = triggerTime() - preamble().trigPos * dtA;
    const double delay = settings_.ddf1[kDelayPosition] / 4095.0 * kSamplesPerScreen * dtA;
    return sampleRecord(channel, start + delay, sampleIntervalB());
}

std::int16_t WaveformGenerator::triggerPositionA() const
{
    return static_cast<std::int16_t>(
        roundHalfEven((levelCode(settings_.ddf1[kTrigLevelA]) - 128.0) * 40.0));
}

std::int16_t WaveformGenerator::triggerPositionB() const
{
    return static_cast<std::int16_t>(
        roundHalfEven((levelCode(settings_.ddf1[kTrigLevelB]) - 128.0) * 40.0));
}

}  // namespace ql::scopesim
