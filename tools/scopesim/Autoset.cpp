#include "Autoset.h"

#include <cmath>

#include "WaveformGenerator.h"

namespace ql::scopesim {

namespace {

constexpr double kMaxSpanDivs = 6.0;
constexpr double kMinPeriodsShown = 2.0;

bool hasSignal(const Signal& s)
{
    return s.maximum() != 0.0 || s.minimum() != 0.0;
}

// Smallest volts/div step at which the signal spans at most six divisions.
int voltsStepFor(const Signal& s, int probe)
{
    const double span = s.isPeriodic() ? s.maximum() - s.minimum() : 2.0 * std::abs(s.offset);
    for (int step = 0; step <= 13; ++step)
        if (span <= kMaxSpanDivs * voltsPerDivOfStep(step) * probe) return step;
    return 13;
}

// Fastest time-base step that shows at least two periods across ten divisions.
int timeStepFor(double frequencyHz)
{
    for (int step = 0; step <= 28; ++step)
        if (10.0 * timePerDivOfStep(step) * frequencyHz >= kMinPeriodsShown) return step;
    return 28;
}

}  // namespace

void runAutoset(InstrumentSettings& s, const ModelProfile& profile, float firmware,
                const std::array<Signal, 2>& inputs)
{
    MainBlock& m = s.main;
    const bool present[2] = {hasSignal(inputs[0]), hasSignal(inputs[1])};
    const MainField on[2] = {MainField::Ch1On, MainField::Ch2On};
    const MainField coupling[2] = {MainField::Ch1Coupling, MainField::Ch2Coupling};
    const MainField volts[2] = {MainField::Ch1VoltsIndex, MainField::Ch2VoltsIndex};
    const MainField variable[2] = {MainField::Ch1Variable, MainField::Ch2Variable};
    const int position[2] = {kCh1Position, kCh2Position};
    const int probe[2] = {s.ch1ProbeFactor, s.ch2ProbeFactor};

    for (int c = 0; c < 2; ++c) {
        const auto cs = static_cast<std::size_t>(c);
        m.set(on[cs], present[cs] || (c == 0 && !present[1]) ? 1 : 0);
        if (!present[cs]) continue;
        if (m.get(coupling[cs]) & 2) m.set(coupling[cs], 0);
        m.set(volts[cs], voltsStepFor(inputs[cs], probe[cs]));
        m.set(variable[cs], 255);
        s.ddf1[static_cast<std::size_t>(position[cs])] = wordForPosition(511, firmware);
    }

    int source = 0;
    if (!inputs[0].isPeriodic() && inputs[1].isPeriodic()) source = 1;
    m.set(MainField::TrigSource, source);
    m.set(MainField::TrigAlternate, 0);
    m.set(MainField::TrigMode, 0);
    m.set(MainField::TrigSlopeA, 0);
    m.set(MainField::TrigCoupling, 0);
    s.ddf1[kTrigLevelA] = 511;

    const Signal& src = inputs[static_cast<std::size_t>(source)];
    if (src.isPeriodic()) m.set(MainField::TbAIndex, timeStepFor(src.frequencyHz));
    s.ddf1[kTbAVariable] = 0;
    s.ddf1[kHorPosition] = wordForPosition(511, firmware);

    m.set(MainField::TimebaseMode, 0);
    m.set(MainField::XYMode, 0);
    m.set(MainField::XMag10, 0);
    m.set(MainField::ComponentTester, 0);
    m.set(MainField::StorageMode, 0);
    m.set(MainField::SingleShot, 0);
    m.set(MainField::DigitalMode, profile.analogOnly ? 0 : 1);
}

}  // namespace ql::scopesim
