#include "SimulatedPort.h"

#include <algorithm>

#include "LineTiming.h"

namespace ql::scopesim {

SimulatedPort::SimulatedPort(ScopeSimulator& simulator, Clock& clock)
    : sim_(simulator), clock_(clock)
{
    sim_.setSyncHook([this] { pump(); });
}

SimulatedPort::~SimulatedPort()
{
    sim_.setSyncHook(nullptr);
}

void SimulatedPort::addDevice(const std::string& name, DeviceKind kind)
{
    devices_[name] = kind;
}

LineSettings SimulatedPort::instrumentLine() const
{
    LineSettings line;
    line.baudRate = sim_.config().baudRate;
    line.dataBits = 8;
    line.parity = Parity::None;
    line.stopBits = sim_.config().stopBits;
    return line;
}

PortOpenResult SimulatedPort::open(const std::string& device, const LineSettings& settings)
{
    if (open_) close();
    DeviceKind kind = DeviceKind::Instrument;
    if (!devices_.empty()) {
        const auto it = devices_.find(device);
        if (it == devices_.end()) return PortOpenResult{false, device + ": no such device"};
        kind = it->second;
    }
    if (kind == DeviceKind::Busy) return PortOpenResult{false, device + ": device is busy"};
    if (kind == DeviceKind::Instrument && vanished_)
        return PortOpenResult{false, device + ": device has been removed"};
    device_ = device;
    kind_ = kind;
    programLine_ = settings;
    open_ = true;
    failed_ = false;
    sending_.clear();
    sendFreeUs_ = nowUs();
    receiving_.clear();
    receiving_.setByteDurationUs(byteDurationUs(instrumentLine()));
    ++openCount_;
    sim_.takeReplies();  // what the instrument said while nobody listened is lost
    return PortOpenResult{true, {}};
}

void SimulatedPort::close()
{
    if (open_ && !failed_) pump();
    open_ = false;
    failed_ = false;
    sending_.clear();
    receiving_.clear();
}

void SimulatedPort::fail()
{
    failed_ = true;
    vanished_ = true;
    sending_.clear();
    receiving_.clear();
}

void SimulatedPort::vanish()
{
    vanished_ = true;
    if (open_ && attached()) fail();
}

void SimulatedPort::reconnect()
{
    vanished_ = false;
}

void SimulatedPort::collectReplies()
{
    const bool match = linesMatch(programLine_, instrumentLine());
    for (const Reply& r : sim_.takeReplies())
        if (open_ && attached() && !failed_) receiving_.schedule(r, !match);
}

// Moves time forward to the clock: every sent byte whose last stop bit has passed reaches the
// instrument, whose answers are queued on the return line.
void SimulatedPort::pump()
{
    if (!open_ || failed_) {
        sim_.takeReplies();
        return;
    }
    const std::int64_t now = nowUs();
    const bool match = linesMatch(programLine_, instrumentLine());
    while (!sending_.empty() && sending_.front().endUs <= now) {
        const SentByte b = sending_.front();
        if (const auto v = receiving_.vanishAtUs(); v && *v <= b.endUs) break;
        sending_.pop_front();
        if (attached()) sim_.receiveByte(match ? b.value : garbled(b.value), b.startUs, b.endUs);
        collectReplies();
    }
    if (attached()) sim_.advanceTo(now);
    collectReplies();
    if (const auto v = receiving_.vanishAtUs(); v && *v <= now) fail();
}

long SimulatedPort::inputCount()
{
    pump();
    if (!open_) return 0;
    if (failed_) return -1;
    return static_cast<long>(receiving_.readyCount(nowUs()));
}

std::size_t SimulatedPort::read(std::span<std::uint8_t> out)
{
    pump();
    if (!open_ || failed_) return 0;
    const auto bytes = receiving_.takeReady(nowUs(), out.size());
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return bytes.size();
}

bool SimulatedPort::write(std::span<const std::uint8_t> bytes)
{
    pump();
    if (!open_ || failed_) return false;
    const std::int64_t duration = byteDurationUs(programLine_);
    for (std::uint8_t b : bytes) {
        const std::int64_t start = std::max(nowUs(), sendFreeUs_);
        sending_.push_back(SentByte{b, start, start + duration});
        sendFreeUs_ = start + duration;
    }
    return true;
}

long SimulatedPort::outputCount()
{
    pump();
    if (!open_) return 0;
    if (failed_) return -1;
    return static_cast<long>(sending_.size());
}

void SimulatedPort::discardInput()
{
    pump();
    if (open_ && !failed_) receiving_.discardReady(nowUs());
}

void SimulatedPort::discardOutput()
{
    pump();
    sending_.clear();
    sendFreeUs_ = nowUs();
}

bool SimulatedPort::hasFailed() const
{
    if (!open_) return false;
    if (failed_) return true;
    const auto v = receiving_.vanishAtUs();
    return v && *v <= nowUs();
}

}  // namespace ql::scopesim
