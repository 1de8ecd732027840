#pragma once
// The link of a fuzz target: the program's own command layer over a ScriptedPort, on a fake
// clock whose idle steps are long, so that a reply the frame waits for in vain costs a few
// loop turns instead of eight seconds of polling.

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "ScriptedPort.h"
#include "link/InstrumentLink.h"
#include "state/RecordingHost.h"

namespace ql::fuzz {

// The firmware forms at which the instrument's answers change (0: a reply without one).
inline constexpr float kFirmwareForms[] = {0.0f, 1.04f, 1.05f, 1.10f, 1.16f, 1.17f, 2.00f, 2.10f};

struct FuzzLink {
    explicit FuzzLink(std::string modelTable = "/nonexistent/scopes.db")
        : state(startState()), link(state, port, clock, host, std::move(modelTable), "/help")
    {
        state.screen.screenBusy = 0;
        state.link.comPort = 1;
        state.link.baudRate = 19200;
        clock.setIdleStepMs(250);
    }

    // Opens the port and marks the instrument held, as a successful identification leaves it.
    void hold(float firmware)
    {
        link.line().openComPort();
        state.link.remoteHeld = 1;
        state.identity.firmwareVersion = firmware;
    }

    FakeClock clock;
    ScriptedPort port;
    RecordingHost host;
    ProgramState state;
    InstrumentLink link;
};

// The instrument's copy request as the frame meets it, for the targets' expectations: its text,
// and a line of it (the text and LF within 80 bytes of it).
inline bool holdsRequestStart(const std::string& bytes)
{
    for (std::string_view start : {"C", "CO", "COP"})
        if (bytes.ends_with(start)) return true;
    return bytes.find("COP:") != std::string::npos;
}

inline std::size_t requestLineAt(const std::string& bytes)
{
    for (auto at = bytes.find("COP:"); at != std::string::npos; at = bytes.find("COP:", at + 1))
        if (bytes.find('\n', at) < at + 80) return at;
    return std::string::npos;
}

// What the command frame takes as the answer to a query whose echo is `echo` when all of
// `reply` waits on the line at once (and waits again when the query is asked once more):
// `start`, where the echo begins once copy request lines ahead of it are taken off and the
// first characters of one followed by other bytes are dropped (npos: refused there); and the
// payload of `length` bytes, unless the answer is refused: a wrong echo, too few bytes, or a
// payload that holds the request's text or ends in its start while more bytes follow, and a
// request line begins in it (moved by a request, and again when asked again).
struct TakenAnswer {
    std::size_t start = std::string::npos;
    std::optional<std::string> payload;
};

inline TakenAnswer takenAnswer(const std::string& reply, const std::string& echo,
                               std::size_t length)
{
    TakenAnswer taken;
    std::size_t at = 0;
    for (;;) {
        std::size_t n = 0;
        while (n < 4 && at + n < reply.size() && reply[at + n] == "COP:"[n]) ++n;
        if (n == 0) break;
        if (at + n == reply.size()) return taken;  // the rest of the request never comes
        if (n < 4) {
            at += n;
            continue;
        }
        const auto lineEnd = reply.find('\n', at);
        if (lineEnd >= at + 80) return taken;
        at = lineEnd + 1;
    }
    taken.start = at;
    if (reply.compare(at, echo.size(), echo) != 0 || reply.size() < at + echo.size() + length)
        return taken;
    const std::string payload = reply.substr(at + echo.size(), length);
    const std::string after = reply.substr(at + echo.size() + length);
    if (!holdsRequestStart(payload) || after.empty() ||
        requestLineAt(payload + after) >= payload.size())
        taken.payload = payload;
    return taken;
}

}  // namespace ql::fuzz
