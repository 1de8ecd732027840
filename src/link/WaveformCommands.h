#pragma once
// The waveform transfer: the channel and reference records (2047 sample codes each, stored in
// elements 1..2047 as they arrive) and the waveform preamble.

#include "CommandFrame.h"
#include "SettingsCommands.h"

namespace ql {

// Firmware from which the waveform request carries no "," between start and count.
constexpr float kCompactWaveRequestFirmware = 1.05f;
constexpr std::size_t kWaveRecordLength = 2047;

// The request bytes for a record ("rdwfm1:" ...), by firmware.
std::vector<std::uint8_t> waveformRequest(std::string_view command, float firmwareVersion);

class WaveformCommands {
public:
    WaveformCommands(LinkContext& ctx, CommandFrame& frame, SettingsCommands& settings)
        : ctx_(ctx), frame_(frame), settings_(settings)
    {
    }

    // Stamps the time and date, sends the hold flag (firmware 1.05 on), reads CH I and CH II
    // as the on-states and XY mode ask.
    bool readChannelWaveforms();
    // Reads REF I and REF II as their on-states and the time-base B window ask.
    bool readRefWaveforms();
    bool queryWfmPre();

private:
    bool readRecord(std::string_view command, Waveform& target);

    LinkContext& ctx_;
    CommandFrame& frame_;
    SettingsCommands& settings_;
};

}  // namespace ql
