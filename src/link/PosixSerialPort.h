#pragma once
// The serial port on a Linux tty: raw termios, no flow control, exclusive, non-blocking.

#include "state/SerialPort.h"

namespace ql {

class PosixSerialPort final : public SerialPort {
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    PortOpenResult open(const std::string& device, const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    long inputCount() override;
    std::size_t read(std::span<std::uint8_t> out) override;
    bool write(std::span<const std::uint8_t> bytes) override;
    long outputCount() override;
    void discardInput() override;
    void discardOutput() override;
    bool hasFailed() const override { return failed_; }

private:
    bool checkHangUp();

    int fd_ = -1;
    bool failed_ = false;
};

}  // namespace ql
