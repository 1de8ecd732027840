#pragma once
// The byte-level operations every exchange is built from: open the stored port, send text and
// bytes one at a time with the output drained after each, read waiting bytes, bounded waits
// for k bytes on the Clock, and the short pause some set commands need between bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "LinkContext.h"

namespace ql {

// One wait for the instrument lasts at most this long.
constexpr std::int64_t kReplyTimeoutMs = 8000;
// The pause between parameter bytes that some set commands need (two 50 ms ticks).
constexpr std::int64_t kByteGapPauseMs = 100;

enum class WaitOutcome { Ready, TimedOut, PortFailed };
enum class EventPolicy { Pump, NoEvents };

// The line a message adds when the device of port `comPort` has gone or its far end has
// closed: which device, and that the next Read opens it again.
std::string portGoneText(int comPort);

class SerialLine {
public:
    explicit SerialLine(LinkContext& ctx) : ctx_(ctx) {}

    // (Re)opens port `comPort` at `baudRate`, 8 data bits, no parity, 2 stop bits, and empties
    // both buffers. On failure shows "Can not open com.-port" with the reason and leaves the
    // port closed.
    bool openComPort();
    // Opens a port for the port search (19200 baud, 1 stop bit), silently.
    bool openForSearch(int portNumber);
    void closePort() { ctx_.port.close(); }
    bool isOpen() const { return ctx_.port.isOpen(); }

    // Sends each character, waiting (with events) until it has left the output buffer.
    // False when the port failed or would not send within the reply time-out.
    bool sendString(std::string_view text);
    bool sendByte(std::uint8_t b);
    bool sendBytes(const std::vector<std::uint8_t>& bytes);

    // Reads n waiting bytes (callers only ask for bytes the input count shows).
    std::vector<std::uint8_t> receiveBytes(std::size_t n);
    std::string receiveString(std::size_t n);
    // Reads a reply whole: everything waiting, and what follows until the line has been
    // quiet for a few character times (replies of unknown length such as the identity), for
    // at most `maxMs`.
    std::vector<std::uint8_t> receiveUntilQuiet(std::int64_t maxMs = kReplyTimeoutMs);
    std::string receiveWholeReply();
    // How long `n` bytes take on the line at its baud rate.
    std::int64_t bytesTimeMs(std::size_t n) const;

    // How long the line stays quiet after a reply before it counts as ended: ten character
    // times (11 bits each), at least 20 ms (a USB adapter delivers in packets).
    std::int64_t quietMs() const;

    // Waits until at least k bytes are waiting, at most timeoutMs on the monotonic clock.
    WaitOutcome waitForBytes(std::size_t k, std::int64_t timeoutMs = kReplyTimeoutMs,
                             EventPolicy events = EventPolicy::Pump);
    // The pause between parameter bytes; keeps the user interface alive.
    void waitTimerTicks();

    std::int64_t nowMs() const { return ctx_.clock.monotonicMs(); }
    void flushInput() { ctx_.port.discardInput(); }
    long inputCount() { return ctx_.port.inputCount(); }
    bool portFailed() const { return ctx_.port.hasFailed(); }

private:
    bool drainOutput();

    LinkContext& ctx_;
};

}  // namespace ql
