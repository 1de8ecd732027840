// The program beside a minimal Qt Widgets program (MinimalProbe.cpp), each run as a process of
// its own with the same display and environment:
//  - start to first window: from starting the process to its first window drawn, in pairs
//    whose order alternates; the medians of both and the ratio of the medians;
//  - idle CPU: both running side by side, the program with every window open and Auto off,
//    the minimal program with the same fixed-size clock label ticking; the share of one core
//    each used over the same stretch of time;
//  - idle CPU after a Read: the program twice side by side, every window open and Auto off,
//    one after a Read of the simulated instrument (scopesim on a pseudo-terminal, the port
//    left open), the other before any Read.
// The per-user folders and the documents folder lie in a fresh temporary folder; the program's
// parameter file is written there first, so that the starts measured are ordinary ones.
// Figures of a real start need a display server: run under xvfb-run (without DISPLAY both run
// offscreen). QL240_BENCH_PAIRS (default 15) and QL240_BENCH_IDLE_SECONDS (default 30) set the
// lengths.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int setting(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

fs::path& benchFolder()
{
    static fs::path folder;
    return folder;
}

// The environment every probe starts in, made once and removed when the benchmark ends.
void prepareEnvironment()
{
    static const bool done = [] {
        char pattern[] = "/tmp/ql240-startup-bench-XXXXXX";
        const fs::path root = benchFolder() = ::mkdtemp(pattern);
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(benchFolder(), ec);
        });
        for (const char* folder : {"config", "data", "documents", "runtime"})
            fs::create_directories(root / folder);
        fs::permissions(root / "runtime", fs::perms::owner_all);
        ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
        ::setenv("XDG_DOCUMENTS_DIR", (root / "documents").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (root / "runtime").c_str(), 1);
        ::setenv("QL240_DATA_DIR", QL240_BUILD_DATA, 1);
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return true;
    }();
    (void)done;
}

// A probe process with its standard output on a pipe.
class Probe {
public:
    Probe(const char* program, const char* mode)
    {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) throw std::runtime_error("no pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        char* argv[] = {const_cast<char*>(program), const_cast<char*>(mode), nullptr};
        started_ = Clock::now();
        if (posix_spawn(&pid_, program, &actions, nullptr, argv, environ) != 0)
            throw std::runtime_error(std::string("cannot start ") + program);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeEnds[1]);
        out_ = pipeEnds[0];
    }
    ~Probe()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(out_);
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    // Milliseconds from the start to the line "shown"; throws after `timeoutMs`.
    double millisecondsToFirstWindow(int timeoutMs = 30000)
    {
        awaitLine("shown", timeoutMs);
        return std::chrono::duration<double, std::milli>(Clock::now() - started_).count();
    }

    // Waits until the probe has written `line` on its output; throws after `timeoutMs`.
    void awaitLine(const std::string& line, int timeoutMs = 30000)
    {
        while (seen_.find(line + "\n") == std::string::npos) {
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, timeoutMs) <= 0) throw std::runtime_error("no " + line);
            char buffer[64];
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n <= 0) throw std::runtime_error("the probe ended before " + line);
            seen_.append(buffer, static_cast<std::size_t>(n));
        }
    }

    // Waits until the process has ended by itself.
    int wait()
    {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

    // CPU time the process has used so far, in seconds: the scheduler's nanosecond count of
    // every thread (the tick-counted user and system times are too coarse for an idle program).
    double cpuSeconds() const
    {
        double seconds = 0;
        std::error_code ec;
        const fs::path tasks = "/proc/" + std::to_string(pid_) + "/task";
        for (const auto& task : fs::directory_iterator(tasks, ec)) {
            std::ifstream in(task.path() / "schedstat");
            long long onCpuNs = 0;
            if (in >> onCpuNs) seconds += static_cast<double>(onCpuNs) / 1e9;
        }
        return seconds;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string seen_;
    Clock::time_point started_;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// CPU shares (percent) of two idle programs over the same `seconds`, measured side by side once
// every window has been opened and drawn.
std::pair<double, double> idleCpuPercents(const Probe& a, const Probe& b, int seconds)
{
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const double aBefore = a.cpuSeconds(), bBefore = b.cpuSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    return {100.0 * (a.cpuSeconds() - aBefore) / seconds,
            100.0 * (b.cpuSeconds() - bBefore) / seconds};
}

void StartToFirstWindow(benchmark::State& state)
{
    prepareEnvironment();
    Probe(QL240_PROGRAM_PROBE, "prepare").wait();
    const int pairs = setting("QL240_BENCH_PAIRS", 15);
    std::vector<double> program, minimal;
    for (auto _ : state) {
        for (int pair = 0; pair < pairs; ++pair) {
            const auto run = [](const char* probe) {
                return Probe(probe, "first-window").millisecondsToFirstWindow();
            };
            // The order alternates, so neither profits from the other's warm caches alone.
            if (pair % 2 == 0) {
                program.push_back(run(QL240_PROGRAM_PROBE));
                minimal.push_back(run(QL240_MINIMAL_PROBE));
            } else {
                minimal.push_back(run(QL240_MINIMAL_PROBE));
                program.push_back(run(QL240_PROGRAM_PROBE));
            }
        }
        state.SetIterationTime(median(program) / 1000.0);
    }
    state.counters["ql240_ms"] = median(program);
    state.counters["minimal_ms"] = median(minimal);
    state.counters["ratio"] = median(program) / median(minimal);
}
BENCHMARK(StartToFirstWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void IdleCpuWithEveryWindowOpen(benchmark::State& state)
{
    prepareEnvironment();
    Probe(QL240_PROGRAM_PROBE, "prepare").wait();
    const int seconds = setting("QL240_BENCH_IDLE_SECONDS", 30);
    double programShare = 0, minimalShare = 0;
    for (auto _ : state) {
        Probe program(QL240_PROGRAM_PROBE, "idle");
        Probe minimal(QL240_MINIMAL_PROBE, "idle");
        program.millisecondsToFirstWindow();
        minimal.millisecondsToFirstWindow();
        std::tie(programShare, minimalShare) = idleCpuPercents(program, minimal, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["ql240_cpu_percent"] = programShare;
    state.counters["minimal_cpu_percent"] = minimalShare;
}
BENCHMARK(IdleCpuWithEveryWindowOpen)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// The simulated instrument on a pseudo-terminal, which every port number leads to while it runs.
class SimulatedInstrument {
public:
    SimulatedInstrument()
    {
        const fs::path link = benchFolder() / "scopesim-tty";
        char* argv[] = {const_cast<char*>(QL240_SIMULATOR), const_cast<char*>("--link"),
                        const_cast<char*>(link.c_str()), nullptr};
        if (posix_spawn(&pid_, QL240_SIMULATOR, nullptr, nullptr, argv, environ) != 0)
            throw std::runtime_error("cannot start the simulator");
        for (int i = 0; i < 100 && !fs::exists(link); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!fs::exists(link)) throw std::runtime_error("the simulator serves no terminal");
        for (const char* port : {"QL240_COM1", "QL240_COM2", "QL240_COM3", "QL240_COM4"})
            ::setenv(port, link.c_str(), 1);
    }
    ~SimulatedInstrument()
    {
        for (const char* port : {"QL240_COM1", "QL240_COM2", "QL240_COM3", "QL240_COM4"})
            ::unsetenv(port);
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    SimulatedInstrument(const SimulatedInstrument&) = delete;
    SimulatedInstrument& operator=(const SimulatedInstrument&) = delete;

private:
    pid_t pid_ = -1;
};

// The program idle with every window open and Auto off, once after a Read (the port open, the
// instrument released) and once before any Read (the port closed), side by side.
void IdleCpuAfterARead(benchmark::State& state)
{
    prepareEnvironment();
    Probe(QL240_PROGRAM_PROBE, "prepare").wait();
    const int seconds = setting("QL240_BENCH_IDLE_SECONDS", 30);
    double afterRead = 0, beforeRead = 0;
    for (auto _ : state) {
        // Only the probe that reads is started with the ports leading to the instrument.
        Probe unread(QL240_PROGRAM_PROBE, "idle");
        const SimulatedInstrument instrument;
        Probe read(QL240_PROGRAM_PROBE, "idle-after-read");
        read.awaitLine("read", 60000);
        unread.millisecondsToFirstWindow();
        std::tie(afterRead, beforeRead) = idleCpuPercents(read, unread, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["after_read_cpu_percent"] = afterRead;
    state.counters["before_read_cpu_percent"] = beforeRead;
    state.counters["ratio"] = beforeRead > 0 ? afterRead / beforeRead : 0;
}
BENCHMARK(IdleCpuAfterARead)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
