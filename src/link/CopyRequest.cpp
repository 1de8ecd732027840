#include "CopyRequest.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace ql {

namespace {

constexpr std::size_t kNone = std::string_view::npos;
// No answer is moved by more than this many bytes of requests: eight of the longest.
constexpr std::size_t kMostBytesMoved = 8 * kCopyRequestMaxLength;

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

// Whether an answer of `length` bytes, followed by more (`all` holds both), reads as moved by
// requests inside it: each request line that begins among the answer's bytes is tried taken
// off with its whole line end, taken off with its first line-end byte alone, and left as data.
// Moved when some way leaves exactly the answer's length with a request taken off and nothing
// but whole request lines after it; else TooFew when some way runs out of bytes first. Every
// way is tried once per place and count of bytes taken off, so the search stays small.
class MovedReading {
public:
    MovedReading(ByteSpan all, std::size_t length)
        : all_(all), length_(length), after_(all.size() - length), onlyRequestsFrom_(all.size() + 1)
    {
        onlyRequestsFrom_[all.size()] = true;
        for (std::size_t at = all.size(); at-- > 0;) {
            const auto line = requestLineAt(all, at);
            if (line) starts_.push_back(at);
            onlyRequestsFrom_[at] = line && onlyRequestsFrom_[line->end];
        }
        std::reverse(starts_.begin(), starts_.end());
    }

    Followed result() { return from(0, 0); }
    // Nothing but whole request lines from `at` on.
    bool onlyRequestsFrom(std::size_t at) const { return onlyRequestsFrom_[at]; }

private:
    // With request line `i` the next one met and `removed` bytes taken off so far.
    Followed from(std::size_t i, std::size_t removed)
    {
        if (removed > std::min(after_, kMostBytesMoved)) return Followed::TooFew;
        const std::size_t answerEnd = length_ + removed;  // where its last byte ends in `all`
        if (i == starts_.size() || starts_[i] >= answerEnd) {
            if (answerEnd > all_.size()) return Followed::TooFew;
            return removed > 0 && onlyRequestsFrom_[answerEnd] ? Followed::Moved : Followed::Other;
        }
        const std::uint64_t key = static_cast<std::uint64_t>(i) * (after_ + 1) + removed;
        if (const auto known = memo_.find(key); known != memo_.end()) return known->second;
        const RequestLine line = *requestLineAt(all_, starts_[i]);
        Followed best = Followed::Other;
        const auto take = [&](Followed f) {
            if (f == Followed::Moved || (f == Followed::TooFew && best == Followed::Other))
                best = f;
        };
        for (const std::size_t end : {line.end, line.firstEnd}) {
            const auto next =
                std::lower_bound(starts_.begin() + static_cast<long>(i), starts_.end(), end);
            take(from(static_cast<std::size_t>(next - starts_.begin()),
                      removed + (end - starts_[i])));
            if (best == Followed::Moved || line.firstEnd == line.end) break;
        }
        if (best != Followed::Moved) take(from(i + 1, removed));  // left as data
        memo_[key] = best;
        return best;
    }

    ByteSpan all_;
    std::size_t length_;
    std::size_t after_;
    std::vector<std::size_t> starts_;     // where request lines begin in `all_`
    std::vector<bool> onlyRequestsFrom_;  // nothing but request lines from there on
    std::unordered_map<std::uint64_t, Followed> memo_;
};

Followed judgeFollowed(ByteSpan all, std::size_t length)
{
    // A request inside that pushed out a tail which happens to spell a request line reads both
    // ways: asked again, the answer is never taken shifted.
    MovedReading reading(all, length);
    const Followed moved = reading.result();
    if (moved == Followed::Moved) return moved;
    // Whole request lines alone after it: they only followed the answer, which came as it is.
    if (reading.onlyRequestsFrom(length)) return Followed::AsItCame;
    return moved;
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

RequestsCut cutCopyRequests(std::vector<std::uint8_t>& bytes)
{
    RequestsCut cut;
    for (std::size_t at = wholeCopyRequestAt(bytes); at != kNone; at = wholeCopyRequestAt(bytes)) {
        const RequestLine line = *requestLineAt(bytes, at);
        cut.lfAfterCr = cut.lfAfterCr || line.end != line.firstEnd;
        cutRequestLine(bytes, at);
        cut.taken = true;
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
        // A line that never stops sending does not hold the reader either.
        const std::int64_t left = kReplyTimeoutMs - (line.nowMs() - start);
        if (left < 0) return WaitOutcome::TimedOut;
        const std::int64_t waitMs = u == Unfinished::AfterCr ? line.quietMs() : byteWaitMs;
        const WaitOutcome w = line.waitForBytes(1, std::min(waitMs, left));
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

WaitOutcome takeCopyRequestOut(SerialLine& line, std::vector<std::uint8_t>& known, RequestsCut& cut)
{
    cut = {};
    if (const WaitOutcome w = finishCopyRequest(line, known, kReplyTimeoutMs);
        w != WaitOutcome::Ready)
        return w;
    cut = cutCopyRequests(known);  // none: judged as it came
    return WaitOutcome::Ready;
}

}  // namespace ql
