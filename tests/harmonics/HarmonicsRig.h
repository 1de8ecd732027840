#pragma once
// A program state set up for the harmonics test, limit definitions held in memory, and the
// limits of class A built from their formulas.

#include <cmath>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "fft/FftLevels.h"
#include "harmonics/HarmonicAnalysis.h"
#include "harmonics/HarmonicSweeps.h"
#include "state/InitProgramState.h"

namespace ql::test {

// CH I on at 0.5 V/div (20 mV per code, probe 1, calibrated), zero offset 0 (code 127 is 0 V),
// time base A at 50 ms/div (4000 samples per second: 50 Hz lies on line 25.6, 60 Hz on 30.72),
// Hanning, Max. Hold on, automatic frequency off, 50 Hz, 0.5 V per ampere (a level of 500
// spectrum units is 1 A), definition "Test"; the record counts as read.
inline ProgramState harmonicsState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.ddf.ch1On = 1;
    s.ddf.ch1VoltsIndex = 8;
    s.ddf.ch1Variable = 255;
    s.ddf.ch1ProbeFactor = 1;
    s.ddf.tbAIndex = 18;
    s.ddf.tbAVariable = 0;
    s.ddf.timebaseMode = 0;
    s.harm.harmWindowCode = 2;
    s.harm.harmMaxHold = 1;
    s.harm.harmAutoFreq = 0;
    s.harm.harmLineFreq = 50.0f;
    s.harm.harmVoltsPerAmp = 0.5f;
    s.harm.harmLimitName.assign("Test");
    for (int i = 1; i <= kLastShownSample; ++i) s.waves.waveCh1[i] = 127;
    s.waves.takeNew(s.ddf);  // as after a first read
    resetHarmonicsOnOpening(s);
    return s;
}

constexpr double kUnitsPerAmpere = 500.0;  // at 0.5 V per ampere

// The spectra of one sweep written straight into the accumulation, which then counts as
// holding sweeps already, of the record in hand read with the state's settings: a run without a
// new waveform judges them as they are.
inline void takeInjectedAccumulation(ProgramState& s)
{
    s.waves.readWith = s.ddf;
    s.harmTest.harmAverageCount = 2;
    s.harmTest.harmSweptGeneration = s.waves.generation;
    s.harmTest.harmSweepTimePerDiv = spectrumTimePerDiv(s).value_or(0.0);
}

// CH I codes 1..2046: zero code + the sum of amplitude (codes) x sin(2 pi k f t + phase) over
// the given orders, at the state's sample interval.
struct Tone {
    int order = 1;
    double codes = 0.0;
};
inline void fillLineCurrent(ProgramState& s, double lineHz, std::initializer_list<Tone> tones,
                            double phase = 0.3)
{
    const double interval = 0.05 / 200;  // 50 ms/div
    for (int i = 1; i <= kLastShownSample; ++i) {
        double x = 0.0;
        for (const Tone& t : tones)
            x += t.codes * std::sin(2 * M_PI * t.order * lineHz * (i - 1) * interval + phase);
        s.waves.waveCh1[i] = static_cast<std::int16_t>(std::lround(127 + x));
    }
}

// Definitions by name.
class MemoryLimits : public LimitSource {
public:
    std::optional<LimitDefinition> definition(std::string_view name) override
    {
        ++lookups;
        const auto it = definitions.find(std::string(name));
        return it == definitions.end() ? std::nullopt : std::optional(it->second);
    }
    std::map<std::string, LimitDefinition> definitions;
    int lookups = 0;
};

// Class A in amperes, multiplier 1.5, orders 2 to 40: even 2: 1.08, 4: 0.43, 6: 0.30, 8..40:
// 0.23 x 8 / n; odd 3: 2.30, 5: 1.14, 7: 0.77, 9: 0.40, 11: 0.33, 13: 0.21, 15..39: 0.15 x 15 / n.
inline LimitDefinition classA()
{
    LimitDefinition d;
    d.relative = false;
    d.multiplier = 1.5;
    const std::map<int, double> fixed = {{2, 1.08}, {3, 2.30}, {4, 0.43},  {5, 1.14}, {6, 0.30},
                                         {7, 0.77}, {9, 0.40}, {11, 0.33}, {13, 0.21}};
    for (int n = 2; n <= 40; ++n) {
        const auto it = fixed.find(n);
        const double limit = it != fixed.end() ? it->second
                             : n % 2 == 0      ? 0.23 * 8 / n
                                               : 0.15 * 15 / n;
        d.limits[n] = static_cast<float>(limit);
    }
    return d;
}

}  // namespace ql::test
