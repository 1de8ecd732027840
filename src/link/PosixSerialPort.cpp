#include "PosixSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace ql {

namespace {

bool speedFor(std::int32_t baud, speed_t& speed)
{
    switch (baud) {
        case 1200: speed = B1200; return true;
        case 2400: speed = B2400; return true;
        case 4800: speed = B4800; return true;
        case 9600: speed = B9600; return true;
        case 19200: speed = B19200; return true;
        case 38400: speed = B38400; return true;
        case 57600: speed = B57600; return true;
        case 115200: speed = B115200; return true;
        default: return false;
    }
}

std::string openFailureReason(int error, const std::string& device)
{
    switch (error) {
        case ENOENT:
        case ENXIO:
        case ENODEV: return "There is no such device (" + device + ").";
        case EACCES:
        case EPERM:
            return "Permission denied on " + device + ": add yourself to the dialout group.";
        case EBUSY:
        case EWOULDBLOCK: return device + " is in use by another program.";
        default: return device + ": " + std::strerror(error) + ".";
    }
}

}  // namespace

PosixSerialPort::~PosixSerialPort()
{
    close();
}

PortOpenResult PosixSerialPort::open(const std::string& device, const LineSettings& settings)
{
    close();
    speed_t speed{};
    if (!speedFor(settings.baudRate, speed))
        return {false, "The baud rate " + std::to_string(settings.baudRate) + " is not supported."};

    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {false, openFailureReason(errno, device)};

    // Exclusive use: TIOCEXCL keeps other users out, flock also keeps out root, whom the
    // kernel lets past TIOCEXCL.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return {false, openFailureReason(error == EWOULDBLOCK ? EBUSY : error, device)};
    }
    if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) {
        const int error = errno;
        ::close(fd);
        return {false, openFailureReason(error, device)};
    }

    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        const int error = errno;
        ::close(fd);
        return {false, device + " is not a serial port (" + std::strerror(error) + ")."};
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= static_cast<tcflag_t>(~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS));
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    if (settings.parity == Parity::Even) tio.c_cflag |= PARENB;
    if (settings.parity == Parity::Odd) tio.c_cflag |= PARENB | PARODD;
    if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
    tio.c_iflag &= static_cast<tcflag_t>(~(IXON | IXOFF | IXANY));
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        const int error = errno;
        ::close(fd);
        return {false, device + ": the line settings were refused (" + std::strerror(error) + ")."};
    }
    ::tcflush(fd, TCIOFLUSH);
    fd_ = fd;
    failed_ = false;
    return {true, {}};
}

void PosixSerialPort::close()
{
    if (fd_ < 0) return;
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);  // also drops the flock
    fd_ = -1;
    failed_ = false;
}

bool PosixSerialPort::checkHangUp()
{
    if (fd_ < 0 || failed_) return failed_;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) failed_ = true;
    return failed_;
}

long PosixSerialPort::inputCount()
{
    if (fd_ < 0) return 0;
    if (checkHangUp()) return -1;
    int count = 0;
    if (::ioctl(fd_, FIONREAD, &count) != 0) {
        failed_ = true;
        return -1;
    }
    return count;
}

std::size_t PosixSerialPort::read(std::span<std::uint8_t> out)
{
    if (fd_ < 0 || failed_ || out.empty()) return 0;
    const ssize_t n = ::read(fd_, out.data(), out.size());
    if (n < 0) {
        if (errno != EAGAIN && errno != EINTR) failed_ = true;
        return 0;
    }
    return static_cast<std::size_t>(n);
}

bool PosixSerialPort::write(std::span<const std::uint8_t> bytes)
{
    if (fd_ < 0 || failed_) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // The line drains after every byte, so an output buffer that takes nothing more means
        // the port is stuck: a failure, never a wait outside the program's clock.
        failed_ = true;
        return false;
    }
    return true;
}

long PosixSerialPort::outputCount()
{
    if (fd_ < 0) return 0;
    if (failed_) return -1;
    int count = 0;
    if (::ioctl(fd_, TIOCOUTQ, &count) != 0) {
        failed_ = true;
        return -1;
    }
    return count;
}

void PosixSerialPort::discardInput()
{
    if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

void PosixSerialPort::discardOutput()
{
    if (fd_ >= 0) ::tcflush(fd_, TCOFLUSH);
}

}  // namespace ql
