#include "InstrumentLink.h"

#include <algorithm>
#include <utility>

namespace ql {

InstrumentLink::InstrumentLink(ProgramState& state, SerialPort& port, Clock& clock, Host& host,
                               std::string modelTablePath, std::string helpFolder)
    : messages_(host),
      ctx_{state, port, clock, host, messages_},
      table_(std::move(modelTablePath)),
      line_(ctx_),
      frame_(ctx_, line_),
      settings_(ctx_, frame_),
      trigger_(ctx_, frame_),
      waves_(ctx_, frame_, settings_),
      control_(ctx_, frame_, trigger_),
      sequences_(ctx_, settings_, trigger_),
      identification_(ctx_, frame_, table_, std::move(helpFolder)),
      portSearch_(ctx_, frame_)
{
}

bool InstrumentLink::checkCopyRequest()
{
    if (!ctx_.port.isOpen()) return false;
    const bool kept = std::exchange(ctx_.state.link.copyRequestKept, false);
    const long waiting = line_.inputCount();
    if (waiting < 0) {
        // The port vanished (e.g. the adapter was pulled). A held instrument is no longer
        // held: say so once and clear the hold, so the next operation connects afresh.
        if (ctx_.state.link.remoteHeld == 1 || ctx_.state.link.autoUpdate == 1)
            frame_.transmissionFailure("", WaitOutcome::PortFailed);
        ctx_.port.close();
        return false;
    }
    if (waiting <= kIdleStrayBytes) return kept;
    const std::string text =
        line_.receiveString(std::min(static_cast<std::size_t>(waiting), kCopyRequestMaxLength));
    if (ctx_.port.isOpen()) line_.flushInput();
    return idleRunHoldsCopyRequest(text) || kept;
}

bool InstrumentLink::copyRequestMayWait()
{
    if (!ctx_.port.isOpen()) return false;
    if (ctx_.state.link.copyRequestKept) return true;
    const long waiting = line_.inputCount();
    return waiting < 0 || waiting > kIdleStrayBytes;
}

}  // namespace ql
