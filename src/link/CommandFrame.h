#pragma once
// The frame every command follows: guard (port open and instrument held in remote), flush,
// command text and parameter bytes, bounded waits for the head of the reply, the echo compared
// with what was sent, the payload read byte by byte with its own wait, or the 3-byte
// acknowledgement checked. Any failure shows one "Transmission Error" and drops the instrument
// out of remote, so every later command of the running sequence returns at its guard and
// sends nothing. The instrument's own copy request (recognised by the rules of CopyRequest.h),
// met among stale bytes, ahead of an answer or inside an echo or acknowledgement, is taken off
// the line and kept for the timer to serve; a query whose payload requests moved is asked again
// while each answer brings a new one.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CopyRequest.h"
#include "SerialLine.h"

namespace ql {

// The instrument echoes a query as it received it: the command text and the request bytes.
struct QueryRequest {
    std::string_view command;                // sent one character at a time, no terminator
    std::vector<std::uint8_t> requestBytes;  // sent after the text (waveform requests)
    std::size_t headLength = 0;              // bytes awaited before the echo is read
    std::size_t payloadLength = 0;
};

struct QueryReply {
    bool ok = false;
    std::vector<std::uint8_t> payload;  // what arrived, also when the reply broke off
};

// Accepts or refuses a 3-character acknowledgement.
using AckCheck = std::function<bool(std::string_view)>;
bool isPlainAck(std::string_view reply);  // exactly "0" CR LF

class CommandFrame {
public:
    CommandFrame(LinkContext& ctx, SerialLine& line) : ctx_(ctx), line_(line) {}

    // Port open and the instrument held in remote.
    bool guard() const;

    // A query whose echo is the command text and whose head is the echo plus one byte.
    QueryReply query(std::string_view command, std::size_t payloadLength,
                     const std::function<void(std::size_t, std::uint8_t)>& onByte = {});
    // A query in full form; onByte sees each payload byte (index from 0) as it arrives, and
    // again from 0 when the answer is asked for once more.
    QueryReply query(const QueryRequest& request,
                     const std::function<void(std::size_t, std::uint8_t)>& onByte = {});

    // A set command: text, parameter bytes (with a byte-gap pause after the listed 1-based
    // byte numbers), then "0" CR LF.
    bool set(std::string_view command, const std::vector<std::uint8_t>& params,
             std::initializer_list<std::size_t> pauseAfterByte = {});
    // A set command sent once after a failure, while the instrument is no longer counted as
    // held but has not been released yet (to give back what the failed operation took). It
    // needs only the port open, and its own failure is shown to nobody: the failure before it
    // has been reported.
    bool setAfterFailure(std::string_view command, const std::vector<std::uint8_t>& params);
    // A control command: the text with its terminator, then a 3-character answer that
    // `accept` judges.
    bool control(std::string_view textWithTerminator, const AckCheck& accept = isPlainAck);

    // Reports a failed command once and drops the instrument out of remote.
    void transmissionFailure(std::string_view command, WaitOutcome why);
    void transmissionFailure(std::string_view command, std::string_view detail);
    // A line added to every failure this frame reports (what the failure means for the
    // operation in progress); empty for none.
    void setFailureNote(std::string note) { failureNote_ = std::move(note); }

    // Drops what waits on the line before a command. A copy request among it is kept; one still
    // coming is finished first, so that none of it reaches the command, and a start of one
    // that nothing follows within the line's quiet time is dropped as a stray.
    void discardStaleInput();
    // The same for what waits and what follows it until the line is quiet (for a record's time
    // at most): the identification's flushes, so that the rest of an answer still arriving
    // never reaches the identity.
    void discardUntilQuiet();

    // Returns the instrument to local operation with "rm0"; silent when it does not answer.
    void releaseRemote();

    SerialLine& line() { return line_; }

private:
    // An answer taken, moved by copy requests, followed by other bytes, or failed (reported).
    enum class AnswerRead { Taken, MovedByCopyRequest, Unclear, Failed };

    // One exchange of a query: flush, send, echo, payload. Failed ones are reported.
    AnswerRead readAnswer(const QueryRequest& request,
                          const std::function<void(std::size_t, std::uint8_t)>& onByte,
                          std::vector<std::uint8_t>& payload);
    bool awaitHead(std::string_view command, std::size_t headLength);
    // Once `headLength` bytes of the answer have come, its first `length`, after any copy
    // request ahead of them (taken off and kept; the wait starts again, for the usual time-out
    // at most in all). Empty after a failure (reported).
    std::optional<std::vector<std::uint8_t>> receiveHead(std::string_view command,
                                                         std::size_t headLength,
                                                         std::size_t length);
    // Waits at most `timeoutMs` for `n` more bytes and adds them to `bytes`.
    WaitOutcome receiveMore(std::vector<std::uint8_t>& bytes, std::size_t n,
                            std::int64_t timeoutMs = kReplyTimeoutMs);
    bool echoIsSent(const QueryRequest& request, const std::vector<std::uint8_t>& echo) const;
    // A payload judged for copy requests inside it by what followed it; a request taken off
    // the line is kept, a failed port reported.
    AnswerRead judgeCopyRequestInside(std::string_view command,
                                      const std::vector<std::uint8_t>& answer);
    // An answer of known text (an echo, an acknowledgement: `known`, `length` bytes) that holds
    // a request's start: each request is cut out and kept, and what the answer then lacks is
    // read. False after a failure (reported).
    bool cutCopyRequestsOut(std::string_view command, std::vector<std::uint8_t>& known,
                            std::size_t length);
    void keepCopyRequestsAmong(std::vector<std::uint8_t> stale);
    bool acknowledge(std::string_view command, const AckCheck& accept);
    bool exchangeSet(std::string_view command, const std::vector<std::uint8_t>& params,
                     std::initializer_list<std::size_t> pauseAfterByte);
    void clearRemote();

    LinkContext& ctx_;
    SerialLine& line_;
    std::string failureNote_;
    bool silentFailures_ = false;
};

// Bytes as a message can show them: printable characters as they are, others as <CR>, <LF>
// or <xNN>.
std::string visibleBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace ql
