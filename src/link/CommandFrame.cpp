#include "CommandFrame.h"

#include <algorithm>
#include <utility>

namespace ql {

namespace {

// The longest answer there is, a record and its echo: stale bytes are read for at most its
// time on the line (and at least the reply time-out).
constexpr std::size_t kLongestAnswerBytes = 2047 + 12;

std::int64_t staleBytesMs(const SerialLine& line)
{
    return std::max(kReplyTimeoutMs, line.bytesTimeMs(kLongestAnswerBytes));
}
// A query asked again while each answer brought a new copy request is asked this often at
// most.
constexpr int kMostAsks = 4;

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
    const std::int64_t start = ctx_.clock.monotonicMs();
    std::vector<std::uint8_t> head;
    for (;;) {
        if (head.empty()) {
            if (!awaitHead(command, headLength)) return std::nullopt;
            head = line_.receiveBytes(std::min(length, kCopyRequestStart.size()));
        }
        // The copy key pressed as the command went out: the request comes first, and the
        // answer is still awaited as usual.
        const AheadOfAnswer ahead = takeCopyRequestAhead(line_, head);
        if (ahead == AheadOfAnswer::Answer && !head.empty()) break;
        if (ahead == AheadOfAnswer::TimedOut || ahead == AheadOfAnswer::PortFailed) {
            transmissionFailure(command, ahead == AheadOfAnswer::PortFailed
                                             ? WaitOutcome::PortFailed
                                             : WaitOutcome::TimedOut);
            return std::nullopt;
        }
        if (ahead == AheadOfAnswer::NoRequestLine) {
            transmissionFailure(command, "The answer to \"" + std::string(command) +
                                             "\" began with \"" + visibleBytes(head) +
                                             "\" instead of its echo.");
            return std::nullopt;
        }
        if (ahead == AheadOfAnswer::RequestTaken) ctx_.state.link.copyRequestKept = true;
        // An instrument that sends nothing but requests does not keep the answer waiting.
        if (ctx_.clock.monotonicMs() - start > kReplyTimeoutMs) {
            transmissionFailure(command,
                                "The instrument sent copy requests instead of the answer "
                                "to \"" +
                                    std::string(command) + "\".");
            return std::nullopt;
        }
    }
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

bool CommandFrame::echoIsSent(const QueryRequest& request,
                              const std::vector<std::uint8_t>& echo) const
{
    std::vector<std::uint8_t> sent(request.command.begin(), request.command.end());
    sent.insert(sent.end(), request.requestBytes.begin(), request.requestBytes.end());
    return echo == sent;
}

CommandFrame::AnswerRead CommandFrame::judgeCopyRequestInside(
    std::string_view command, const std::vector<std::uint8_t>& answer)
{
    const CopyRequestInside inside = ql::judgeCopyRequestInside(line_, answer);
    if (inside.requestTaken) ctx_.state.link.copyRequestKept = true;
    if (inside.portFailed) {
        transmissionFailure(command, WaitOutcome::PortFailed);
        return AnswerRead::Failed;
    }
    switch (inside.judged) {
        case AnswerJudged::AsItCame: return AnswerRead::Taken;
        case AnswerJudged::Moved: return AnswerRead::MovedByCopyRequest;
        case AnswerJudged::Unclear: break;
    }
    return AnswerRead::Unclear;
}

bool CommandFrame::cutCopyRequestsOut(std::string_view command, std::vector<std::uint8_t>& known,
                                      std::size_t length)
{
    const std::int64_t start = ctx_.clock.monotonicMs();
    while (holdsCopyRequestStart(known)) {
        RequestsCut cut;
        WaitOutcome w = takeCopyRequestOut(line_, known, cut);
        if (cut.taken) ctx_.state.link.copyRequestKept = true;
        if (w == WaitOutcome::Ready && known.size() < length) {
            // A request ending in CR alone between an acknowledgement's CR and LF took that LF
            // for its own: given back when nothing else comes.
            const bool ownLf = cut.lfAfterCr && !known.empty() && known.size() + 1 == length &&
                               known.back() == '\r';
            if (ownLf && line_.waitForBytes(1, line_.quietMs()) == WaitOutcome::TimedOut)
                known.push_back('\n');
            else
                w = receiveMore(known, length - known.size());
        }
        if (w != WaitOutcome::Ready) {
            transmissionFailure(command, w);
            return false;
        }
        if (!cut.taken) break;
        // An instrument that sends nothing but requests does not keep the answer waiting.
        if (ctx_.clock.monotonicMs() - start > kReplyTimeoutMs) {
            transmissionFailure(command,
                                "The instrument sent copy requests instead of the "
                                "answer to \"" +
                                    std::string(command) + "\".");
            return false;
        }
    }
    return true;
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
    // A query changes nothing in the instrument, so an answer that copy requests moved is asked
    // for again (the requests are kept and served after the operation), and so is one that
    // other bytes followed. After the first time only while each answer brought a request of
    // its own (the copy key pressed again), up to kMostAsks in all.
    const std::string command(request.command);
    for (int asked = 1;; ++asked) {
        const AnswerRead answer = readAnswer(request, onByte, reply.payload);
        if (answer == AnswerRead::Taken || answer == AnswerRead::Failed) {
            reply.ok = answer == AnswerRead::Taken;
            return reply;
        }
        const bool moved = answer == AnswerRead::MovedByCopyRequest;
        if (asked == 1 || (moved && asked < kMostAsks)) continue;
        transmissionFailure(
            command, moved ? "The instrument's copy request came inside the answer to \"" +
                                 command + "\" " + std::to_string(asked) +
                                 " times in a row: the answer is not taken."
                           : "Bytes that are no copy request followed the answer to \"" + command +
                                 "\": the answer is not taken.");
        return reply;
    }
}

CommandFrame::AnswerRead CommandFrame::readAnswer(
    const QueryRequest& request, const std::function<void(std::size_t, std::uint8_t)>& onByte,
    std::vector<std::uint8_t>& payload)
{
    payload.clear();
    discardStaleInput();
    if (!line_.sendString(request.command) || !line_.sendBytes(request.requestBytes)) {
        transmissionFailure(request.command, WaitOutcome::PortFailed);
        return AnswerRead::Failed;
    }
    const std::size_t echoLength = request.command.size() + request.requestBytes.size();
    auto echo = receiveHead(request.command, request.headLength, echoLength);
    if (!echo) return AnswerRead::Failed;
    // The copy key pressed as the instrument echoed: the echo's text is known, so the request's
    // line inside it is cut out and the answer read on.
    if (!echoIsSent(request, *echo) && !cutCopyRequestsOut(request.command, *echo, echoLength))
        return AnswerRead::Failed;
    if (!echoIsSent(request, *echo)) {
        if (line_.portFailed()) {
            transmissionFailure(request.command, WaitOutcome::PortFailed);
            return AnswerRead::Failed;
        }
        // Bytes ahead of the echo (or a reply meant for an earlier command) would shift every
        // payload byte: refused, never data.
        transmissionFailure(request.command, "The answer to \"" + std::string(request.command) +
                                                 "\" began with \"" + visibleBytes(*echo) +
                                                 "\" instead of its echo.");
        return AnswerRead::Failed;
    }
    payload.reserve(request.payloadLength);
    while (payload.size() < request.payloadLength) {
        const WaitOutcome w = line_.waitForBytes(1);
        if (w != WaitOutcome::Ready) {
            transmissionFailure(request.command, w);
            return AnswerRead::Failed;
        }
        // Everything waiting is taken at once; each byte still had its own bounded wait.
        const long waiting = line_.inputCount();
        const std::size_t want = std::min<std::size_t>(request.payloadLength - payload.size(),
                                                       waiting > 0 ? waiting : 1);
        for (std::uint8_t b : line_.receiveBytes(want)) {
            if (onByte) onByte(payload.size(), b);
            payload.push_back(b);
        }
    }
    return judgeCopyRequestInside(request.command, payload);
}

bool CommandFrame::acknowledge(std::string_view command, const AckCheck& accept)
{
    auto head = receiveHead(command, 3, 3);
    if (!head) return false;
    // The copy key pressed as the instrument acknowledged: its request line sits inside the
    // three characters (no acknowledgement holds its text) and is cut out of them.
    if (!cutCopyRequestsOut(command, *head, 3)) return false;
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
    // The rest of the failed answer may still be on its way (a record's time at most): once the
    // line is quiet it can no longer be taken for this command's acknowledgement.
    (void)line_.receiveUntilQuiet(staleBytesMs(line_));
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
    std::vector<std::uint8_t> stale;
    if (const long waiting = line_.inputCount(); waiting > 0)
        stale = line_.receiveBytes(static_cast<std::size_t>(waiting));
    keepCopyRequestsAmong(stale);
}

void CommandFrame::discardUntilQuiet()
{
    if (line_.inputCount() <= 0) return;
    // For a record's time at most: the rest of one a failure cut short may still be coming.
    keepCopyRequestsAmong(line_.receiveUntilQuiet(staleBytesMs(line_)));
}

void CommandFrame::keepCopyRequestsAmong(std::vector<std::uint8_t> stale)
{
    if (stale.empty()) return;
    // A request the flush cut is finished here; a start that nothing follows was a stray.
    (void)finishCopyRequest(line_, stale, line_.quietMs());
    if (wholeCopyRequestAt(stale) != std::string_view::npos) ctx_.state.link.copyRequestKept = true;
}

void CommandFrame::releaseRemote()
{
    LinkBusyScope busy(ctx_.state);
    if (ctx_.port.isOpen()) {
        discardStaleInput();
        // The answer is not judged: the instrument is let go either way. A copy request ahead
        // of it or inside it is kept all the same.
        silentFailures_ = true;
        if (line_.sendString("rm0\r"))
            if (auto head = receiveHead("rm0", 3, 3)) (void)cutCopyRequestsOut("rm0", *head, 3);
        silentFailures_ = false;
        if (ctx_.port.hasFailed()) ctx_.port.close();
    }
    clearRemote();
}

}  // namespace ql
