#include "WindowFunction.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "Fourier.h"

namespace ql {

namespace {

constexpr double kWelchGain = 1.479;
constexpr double kBlackmanA0 = 0.42;
constexpr double kBlackmanA1 = 0.5;
constexpr double kBlackmanA2 = 0.08;

Status checkWindowArguments(std::int32_t n, std::span<double> data)
{
    if (n < 1 || data.size() < static_cast<std::size_t>(n) + 1) {
        return Status::fail("A window over " + std::to_string(n) + " points needs " +
                                "a length of at least 1 and an array of length + 1 elements.",
                            "Error!", MessageIcon::None);
    }
    return Status::success();
}

template <typename Weight>
Status weightRecord(std::int32_t n, std::span<double> data, double dc, Weight weight)
{
    Status checked = checkWindowArguments(n, data);
    if (!checked) return checked;
    for (std::int32_t i = 0; i <= n; ++i) {
        double& x = data[static_cast<std::size_t>(i)];
        x = (x - dc) * weight(i);
    }
    return Status::success();
}

}  // namespace

WindowFunction windowFromCode(int code)
{
    switch (code) {
        case 1: return WindowFunction::Rectangle;
        case 3: return WindowFunction::Welch;
        case 4: return WindowFunction::Blackman;
        default: return WindowFunction::Hanning;
    }
}

Status windowHanning(std::int32_t n, std::span<double> data, double dc)
{
    const double w = kFourierAngle / n;
    return weightRecord(n, data, dc, [w](std::int32_t i) { return 1.0 - std::cos(w * i); });
}

Status windowWelch(std::int32_t n, std::span<double> data, double dc)
{
    const double h = n * 0.5;
    return weightRecord(n, data, dc, [h](std::int32_t i) {
        const double x = (i - h) / h;
        return (1.0 - x * x) * kWelchGain;
    });
}

Status windowBlackman(std::int32_t n, std::span<double> data, double dc)
{
    // The weighting published for this window, divided by its mean 0.42 so that a tone keeps
    // the level it reads with the other windows.
    const double w = kFourierAngle / n;
    return weightRecord(n, data, dc, [w](std::int32_t i) {
        return (kBlackmanA0 - kBlackmanA1 * std::cos(w * i) + kBlackmanA2 * std::cos(2.0 * w * i)) /
               kBlackmanA0;
    });
}

Status applyWindow(WindowFunction window, std::int32_t n, std::span<double> data, double dc)
{
    switch (window) {
        case WindowFunction::Hanning: return windowHanning(n, data, dc);
        case WindowFunction::Welch: return windowWelch(n, data, dc);
        case WindowFunction::Blackman: return windowBlackman(n, data, dc);
        case WindowFunction::Rectangle: break;
    }
    return Status::success();
}

}  // namespace ql
