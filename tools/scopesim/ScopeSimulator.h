#pragma once
// The simulated oscilloscope as the serial line sees it. Bytes go in with the time they
// arrived; answers come out with the time the instrument starts them, for a transport
// (SimulatedPort in-process, PtyServer on a pseudo-terminal) to put on the line at the line
// rate. Around the Instrument it adds the command framing, faults, recording and the
// instrument's own copy request.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "CommandParser.h"
#include "Fault.h"
#include "Instrument.h"
#include "Reply.h"
#include "SimulatorConfig.h"
#include "WireRecorder.h"
#include "state/Clock.h"

namespace ql::scopesim {

class ScopeSimulator {
public:
    // Throws std::invalid_argument for a configuration that configProblem() rejects.
    ScopeSimulator(Clock& clock, SimulatorConfig config = {});

    const SimulatorConfig& config() const { return config_; }
    Instrument& instrument() { return instrument_; }
    const Instrument& instrument() const { return instrument_; }

    // --- Line side, used by the transports --------------------------------------------------
    // One byte as the instrument's receiver got it: start bit and end of the last stop bit.
    void receiveByte(std::uint8_t value, std::int64_t startUs, std::int64_t endUs);
    // Lets the instrument notice that time has passed (it gives up incomplete commands).
    void advanceTo(std::int64_t nowUs);
    // Answers (and spontaneous output) produced since the last call, in line order.
    std::vector<Reply> takeReplies();
    // Called before the instrument sends on its own, so a transport can first deliver the
    // bytes that reached the instrument before that moment.
    void setSyncHook(std::function<void()> hook) { syncHook_ = std::move(hook); }

    // --- The instrument acting on its own ----------------------------------------------------
    void pressCopyKey();  // sends "COP:HC" and its line end (CR LF unless configured) now
    std::string copyRequest() const;
    void sendUnsolicited(std::string_view bytes);  // anything else, e.g. line noise

    // --- Faults --------------------------------------------------------------------------------
    void injectFault(const Fault& fault) { faults_.push_back(fault); }
    void clearFaults() { faults_.clear(); }
    std::size_t pendingFaults() const { return faults_.size(); }

    // --- Recording -----------------------------------------------------------------------------
    const WireRecorder& recorder() const { return recorder_; }
    std::vector<std::string> commandTexts() const { return recorder_.commandTexts(); }
    void clearRecording() { recorder_.clear(); }
    // Everything a strict protocol witness would object to, in order: refused or unanswered
    // commands, junk bytes, incomplete commands, reserved bits sent.
    const std::vector<std::string>& protocolNotes() const { return notes_; }
    void clearProtocolNotes() { notes_.clear(); }

    void setLatencyMs(double ms) { config_.latencyMs = ms; }
    std::int64_t latencyUs() const;
    std::int64_t nowUs() const { return clock_.monotonicMs() * 1000; }

private:
    void handle(ReceivedCommand command);
    void emitSpontaneous(std::string_view bytes);

    Clock& clock_;
    SimulatorConfig config_;
    Instrument instrument_;
    CommandParser parser_;
    WireRecorder recorder_;
    std::deque<Fault> faults_;
    std::vector<Reply> pending_;
    std::vector<std::string> notes_;
    std::function<void()> syncHook_;
};

}  // namespace ql::scopesim
