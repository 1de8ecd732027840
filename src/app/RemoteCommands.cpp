#include "RemoteCommands.h"

#include "RemoteData.h"
#include "state/Text.h"

namespace ql {

namespace {

constexpr std::string_view kExecutePrefix = "EXECUTE ";
constexpr std::string_view kRequestData = "REQUEST data";

}  // namespace

RemoteCommands::RemoteCommands(ProgramState& state, InstrumentOperations& operations,
                               char decimalSign)
    : state_(state), operations_(operations), decimalSign_(decimalSign)
{
}

CommandResult RemoteCommands::execute(std::string_view command)
{
    const std::string c = upperAscii(command);
    if (c == "READ") {
        switch (operations_.remoteRead()) {
            case RemoteReadOutcome::Refused: return CommandResult::Refused;
            case RemoteReadOutcome::Read: data_ = "ready"; break;
            case RemoteReadOutcome::Failed: data_ = "error"; break;
        }
        return CommandResult::Ok;
    }
    if (c == "GETBINCHA")
        data_ = binaryChannelText(state_, Channel::Ch1);
    else if (c == "GETBINCHB")
        data_ = binaryChannelText(state_, Channel::Ch2);
    else if (c == "GETCHA")
        data_ = channelText(state_, Channel::Ch1, decimalSign_);
    else if (c == "GETCHB")
        data_ = channelText(state_, Channel::Ch2, decimalSign_);
    else
        return CommandResult::Refused;
    return CommandResult::Ok;
}

std::string RemoteCommands::answerLine(std::string_view line)
{
    if (line.size() > kMaxRemoteLineLength) return std::string(kRemoteRefused);
    if (line == kRequestData) return data_;
    if (line.substr(0, kExecutePrefix.size()) == kExecutePrefix) {
        const CommandResult r = execute(line.substr(kExecutePrefix.size()));
        return std::string(r == CommandResult::Ok ? kRemoteOk : kRemoteRefused);
    }
    return std::string(kRemoteRefused);
}

}  // namespace ql
