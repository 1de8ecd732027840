#include "ScopeSimulator.h"

#include <cmath>
#include <stdexcept>

#include "state/Numeric.h"

namespace ql::scopesim {

namespace {

const SimulatorConfig& checked(const SimulatorConfig& config)
{
    if (auto problem = configProblem(config)) throw std::invalid_argument(*problem);
    return config;
}

}  // namespace

ScopeSimulator::ScopeSimulator(Clock& clock, SimulatorConfig config)
    : clock_(clock),
      config_(checked(config)),
      instrument_(config_),
      // Firmware below 1.05 puts "," between start and count of a waveform request.
      parser_(firmwareAtLeast(instrument_.firmware(), 1.05f) ? 4 : 5)
{
}

std::int64_t ScopeSimulator::latencyUs() const
{
    return static_cast<std::int64_t>(std::llround(config_.latencyMs * 1000.0));
}

void ScopeSimulator::receiveByte(std::uint8_t value, std::int64_t startUs, std::int64_t endUs)
{
    recorder_.addByte(value, startUs, endUs);
    CommandParser::Output out = parser_.feed(value, startUs, endUs);
    if (out.lineFeedAfterControl) {
        if (CommandRecord* last = recorder_.lastCommand()) last->received.terminator += "\n";
    }
    for (ReceivedCommand& c : out.commands) handle(std::move(c));
}

void ScopeSimulator::advanceTo(std::int64_t nowUs)
{
    if (auto abandoned = parser_.expire(nowUs)) handle(std::move(*abandoned));
}

void ScopeSimulator::handle(ReceivedCommand command)
{
    CommandRecord record{std::move(command), false, {}};
    const ReceivedCommand& c = record.received;
    if (!c.spec || c.abandoned) {
        record.note = c.abandoned ? "incomplete command given up" : "bytes that form no command";
        notes_.push_back(record.describe() + ": " + record.note);
        recorder_.addCommand(std::move(record));
        return;
    }

    std::optional<Fault> fault;
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (!it->matches(c.text)) continue;
        fault = *it;
        if (!it->everyTime) faults_.erase(it);
        break;
    }
    if (fault && fault->kind == FaultKind::Silence) {
        record.note = "silenced by fault " + fault->describe();
        recorder_.addCommand(std::move(record));
        return;
    }

    Instrument::Answer a = instrument_.answer(c, c.endUs());
    record.note = a.note;
    if (!a.note.empty()) notes_.push_back(record.describe() + ": " + a.note);
    if (a.reply) {
        Reply r = std::move(*a.reply);
        if (fault)
            fault->applyTo(r, copyRequest(), std::llround(config_.copyRequestPauseMs * 1000.0));
        r.originUs = c.endUs() + latencyUs();
        record.answered = true;
        pending_.push_back(std::move(r));
    }
    recorder_.addCommand(std::move(record));
}

std::vector<Reply> ScopeSimulator::takeReplies()
{
    std::vector<Reply> out;
    out.swap(pending_);
    return out;
}

void ScopeSimulator::emitSpontaneous(std::string_view bytes)
{
    if (syncHook_) syncHook_();
    Reply r;
    r.append(bytes);
    r.originUs = nowUs();
    pending_.push_back(std::move(r));
}

std::string ScopeSimulator::copyRequest() const
{
    return std::string(kCopyRequestText) + config_.copyRequestEnd;
}

void ScopeSimulator::pressCopyKey()
{
    emitSpontaneous(copyRequest());
}

void ScopeSimulator::sendUnsolicited(std::string_view bytes)
{
    emitSpontaneous(bytes);
}

}  // namespace ql::scopesim
