#include "SerialLine.h"

#include "PortMap.h"

#include <algorithm>

namespace ql {

std::string portGoneText(int comPort)
{
    const auto device = portDevice(comPort);
    const std::string name = device ? *device : "of port number " + std::to_string(comPort);
    return "The port " + name +
           " is no longer there (adapter unplugged, or the other end of the line closed). "
           "The next Read opens it again.";
}

bool SerialLine::openComPort()
{
    if (ctx_.port.isOpen()) ctx_.port.close();
    const int portNumber = ctx_.state.link.comPort;
    const auto device = portDevice(portNumber);
    std::string reason;
    if (!device) {
        reason = "Port number " + std::to_string(portNumber) + " is not one of 1 to 4.";
    } else {
        const LineSettings settings{ctx_.state.link.baudRate, 8, Parity::None, 2};
        const PortOpenResult result = ctx_.port.open(*device, settings);
        if (result.ok) {
            ctx_.port.discardOutput();
            ctx_.port.discardInput();
            // A copy request kept before the port closed went with it: none is printed late.
            ctx_.state.link.copyRequestKept = false;
            return true;
        }
        reason = result.reason;
    }
    ctx_.port.close();
    std::string text = kCannotOpenPortText;
    if (!reason.empty()) text += "\n" + reason;
    ctx_.messages.show(text, kSerialErrorTitle, MessageIcon::None);
    return false;
}

bool SerialLine::openForSearch(int portNumber)
{
    if (ctx_.port.isOpen()) ctx_.port.close();
    const auto device = portDevice(portNumber);
    if (!device) return false;
    if (!ctx_.port.open(*device, LineSettings{19200, 8, Parity::None, 1}).ok) {
        ctx_.port.close();
        return false;
    }
    ctx_.port.discardOutput();
    ctx_.port.discardInput();
    return true;
}

bool SerialLine::drainOutput()
{
    const std::int64_t start = ctx_.clock.monotonicMs();
    for (;;) {
        ctx_.host.pumpEvents();
        const long pending = ctx_.port.outputCount();
        if (pending < 0 || ctx_.port.hasFailed()) return false;
        if (pending < 1) return true;
        if (ctx_.clock.monotonicMs() - start > kReplyTimeoutMs) return false;
        ctx_.clock.idle();
    }
}

bool SerialLine::sendByte(std::uint8_t b)
{
    if (!ctx_.port.isOpen()) return false;
    const std::uint8_t one[1] = {b};
    if (!ctx_.port.write(one)) return false;
    return drainOutput();
}

bool SerialLine::sendString(std::string_view text)
{
    for (char c : text)
        if (!sendByte(static_cast<std::uint8_t>(c))) return false;
    return true;
}

bool SerialLine::sendBytes(const std::vector<std::uint8_t>& bytes)
{
    for (std::uint8_t b : bytes)
        if (!sendByte(b)) return false;
    return true;
}

std::vector<std::uint8_t> SerialLine::receiveBytes(std::size_t n)
{
    std::vector<std::uint8_t> out(n);
    std::size_t got = 0;
    while (got < n) {
        const std::size_t k = ctx_.port.read(std::span<std::uint8_t>(out).subspan(got));
        if (k == 0) break;
        got += k;
    }
    out.resize(got);
    return out;
}

std::string SerialLine::receiveString(std::size_t n)
{
    const auto bytes = receiveBytes(n);
    return std::string(bytes.begin(), bytes.end());
}

std::int64_t SerialLine::bytesTimeMs(std::size_t n) const
{
    const std::int64_t baud = ctx_.state.link.baudRate > 0 ? ctx_.state.link.baudRate : 19200;
    return static_cast<std::int64_t>(n) * 11 * 1000 / baud + 1;
}

std::int64_t SerialLine::quietMs() const
{
    return std::max<std::int64_t>(20, bytesTimeMs(10));
}

std::vector<std::uint8_t> SerialLine::receiveUntilQuiet(std::int64_t maxMs)
{
    const std::int64_t quiet = quietMs();
    const std::int64_t start = ctx_.clock.monotonicMs();
    std::vector<std::uint8_t> reply;
    std::int64_t lastByte = start;
    for (;;) {
        const long waiting = ctx_.port.inputCount();
        if (waiting < 0 || ctx_.port.hasFailed()) break;
        if (waiting > 0) {
            const std::vector<std::uint8_t> more = receiveBytes(static_cast<std::size_t>(waiting));
            reply.insert(reply.end(), more.begin(), more.end());
            lastByte = ctx_.clock.monotonicMs();
        }
        const std::int64_t now = ctx_.clock.monotonicMs();
        if (now - lastByte >= quiet || now - start > maxMs) break;
        ctx_.host.pumpEvents();
        ctx_.clock.idle();
    }
    return reply;
}

std::string SerialLine::receiveWholeReply()
{
    const std::vector<std::uint8_t> reply = receiveUntilQuiet();
    return std::string(reply.begin(), reply.end());
}

WaitOutcome SerialLine::waitForBytes(std::size_t k, std::int64_t timeoutMs, EventPolicy events)
{
    const std::int64_t start = ctx_.clock.monotonicMs();
    for (;;) {
        const long waiting = ctx_.port.inputCount();
        if (waiting < 0 || ctx_.port.hasFailed() || !ctx_.port.isOpen())
            return WaitOutcome::PortFailed;
        if (static_cast<std::size_t>(waiting) >= k) return WaitOutcome::Ready;
        if (ctx_.clock.monotonicMs() - start > timeoutMs) return WaitOutcome::TimedOut;
        if (events == EventPolicy::Pump) ctx_.host.pumpEvents();
        ctx_.clock.idle();
    }
}

void SerialLine::waitTimerTicks()
{
    ctx_.state.link.timer2Ticks = 0;
    const std::int64_t start = ctx_.clock.monotonicMs();
    while (ctx_.clock.monotonicMs() - start < kByteGapPauseMs) {
        ctx_.host.pumpEvents();
        ctx_.clock.idle();
    }
    ctx_.state.link.timer2Ticks = 2;
}

}  // namespace ql
