#include "CommandFrame.h"

#include <algorithm>
#include <utility>

namespace ql {

namespace {

// More requests than this ahead of one answer: the answer is not coming.
constexpr int kMostCopyRequestsPerAnswer = 4;

// Where the copy request starts among bytes that wait on the line: at "COP:", or at its first
// characters where they end the bytes (the rest still coming); end() for neither.
std::vector<std::uint8_t>::const_iterator copyRequestStartIn(const std::vector<std::uint8_t>& bytes)
{
    const auto whole =
        std::search(bytes.begin(), bytes.end(), kCopyRequestStart.begin(), kCopyRequestStart.end());
    if (whole != bytes.end()) return whole;
    for (std::size_t n = std::min(bytes.size(), kCopyRequestStart.size() - 1); n > 0; --n) {
        const auto tail = bytes.end() - static_cast<long>(n);
        if (std::equal(tail, bytes.end(), kCopyRequestStart.begin())) return tail;
    }
    return bytes.end();
}

bool beginsLikeCopyRequest(const std::vector<std::uint8_t>& bytes)
{
    const std::size_t n = std::min(bytes.size(), kCopyRequestStart.size());
    return n > 0 && std::equal(bytes.begin(), bytes.begin() + static_cast<long>(n),
                               kCopyRequestStart.begin());
}

}  // namespace

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

std::optional<std::vector<std::uint8_t>> CommandFrame::receiveHead(std::string_view command,
                                                                   std::size_t headLength,
                                                                   std::size_t length)
{
    // The first characters of a copy request the flush before the command found at the end of
    // what waited: the rest of the request, or the answer, follows them.
    std::size_t carried = copyRequestStart_.size();
    std::vector<std::uint8_t> head = std::exchange(copyRequestStart_, {});
    for (int requests = 0;; ++requests) {
        if (head.empty()) {
            if (!awaitHead(command, headLength)) return std::nullopt;
            head = line_.receiveBytes(std::min(length, kCopyRequestStart.size()));
        }
        if (!beginsLikeCopyRequest(head)) break;
        // An instrument that sends nothing but requests does not keep the answer waiting.
        if (requests == kMostCopyRequestsPerAnswer) {
            transmissionFailure(command,
                                "The instrument sent copy requests instead of the answer "
                                "to \"" +
                                    std::string(command) + "\".");
            return std::nullopt;
        }
        // The copy key was pressed as the command went out: the request comes first, and the
        // answer is still awaited as usual.
        const CopyRequestRead request = readCopyRequest(command, head);
        if (request == CopyRequestRead::Failed) return std::nullopt;
        if (request == CopyRequestRead::NotOne) {
            if (carried == 0) return head;
            // What the flush carried was no request after all: the answer begins after it.
            head.erase(head.begin(), head.begin() + static_cast<long>(carried));
            carried = 0;
            continue;
        }
        carried = 0;
        head.clear();
    }
    // Only the bytes that followed carried ones may be here yet.
    if (head.size() < length) {
        if (const WaitOutcome w = receiveMore(head, length - head.size());
            w != WaitOutcome::Ready) {
            transmissionFailure(command, w);
            return std::nullopt;
        }
    }
    return head;
}

WaitOutcome CommandFrame::receiveMore(std::vector<std::uint8_t>& bytes, std::size_t n,
                                      std::int64_t timeoutMs)
{
    const WaitOutcome w = line_.waitForBytes(n, timeoutMs);
    if (w != WaitOutcome::Ready) return w;
    const std::vector<std::uint8_t> more = line_.receiveBytes(n);
    bytes.insert(bytes.end(), more.begin(), more.end());
    return w;
}

CommandFrame::CopyRequestRead CommandFrame::readCopyRequest(std::string_view command,
                                                            std::vector<std::uint8_t>& bytes)
{
    while (beginsLikeCopyRequest(bytes) && bytes.size() < kCopyRequestMaxLength) {
        if (bytes.size() >= kCopyRequestStart.size() && bytes.back() == '\n') {
            ctx_.state.link.copyRequestKept = true;
            return CopyRequestRead::Taken;
        }
        if (const WaitOutcome w = receiveMore(bytes, 1); w != WaitOutcome::Ready) {
            transmissionFailure(command, w);
            return CopyRequestRead::Failed;
        }
    }
    return CopyRequestRead::NotOne;
}

bool CommandFrame::checkEcho(const QueryRequest& request, const std::vector<std::uint8_t>& echo)
{
    std::vector<std::uint8_t> sent(request.command.begin(), request.command.end());
    sent.insert(sent.end(), request.requestBytes.begin(), request.requestBytes.end());
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

bool CommandFrame::checkNoCopyRequestInside(const QueryRequest& request,
                                            const std::vector<std::uint8_t>& payload)
{
    const auto start = copyRequestStartIn(payload);
    if (start == payload.end()) return true;
    // The answer ends with the first characters of a request, or with bytes that only look
    // like them: the rest of a request would follow at once.
    std::vector<std::uint8_t> tail(start, payload.end());
    while (tail.size() < kCopyRequestStart.size()) {
        const WaitOutcome w = receiveMore(tail, 1, line_.quietMs());
        if (w == WaitOutcome::TimedOut) return true;
        if (w == WaitOutcome::PortFailed) {
            transmissionFailure(request.command, w);
            return false;
        }
        // Other bytes after the answer are left to the next command's flush, as ever.
        if (!beginsLikeCopyRequest(tail)) return true;
    }
    // The copy key pressed during the transfer: the request came inside the answer and moved
    // its bytes. The answer is not taken; the request is served as any other.
    ctx_.state.link.copyRequestKept = true;
    transmissionFailure(request.command,
                        "The instrument's copy request came inside the answer to \"" +
                            std::string(request.command) + "\": the answer is not taken.");
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
    discardStaleInput();
    if (!line_.sendString(request.command) || !line_.sendBytes(request.requestBytes)) {
        transmissionFailure(request.command, WaitOutcome::PortFailed);
        return reply;
    }
    const std::size_t echoLength = request.command.size() + request.requestBytes.size();
    const auto echo = receiveHead(request.command, request.headLength, echoLength);
    if (!echo || !checkEcho(request, *echo)) return reply;
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
    if (!checkNoCopyRequestInside(request, reply.payload)) return reply;
    reply.ok = true;
    return reply;
}

bool CommandFrame::acknowledge(std::string_view command, const AckCheck& accept)
{
    const auto head = receiveHead(command, 3, 3);
    if (!head) return false;
    if (accept(std::string(head->begin(), head->end()))) return true;
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
    discardStaleInput();
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
    discardStaleInput();
    std::string_view command = textWithTerminator;
    while (!command.empty() && (command.back() == '\r' || command.back() == '\n'))
        command.remove_suffix(1);
    if (!line_.sendString(textWithTerminator)) {
        transmissionFailure(command, WaitOutcome::PortFailed);
        return false;
    }
    return acknowledge(command, accept);
}

void CommandFrame::discardStaleInput()
{
    std::vector<std::uint8_t> stale = std::exchange(copyRequestStart_, {});
    const long waiting = line_.inputCount();
    if (waiting > 0) {
        const std::vector<std::uint8_t> more =
            line_.receiveBytes(static_cast<std::size_t>(waiting));
        stale.insert(stale.end(), more.begin(), more.end());
    }
    const auto start = copyRequestStartIn(stale);
    if (start == stale.cend()) return;
    if (std::find(start, stale.cend(), '\n') != stale.cend())
        ctx_.state.link.copyRequestKept = true;
    else
        copyRequestStart_.assign(start, stale.cend());
}

void CommandFrame::releaseRemote()
{
    LinkBusyScope busy(ctx_.state);
    if (ctx_.port.isOpen()) {
        discardStaleInput();
        // The answer is not judged: the instrument is let go either way. A copy request ahead
        // of it is kept all the same.
        silentFailures_ = true;
        if (line_.sendString("rm0\r")) (void)receiveHead("rm0", 3, 3);
        silentFailures_ = false;
        if (ctx_.port.hasFailed()) ctx_.port.close();
    }
    clearRemote();
}

}  // namespace ql
