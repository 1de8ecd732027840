#pragma once
// Trigger and storage queries: trigger calibration words and positions, averaging index, hold
// flag, reference trace offsets and the single-shot trigger status.

#include "CommandFrame.h"

namespace ql {

class TriggerCommands {
public:
    TriggerCommands(LinkContext& ctx, CommandFrame& frame) : ctx_(ctx), frame_(frame) {}

    bool queryTrgVal();
    bool queryTrgPosA();
    bool queryTrgPosB();
    bool queryAvrNm();
    bool queryHldWfm();
    bool queryRefPos();  // "ref1pos?", then "ref2pos?" unless the first failed
    bool sendRefPos();   // "ref1pos=", then "ref2pos=" unless the first failed
    bool queryTrgSta();

private:
    bool queryTrgPos(const char* command, std::int32_t& target);

    LinkContext& ctx_;
    CommandFrame& frame_;
};

// A trigger position word: kept in 32 bits, so 32768 stays +32768; above it counts down.
std::int32_t trgPosFromWire(std::uint8_t low, std::uint8_t high);
// A reference offset travels as value + 128.
std::int16_t refPosFromWire(std::uint8_t b);
std::uint8_t refPosToWire(int refPos);

}  // namespace ql
