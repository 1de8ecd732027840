#pragma once
// The commands other programs send (READ, GETBINCHA, GETBINCHB, GETCHA, GETCHB) and the one
// answer item "data" they fetch afterwards. A transport (the local socket server) hands each
// line it receives to answerLine() and sends back what it returns; everything the commands
// mean is decided here.
//
// Line protocol:
//   EXECUTE <command>   ->  OK | REFUSED      (after the command has finished)
//   REQUEST data        ->  the current text of "data"
//   anything else       ->  REFUSED

#include <string>
#include <string_view>

#include "InstrumentOperations.h"

namespace ql {

enum class CommandResult { Ok, Refused };

// Longest line a client may send (without its line end); longer ones are refused unread.
constexpr std::size_t kMaxRemoteLineLength = 256;

inline constexpr std::string_view kRemoteOk = "OK";
inline constexpr std::string_view kRemoteRefused = "REFUSED";

class RemoteCommands {
public:
    // `decimalSign` is the user's decimal separator; answers always carry "." regardless.
    RemoteCommands(ProgramState& state, InstrumentOperations& operations, char decimalSign);

    // Runs one command. The command is compared in upper case and must match exactly, blanks
    // included. READ is refused while another operation runs; "data" becomes "ready" after a
    // successful read and "error" after a failed one. Any other command is refused.
    CommandResult execute(std::string_view command);

    // The answer item.
    const std::string& data() const { return data_; }

    // One line of the protocol, without its line end; returns the answer line without its end.
    std::string answerLine(std::string_view line);

private:
    ProgramState& state_;
    InstrumentOperations& operations_;
    char decimalSign_;
    std::string data_;
};

}  // namespace ql
