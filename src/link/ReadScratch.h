#pragma once
// A read sequence's own copy of the state, with the commands that work on it. The read goes
// into the copy; only a read whose every command got through is taken into the program state,
// in one step. A failure anywhere leaves the settings, trigger data, preamble, storage values,
// records and stamps exactly as they were, and while the read runs nothing half-read can be
// shown, saved or handed to a remote client.

#include <memory>

#include "SettingsCommands.h"
#include "TriggerCommands.h"
#include "WaveformCommands.h"

namespace ql {

// The line a failed read adds to its transmission error.
inline constexpr const char* kReadNotTakenOverText =
    "The instrument's settings and waveforms were not taken over: the program keeps the ones "
    "it had before this read, so they may differ from the instrument's front panel.";

// What a failed read whose waveform hold could not be given back either adds: what may be left
// on the instrument, then when the program gives it back (Exit, which does not connect again,
// ends it with what the user can do instead).
inline constexpr const char* kHoldMayStillBeOnText =
    "The waveform hold the program set for the read that failed may still be on in the "
    "instrument";
inline constexpr const char* kHoldGivenBackAtConnectText =
    ": the program gives it back when it next connects to the instrument.";

class ReadScratch {
public:
    explicit ReadScratch(LinkContext& live);
    ReadScratch(const ReadScratch&) = delete;
    ReadScratch& operator=(const ReadScratch&) = delete;

    ProgramState& state() { return *copy_; }
    SettingsCommands& settings() { return settings_; }
    TriggerCommands& trigger() { return trigger_; }
    WaveformCommands& waves() { return waves_; }

    // No command has failed: the copy still holds the instrument in remote.
    bool intact() const { return copy_->link.remoteHeld == 1; }

    // Takes everything a read changes into the program state.
    void commit();
    // After a failure: clears in the program state what the failure cleared in the copy (the
    // remote hold and the automatic update) and keeps the record of the program's own hold on
    // the instrument and a copy request met on the line; nothing else changes.
    void abandon();

private:
    LinkContext& live_;
    std::unique_ptr<ProgramState> copy_;
    LinkContext ctx_;
    SerialLine line_;
    CommandFrame frame_;
    SettingsCommands settings_;
    TriggerCommands trigger_;
    WaveformCommands waves_;
};

}  // namespace ql
