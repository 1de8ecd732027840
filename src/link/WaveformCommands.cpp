#include "WaveformCommands.h"

#include "state/Numeric.h"

namespace ql {

std::vector<std::uint8_t> waveformRequest(std::string_view command, float firmwareVersion)
{
    std::vector<std::uint8_t> bytes(command.begin(), command.end());
    // Start index 0 and count 2047, both little-endian; older firmware wants "," between.
    bytes.push_back(0x00);
    bytes.push_back(0x00);
    if (!firmwareAtLeast(firmwareVersion, kCompactWaveRequestFirmware)) bytes.push_back(',');
    bytes.push_back(0xFF);
    bytes.push_back(0x07);
    return bytes;
}

bool WaveformCommands::readRecord(std::string_view command, Waveform& target)
{
    const auto request = waveformRequest(command, ctx_.state.identity.firmwareVersion);
    QueryRequest q;
    q.command = command;
    q.requestBytes.assign(request.begin() + static_cast<long>(command.size()), request.end());
    q.headLength = request.size();  // the echo alone, not the echo plus one
    q.payloadLength = kWaveRecordLength;
    const QueryReply r = frame_.query(q, [&target](std::size_t i, std::uint8_t b) {
        target[i + 1] = b;  // elements 1..2047; 0 and 2048..2050 stay as they are
    });
    return r.ok;
}

bool WaveformCommands::readChannelWaveforms()
{
    if (!frame_.guard()) return false;
    LinkBusyScope busy(ctx_.state);
    ProgramState& s = ctx_.state;
    frame_.discardStaleInput();
    // The stamps belong to the start of the transfer.
    const DateTime now = ctx_.clock.now();
    s.stamp.waveTime.assign(formatClockTime(now));
    s.stamp.waveDate.assign(formatShortDate(now));
    if (firmwareAtLeast(s.identity.firmwareVersion, kCompactWaveRequestFirmware)) {
        if (!settings_.sendHldWfm()) return false;
    }
    if (s.ddf.ch1On == 1 || s.ddf.xyMode == 1) {
        if (!readRecord("rdwfm1:", s.waves.waveCh1)) return false;
    }
    if (s.ddf.ch2On == 1 || s.ddf.xyMode == 1) {
        if (!readRecord("rdwfm2:", s.waves.waveCh2)) return false;
    }
    s.screen.scrollResyncPending = 1;
    return true;
}

bool WaveformCommands::readRefWaveforms()
{
    if (!frame_.guard()) return false;
    LinkBusyScope busy(ctx_.state);
    ProgramState& s = ctx_.state;
    frame_.discardStaleInput();
    // While the time-base B window is on, the reference memories carry its traces.
    if (s.ddf.ref1On == 1 || (s.ddf.ch1On == 1 && s.tbB.tbBWindowOn == 1)) {
        if (!readRecord("rdref1:", s.waves.waveRef1)) return false;
    }
    if (s.ddf.ref2On == 1 || (s.ddf.ch2On == 1 && s.tbB.tbBWindowOn == 1)) {
        if (!readRecord("rdref2:", s.waves.waveRef2)) return false;
    }
    return true;
}

bool WaveformCommands::queryWfmPre()
{
    const QueryReply r = frame_.query("wfmpre?", 10);
    if (!r.ok) return false;
    auto value = [&](int k) {
        return asSigned16(
            static_cast<std::uint16_t>(r.payload[2 * k] | (r.payload[2 * k + 1] << 8)));
    };
    WfmPreamble& p = ctx_.state.preamble;
    p.wfmTrigPos = value(0);
    p.wfmPre2 = value(1);
    p.wfmPre3 = value(2);
    p.ch1ZeroOffset = value(3);
    p.ch2ZeroOffset = value(4);
    return true;
}

}  // namespace ql
