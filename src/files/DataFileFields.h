#pragma once
// The part of the state that measurement and settings files hold. A load reads a file into a
// copy of these groups and applies them to the state only when the whole file checked out.

#include <cstddef>

#include "state/ProgramState.h"

namespace ql {

// Every block of these files starts with a tag of five characters.
inline constexpr std::size_t kBlockTagSize = 5;

struct DataFileFields {
    DdfSettings ddf;
    InstrumentIdentity identity;
    WfmPreamble preamble;
    WaveformSet waves;
    WaveformStamp stamp;
    StorageExtras storage;
    FftView fft;
    HarmView harm;
    TbBWindow tbB;
    CursorState cursor;
    PrintOptions print;
    FixedText<800> notesText;

    // A copy of the groups as the state holds them now.
    static DataFileFields from(const ProgramState& s);
    // Puts the groups back into the state. Meant for a copy taken by from() just before and
    // then filled from a file: fields a file does not hold come back unchanged. Whether the
    // harmonics window is open is a fact of the running program, so it is never taken over.
    void applyTo(ProgramState& s) const;
};

}  // namespace ql
