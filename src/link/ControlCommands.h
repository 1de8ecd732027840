#pragma once
// Commands that make the instrument act: AUTOSET, re-arming a single shot, storing the
// reference memories, and storing or recalling a front-panel set-up.

#include "CommandFrame.h"
#include "TriggerCommands.h"

namespace ql {

class ControlCommands {
public:
    ControlCommands(LinkContext& ctx, CommandFrame& frame, TriggerCommands& trigger)
        : ctx_(ctx), frame_(frame), trigger_(trigger)
    {
    }

    bool sendAutoset();
    // Queries the trigger status first; re-arms only when the instrument is not armed.
    bool resetSingleShot();
    bool saveRefInScope();
    bool saveSettingsInScope();
    bool recallSettingsInScope();

private:
    std::uint8_t slotDigit() const;

    LinkContext& ctx_;
    CommandFrame& frame_;
    TriggerCommands& trigger_;
};

}  // namespace ql
