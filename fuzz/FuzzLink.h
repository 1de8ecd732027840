#pragma once
// The link of a fuzz target: the program's own command layer over a ScriptedPort, on a fake
// clock whose idle steps are long, so that a reply the frame waits for in vain costs a few
// loop turns instead of eight seconds of polling.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

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
// and a line of it (the text, then CR LF, CR or LF within 80 bytes of it).
inline bool endsInRequestStart(const std::string& bytes)
{
    for (std::string_view start : {"C", "CO", "COP"})
        if (bytes.ends_with(start)) return true;
    return false;
}

inline bool holdsRequestStart(const std::string& bytes)
{
    return endsInRequestStart(bytes) || bytes.find("COP:") != std::string::npos;
}

// One past the end of the request line at `at` (its LF after a CR included); npos for none.
inline std::size_t requestLineEnd(const std::string& bytes, std::size_t at)
{
    if (bytes.compare(at, 4, "COP:") != 0) return std::string::npos;
    const std::size_t end = bytes.find_first_of("\r\n", at + 4);
    if (end == std::string::npos || end >= at + 80) return std::string::npos;
    return end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
}

// The bytes end inside a request still coming: its first characters, or its text with no line
// end yet and fewer than 80 bytes of it.
inline bool endsInUnfinishedRequest(const std::string& bytes)
{
    if (endsInRequestStart(bytes)) return true;
    const std::size_t at = bytes.rfind("COP:");
    return at != std::string::npos && requestLineEnd(bytes, at) == std::string::npos &&
           bytes.size() - at < 80;
}

// The bytes end in the CR of a request line: an LF may still follow, and the next byte is read.
inline bool endsInRequestCr(const std::string& bytes)
{
    const std::size_t at = bytes.rfind("COP:");
    return at != std::string::npos && !bytes.empty() && bytes.back() == '\r' &&
           requestLineEnd(bytes, at) == bytes.size();
}

// `bytes` with every request line in it taken out; `cut` tells whether there was one.
inline std::string withoutRequestLines(std::string bytes, bool& cut)
{
    cut = false;
    for (std::size_t at = bytes.find("COP:"); at != std::string::npos;) {
        const std::size_t end = requestLineEnd(bytes, at);
        if (end == std::string::npos) {
            at = bytes.find("COP:", at + 1);
            continue;
        }
        bytes.erase(at, end - at);
        cut = true;
        at = bytes.find("COP:");
    }
    return bytes;
}

// Nothing but request lines from `at` on.
inline bool onlyRequestLines(const std::string& bytes, std::size_t at)
{
    while (at < bytes.size()) {
        at = requestLineEnd(bytes, at);
        if (at == std::string::npos) return false;
    }
    return true;
}

// Whether the payload of `length` bytes at the start of `all` can be read as moved by requests
// inside it: some request lines that begin among its bytes, each taken out with its whole line
// end or its first line-end byte alone (at most 640 bytes in all), leave exactly `length` bytes
// of it followed by nothing but request lines. Searched forward over (place, bytes taken out).
inline bool movedByRequestsInside(const std::string& all, std::size_t length)
{
    const std::size_t most = std::min<std::size_t>(all.size() - length, 640);
    std::unordered_set<std::uint64_t> seen;
    std::vector<std::pair<std::size_t, std::size_t>> open = {{0, 0}};
    while (!open.empty()) {
        const auto [at, out] = open.back();
        open.pop_back();
        if (out > most || !seen.insert(static_cast<std::uint64_t>(at) << 32 | out).second) continue;
        if (at - out == length) {
            if (out > 0 && onlyRequestLines(all, at)) return true;
            continue;
        }
        if (at >= all.size()) continue;
        open.push_back({at + 1, out});
        if (const std::size_t end = requestLineEnd(all, at); end != std::string::npos) {
            open.push_back({end, out + end - at});
            const std::size_t firstEnd = all.find_first_of("\r\n", at) + 1;
            if (firstEnd != end) open.push_back({firstEnd, out + firstEnd - at});
        }
    }
    return false;
}

// What the command frame takes as the answer to a query whose echo is `echo` when all of
// `reply` waits on the line at once (and waits again each time the query is asked again):
// `start`, where the echo begins once request lines ahead of it are taken off and the first
// characters of one followed by other bytes are dropped (npos: refused there); `payloadAt`,
// where the payload begins once request lines inside the echo are cut out of it (npos: the
// echo is refused); and the payload of `length` bytes, unless the answer is refused: a wrong
// echo, too few bytes, or a payload that holds the request's text or ends in its start while
// other bytes than request lines follow it, or that requests inside it may have moved (then it
// is asked again, and the same comes).
struct TakenAnswer {
    std::size_t start = std::string::npos;
    std::size_t payloadAt = std::string::npos;
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
        at = requestLineEnd(reply, at);
        if (at == std::string::npos) return taken;
    }
    taken.start = at;
    // The echo's text is known: request lines inside it are cut out and the echo read on.
    std::size_t next = at + echo.size();
    if (next > reply.size()) return taken;
    std::string got = reply.substr(at, echo.size());
    while (got != echo && holdsRequestStart(got)) {
        while ((endsInUnfinishedRequest(got) || endsInRequestCr(got)) && next < reply.size())
            got += reply[next++];
        if (endsInUnfinishedRequest(got)) return taken;  // the rest never comes
        bool cut = false;
        got = withoutRequestLines(got, cut);
        const std::size_t lacking = echo.size() > got.size() ? echo.size() - got.size() : 0;
        if (next + lacking > reply.size()) return taken;
        got += reply.substr(next, lacking);
        next += lacking;
        if (!cut) break;
    }
    if (got != echo) return taken;
    taken.payloadAt = next;
    if (reply.size() < next + length) return taken;
    const std::string payload = reply.substr(next, length);
    if (!holdsRequestStart(payload) || (onlyRequestLines(reply, next + length) &&
                                        !movedByRequestsInside(reply.substr(next), length)))
        taken.payload = payload;
    return taken;
}

}  // namespace ql::fuzz
