#pragma once
// What every fuzz target shares: the program state as start-up leaves it, and the one way a
// target reports a property that does not hold (a trap, which libFuzzer records as a finding
// together with its input).

#include "state/InitProgramState.h"
#include "state/ProgramState.h"

namespace ql::fuzz {

inline const ProgramState& startState()
{
    static const ProgramState s = [] {
        ProgramState st;
        initProgramState(st, "/tmp");
        return st;
    }();
    return s;
}

inline void require(bool condition)
{
    if (!condition) __builtin_trap();
}

}  // namespace ql::fuzz
