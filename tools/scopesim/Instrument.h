#pragma once
// The simulated instrument's memory and its answers: given one complete command it changes
// its state as the command says and returns the bytes it answers with. Timing, faults and
// recording belong to ScopeSimulator around it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "CommandParser.h"
#include "InstrumentSettings.h"
#include "ModelProfile.h"
#include "Reply.h"
#include "SimulatorConfig.h"
#include "WaveformGenerator.h"

namespace ql::scopesim {

// Trigger status codes as "trgsta?" reports them (as a byte, or as the digit from 1.17 on).
enum class TriggerState : std::uint8_t { Done = 0, Running = 1, Armed = 2 };

// The idle line a pause-mandating set command needs in strict mode.
constexpr std::int64_t kMinimumPauseUs = 80'000;
// A free-running instrument takes a new acquisition this often (what noise makes visible).
constexpr std::int64_t kAcquisitionUs = 50'000;

class Instrument {
public:
    explicit Instrument(const SimulatorConfig& config);  // the config must be valid

    const ModelProfile& profile() const { return profile_; }
    float firmware() const { return firmware_; }
    bool hasFirmwareField() const { return firmwareText_ != "none"; }
    std::string identityReply() const;
    std::string versionReply() const;

    struct Answer {
        std::optional<Reply> reply;  // nullopt: the instrument stays silent
        std::string note;            // why it was silent or refused
    };
    // Answers a complete command received at `atUs` (end of its last byte).
    Answer answer(const ReceivedCommand& command, std::int64_t atUs);
    bool supports(const CommandSpec& command) const;
    void setStrictPauses(bool on) { strictPauses_ = on; }
    bool strictPauses() const { return strictPauses_; }

    // Front panel: what a user at the instrument (or a test) can change directly.
    InstrumentSettings& settings() { return settings_; }
    const InstrumentSettings& settings() const { return settings_; }
    MainBlock& mainBlock() { return settings_.main; }
    void setSignal(int channel, const Signal& signal);
    const Signal& signal(int channel) const { return signals_[channel == 2 ? 1 : 0]; }
    void setChannelPosition(int channel, int position);  // 0..1023, centre 511
    void setHorizontalPosition(int position);
    std::array<std::int16_t, 4>& triggerValues() { return triggerValues_; }
    bool holdWaveform() const { return hold_; }
    void setHoldWaveform(bool on);
    const InstrumentSettings& setupSlot(int slot) const;  // 1..9
    bool remote() const { return remote_; }
    void setRemote(bool on) { remote_ = on; }

    // Single-shot acquisition.
    bool singleShotMode() const;
    TriggerState triggerState(std::int64_t atUs);
    void arm(std::int64_t atUs);
    void fireTrigger();
    void setSingleShotTriggerMs(std::optional<double> ms) { autoTriggerMs_ = ms; }

    // What the waveform requests send now, and the REF memories themselves.
    WaveRecord channelRecord(int channel) const;
    WaveRecord referenceRecord(int ref) const;
    const WaveRecord& storedReference(int ref) const { return refs_[ref == 2 ? 1 : 0]; }
    void storeReference(int ref);  // what "savref1"/"savref2" do
    Preamble preamble() const { return generator().preamble(); }
    WaveformGenerator generator() const;
    void runAutoset();

private:
    Reply query(const ReceivedCommand& c, std::int64_t atUs);
    Answer set(const ReceivedCommand& c);
    Answer waveformRequest(const ReceivedCommand& c);
    Answer control(const ReceivedCommand& c, std::int64_t atUs);
    std::optional<std::string> pauseProblem(const ReceivedCommand& c) const;
    std::array<std::uint8_t, 14> mainBlockOnWire() const;
    void takeMainBlock(const std::vector<std::uint8_t>& bytes, std::string& note);
    void takeProbeBits(std::uint8_t byte3);
    std::array<WaveRecord, 2> liveRecords() const;
    // The record with the noise of the acquisition taken at the latest command's time.
    WaveRecord withNoise(WaveRecord record, int channel) const;
    // The record with the codes planted in it (record 1, 2: CH I, CH II; 3, 4: REF I, REF II).
    WaveRecord withPlantedCodes(WaveRecord record, int which) const;

    ModelProfile profile_;
    std::string firmwareText_;
    float firmware_ = 0.0f;
    std::string serialNumber_;
    bool strictPauses_ = false;
    int noiseCodes_ = 0;
    std::vector<PlantedCodes> plantedCodes_;
    std::int64_t nowUs_ = 0;  // when the latest command was complete
    std::optional<double> autoTriggerMs_;
    InstrumentSettings settings_;
    std::array<Signal, 2> signals_;
    std::array<std::int16_t, 4> triggerValues_{};
    std::array<InstrumentSettings, 9> slots_;
    std::array<WaveRecord, 2> refs_{};
    std::array<WaveRecord, 2> heldRecords_{};
    std::array<WaveRecord, 2> singleRecords_{};
    bool hold_ = false;
    bool remote_ = false;
    TriggerState singleState_ = TriggerState::Done;
    std::int64_t armedAtUs_ = 0;
};

}  // namespace ql::scopesim
