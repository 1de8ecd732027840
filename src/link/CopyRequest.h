#pragma once
// The instrument's copy request, recognised in one place. The instrument sends it on its own
// when its copy key is pressed: a line that starts with "COP:" and ends with CR LF, CR or LF
// within 80 bytes. It may come on the idle line, among the stale bytes a command flushes, ahead
// of an answer, or inside one; records and settings blocks are binary, so the same bytes are
// also ordinary data there. The rules below tell the two apart and take a request off the
// line; `CommandFrame`, the identification and the idle tick call them, and keep what they
// took.

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
// An instrument may pause after its request before it sends the rest of the answer the request
// moved: an answer holding a whole request line waits this much longer for that rest.
inline constexpr std::int64_t kCopyRequestPauseMs = 100;

using ByteSpan = std::span<const std::uint8_t>;

// The request's text anywhere in `bytes`, or its first characters ("C", "CO", "COP") as their
// last bytes, the rest perhaps still coming.
bool holdsCopyRequestStart(ByteSpan bytes);
// Where the first whole request line in `bytes` begins; npos for none.
std::size_t wholeCopyRequestAt(ByteSpan bytes);
// What cutting request lines out of bytes did: whether it cut one, and whether one of them
// ended in CR LF (that LF may have been the bytes' own).
struct RequestsCut {
    bool taken = false;
    bool lfAfterCr = false;
};
// Cuts every whole request line, with its whole line end, out of `bytes`.
RequestsCut cutCopyRequests(std::vector<std::uint8_t>& bytes);
// The idle line's rule: the request's text among the first kCopyRequestMaxLength bytes of a
// run of more than kIdleStrayBytes (`firstBytes`).
bool idleRunHoldsCopyRequest(std::string_view firstBytes);

// Reads on after `bytes`, one byte at a time, while they end inside a request still coming (its
// first characters, or its text without a line end yet and short enough to be one), each byte
// waited for at most `byteWaitMs` and all of them at most the reply time-out; after a request's
// CR, an LF that comes within the line's quiet time is read as its end too. Ready once they no
// longer do (the line is whole, or the bytes turned out to be something else).
WaitOutcome finishCopyRequest(SerialLine& line, std::vector<std::uint8_t>& bytes,
                              std::int64_t byteWaitMs);

// The first bytes of an answer (`head`), looked at before the answer is taken.
enum class AheadOfAnswer {
    Answer,         // `head` begins the answer, or is empty and the answer is still to come
    RequestTaken,   // a request line came first and was taken off the front of `head`
    NoRequestLine,  // the request's text without a line end: bytes the answer cannot follow
    TimedOut,       // the rest of a request never came
    PortFailed,
};
// No answer begins like the request: a request that came as the command went out is read to
// its end and taken off; the first characters of one followed by other bytes are a stray,
// dropped.
AheadOfAnswer takeCopyRequestAhead(SerialLine& line, std::vector<std::uint8_t>& head);

// An answer framed by its length alone (a payload), judged by what followed it.
enum class AnswerJudged {
    AsItCame,  // its bytes are its own: nothing followed, or only whole request lines
    Moved,     // requests inside pushed exactly their own length past its end: ask again
    Unclear,   // other bytes followed, or not as many: ask again, and keep no request
};
struct CopyRequestInside {
    AnswerJudged judged = AnswerJudged::AsItCame;
    bool requestTaken = false;  // a request line was taken off the line (inside or after it)
    bool portFailed = false;
};
// The answer holds the request's text or ends in its start: the line is read until it is
// quiet, and the answer counts as moved only when the requests inside it (each taken off with
// its whole line end, or its CR alone) leave exactly its length, followed by nothing but whole
// request lines. Where a whole request line is in it and nothing more has come, the line is
// given kCopyRequestPauseMs more. Costs no wait for any other answer.
CopyRequestInside judgeCopyRequestInside(SerialLine& line, ByteSpan answer);

// An answer whose text is known (an echo, an acknowledgement) that holds the start of a
// request: the request's line is read to its end and cut out of it (`cut`). The caller reads
// what the answer still lacks.
WaitOutcome takeCopyRequestOut(SerialLine& line, std::vector<std::uint8_t>& known,
                               RequestsCut& cut);

}  // namespace ql
