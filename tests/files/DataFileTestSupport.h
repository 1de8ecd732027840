#pragma once
// Shared by the data file tests: an instrument link with nothing attached (the capability
// look-up after a load reads the real model table), a state that is good to save and load,
// and little-endian reads straight from documented offsets.

#include <cstdint>
#include <string>

#include "link/InstrumentLink.h"
#include "state/RecordingHost.h"
#include "state/SerialPort.h"

namespace ql::test {

class NullSerialPort : public SerialPort {
public:
    PortOpenResult open(const std::string&, const LineSettings&) override { return {}; }
    void close() override {}
    bool isOpen() const override { return false; }
    long inputCount() override { return 0; }
    std::size_t read(std::span<std::uint8_t>) override { return 0; }
    bool write(std::span<const std::uint8_t>) override { return false; }
    long outputCount() override { return 0; }
    void discardInput() override {}
    void discardOutput() override {}
    bool hasFailed() const override { return false; }
};

std::string modelTablePath();

// The link the load operations re-read the capabilities through.
class NoInstrument {
public:
    NoInstrument(ProgramState& s, Host& host)
        : link_(s, port_, clock_, host, modelTablePath(), "/nonexistent")
    {
    }
    Identification& identification() { return link_.identification(); }

private:
    NullSerialPort port_;
    FakeClock clock_;
    InstrumentLink link_;
};

// A state as the program could have it: every stored field in range, varied values, model
// "TX220" (in the model table), a waveform of its own in each memory.
ProgramState savableState();

int u8At(const std::string& b, std::size_t offset);
int i16At(const std::string& b, std::size_t offset);
std::int32_t i32At(const std::string& b, std::size_t offset);
std::uint32_t u32At(const std::string& b, std::size_t offset);
void putU8(std::string& b, std::size_t offset, int value);
void putI16(std::string& b, std::size_t offset, int value);
void putI32(std::string& b, std::size_t offset, std::int32_t value);

}  // namespace ql::test
