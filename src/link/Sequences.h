#pragma once
// The operations the rest of the program calls when it wants the whole instrument state, only
// its settings, or the program's settings in the instrument. They do not connect or release;
// the caller brackets them. After a failed command nothing more is sent, except that a read-all
// which held the instrument's waveform itself gives that hold back once. The two reads are all
// or nothing: a failed one leaves the program state as it was (the remote hold and automatic
// update cleared, as every failure clears them).

#include "ControlCommands.h"
#include "ReadScratch.h"
#include "SettingsCommands.h"
#include "TriggerCommands.h"
#include "WaveformCommands.h"

namespace ql {

// Firmware above which the read-all holds the instrument's waveform during the transfer.
constexpr float kForcedHoldFirmware = 1.05f;

class Sequences {
public:
    // `settings` and `trigger` are the link's own commands, for the write-all and the hold
    // given back after a failed read; the reads build theirs over a copy of the state.
    Sequences(LinkContext& ctx, SettingsCommands& settings, TriggerCommands& trigger)
        : ctx_(ctx), settings_(settings), trigger_(trigger)
    {
    }

    // Settings, trigger data, preamble and, in digital storage mode, the four records (which
    // advance the waveform generation); then the host is told that the screen and the settings
    // changed. True when nothing failed. On newer firmware the records are read under the
    // program's own hold, which every ending gives back: the last command, or after a failure
    // one more "hldwfm=" (unreported when it fails too; the next connect tries again).
    bool readAllFromScope();
    // Settings, trigger data and preamble without waveforms; then the same notice.
    bool readSettingsFromScope();
    // The program's settings into the instrument, ending with "vermode=".
    bool writeAllToScope();

private:
    bool analogOnly() const { return ctx_.state.identity.analogModel == 1; }
    // The commands of the read-all, in their order, on the scratch copy. True when it set the
    // instrument's hold itself.
    static bool readAllInto(ReadScratch& scratch);

    LinkContext& ctx_;
    SettingsCommands& settings_;
    TriggerCommands& trigger_;
};

}  // namespace ql
