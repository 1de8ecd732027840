#pragma once
// The frame every command follows: guard (port open and instrument held in remote), flush,
// command text and parameter bytes, bounded waits for the head of the reply, the echo compared
// with what was sent, the payload read byte by byte with its own wait, or the 3-byte
// acknowledgement checked. Any failure shows one "Transmission Error" and drops the instrument
// out of remote, so every later command of the running sequence returns at its guard and
// sends nothing. The instrument's own copy request, met ahead of an answer, is taken off the
// line and kept for the timer to serve; one that came inside an answer refuses the answer.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SerialLine.h"

namespace ql {

// The instrument's hardcopy request, sent on its own: a line that starts with this, found within
// this many bytes.
inline constexpr std::string_view kCopyRequestStart = "COP:";
inline constexpr std::size_t kCopyRequestMaxLength = 80;

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
    // A query in full form; onByte sees each payload byte (index from 0) as it arrives.
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

    // Drops what waits on the line before a command, except the instrument's copy request: one
    // that came whole is kept, and the start of one still coming is finished at the head of
    // the next answer.
    void discardStaleInput();

    // Returns the instrument to local operation with "rm0"; silent when it does not answer.
    void releaseRemote();

    SerialLine& line() { return line_; }

private:
    enum class CopyRequestRead { Taken, NotOne, Failed };

    bool awaitHead(std::string_view command, std::size_t headLength);
    // Once `headLength` bytes of the answer have come, its first `length`; a copy request ahead
    // of them (or finishing a start the flush carried) is taken off and the wait starts again.
    // Empty after a failure (reported).
    std::optional<std::vector<std::uint8_t>> receiveHead(std::string_view command,
                                                         std::size_t headLength,
                                                         std::size_t length);
    // `bytes`, just read, begin like the copy request: reads on to the end of its line and
    // keeps it (Taken); NotOne when they turn out to be something else (`bytes` holds all
    // that was read).
    CopyRequestRead readCopyRequest(std::string_view command, std::vector<std::uint8_t>& bytes);
    // Waits at most `timeoutMs` for `n` more bytes and adds them to `bytes`.
    WaitOutcome receiveMore(std::vector<std::uint8_t>& bytes, std::size_t n,
                            std::int64_t timeoutMs = kReplyTimeoutMs);
    bool checkEcho(const QueryRequest& request, const std::vector<std::uint8_t>& echo);
    // A payload framed by its length alone holds (or ends with the start of) the copy request
    // when the copy key was pressed during the transfer: its bytes are shifted, and it is
    // refused (the request is kept).
    bool checkNoCopyRequestInside(const QueryRequest& request,
                                  const std::vector<std::uint8_t>& payload);
    bool acknowledge(std::string_view command, const AckCheck& accept);
    bool exchangeSet(std::string_view command, const std::vector<std::uint8_t>& params,
                     std::initializer_list<std::size_t> pauseAfterByte);
    void clearRemote();

    LinkContext& ctx_;
    SerialLine& line_;
    std::string failureNote_;
    bool silentFailures_ = false;
    std::vector<std::uint8_t> copyRequestStart_;  // carried from the flush into the next head
};

// Bytes as a message can show them: printable characters as they are, others as <CR>, <LF>
// or <xNN>.
std::string visibleBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace ql
