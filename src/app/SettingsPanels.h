#pragma once
// What the settings panels' models share: the value an option group or a list of steps shows
// when the state holds nothing it offers, the two arrows of a spin, and the palette numbers of the
// backgrounds that tell calibrated values from others.

#include "state/ProgramState.h"

namespace ql {

// An option group with none of its options selected (the field holds a value it does not offer).
// A list of steps shows its value as a text ("1.38 ms") and selects the entry of the step the
// value stands on ("1 ms"), so that the arrow keys move one step from it and the list opens at
// it; it selects kNoOption when the value is none of its steps.
inline constexpr int kNoOption = -1;

// A spin is two arrow buttons; each press is one event.
enum class SpinArrow { Up, Down };

// Backgrounds, as colours of the 16-colour palette: a calibrated value (or a channel that is
// off) on light green, a value changed by a variable control on light red.
inline constexpr int kCalibratedBackground = 10;
inline constexpr int kUncalibratedBackground = 12;

// A check box's state as the instrument's one-bit fields keep it.
inline byte checkValue(bool checked)
{
    return checked ? 1 : 0;
}

}  // namespace ql
