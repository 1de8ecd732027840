#pragma once
// The commands that move the settings blocks, averaging and hold over the command frame.
// Each returns true when its exchange succeeded; a failed one has reported itself.

#include "CommandFrame.h"

namespace ql {

enum class HoldGiveBack { AsCommand, AfterFailure };

class SettingsCommands {
public:
    SettingsCommands(LinkContext& ctx, CommandFrame& frame) : ctx_(ctx), frame_(frame) {}

    bool queryDdf();     // "ddf?": decoded only when all 14 bytes have arrived
    bool sendDdf();      // "ddf=": pause after byte 7
    bool sendVerMode();  // "vermode=": byte 3 of "ddf=" as the last send prepared it
    bool queryDdf1();
    bool sendDdf1();  // pause after byte 8
    bool queryRoDdf();
    bool sendRoDdf();
    bool queryDdf2();     // stored byte by byte as it arrives
    bool sendDdf2();      // pause before the command
    bool queryMeasDdf();  // stored byte by byte as it arrives
    bool sendMeasDdf();   // pause after byte 10
    bool sendAvrNm();
    bool sendHldWfm();  // the hold flag as the character "0" or "1"

    // The hold a read sets on the instrument itself ("hldwfm=1"), recorded as the program's
    // own with `userHold`, the value to give back.
    bool takeHoldForRead(byte userHold);
    // Sends the value of the program's outstanding hold back (true when none is outstanding)
    // and clears the record once the instrument has acknowledged it: as any command, or once
    // right after the failure of the read that took it (CommandFrame::setAfterFailure).
    bool giveHoldBack(HoldGiveBack when = HoldGiveBack::AsCommand);

private:
    // The guard, then the settings as Set leaves them (prepareForSet): every block is encoded
    // from those.
    bool readyToSend();

    LinkContext& ctx_;
    CommandFrame& frame_;
};

}  // namespace ql
