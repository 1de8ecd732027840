#include "CommandFrame.h"

#include <algorithm>

namespace ql {

bool isPlainAck(std::string_view reply)
{
    return reply == std::string_view("0\r\n", 3);
}

std::string visibleBytes(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t b : bytes) {
        if (b == '\r')
            text += "<CR>";
        else if (b == '\n')
            text += "<LF>";
        else if (b >= 0x20 && b < 0x7F)
            text += static_cast<char>(b);
        else
            text += std::string("<x") + kHex[b >> 4] + kHex[b & 0x0F] + ">";
    }
    return text;
}

bool CommandFrame::guard() const
{
    return ctx_.port.isOpen() && ctx_.state.link.remoteHeld != 0;
}

void CommandFrame::clearRemote()
{
    ctx_.state.link.autoUpdate = 0;
    ctx_.state.link.remoteHeld = 0;
    ctx_.host.setRemoteBox(false);
    ctx_.host.setAutoBox(false);
}

void CommandFrame::transmissionFailure(std::string_view command, WaitOutcome why)
{
    if (why == WaitOutcome::PortFailed) {
        transmissionFailure(command, portGoneText(ctx_.state.link.comPort));
    } else {
        transmissionFailure(command, "No answer to \"" + std::string(command) +
                                         "\" within 8 seconds. Is the instrument on and "
                                         "connected?");
    }
}

void CommandFrame::transmissionFailure(std::string_view command, std::string_view detail)
{
    (void)command;
    // A port that failed is closed at once, so the next operation reopens it.
    if (ctx_.port.hasFailed()) ctx_.port.close();
    std::string text = kTransmissionErrorText;
    if (!detail.empty()) text += "\n" + std::string(detail);
    if (!failureNote_.empty()) text += "\n" + failureNote_;
    clearRemote();
    if (silentFailures_) return;
    ctx_.messages.show(text, kSerialErrorTitle, MessageIcon::None);
}

bool CommandFrame::awaitHead(std::string_view command, std::size_t headLength)
{
    WaitOutcome w = line_.waitForBytes(1);
    if (w == WaitOutcome::Ready) w = line_.waitForBytes(headLength);
    if (w == WaitOutcome::Ready) return true;
    transmissionFailure(command, w);
    return false;
}

bool CommandFrame::checkEcho(const QueryRequest& request)
{
    std::vector<std::uint8_t> sent(request.command.begin(), request.command.end());
    sent.insert(sent.end(), request.requestBytes.begin(), request.requestBytes.end());
    const std::vector<std::uint8_t> echo = line_.receiveBytes(sent.size());
    if (echo == sent) return true;
    if (line_.portFailed()) {
        transmissionFailure(request.command, WaitOutcome::PortFailed);
        return false;
    }
    // Bytes ahead of the echo (or a reply meant for an earlier command) would shift every
    // payload byte: the answer is refused, never taken as data.
    transmissionFailure(request.command, "The answer to \"" + std::string(request.command) +
                                             "\" began with \"" + visibleBytes(echo) +
                                             "\" instead of its echo.");
    return false;
}

QueryReply CommandFrame::query(std::string_view command, std::size_t payloadLength,
                               const std::function<void(std::size_t, std::uint8_t)>& onByte)
{
    return query(QueryRequest{command, {}, command.size() + 1, payloadLength}, onByte);
}

QueryReply CommandFrame::query(const QueryRequest& request,
                               const std::function<void(std::size_t, std::uint8_t)>& onByte)
{
    QueryReply reply;
    if (!guard()) return reply;
    LinkBusyScope busy(ctx_.state);
    line_.flushInput();
    if (!line_.sendString(request.command) || !line_.sendBytes(request.requestBytes)) {
        transmissionFailure(request.command, WaitOutcome::PortFailed);
        return reply;
    }
    if (!awaitHead(request.command, request.headLength)) return reply;
    if (!checkEcho(request)) return reply;
    reply.payload.reserve(request.payloadLength);
    while (reply.payload.size() < request.payloadLength) {
        const WaitOutcome w = line_.waitForBytes(1);
        if (w != WaitOutcome::Ready) {
            transmissionFailure(request.command, w);
            return reply;
        }
        // Everything waiting is taken at once; each byte still had its own bounded wait.
        const long waiting = line_.inputCount();
        const std::size_t want = std::min<std::size_t>(request.payloadLength - reply.payload.size(),
                                                       waiting > 0 ? waiting : 1);
        for (std::uint8_t b : line_.receiveBytes(want)) {
            if (onByte) onByte(reply.payload.size(), b);
            reply.payload.push_back(b);
        }
    }
    reply.ok = true;
    return reply;
}

bool CommandFrame::acknowledge(std::string_view command, const AckCheck& accept)
{
    if (!awaitHead(command, 3)) return false;
    const std::string ack = line_.receiveString(3);
    if (accept(ack)) return true;
    transmissionFailure(command,
                        "The instrument did not acknowledge \"" + std::string(command) + "\".");
    return false;
}

bool CommandFrame::set(std::string_view command, const std::vector<std::uint8_t>& params,
                       std::initializer_list<std::size_t> pauseAfterByte)
{
    if (!guard()) return false;
    return exchangeSet(command, params, pauseAfterByte);
}

bool CommandFrame::setAfterFailure(std::string_view command,
                                   const std::vector<std::uint8_t>& params)
{
    if (!ctx_.port.isOpen()) return false;
    // The rest of the failed answer may still be on its way: once the line is quiet it can no
    // longer be taken for this command's acknowledgement.
    line_.receiveWholeReply();
    silentFailures_ = true;
    const bool ok = exchangeSet(command, params, {});
    silentFailures_ = false;
    return ok;
}

bool CommandFrame::exchangeSet(std::string_view command, const std::vector<std::uint8_t>& params,
                               std::initializer_list<std::size_t> pauseAfterByte)
{
    LinkBusyScope busy(ctx_.state);
    line_.flushInput();
    if (!line_.sendString(command)) {
        transmissionFailure(command, WaitOutcome::PortFailed);
        return false;
    }
    for (std::size_t i = 0; i < params.size(); ++i) {
        if (!line_.sendByte(params[i])) {
            transmissionFailure(command, WaitOutcome::PortFailed);
            return false;
        }
        for (std::size_t after : pauseAfterByte)
            if (after == i + 1) line_.waitTimerTicks();
    }
    return acknowledge(command, isPlainAck);
}

bool CommandFrame::control(std::string_view textWithTerminator, const AckCheck& accept)
{
    if (!guard()) return false;
    LinkBusyScope busy(ctx_.state);
    line_.flushInput();
    std::string_view command = textWithTerminator;
    while (!command.empty() && (command.back() == '\r' || command.back() == '\n'))
        command.remove_suffix(1);
    if (!line_.sendString(textWithTerminator)) {
        transmissionFailure(command, WaitOutcome::PortFailed);
        return false;
    }
    return acknowledge(command, accept);
}

void CommandFrame::releaseRemote()
{
    LinkBusyScope busy(ctx_.state);
    if (ctx_.port.isOpen()) {
        line_.flushInput();
        if (line_.sendString("rm0\r") && line_.waitForBytes(3) == WaitOutcome::Ready) {
            const long waiting = line_.inputCount();
            if (waiting > 0) line_.receiveBytes(static_cast<std::size_t>(waiting));
        }
        if (ctx_.port.hasFailed()) ctx_.port.close();
    }
    clearRemote();
}

}  // namespace ql
