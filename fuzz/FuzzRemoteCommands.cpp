// Feeds arbitrary lines to the remote-command interpreter, as the local socket hands them on:
// the input is split at LF, a CR before the LF is dropped. The instrument answers nothing, so
// a READ runs its whole failure path (no unit found, data "error"); GETCHA and the others
// answer from a state whose records hold every sample code.
// Besides not crashing: every line gets one answer line without a line break; an EXECUTE line
// gets OK or REFUSED; "REQUEST data" gives the answer item; what is kept stays bounded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzLink.h"
#include "app/InstrumentOperations.h"
#include "app/RemoteCommands.h"
#include "draw/RecordingPrinter.h"

namespace {

using namespace ql;
using ql::fuzz::require;

// The longest answer item: 2048 time and voltage pairs of at most 20 characters each.
constexpr std::size_t kLongestData = 2048 * 2 * 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzLink t;
    for (std::size_t i = 0; i < static_cast<std::size_t>(kWaveArraySize); ++i) {
        t.state.waves.waveCh1[i] = static_cast<std::int16_t>(i % 256);
        t.state.waves.waveCh2[i] = static_cast<std::int16_t>(255 - i % 256);
    }
    t.state.ddf.ch1VoltsIndex = static_cast<byte>(size % 16);
    t.state.ddf.tbAIndex = static_cast<byte>(size % 32);
    RecordingPrinter printer;
    InstrumentOperations operations(t.link, printer, "", size % 2 ? ',' : '.');
    RemoteCommands remote(t.state, operations, size % 2 ? ',' : '.');

    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        const std::string answer = remote.answerLine(line);
        require(answer.find('\n') == std::string::npos && answer.find('\r') == std::string::npos);
        if (line.size() > kMaxRemoteLineLength) require(answer == kRemoteRefused);
        if (line.substr(0, 8) == "EXECUTE ")
            require(answer == kRemoteOk || answer == kRemoteRefused);
        if (line == "REQUEST data") require(answer == remote.data());
        require(remote.data().size() <= kLongestData);
    }
    require(t.state.busy.uiBusy == false && t.state.busy.linkBusy == 0);
    return 0;
}
