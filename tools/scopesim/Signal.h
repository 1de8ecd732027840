#pragma once
// What is connected to an input of the simulated instrument: a periodic test signal, a DC
// level or a line current with chosen harmonics, in volts at the probe tip.

#include <string>
#include <vector>

namespace ql::scopesim {

enum class SignalShape { Sine, Square, Triangle, Dc, LineCurrent };

struct Harmonic {
    int order = 2;           // 2 = twice the line frequency
    double amplitude = 0.0;  // peak volts
    double phaseDeg = 0.0;
};

struct Signal {
    SignalShape shape = SignalShape::Dc;
    double frequencyHz = 1000.0;      // fundamental (LineCurrent: the line frequency)
    double amplitude = 0.0;           // peak volts (LineCurrent: of the fundamental)
    double offset = 0.0;              // volts added to the whole signal (Dc: the level)
    double phaseDeg = 0.0;            // phase at time 0
    std::vector<Harmonic> harmonics;  // LineCurrent only

    static Signal sine(double hz, double amplitude, double offset = 0.0);
    static Signal square(double hz, double amplitude, double offset = 0.0);
    static Signal triangle(double hz, double amplitude, double offset = 0.0);
    static Signal dc(double volts);
    static Signal lineCurrent(double hz, double fundamental, std::vector<Harmonic> harmonics);

    // Volts at time t (seconds).
    double valueAt(double t) const;
    // Mean over one period (what AC coupling removes).
    double mean() const { return offset; }
    // Seconds of one period; 0 for a DC level.
    double period() const;
    bool isPeriodic() const { return period() > 0.0; }
    // Lowest and highest value over one period.
    double minimum() const;
    double maximum() const;

    // "sine:1000:1.5:0", "dc:2", "line:50:1:3=0.3,5=0.1" (see the simulator's README).
    std::string describe() const;
};

}  // namespace ql::scopesim
