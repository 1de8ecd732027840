#include "CopyRequest.h"

#include <algorithm>

namespace ql {

namespace {

// Where the last occurrence of the request's text begins; npos for none.
std::size_t lastTextAt(ByteSpan bytes)
{
    const auto at = std::find_end(bytes.begin(), bytes.end(), kCopyRequestStart.begin(),
                                  kCopyRequestStart.end());
    return at == bytes.end() ? std::string_view::npos
                             : static_cast<std::size_t>(at - bytes.begin());
}

// The bytes end with the request's first characters (not all four of them).
bool endsInTextStart(ByteSpan bytes)
{
    for (std::size_t n = std::min(bytes.size(), kCopyRequestStart.size() - 1); n > 0; --n)
        if (std::equal(bytes.end() - static_cast<long>(n), bytes.end(), kCopyRequestStart.begin()))
            return true;
    return false;
}

}  // namespace

bool holdsCopyRequestStart(ByteSpan bytes)
{
    return lastTextAt(bytes) != std::string_view::npos || endsInTextStart(bytes);
}

std::size_t copyRequestCharsAtStart(ByteSpan bytes)
{
    std::size_t n = 0;
    while (n < bytes.size() && n < kCopyRequestStart.size() &&
           bytes[n] == static_cast<std::uint8_t>(kCopyRequestStart[n]))
        ++n;
    return n;
}

std::size_t wholeCopyRequestAt(ByteSpan bytes)
{
    auto at = bytes.begin();
    for (;;) {
        at = std::search(at, bytes.end(), kCopyRequestStart.begin(), kCopyRequestStart.end());
        if (at == bytes.end()) return std::string_view::npos;
        const auto lineEnd =
            at + static_cast<long>(std::min<std::size_t>(kCopyRequestMaxLength, bytes.end() - at));
        if (std::find(at, lineEnd, '\n') != lineEnd)
            return static_cast<std::size_t>(at - bytes.begin());
        ++at;
    }
}

bool endsInUnfinishedCopyRequest(ByteSpan bytes)
{
    if (endsInTextStart(bytes)) return true;
    const std::size_t at = lastTextAt(bytes);
    if (at == std::string_view::npos || bytes.size() - at >= kCopyRequestMaxLength) return false;
    return std::find(bytes.begin() + static_cast<long>(at), bytes.end(), '\n') == bytes.end();
}

bool idleRunHoldsCopyRequest(std::string_view firstBytes)
{
    return firstBytes.substr(0, kCopyRequestMaxLength).find(kCopyRequestStart) !=
           std::string_view::npos;
}

WaitOutcome finishCopyRequest(SerialLine& line, std::vector<std::uint8_t>& bytes,
                              std::int64_t byteWaitMs)
{
    while (endsInUnfinishedCopyRequest(bytes)) {
        const WaitOutcome w = line.waitForBytes(1, byteWaitMs);
        if (w != WaitOutcome::Ready) return w;
        const std::vector<std::uint8_t> next = line.receiveBytes(1);
        bytes.insert(bytes.end(), next.begin(), next.end());
    }
    return WaitOutcome::Ready;
}

}  // namespace ql
