#include "CommandParser.h"

#include <algorithm>

namespace ql::scopesim {

namespace {

constexpr std::size_t kMaxTextLength = 64;

}  // namespace

const std::vector<CommandSpec>& commandTable()
{
    // clang-format off
    static const std::vector<CommandSpec> table = {
        {"id?", CommandKind::Identity, 0, 0},       {"vers?", CommandKind::Identity, 0, 0},
        {"ddf?", CommandKind::Query, 0, 14},        {"ddf1?", CommandKind::Query, 0, 16},
        {"roddf?", CommandKind::Query, 0, 10},      {"ddf2?", CommandKind::Query, 0, 8},
        {"measddf?", CommandKind::Query, 0, 22},    {"trgval?", CommandKind::Query, 0, 8},
        {"trgposa?", CommandKind::Query, 0, 2},     {"trgposb?", CommandKind::Query, 0, 2},
        {"avrnm?", CommandKind::Query, 0, 1},       {"hldwfm?", CommandKind::Query, 0, 1},
        {"ref1pos?", CommandKind::Query, 0, 1},     {"ref2pos?", CommandKind::Query, 0, 1},
        {"trgsta?", CommandKind::Query, 0, 1},      {"wfmpre?", CommandKind::Query, 0, 10},
        {"ddf=", CommandKind::Set, 14, 0},          {"vermode=", CommandKind::Set, 1, 0},
        {"ddf1=", CommandKind::Set, 16, 0},         {"roddf=", CommandKind::Set, 10, 0},
        {"ddf2=", CommandKind::Set, 8, 0},          {"measddf=", CommandKind::Set, 22, 0},
        {"avrnm=", CommandKind::Set, 1, 0},         {"hldwfm=", CommandKind::Set, 1, 0},
        {"ref1pos=", CommandKind::Set, 1, 0},       {"ref2pos=", CommandKind::Set, 1, 0},
        {"savedf=", CommandKind::Set, 1, 0},        {"recdf=", CommandKind::Set, 1, 0},
        {"rdwfm1:", CommandKind::WaveformRequest, 4, 0},
        {"rdwfm2:", CommandKind::WaveformRequest, 4, 0},
        {"rdref1:", CommandKind::WaveformRequest, 4, 0},
        {"rdref2:", CommandKind::WaveformRequest, 4, 0},
        {"AUTOSET", CommandKind::Control, 0, 0},    {"RES", CommandKind::Control, 0, 0},
        {"savref1", CommandKind::Control, 0, 0},    {"savref2", CommandKind::Control, 0, 0},
        {"rm0", CommandKind::Control, 0, 0},        {" ", CommandKind::WakeUp, 0, 0},
    };
    // clang-format on
    return table;
}

const CommandSpec* findCommand(std::string_view text)
{
    for (const auto& c : commandTable())
        if (c.text == text) return &c;
    return nullptr;
}

std::int64_t ReceivedCommand::idleBeforeByteUs(std::size_t index) const
{
    if (index >= byteStartUs.size()) return 0;
    if (index == 0) return gapBeforeUs;
    return byteStartUs[index] - byteEndUs[index - 1];
}

void CommandParser::startRecord(std::int64_t startUs)
{
    current_ = ReceivedCommand{};
    current_.gapBeforeUs = lastEndUs_ < 0 ? -1 : std::max<std::int64_t>(0, startUs - lastEndUs_);
}

// Emits everything of the current text except its last `keepSuffix` bytes as junk; the kept
// bytes start the command record.
void CommandParser::flushJunk(Output& out, std::size_t keepSuffix)
{
    const std::size_t junk = current_.text.size() - keepSuffix;
    if (junk == 0) return;
    if (keepSuffix == 0) {
        out.commands.push_back(std::move(current_));
        current_ = ReceivedCommand{};
        return;
    }
    ReceivedCommand j;
    j.gapBeforeUs = current_.gapBeforeUs;
    j.text = current_.text.substr(0, junk);
    j.byteStartUs.assign(current_.byteStartUs.begin(),
                         current_.byteStartUs.begin() + static_cast<long>(junk));
    j.byteEndUs.assign(current_.byteEndUs.begin(),
                       current_.byteEndUs.begin() + static_cast<long>(junk));
    current_.text.erase(0, junk);
    current_.byteStartUs.erase(current_.byteStartUs.begin(),
                               current_.byteStartUs.begin() + static_cast<long>(junk));
    current_.byteEndUs.erase(current_.byteEndUs.begin(),
                             current_.byteEndUs.begin() + static_cast<long>(junk));
    current_.gapBeforeUs = current_.byteStartUs.front() - j.byteEndUs.back();
    out.commands.push_back(std::move(j));
}

std::optional<ReceivedCommand> CommandParser::expire(std::int64_t nowUs)
{
    const bool inCommand = collectingParams_ || !current_.text.empty();
    if (!inCommand || nowUs - lastEndUs_ <= kAbandonGapUs) return std::nullopt;
    ReceivedCommand c = std::move(current_);
    c.abandoned = true;
    if (!collectingParams_) c.spec = nullptr;
    current_ = ReceivedCommand{};
    collectingParams_ = false;
    return c;
}

CommandParser::Output CommandParser::feed(std::uint8_t byte, std::int64_t startUs,
                                          std::int64_t endUs)
{
    Output out;
    if (auto abandoned = expire(startUs)) out.commands.push_back(std::move(*abandoned));
    if (!collectingParams_ && current_.text.empty()) {
        if (byte == '\n' && lastWasControl_) {
            lastWasControl_ = false;
            lastEndUs_ = endUs;
            out.lineFeedAfterControl = true;
            return out;
        }
        startRecord(startUs);
    }
    lastWasControl_ = false;
    lastEndUs_ = endUs;
    current_.byteStartUs.push_back(startUs);
    current_.byteEndUs.push_back(endUs);

    if (collectingParams_) {
        current_.params.push_back(byte);
        if (static_cast<int>(current_.params.size()) == paramsWanted_) {
            collectingParams_ = false;
            out.commands.push_back(std::move(current_));
            current_ = ReceivedCommand{};
        }
        return out;
    }

    current_.text.push_back(static_cast<char>(byte));
    const bool terminator = byte == '?' || byte == '=' || byte == ':' || byte == '\r';
    if (!terminator) {
        if (current_.text.size() >= kMaxTextLength) flushJunk(out, 0);
        return out;
    }

    // The longest known command that ends the text wins ("roddf?" before "ddf?").
    const CommandSpec* best = nullptr;
    const std::string_view body =
        byte == '\r' ? std::string_view(current_.text).substr(0, current_.text.size() - 1)
                     : std::string_view(current_.text);
    for (const auto& c : commandTable()) {
        const bool endsWithCr = c.kind == CommandKind::Control || c.kind == CommandKind::WakeUp;
        if (endsWithCr != (byte == '\r')) continue;
        if (body.size() >= c.text.size() && body.substr(body.size() - c.text.size()) == c.text &&
            (!best || c.text.size() > best->text.size()))
            best = &c;
    }
    if (!best) {
        flushJunk(out, 0);
        return out;
    }
    flushJunk(out, best->text.size() + (byte == '\r' ? 1 : 0));
    current_.spec = best;
    if (byte == '\r') {
        current_.text.pop_back();
        current_.terminator.push_back('\r');
        lastWasControl_ = true;
    }
    paramsWanted_ =
        best->kind == CommandKind::WaveformRequest ? waveformParamCount_ : best->paramCount;
    if (paramsWanted_ > 0) {
        collectingParams_ = true;
        return out;
    }
    out.commands.push_back(std::move(current_));
    current_ = ReceivedCommand{};
    return out;
}

}  // namespace ql::scopesim
