#pragma once
// The in-process serial port to a ScopeSimulator, on the program's Clock (a FakeClock in
// tests). Nothing happens in the background: every call first works out, from the clock, which
// sent bytes have reached the instrument and which answer bytes have arrived, so time-outs and
// partial answers are instant and deterministic.
//   - Bytes travel at the line rate of each end's own settings (start bit, data bits, parity,
//     stop bits); a sent byte counts in outputCount() until it is out.
//   - Different baud rate, data bits or parity on the two ends turn every byte into garbage in
//     both directions; 1 against 2 stop bits is fine.
//   - Devices: by default any device name opens onto the instrument; addDevice() restricts
//     that and adds silent or busy devices (for the port search).
//   - vanish() pulls the adapter: the port fails until closed and cannot reopen until
//     reconnect(). The Vanish fault does the same mid-answer.

#include <cstdint>
#include <deque>
#include <map>
#include <string>

#include "ReplyScheduler.h"
#include "ScopeSimulator.h"
#include "state/Clock.h"
#include "state/SerialPort.h"

namespace ql::scopesim {

enum class DeviceKind {
    Instrument,  // the simulator answers here
    Silent,      // opens, but nothing is connected
    Busy,        // in use by another program: open fails
};

class SimulatedPort final : public SerialPort {
public:
    SimulatedPort(ScopeSimulator& simulator, Clock& clock);
    ~SimulatedPort() override;
    SimulatedPort(const SimulatedPort&) = delete;
    SimulatedPort& operator=(const SimulatedPort&) = delete;

    void addDevice(const std::string& name, DeviceKind kind = DeviceKind::Instrument);
    void vanish();
    void reconnect();

    // What the program last opened, and how often.
    const std::string& device() const { return device_; }
    const LineSettings& lineSettings() const { return programLine_; }
    int openCount() const { return openCount_; }
    // The instrument's end of the line (from the simulator's configuration).
    LineSettings instrumentLine() const;

    // SerialPort
    PortOpenResult open(const std::string& device, const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override { return open_; }
    long inputCount() override;
    std::size_t read(std::span<std::uint8_t> out) override;
    bool write(std::span<const std::uint8_t> bytes) override;
    long outputCount() override;
    void discardInput() override;
    void discardOutput() override;
    bool hasFailed() const override;

private:
    struct SentByte {
        std::uint8_t value;
        std::int64_t startUs, endUs;
    };
    std::int64_t nowUs() const { return clock_.monotonicMs() * 1000; }
    void pump();
    void collectReplies();
    bool attached() const { return kind_ == DeviceKind::Instrument; }
    void fail();

    ScopeSimulator& sim_;
    Clock& clock_;
    std::map<std::string, DeviceKind> devices_;
    std::string device_;
    DeviceKind kind_ = DeviceKind::Instrument;
    LineSettings programLine_;
    bool open_ = false;
    bool failed_ = false;
    bool vanished_ = false;
    int openCount_ = 0;
    std::deque<SentByte> sending_;
    std::int64_t sendFreeUs_ = 0;
    ReplyScheduler receiving_;
};

}  // namespace ql::scopesim
