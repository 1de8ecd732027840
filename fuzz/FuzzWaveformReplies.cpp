// Feeds arbitrary answers to the waveform preamble ("wfmpre?") and to the record requests of
// the channel and reference reads, through the program's command frame. The first byte
// chooses what is read (bits 0-1: preamble, channels, XY channels, references), the firmware
// form (bits 2-4) and which traces are on (bits 5-7); the rest is the instrument's answer to
// every record request (and "0" CR LF acknowledges the hold flag the channel read sends).
// Besides not crashing: the preamble changes exactly when its answer is well formed and then
// holds its five little-endian words; a record element is either untouched or the sample the
// answer carries at its place behind a correct echo (after any copy request ahead of it or
// inside it);
// elements 0 and 2048-2050 never change.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzLink.h"

namespace {

using namespace ql;
using ql::fuzz::require;

constexpr std::int16_t kUntouched = -7;

std::int16_t wordAt(const std::string& reply, std::size_t at)
{
    const auto lo = static_cast<std::uint8_t>(reply[at]);
    const auto hi = static_cast<std::uint8_t>(reply[at + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

// Every element of `w` is untouched or the answer's sample; all are samples when `complete`.
void checkRecord(const Waveform& w, const std::string& reply, const std::string& request,
                 bool complete)
{
    require(w[0] == kUntouched && w[2048] == kUntouched && w[2050] == kUntouched);
    const std::size_t start = fuzz::takenAnswer(reply, request, kWaveRecordLength).payloadAt;
    const bool echoed = start != std::string::npos;
    for (std::size_t i = 1; i <= kWaveRecordLength; ++i) {
        const std::size_t at = start + i - 1;
        const bool carried = echoed && at < reply.size();
        if (w[i] == kUntouched && !complete) continue;
        require(carried && w[i] == static_cast<std::uint8_t>(reply[at]));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::uint8_t choice = data[0];
    const int what = choice & 3;
    const float firmware = fuzz::kFirmwareForms[(choice >> 2) & 7];
    const std::string reply(reinterpret_cast<const char*>(data + 1), size - 1);

    fuzz::FuzzLink t;
    t.hold(firmware);
    ProgramState& s = t.state;
    s.ddf.ch1On = (choice >> 5) & 1;
    s.ddf.ch2On = (choice >> 6) & 1;
    s.ddf.ref1On = s.ddf.ref2On = (choice >> 7) & 1;
    s.ddf.xyMode = what == 2 ? 1 : 0;
    s.tbB.tbBWindowOn = s.ddf.ref1On ? 0 : 1;
    for (Waveform* w : {&s.waves.waveCh1, &s.waves.waveCh2, &s.waves.waveRef1, &s.waves.waveRef2})
        w->fill(kUntouched);
    const WfmPreamble oldPreamble = s.preamble;
    t.port.answer("hldwfm=", "0\r\n");
    for (const char* command : {"wfmpre?", "rdwfm1:", "rdwfm2:", "rdref1:", "rdref2:"})
        t.port.answer(command, reply);

    if (what == 0) {
        const bool ok = t.link.waves().queryWfmPre();
        const auto taken = fuzz::takenAnswer(reply, "wfmpre?", 10).payload;
        require(ok == taken.has_value());
        const WfmPreamble& p = s.preamble;
        if (!ok) {
            require(p.wfmTrigPos == oldPreamble.wfmTrigPos &&
                    p.ch2ZeroOffset == oldPreamble.ch2ZeroOffset);
            return 0;
        }
        require(p.wfmTrigPos == wordAt(*taken, 0) && p.wfmPre2 == wordAt(*taken, 2) &&
                p.wfmPre3 == wordAt(*taken, 4) && p.ch1ZeroOffset == wordAt(*taken, 6) &&
                p.ch2ZeroOffset == wordAt(*taken, 8));
        return 0;
    }

    const bool ok =
        what == 3 ? t.link.waves().readRefWaveforms() : t.link.waves().readChannelWaveforms();
    require(t.host.messages.size() == (ok ? 0u : 1u));
    const auto request = [&](const char* command) {
        const auto bytes = waveformRequest(command, firmware);
        return std::string(bytes.begin(), bytes.end());
    };
    if (what == 3) {
        const bool tbB = s.tbB.tbBWindowOn == 1;
        checkRecord(s.waves.waveRef1, reply, request("rdref1:"),
                    ok && (s.ddf.ref1On == 1 || (s.ddf.ch1On == 1 && tbB)));
        checkRecord(s.waves.waveRef2, reply, request("rdref2:"),
                    ok && (s.ddf.ref2On == 1 || (s.ddf.ch2On == 1 && tbB)));
    } else {
        const bool both = what == 2;
        checkRecord(s.waves.waveCh1, reply, request("rdwfm1:"), ok && (both || s.ddf.ch1On == 1));
        checkRecord(s.waves.waveCh2, reply, request("rdwfm2:"), ok && (both || s.ddf.ch2On == 1));
    }
    return 0;
}
