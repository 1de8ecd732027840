#pragma once
// How the simulated instrument splits the byte stream it receives into commands: a command
// text ends in '?', '=', ':' or CR; after a known text the instrument takes exactly as many
// binary parameter bytes as that command has. Bytes that form no known command are kept as
// junk records. A command left incomplete for a second is abandoned.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ql::scopesim {

enum class CommandKind {
    Identity,         // "id?", "vers?": the answer has no echo
    Query,            // echo of the text, then a fixed payload
    Set,              // binary parameters, answered "0" CR LF
    WaveformRequest,  // start and count follow; echo of the whole request, then the samples
    Control,          // text ended by CR, answered "0" CR LF
    WakeUp,           // " " CR
};

struct CommandSpec {
    std::string_view text;  // as on the wire, without the CR of control commands
    CommandKind kind;
    int paramCount;     // binary bytes after the text (waveform requests: by firmware)
    int payloadLength;  // query payload bytes
};

const std::vector<CommandSpec>& commandTable();
const CommandSpec* findCommand(std::string_view text);

// The line idles this long inside a command before the instrument gives the command up.
constexpr std::int64_t kAbandonGapUs = 1'000'000;

struct ReceivedCommand {
    const CommandSpec* spec = nullptr;  // nullptr: bytes that formed no known command
    std::string text;                   // command text (junk: the raw bytes)
    std::vector<std::uint8_t> params;
    std::string terminator;                            // "\r" or "\r\n" after control commands
    std::vector<std::int64_t> byteStartUs, byteEndUs;  // every byte in order of arrival
    std::int64_t gapBeforeUs = -1;  // idle line before the first byte; -1: first ever
    bool abandoned = false;         // its parameters never all came

    std::int64_t endUs() const { return byteEndUs.empty() ? 0 : byteEndUs.back(); }
    // Idle line time before byte `index` (0-based over text, parameters and terminator).
    std::int64_t idleBeforeByteUs(std::size_t index) const;
    // Idle line time before parameter byte `n` (1-based), as the pause rules count them.
    std::int64_t idleBeforeParamUs(std::size_t n) const
    {
        return idleBeforeByteUs(text.size() + n - 1);
    }
};

class CommandParser {
public:
    // Parameter bytes that follow a waveform request text: 4 (start, count) or 5 (start, ",",
    // count) on firmware below 1.05.
    explicit CommandParser(int waveformParamCount) : waveformParamCount_(waveformParamCount) {}

    struct Output {
        std::vector<ReceivedCommand> commands;  // in order: abandoned or junk, then commands
        bool lineFeedAfterControl = false;      // an LF that completes "CR LF" of the last one
    };
    Output feed(std::uint8_t byte, std::int64_t startUs, std::int64_t endUs);
    // Gives up a command the line has left incomplete for longer than kAbandonGapUs.
    std::optional<ReceivedCommand> expire(std::int64_t nowUs);

private:
    void startRecord(std::int64_t startUs);
    void flushJunk(Output& out, std::size_t keepSuffix);

    int waveformParamCount_;
    ReceivedCommand current_;
    bool collectingParams_ = false;
    int paramsWanted_ = 0;
    bool lastWasControl_ = false;
    std::int64_t lastEndUs_ = -1;
};

}  // namespace ql::scopesim
