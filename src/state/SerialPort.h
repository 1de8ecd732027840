#pragma once
// Serial port seam: the raw byte pipe to the instrument. The product uses termios; tests use
// the simulator's in-process port on a fake clock. No call ever blocks.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ql {

enum class Parity { None, Even, Odd };

struct LineSettings {
    std::int32_t baudRate = 19200;
    int dataBits = 8;
    Parity parity = Parity::None;
    int stopBits = 2;
};

struct PortOpenResult {
    bool ok = false;
    std::string reason;  // one plain line saying why the port did not open, when known
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual PortOpenResult open(const std::string& device, const LineSettings& settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Bytes waiting to be read, or -1 when the port has failed (read error, hang-up such as
    // a pulled USB adapter).
    virtual long inputCount() = 0;
    // Reads up to out.size() waiting bytes; returns how many were read. Never blocks.
    virtual std::size_t read(std::span<std::uint8_t> out) = 0;
    // Queues bytes for sending; false when the port has failed.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
    // Bytes not yet sent, or -1 when the port has failed.
    virtual long outputCount() = 0;
    virtual void discardInput() = 0;
    virtual void discardOutput() = 0;
    // True after a read/write error or hang-up, until the port is closed.
    virtual bool hasFailed() const = 0;
};

}  // namespace ql
