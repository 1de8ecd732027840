#pragma once
// Faults the simulated instrument can be told to commit, for one command text or for whatever
// exchange comes next, once or every time.

#include <optional>
#include <string>
#include <string_view>

#include "Reply.h"

namespace ql::scopesim {

enum class FaultKind {
    Silence,     // the command is ignored: no answer, no effect
    ReplyDelay,  // the answer starts delayMs late
    StopAfter,   // the answer stops after `count` bytes
    ByteDelay,   // every byte of the answer comes delayMs late
    WrongAck,    // the answer is replaced by a wrong acknowledgement
    Surplus,     // `count` bytes more follow the answer ("0" CR LF repeated)
    LateLf,      // the last LF of the answer comes delayMs late
    Garbage,     // the answer is replaced by `count` bytes of line noise
    JunkBefore,  // `count` bytes of line noise come before the answer
    JunkAfter,   // `count` bytes of line noise follow the answer
    Vanish,      // the port disappears after `count` bytes of the answer
    CopyInside,  // the copy request comes after `count` bytes of the answer (0: ahead of it)
};

enum class WrongAck { OneCrLf, ZeroCr, ZeroCrX };  // "1" CR LF, "0" CR, "0" CR "X"

struct Fault {
    FaultKind kind = FaultKind::Silence;
    std::string command;  // "ddf?", "rdwfm1:", "AUTOSET", " " (wake-up); empty: next exchange
    int count = 0;
    double delayMs = 0.0;
    WrongAck ack = WrongAck::OneCrLf;
    bool everyTime = false;  // otherwise the fault is used up by its first match

    bool matches(std::string_view commandText) const
    {
        return command.empty() || command == commandText;
    }
    // Changes an answer as the fault says (Silence empties it; the caller also skips the
    // command's effect). `copyRequest` is what the copy key sends, and the answer's rest
    // follows it after `pauseAfterRequestUs`.
    void applyTo(Reply& reply, std::string_view copyRequest = kCopyRequest,
                 std::int64_t pauseAfterRequestUs = 0) const;

    // "KIND[:ARG][@COMMAND][*]", e.g. "silence@ddf?", "stop:5@rdwfm1:*", "ack:0cr",
    // "late-lf:500@ddf=", "junk-before:5@rdwfm1:", "vanish:100@rdwfm1:", "silence@wake"; see
    // the README.
    static std::optional<Fault> parse(std::string_view text);
    std::string describe() const;
};

}  // namespace ql::scopesim
