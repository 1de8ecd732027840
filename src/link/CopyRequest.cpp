#include "CopyRequest.h"

#include <algorithm>

namespace ql {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

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

bool endsInUnfinishedCopyRequest(ByteSpan bytes)
{
    if (endsInTextStart(bytes)) return true;
    const std::size_t at = lastTextAt(bytes);
    if (at == kNone || bytes.size() - at >= kCopyRequestMaxLength) return false;
    return std::find(bytes.begin() + static_cast<long>(at), bytes.end(), '\n') == bytes.end();
}

// Cuts the request line that begins at `at` out of `bytes`.
void cutRequestLine(std::vector<std::uint8_t>& bytes, std::size_t at)
{
    const auto from = bytes.begin() + static_cast<long>(at);
    bytes.erase(from, std::find(from, bytes.end(), '\n') + 1);
}

AheadOfAnswer aheadOutcome(WaitOutcome w)
{
    return w == WaitOutcome::PortFailed ? AheadOfAnswer::PortFailed : AheadOfAnswer::TimedOut;
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
        const auto lineEnd =
            at + static_cast<long>(std::min<std::size_t>(kCopyRequestMaxLength, bytes.end() - at));
        if (std::find(at, lineEnd, '\n') != lineEnd)
            return static_cast<std::size_t>(at - bytes.begin());
    }
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
    while (endsInUnfinishedCopyRequest(bytes)) {
        const std::int64_t left = kReplyTimeoutMs - (line.nowMs() - start);
        const WaitOutcome w =
            line.waitForBytes(1, std::min(byteWaitMs, std::max<std::int64_t>(left, 0)));
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
    // A request inside an answer pushes as many of its bytes past the answer's end: a line that
    // stays quiet after it shows that the bytes were data.
    const WaitOutcome w = line.waitForBytes(1, line.quietMs());
    inside.portFailed = w == WaitOutcome::PortFailed;
    if (w != WaitOutcome::Ready) return inside;
    // The moved tail may still be arriving: everything up to the line's quiet.
    std::vector<std::uint8_t> all(answer.begin(), answer.end());
    const std::string rest = line.receiveWholeReply();
    all.insert(all.end(), rest.begin(), rest.end());
    const std::size_t at = wholeCopyRequestAt(all);
    inside.requestTaken = at != kNone;
    // A request that only follows the answer leaves it as it came.
    inside.moved = at < answer.size();
    return inside;
}

WaitOutcome takeCopyRequestOut(SerialLine& line, std::vector<std::uint8_t>& ack, bool& taken)
{
    taken = false;
    if (const WaitOutcome w = finishCopyRequest(line, ack, kReplyTimeoutMs);
        w != WaitOutcome::Ready)
        return w;
    const std::size_t at = wholeCopyRequestAt(ack);
    if (at == kNone) return WaitOutcome::Ready;  // no request: judged as it came
    cutRequestLine(ack, at);
    taken = true;
    return WaitOutcome::Ready;
}

}  // namespace ql
