#include "CopyRequest.h"

#include <algorithm>
#include <optional>

namespace ql {

namespace {

constexpr std::size_t kNone = std::string_view::npos;
// Requests inside one answer that are each tried as a request and as data before the rest
// count as data: enough for any burst of presses, and a bound on the ways tried.
constexpr int kRequestsTriedInside = 6;

// How many of the request's first characters `bytes` begin with (0 to 4).
std::size_t requestCharsAtStart(ByteSpan bytes)
{
    std::size_t n = 0;
    while (n < bytes.size() && n < kCopyRequestStart.size() &&
           bytes[n] == static_cast<std::uint8_t>(kCopyRequestStart[n]))
        ++n;
    return n;
}

// Where the last occurrence of the request's text begins; kNone for none.
std::size_t lastTextAt(ByteSpan bytes)
{
    const auto at = std::find_end(bytes.begin(), bytes.end(), kCopyRequestStart.begin(),
                                  kCopyRequestStart.end());
    return at == bytes.end() ? kNone : static_cast<std::size_t>(at - bytes.begin());
}

// The bytes end with the request's first characters (not all four of them).
bool endsInTextStart(ByteSpan bytes)
{
    for (std::size_t n = std::min(bytes.size(), kCopyRequestStart.size() - 1); n > 0; --n)
        if (std::equal(bytes.end() - static_cast<long>(n), bytes.end(), kCopyRequestStart.begin()))
            return true;
    return false;
}

bool isLineEnd(std::uint8_t b)
{
    return b == '\r' || b == '\n';
}

// A whole request line in `bytes` from `at`: one past its line end (an LF after its CR
// included), and one past its first line-end byte alone.
struct RequestLine {
    std::size_t end;
    std::size_t firstEnd;
};

std::optional<RequestLine> requestLineAt(ByteSpan bytes, std::size_t at)
{
    if (requestCharsAtStart(bytes.subspan(at)) < kCopyRequestStart.size()) return std::nullopt;
    const std::size_t limit = std::min(bytes.size(), at + kCopyRequestMaxLength);
    for (std::size_t i = at + kCopyRequestStart.size(); i < limit; ++i) {
        if (!isLineEnd(bytes[i])) continue;
        const bool crLf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        return RequestLine{i + (crLf ? 2 : 1), i + 1};
    }
    return std::nullopt;
}

// Nothing but whole request lines from `at` on.
bool onlyRequestLinesFrom(ByteSpan bytes, std::size_t at)
{
    while (at < bytes.size()) {
        const auto line = requestLineAt(bytes, at);
        if (!line) return false;
        at = line->end;
    }
    return true;
}

enum class Unfinished {
    No,
    Text,    // the request's first characters, or its text without a line end yet
    AfterCr  // a request line that ends in CR as the last byte: its LF may follow
};

Unfinished unfinishedRequest(ByteSpan bytes)
{
    if (endsInTextStart(bytes)) return Unfinished::Text;
    const std::size_t at = lastTextAt(bytes);
    if (at == kNone) return Unfinished::No;
    const auto line = requestLineAt(bytes, at);
    if (!line) return bytes.size() - at < kCopyRequestMaxLength ? Unfinished::Text : Unfinished::No;
    return line->end == bytes.size() && bytes.back() == '\r' ? Unfinished::AfterCr : Unfinished::No;
}

// Cuts the request line that begins at `at` out of `bytes`.
void cutRequestLine(std::vector<std::uint8_t>& bytes, std::size_t at)
{
    const auto line = requestLineAt(bytes, at);
    if (line)
        bytes.erase(bytes.begin() + static_cast<long>(at),
                    bytes.begin() + static_cast<long>(line->end));
}

AheadOfAnswer aheadOutcome(WaitOutcome w)
{
    return w == WaitOutcome::PortFailed ? AheadOfAnswer::PortFailed : AheadOfAnswer::TimedOut;
}

// What followed an answer of `length` bytes, judged on all of it (`all`).
enum class Followed { AsItCame, Moved, TooFew, Other };

// One way of reading `all` from `at` with `got` bytes of the answer seen: each request line met
// among the answer's bytes is tried taken off with its whole line end, with its CR alone, and
// left as data. Moved when some way leaves exactly the answer's length, with a request taken
// off, and only whole request lines after it; else TooFew when some way runs out first.
Followed readAs(ByteSpan all, std::size_t length, std::size_t at, std::size_t got, bool taken,
                int tries)
{
    Followed best = Followed::Other;
    for (; got < length && at < all.size(); ++at, ++got) {
        if (tries == 0) continue;
        const auto line = requestLineAt(all, at);
        if (!line) continue;
        --tries;
        for (const std::size_t end : {line->end, line->firstEnd}) {
            const Followed f = readAs(all, length, end, got, true, tries);
            if (f == Followed::Moved) return f;
            if (f == Followed::TooFew) best = f;
            if (line->firstEnd == line->end) break;
        }
        // ... and on with it as data.
    }
    if (got < length) return Followed::TooFew;
    if (taken && onlyRequestLinesFrom(all, at)) return Followed::Moved;
    return best;
}

Followed judgeFollowed(ByteSpan all, std::size_t length)
{
    // Whole request lines alone after it: they only followed the answer, which came as it is.
    if (onlyRequestLinesFrom(all, length)) return Followed::AsItCame;
    return readAs(all, length, 0, 0, false, kRequestsTriedInside);
}

}  // namespace

bool holdsCopyRequestStart(ByteSpan bytes)
{
    return lastTextAt(bytes) != kNone || endsInTextStart(bytes);
}

std::size_t wholeCopyRequestAt(ByteSpan bytes)
{
    for (auto at = bytes.begin();; ++at) {
        at = std::search(at, bytes.end(), kCopyRequestStart.begin(), kCopyRequestStart.end());
        if (at == bytes.end()) return kNone;
        const auto from = static_cast<std::size_t>(at - bytes.begin());
        if (requestLineAt(bytes, from)) return from;
    }
}

bool cutCopyRequests(std::vector<std::uint8_t>& bytes)
{
    bool cut = false;
    for (std::size_t at = wholeCopyRequestAt(bytes); at != kNone; at = wholeCopyRequestAt(bytes)) {
        cutRequestLine(bytes, at);
        cut = true;
    }
    return cut;
}

bool idleRunHoldsCopyRequest(std::string_view firstBytes)
{
    return firstBytes.substr(0, kCopyRequestMaxLength).find(kCopyRequestStart) !=
           std::string_view::npos;
}

WaitOutcome finishCopyRequest(SerialLine& line, std::vector<std::uint8_t>& bytes,
                              std::int64_t byteWaitMs)
{
    const std::int64_t start = line.nowMs();
    for (Unfinished u = unfinishedRequest(bytes); u != Unfinished::No;
         u = unfinishedRequest(bytes)) {
        const std::int64_t left = kReplyTimeoutMs - (line.nowMs() - start);
        const std::int64_t waitMs = u == Unfinished::AfterCr ? line.quietMs() : byteWaitMs;
        const WaitOutcome w =
            line.waitForBytes(1, std::min(waitMs, std::max<std::int64_t>(left, 0)));
        // A request that ends in CR alone is whole once nothing follows it.
        if (w == WaitOutcome::TimedOut && u == Unfinished::AfterCr) return WaitOutcome::Ready;
        if (w != WaitOutcome::Ready) return w;
        const std::vector<std::uint8_t> next = line.receiveBytes(1);
        bytes.insert(bytes.end(), next.begin(), next.end());
    }
    return WaitOutcome::Ready;
}

AheadOfAnswer takeCopyRequestAhead(SerialLine& line, std::vector<std::uint8_t>& head)
{
    for (;;) {
        const std::size_t chars = requestCharsAtStart(head);
        if (chars == 0) return AheadOfAnswer::Answer;
        if (chars < kCopyRequestStart.size() && chars < head.size()) {
            head.erase(head.begin(), head.begin() + static_cast<long>(chars));  // a stray
            continue;
        }
        if (const WaitOutcome w = finishCopyRequest(line, head, kReplyTimeoutMs);
            w != WaitOutcome::Ready)
            return aheadOutcome(w);
        if (requestCharsAtStart(head) < kCopyRequestStart.size()) continue;  // a stray after all
        if (wholeCopyRequestAt(head) != 0) return AheadOfAnswer::NoRequestLine;
        cutRequestLine(head, 0);
        return AheadOfAnswer::RequestTaken;
    }
}

CopyRequestInside judgeCopyRequestInside(SerialLine& line, ByteSpan answer)
{
    CopyRequestInside inside;
    if (!holdsCopyRequestStart(answer)) return inside;
    // A request inside an answer pushes as many of the answer's bytes past its end: what
    // follows once the line is quiet tells a request from data that only looks like one.
    std::vector<std::uint8_t> all(answer.begin(), answer.end());
    std::optional<Followed> followed;  // nothing yet
    bool paused = false;
    const std::int64_t start = line.nowMs();
    while (!followed || *followed == Followed::TooFew) {
        WaitOutcome w = line.waitForBytes(1, line.quietMs());
        if (w == WaitOutcome::TimedOut && !paused && wholeCopyRequestAt(all) != kNone) {
            paused = true;  // the instrument may pause after its request
            w = line.waitForBytes(1, kCopyRequestPauseMs);
        }
        inside.portFailed = w == WaitOutcome::PortFailed;
        if (inside.portFailed) return inside;
        if (w == WaitOutcome::TimedOut || line.nowMs() - start > kReplyTimeoutMs) break;
        const std::vector<std::uint8_t> rest = line.receiveUntilQuiet();
        all.insert(all.end(), rest.begin(), rest.end());
        (void)finishCopyRequest(line, all, line.quietMs());
        followed = judgeFollowed(all, answer.size());
    }
    if (!followed) return inside;  // nothing followed: the bytes are data
    inside.judged = *followed == Followed::AsItCame ? AnswerJudged::AsItCame
                    : *followed == Followed::Moved  ? AnswerJudged::Moved
                                                    : AnswerJudged::Unclear;
    inside.requestTaken = inside.judged != AnswerJudged::Unclear;
    return inside;
}

WaitOutcome takeCopyRequestOut(SerialLine& line, std::vector<std::uint8_t>& known, bool& taken)
{
    taken = false;
    if (const WaitOutcome w = finishCopyRequest(line, known, kReplyTimeoutMs);
        w != WaitOutcome::Ready)
        return w;
    taken = cutCopyRequests(known);  // none: judged as it came
    return WaitOutcome::Ready;
}

}  // namespace ql
