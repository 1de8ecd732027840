// The scopesim program on a real pseudo-terminal, talked to through a plain termios file
// descriptor. Every wait is bounded (a few seconds at most).

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

class Program {
public:
    explicit Program(std::vector<std::string> args)
    {
        args.insert(args.begin(), SCOPESIM_EXECUTABLE);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2];
        if (::pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        stdout_ = out[0];
    }
    ~Program()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (stdout_ >= 0) ::close(stdout_);
    }

    // The first line the program prints, or "" after `timeoutMs`.
    std::string firstLine(int timeoutMs)
    {
        std::string line;
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < end) {
            pollfd p{stdout_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) continue;
            char c;
            if (::read(stdout_, &c, 1) != 1) break;
            if (c == '\n') return line;
            line.push_back(c);
        }
        return "";
    }

    // Exit status after SIGTERM, or -1 when it did not end within `timeoutMs`.
    int terminate(int timeoutMs)
    {
        ::kill(pid_, SIGTERM);
        return waitExit(timeoutMs);
    }
    int waitExit(int timeoutMs)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
            }
            ::usleep(10'000);
        }
        return -1;
    }
    bool started() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
};

int openLine(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return fd;
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B19200);
    ::cfsetospeed(&t, B19200);
    t.c_cflag |= CSTOPB | CLOCAL | CREAD;
    ::tcsetattr(fd, TCSANOW, &t);
    ::tcflush(fd, TCIOFLUSH);
    return fd;
}

// Writes `command` and collects bytes until `expected` came or `timeoutMs` passed.
std::string exchange(int fd, const std::string& command, std::size_t expected, int timeoutMs)
{
    if (::write(fd, command.data(), command.size()) != static_cast<ssize_t>(command.size()))
        return "<write failed>";
    std::string got;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < expected && Clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        if (!(p.revents & POLLIN)) break;
        char buf[4096];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) break;
        got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
}

}  // namespace

TEST(ScopesimProgram, ServesAPseudoTerminalUntilTerminated)
{
    Program program({"--model", "TC308", "--firmware", "1.17"});
    ASSERT_TRUE(program.started());
    const std::string path = program.firstLine(5000);
    ASSERT_FALSE(path.empty());
    const int fd = openLine(path);
    ASSERT_GE(fd, 0) << path;

    EXPECT_EQ(exchange(fd, " \r", 3, 2000), "0\r\n");
    const std::string id = exchange(fd, "id?", 31, 2000);
    EXPECT_EQ(id.substr(0, 17), "ID:KORVA TC308   ");
    EXPECT_EQ(exchange(fd, "vers?", 29, 2000).substr(0, 11), "VERS:FC1.17");
    EXPECT_EQ(exchange(fd, "avrnm=" + std::string(1, '\x05'), 3, 2000), "0\r\n");
    EXPECT_EQ(exchange(fd, "avrnm?", 7, 2000), "avrnm?\x05");
    EXPECT_EQ(exchange(fd, "trgsta?", 8, 2000), "trgsta?1");  // digit on 1.17, running
    const std::string ddf = exchange(fd, "ddf?", 18, 2000);
    ASSERT_EQ(ddf.size(), 18u);
    EXPECT_EQ(ddf.substr(0, 4), "ddf?");
    ::close(fd);

    EXPECT_EQ(program.terminate(3000), 0);
}

TEST(ScopesimProgram, VanishingPortHangsUpTheTerminalAndEndsTheProgram)
{
    Program program({"--fault", "vanish:6@ddf?"});
    ASSERT_TRUE(program.started());
    const std::string path = program.firstLine(5000);
    ASSERT_FALSE(path.empty());
    const int fd = openLine(path);
    ASSERT_GE(fd, 0);
    // CH I and CH II on at their factory step 5: bytes 0x15, then the terminal is gone.
    EXPECT_EQ(exchange(fd, "ddf?", 18, 2000), "ddf?\x15\x15");
    EXPECT_EQ(program.waitExit(3000), 0);
    char c;
    EXPECT_LE(::read(fd, &c, 1), 0);
    ::close(fd);
}

TEST(ScopesimProgram, HelpAndBadOptions)
{
    Program help({"--help"});
    EXPECT_EQ(help.firstLine(3000), "Usage: scopesim [options]");
    EXPECT_EQ(help.waitExit(3000), 0);
    Program bad({"--model", "TX999"});
    EXPECT_EQ(bad.waitExit(3000), 2);
}
