#pragma once
// The instrument's copy request, recognised in one place. The instrument sends it on its own
// when its copy key is pressed: a line that starts with "COP:" and ends with LF. It may come on
// the idle line, among the stale bytes a command flushes, ahead of an answer, or inside one;
// records and settings blocks are binary, so the same four bytes are also ordinary data there.
// The rules below tell the two apart; `CommandFrame` and the idle tick call them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "SerialLine.h"

namespace ql {

inline constexpr std::string_view kCopyRequestStart = "COP:";
// A request line ends within this many bytes of its start.
inline constexpr std::size_t kCopyRequestMaxLength = 80;
// On the idle line a run of at most this many bytes waits for more before it is looked at.
inline constexpr long kIdleStrayBytes = 6;

using ByteSpan = std::span<const std::uint8_t>;

// The request's text anywhere in `bytes`, or its first characters ("C", "CO", "COP") as their
// last bytes, the rest perhaps still coming.
bool holdsCopyRequestStart(ByteSpan bytes);
// How many of the request's first characters `bytes` begin with (0 to 4).
std::size_t copyRequestCharsAtStart(ByteSpan bytes);
// Where a whole request line begins in `bytes` ("COP:" and a line end within
// kCopyRequestMaxLength bytes of it); npos for none.
std::size_t wholeCopyRequestAt(ByteSpan bytes);
// `bytes` end inside a request still coming: its first characters, or its text without the
// line end yet and still short enough to be one.
bool endsInUnfinishedCopyRequest(ByteSpan bytes);
// The idle line's rule: a run of more than kIdleStrayBytes bytes with the request's text among
// its first kCopyRequestMaxLength (`firstBytes`).
bool idleRunHoldsCopyRequest(std::string_view firstBytes);

// Reads on after `bytes`, one byte at a time, while they end inside a request still coming,
// each byte waited for at most `byteWaitMs`: Ready once they no longer do (the request line is
// whole, or the bytes turned out to be something else), TimedOut when the rest did not come.
WaitOutcome finishCopyRequest(SerialLine& line, std::vector<std::uint8_t>& bytes,
                              std::int64_t byteWaitMs);

}  // namespace ql
