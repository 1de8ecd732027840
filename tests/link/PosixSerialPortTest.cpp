// The termios port on a real pseudo-terminal pair: the test holds the master side as the
// instrument would, the port opens the slave. Real-time waits here are short and bounded.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "link/PortMap.h"
#include "link/PosixSerialPort.h"

using namespace ql;

namespace {

class PtyPair {
public:
    PtyPair()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        slavePath = ptsname(master);
        // Keep the slave side referenced so that the master sees no hang-up between opens.
        keepAlive = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY);
    }
    ~PtyPair()
    {
        closeMaster();
        if (keepAlive >= 0) ::close(keepAlive);
    }
    void closeMaster()
    {
        if (master >= 0) ::close(master);
        master = -1;
    }
    int master = -1;
    int keepAlive = -1;
    std::string slavePath;
};

// Polls until the port shows `n` waiting bytes or a second has passed.
long waitForInput(PosixSerialPort& port, long n)
{
    for (int i = 0; i < 1000; ++i) {
        const long count = port.inputCount();
        if (count < 0 || count >= n) return count;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return port.inputCount();
}

std::vector<std::uint8_t> readMaster(int fd, std::size_t n)
{
    std::vector<std::uint8_t> out;
    for (int i = 0; i < 1000 && out.size() < n; ++i) {
        std::uint8_t buf[64];
        const ssize_t k = ::read(fd, buf, std::min<std::size_t>(sizeof buf, n - out.size()));
        if (k > 0)
            out.insert(out.end(), buf, buf + k);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return out;
}

}  // namespace

TEST(PosixSerialPort, RawBytesSurviveBothWays)
{
    PtyPair pty;
    ::fcntl(pty.master, F_SETFL, O_NONBLOCK);
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath, LineSettings{19200, 8, Parity::None, 2}).ok);

    const std::uint8_t sent[] = {0x00, 0xFF, 0x0D, 0x0A, 0x11, 0x13, 0x7F};
    ASSERT_TRUE(port.write(sent));
    EXPECT_EQ(readMaster(pty.master, sizeof sent),
              std::vector<std::uint8_t>(sent, sent + sizeof sent));

    ASSERT_EQ(::write(pty.master, sent, sizeof sent), static_cast<ssize_t>(sizeof sent));
    ASSERT_EQ(waitForInput(port, sizeof sent), static_cast<long>(sizeof sent));
    std::uint8_t got[sizeof sent] = {};
    EXPECT_EQ(port.read(got), sizeof sent);
    EXPECT_EQ(std::vector<std::uint8_t>(got, got + sizeof got),
              std::vector<std::uint8_t>(sent, sent + sizeof sent));
    EXPECT_EQ(port.inputCount(), 0);
    EXPECT_EQ(port.outputCount(), 0);
}

TEST(PosixSerialPort, ReopeningEmptiesTheInputAndSecondOpenIsRefused)
{
    PtyPair pty;
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath, LineSettings{9600, 8, Parity::None, 2}).ok);
    ASSERT_EQ(::write(pty.master, "stale", 5), 5);
    ASSERT_EQ(waitForInput(port, 5), 5);

    PosixSerialPort second;
    const PortOpenResult refused = second.open(pty.slavePath, LineSettings{});
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.reason.find("in use"), std::string::npos) << refused.reason;
    EXPECT_FALSE(second.isOpen());

    ASSERT_TRUE(port.open(pty.slavePath, LineSettings{19200, 8, Parity::None, 2}).ok);
    EXPECT_EQ(port.inputCount(), 0);
    port.close();
    EXPECT_TRUE(second.open(pty.slavePath, LineSettings{}).ok);  // free again after close
}

TEST(PosixSerialPort, FarEndClosingMidReadIsAFailureAtOnce)
{
    PtyPair pty;
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty.slavePath, LineSettings{}).ok);
    ASSERT_EQ(::write(pty.master, "ddf?", 4), 4);
    ASSERT_EQ(waitForInput(port, 4), 4);
    pty.closeMaster();
    EXPECT_EQ(waitForInput(port, 100), -1);
    EXPECT_TRUE(port.hasFailed());
    const std::uint8_t b[1] = {1};
    EXPECT_FALSE(port.write(b));
    port.close();
    EXPECT_FALSE(port.hasFailed());
}

TEST(PosixSerialPort, OpenFailuresSayWhy)
{
    PosixSerialPort port;
    const PortOpenResult missing = port.open("/dev/ql240-no-such-port", LineSettings{});
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.reason.find("no such device"), std::string::npos) << missing.reason;

    PtyPair pty;
    const PortOpenResult badRate =
        port.open(pty.slavePath, LineSettings{12345, 8, Parity::None, 2});
    EXPECT_FALSE(badRate.ok);
    EXPECT_NE(badRate.reason.find("12345"), std::string::npos);

    const PortOpenResult notATty = port.open("/dev/null", LineSettings{});
    EXPECT_FALSE(notATty.ok);
    EXPECT_FALSE(port.isOpen());
}

TEST(PortMap, NumbersOneToFourMapToDevicesAndOthersToNothing)
{
    unsetenv("QL240_COM2");
    EXPECT_EQ(portDevice(1), "/dev/ttyS0");
    EXPECT_EQ(portDevice(4), "/dev/ttyS3");
    setenv("QL240_COM2", "/dev/ttyUSB0", 1);
    EXPECT_EQ(portDevice(2), "/dev/ttyUSB0");
    unsetenv("QL240_COM2");
    EXPECT_FALSE(portDevice(0));
    EXPECT_FALSE(portDevice(5));
    EXPECT_FALSE(portDevice(-1));
    EXPECT_TRUE(isOfferedBaudRate(115200));
    EXPECT_FALSE(isOfferedBaudRate(38400));
}
