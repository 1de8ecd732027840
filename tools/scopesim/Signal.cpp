#include "Signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace ql::scopesim {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Samples per period used to find the extremes of a line current numerically.
constexpr int kExtremeSamples = 4096;

}  // namespace

Signal Signal::sine(double hz, double amplitude, double offset)
{
    return Signal{SignalShape::Sine, hz, amplitude, offset, 0.0, {}};
}

Signal Signal::square(double hz, double amplitude, double offset)
{
    return Signal{SignalShape::Square, hz, amplitude, offset, 0.0, {}};
}

Signal Signal::triangle(double hz, double amplitude, double offset)
{
    return Signal{SignalShape::Triangle, hz, amplitude, offset, 0.0, {}};
}

Signal Signal::dc(double volts)
{
    return Signal{SignalShape::Dc, 0.0, 0.0, volts, 0.0, {}};
}

Signal Signal::lineCurrent(double hz, double fundamental, std::vector<Harmonic> harmonics)
{
    return Signal{SignalShape::LineCurrent, hz, fundamental, 0.0, 0.0, std::move(harmonics)};
}

double Signal::period() const
{
    if (shape == SignalShape::Dc || frequencyHz <= 0.0) return 0.0;
    return 1.0 / frequencyHz;
}

double Signal::valueAt(double t) const
{
    if (!isPeriodic()) return offset;
    const double phase = kTwoPi * frequencyHz * t + phaseDeg * std::numbers::pi / 180.0;
    switch (shape) {
        case SignalShape::Sine: return offset + amplitude * std::sin(phase);
        case SignalShape::Square: return offset + (std::sin(phase) >= 0.0 ? amplitude : -amplitude);
        case SignalShape::Triangle:
            return offset + amplitude * 2.0 / std::numbers::pi * std::asin(std::sin(phase));
        case SignalShape::LineCurrent: {
            double v = offset + amplitude * std::sin(phase);
            for (const Harmonic& h : harmonics)
                v += h.amplitude * std::sin(h.order * (kTwoPi * frequencyHz * t) +
                                            h.phaseDeg * std::numbers::pi / 180.0);
            return v;
        }
        case SignalShape::Dc: break;
    }
    return offset;
}

double Signal::minimum() const
{
    if (!isPeriodic()) return offset;
    if (shape != SignalShape::LineCurrent) return offset - std::abs(amplitude);
    double lo = valueAt(0.0);
    for (int i = 1; i < kExtremeSamples; ++i)
        lo = std::min(lo, valueAt(period() * i / kExtremeSamples));
    return lo;
}

double Signal::maximum() const
{
    if (!isPeriodic()) return offset;
    if (shape != SignalShape::LineCurrent) return offset + std::abs(amplitude);
    double hi = valueAt(0.0);
    for (int i = 1; i < kExtremeSamples; ++i)
        hi = std::max(hi, valueAt(period() * i / kExtremeSamples));
    return hi;
}

std::string Signal::describe() const
{
    std::ostringstream out;
    switch (shape) {
        case SignalShape::Sine: out << "sine:"; break;
        case SignalShape::Square: out << "square:"; break;
        case SignalShape::Triangle: out << "triangle:"; break;
        case SignalShape::Dc: out << "dc:" << offset; return out.str();
        case SignalShape::LineCurrent: out << "line:"; break;
    }
    out << frequencyHz << ':' << amplitude;
    if (shape == SignalShape::LineCurrent) {
        for (std::size_t i = 0; i < harmonics.size(); ++i)
            out << (i == 0 ? ':' : ',') << harmonics[i].order << '=' << harmonics[i].amplitude;
    } else {
        out << ':' << offset;
    }
    return out.str();
}

}  // namespace ql::scopesim
