#pragma once
// The four tables that turn the instrument's step codes into physical values, and the
// time-base list limits. Filled once at start-up and only read afterwards.

#include <array>
#include <cstdint>

namespace ql {

struct ScaleTables {
    // Volts per division, element n = volts/div code n - 1; elements 1..14 hold 1 mV..20 V.
    std::array<double, 21> voltsPerDiv{};
    std::int16_t voltsStepCount = 0;
    // Seconds per division, element n = time-base code n - 1; 1..29 hold 50 ns..100 s and
    // element 32 (code 31) 20 ns; 0, 30, 31 and 33..40 are 0.
    std::array<double, 41> timePerDiv{};
    // Number of averages 2^n for n = 1..9.
    std::array<std::int16_t, 16> averageSteps{};
    std::int16_t averageStepCount = 0;
    // Pre-trigger in per cent, elements 1..8 = -75..100.
    std::array<std::int16_t, 16> pretriggerSteps{};
    std::int16_t pretriggerStepCount = 0;
};

// First and last TimePerDiv element the time-base lists offer. An analog-only model lowers
// the last ones; a digital model restores them.
struct TimebaseRange {
    std::int16_t tbAFirstIndex = 1;
    std::int16_t tbBFirstIndex = 1;
    std::int16_t tbAMaxIndex = 29;
    std::int16_t tbBMaxIndex = 19;
};

constexpr std::int16_t kTbAMaxIndexDigital = 29;
constexpr std::int16_t kTbBMaxIndexDigital = 19;
constexpr std::int16_t kTbAMaxIndexAnalog = 22;
constexpr std::int16_t kTbBMaxIndexAnalog = 16;

void fillScaleTables(ScaleTables& tables, TimebaseRange& range);

}  // namespace ql
