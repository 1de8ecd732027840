#include "ScaleTables.h"

namespace ql {

void fillScaleTables(ScaleTables& t, TimebaseRange& range)
{
    t.voltsPerDiv = {};
    const double volts[] = {0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20};
    for (int n = 0; n < 14; ++n) t.voltsPerDiv[n + 1] = volts[n];
    t.voltsStepCount = 14;

    t.timePerDiv = {};
    const double times[] = {5e-8, 1e-7, 2e-7, 5e-7, 1e-6, 2e-6, 5e-6, 1e-5, 2e-5, 5e-5,
                            1e-4, 2e-4, 5e-4, 1e-3, 2e-3, 5e-3, 1e-2, 2e-2, 5e-2, 0.1,
                            0.2,  0.5,  1,    2,    5,    10,   20,   50,   100};
    for (int n = 0; n < 29; ++n) t.timePerDiv[n + 1] = times[n];
    t.timePerDiv[32] = 2e-8;
    range = TimebaseRange{};

    t.averageSteps = {};
    for (int n = 1; n <= 9; ++n) t.averageSteps[n] = static_cast<std::int16_t>(1 << n);
    t.averageStepCount = 9;

    t.pretriggerSteps = {};
    const std::int16_t pretrigger[] = {-75, -50, -25, 0, 25, 50, 75, 100};
    for (int n = 0; n < 8; ++n) t.pretriggerSteps[n + 1] = pretrigger[n];
    t.pretriggerStepCount = 8;
}

}  // namespace ql
