#include "PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "LineTiming.h"

namespace ql::scopesim {

namespace {

struct SpeedName {
    speed_t speed;
    std::int32_t baud;
};

constexpr SpeedName kSpeeds[] = {{B2400, 2400},    {B4800, 4800},   {B9600, 9600},
                                 {B19200, 19200},  {B38400, 38400}, {B57600, 57600},
                                 {B115200, 115200}};

speed_t speedOf(std::int32_t baud)
{
    for (const auto& s : kSpeeds)
        if (s.baud == baud) return s.speed;
    return B19200;
}

std::int32_t baudOf(speed_t speed)
{
    for (const auto& s : kSpeeds)
        if (s.speed == speed) return s.baud;
    return 0;
}

std::string errnoText(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

PtyServer::PtyServer(ScopeSimulator& simulator, Clock& clock) : sim_(simulator), clock_(clock) {}

PtyServer::~PtyServer()
{
    closeTerminal();
}

Status PtyServer::open()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) return Status::fail(errnoText("cannot create a pseudo-terminal"), "scopesim");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        closeTerminal();
        return Status::fail(errnoText("cannot unlock the pseudo-terminal"), "scopesim");
    }
    const char* name = ::ptsname(master_);
    if (!name) {
        closeTerminal();
        return Status::fail(errnoText("pseudo-terminal has no name"), "scopesim");
    }
    slavePath_ = name;
    slaveHold_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slaveHold_ < 0) {
        closeTerminal();
        return Status::fail(errnoText("cannot open the pseudo-terminal"), "scopesim");
    }
    termios t{};
    ::tcgetattr(slaveHold_, &t);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, speedOf(sim_.config().baudRate));
    ::cfsetospeed(&t, speedOf(sim_.config().baudRate));
    if (sim_.config().stopBits == 2)
        t.c_cflag |= CSTOPB;
    else
        t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    ::tcsetattr(slaveHold_, TCSANOW, &t);

    sending_.setByteDurationUs(byteDurationUs(instrumentLine()));
    return Status::success();
}

void PtyServer::closeTerminal()
{
    if (slaveHold_ >= 0) ::close(slaveHold_);
    if (master_ >= 0) ::close(master_);
    slaveHold_ = master_ = -1;
}

LineSettings PtyServer::instrumentLine() const
{
    LineSettings line;
    line.baudRate = sim_.config().baudRate;
    line.stopBits = sim_.config().stopBits;
    return line;
}

// The line settings the program has given its end of the terminal.
LineSettings PtyServer::programLine() const
{
    LineSettings line;
    termios t{};
    if (::tcgetattr(master_, &t) != 0) return line;
    line.baudRate = baudOf(::cfgetospeed(&t));
    switch (t.c_cflag & CSIZE) {
        case CS5: line.dataBits = 5; break;
        case CS6: line.dataBits = 6; break;
        case CS7: line.dataBits = 7; break;
        default: line.dataBits = 8; break;
    }
    line.parity = !(t.c_cflag & PARENB)  ? Parity::None
                  : (t.c_cflag & PARODD) ? Parity::Odd
                                         : Parity::Even;
    line.stopBits = (t.c_cflag & CSTOPB) ? 2 : 1;
    return line;
}

void PtyServer::receiveAvailable(std::int64_t nowUs)
{
    std::uint8_t buf[512];
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n <= 0) return;
    const LineSettings program = programLine();
    const bool match = linesMatch(program, instrumentLine());
    const std::int64_t duration = byteDurationUs(program);
    // A burst that came in at once went over the line one byte after the other.
    for (ssize_t i = 0; i < n; ++i) {
        const std::int64_t end = std::max(nowUs, lastReceiveEndUs_ + duration);
        lastReceiveEndUs_ = end;
        const std::uint8_t b = buf[i];
        sim_.receiveByte(match ? b : garbled(b), end - duration, end);
    }
    for (const Reply& r : sim_.takeReplies()) sending_.schedule(r, !match);
}

// Writes every answer byte whose time has come; false when the terminal is gone.
bool PtyServer::sendDue(std::int64_t nowUs)
{
    const auto replies = sim_.takeReplies();
    if (!replies.empty()) {
        const bool match = linesMatch(programLine(), instrumentLine());
        for (const Reply& r : replies) sending_.schedule(r, !match);
    }
    const auto due = sending_.takeReady(nowUs, sending_.readyCount(nowUs));
    unsent_.insert(unsent_.end(), due.begin(), due.end());
    while (!unsent_.empty()) {
        const ssize_t n = ::write(master_, unsent_.data(), unsent_.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) break;
            return false;
        }
        unsent_.erase(unsent_.begin(), unsent_.begin() + n);
    }
    return true;
}

PtyServer::End PtyServer::serve(const std::function<bool()>& keepRunning)
{
    constexpr std::int64_t kMaxWaitUs = 20'000;
    while (keepRunning()) {
        const std::int64_t now = clock_.monotonicMs() * 1000;
        sim_.advanceTo(now);
        if (!sendDue(now)) return End::Failed;
        // The terminal goes a moment after the last byte, so that byte still reaches the
        // program (closing at once can drop what the terminal has not passed on yet).
        constexpr std::int64_t kVanishGraceUs = 50'000;
        if (const auto v = sending_.vanishAtUs();
            v && *v + kVanishGraceUs <= now && unsent_.empty()) {
            closeTerminal();
            return End::Vanished;
        }
        std::int64_t waitUs = kMaxWaitUs;
        if (const auto next = sending_.nextArrivalUs())
            waitUs = std::clamp<std::int64_t>(*next - now, 0, waitUs);
        if (!unsent_.empty()) waitUs = std::min<std::int64_t>(waitUs, 1000);
        pollfd p{master_, POLLIN, 0};
        const timespec ts{static_cast<time_t>(waitUs / 1'000'000),
                          static_cast<long>(waitUs % 1'000'000 * 1000)};
        const int ready = ::ppoll(&p, 1, &ts, nullptr);
        if (ready < 0 && errno != EINTR) return End::Failed;
        if (ready > 0 && (p.revents & POLLIN)) receiveAvailable(clock_.monotonicMs() * 1000);
    }
    return End::Stopped;
}

}  // namespace ql::scopesim
