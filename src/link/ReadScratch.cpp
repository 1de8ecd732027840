#include "ReadScratch.h"

namespace ql {

ReadScratch::ReadScratch(LinkContext& live)
    : live_(live),
      copy_(std::make_unique<ProgramState>(live.state)),
      ctx_{*copy_, live.port, live.clock, live.host, live.messages},
      line_(ctx_),
      frame_(ctx_, line_),
      settings_(ctx_, frame_),
      trigger_(ctx_, frame_),
      waves_(ctx_, frame_, settings_)
{
    frame_.setFailureNote(kReadNotTakenOverText);
}

void ReadScratch::commit()
{
    const ProgramState& s = *copy_;
    ProgramState& p = live_.state;
    // Field by field where the screen drawing keeps values of its own in the same group.
    p.ddf = s.ddf;
    p.tbB.tbBWindowOn = s.tbB.tbBWindowOn;
    p.trigStatus.trigStatus = s.trigStatus.trigStatus;
    p.trigCal.trgVal1 = s.trigCal.trgVal1;
    p.trigCal.trgVal2 = s.trigCal.trgVal2;
    p.trigCal.trgVal3 = s.trigCal.trgVal3;
    p.trigCal.trgVal4 = s.trigCal.trgVal4;
    p.trgPos = s.trgPos;
    p.preamble = s.preamble;
    p.storage.holdWaveform = s.storage.holdWaveform;
    p.storage.ref1Pos = s.storage.ref1Pos;
    p.storage.ref2Pos = s.storage.ref2Pos;
    p.waves = s.waves;
    p.stamp = s.stamp;
    p.link.ddf2Received = s.link.ddf2Received;
    p.link.measDdfReceived = s.link.measDdfReceived;
    p.link.programHold = s.link.programHold;
    p.link.copyRequestKept = s.link.copyRequestKept;
}

void ReadScratch::abandon()
{
    // The failing command has already unchecked both boxes. What the user changed meanwhile
    // (the "Auto" box can be unchecked during a read) stays as it is.
    if (copy_->link.remoteHeld == 0) live_.state.link.remoteHeld = 0;
    if (copy_->link.autoUpdate == 0) live_.state.link.autoUpdate = 0;
    // What the read did to the instrument's hold, and a copy request it met, stand whether or
    // not the read got through.
    live_.state.link.programHold = copy_->link.programHold;
    live_.state.link.copyRequestKept = copy_->link.copyRequestKept;
}

}  // namespace ql
