#pragma once
// Everything the simulated instrument received: every byte with the time it came in, and the
// commands those bytes formed, so tests can assert the exact wire order and the pauses.

#include <cstdint>
#include <string>
#include <vector>

#include "CommandParser.h"

namespace ql::scopesim {

struct ReceivedByte {
    std::uint8_t value = 0;
    std::int64_t startUs = 0;  // start bit on the line (monotonic clock, microseconds)
    std::int64_t endUs = 0;    // last stop bit: the moment the instrument has the byte
};

struct CommandRecord {
    ReceivedCommand received;
    bool answered = false;  // an answer was put on the line (possibly a faulty one)
    std::string note;       // why it went unanswered or was refused, when it was

    bool known() const { return received.spec != nullptr && !received.abandoned; }
    const std::string& text() const { return received.text; }
    const std::vector<std::uint8_t>& params() const { return received.params; }
    // "ddf= [58 00 ...]", "AUTOSET", "<junk 41 42>", "<incomplete ddf= [..]>"
    std::string describe() const;
};

class WireRecorder {
public:
    void addByte(std::uint8_t value, std::int64_t startUs, std::int64_t endUs);
    void addCommand(CommandRecord record) { commands_.push_back(std::move(record)); }
    CommandRecord* lastCommand() { return commands_.empty() ? nullptr : &commands_.back(); }
    void clear();

    const std::vector<ReceivedByte>& bytes() const { return bytes_; }
    const std::vector<CommandRecord>& commands() const { return commands_; }
    // Texts of the complete known commands in order ("id?", "ddf=", "AUTOSET", " " for the
    // wake-up), without parameters.
    std::vector<std::string> commandTexts() const;
    // describe() of every record, junk and incomplete commands included.
    std::vector<std::string> commandLines() const;
    // The received bytes as one string (binary bytes included as they are).
    std::string receivedText() const;

private:
    std::vector<ReceivedByte> bytes_;
    std::vector<CommandRecord> commands_;
};

}  // namespace ql::scopesim
