// Read-all from the simulated instrument on a pseudo-terminal, at 9600 and 19200 baud. The
// figure that matters is the ratio of the wall time to the line-rate limit: every byte on the
// wire (both directions, 11 bits each) at the baud rate. The simulator answers without latency
// here, so the ratio shows what the program itself adds.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "link/InstrumentLink.h"
#include "link/PosixSerialPort.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

namespace {

// Counts the bytes that cross the port in each direction.
class CountingPort final : public ql::SerialPort {
public:
    ql::PortOpenResult open(const std::string& d, const ql::LineSettings& s) override
    {
        return port_.open(d, s);
    }
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    long inputCount() override { return port_.inputCount(); }
    std::size_t read(std::span<std::uint8_t> out) override
    {
        const std::size_t n = port_.read(out);
        received += n;
        return n;
    }
    bool write(std::span<const std::uint8_t> bytes) override
    {
        sent += bytes.size();
        return port_.write(bytes);
    }
    long outputCount() override { return port_.outputCount(); }
    void discardInput() override { port_.discardInput(); }
    void discardOutput() override { port_.discardOutput(); }
    bool hasFailed() const override { return port_.hasFailed(); }

    std::size_t sent = 0;
    std::size_t received = 0;

private:
    ql::PosixSerialPort port_;
};

// The simulator program for one benchmark run.
class Simulator {
public:
    explicit Simulator(int baud)
    {
        int out[2];
        if (pipe(out) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            const std::string rate = std::to_string(baud);
            execl(QL240_SCOPESIM_PROGRAM, "scopesim", "--model", "TC308", "--baud", rate.c_str(),
                  "--latency", "0", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        FILE* f = fdopen(out[0], "r");
        char line[256] = {};
        if (!f || !fgets(line, sizeof line, f)) throw std::runtime_error("scopesim gave no path");
        path_ = line;
        while (!path_.empty() && (path_.back() == '\n' || path_.back() == '\r')) path_.pop_back();
        stdout_ = f;
    }
    ~Simulator()
    {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        if (stdout_) fclose(stdout_);
    }
    const std::string& path() const { return path_; }

private:
    pid_t pid_ = -1;
    FILE* stdout_ = nullptr;
    std::string path_;
};

void readAll(benchmark::State& st)
{
    const int baud = static_cast<int>(st.range(0));
    Simulator sim(baud);
    setenv("QL240_COM1", sim.path().c_str(), 1);
    ql::ProgramState state;
    ql::initProgramState(state, "/tmp");
    state.link.comPort = 1;
    state.link.baudRate = baud;
    CountingPort port;
    ql::SystemClock clock;
    ql::RecordingHost host;
    ql::InstrumentLink link(state, port, clock, host, QL240_MODEL_TABLE, "/tmp");
    if (!link.connectInstrument()) {
        st.SkipWithError("the simulator did not answer");
        return;
    }
    double wall = 0.0;
    double limit = 0.0;
    for (auto _ : st) {
        port.sent = port.received = 0;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = link.sequences().readAllFromScope();
        const auto end = std::chrono::steady_clock::now();
        if (!ok) {
            st.SkipWithError("read-all failed");
            return;
        }
        const double seconds = std::chrono::duration<double>(end - start).count();
        st.SetIterationTime(seconds);
        wall += seconds;
        limit += static_cast<double>(port.sent + port.received) * 11.0 / baud;
    }
    link.releaseRemote();
    st.counters["bytes"] = static_cast<double>(port.sent + port.received);
    st.counters["line_limit_s"] = limit / static_cast<double>(st.iterations());
    st.counters["wall_s"] = wall / static_cast<double>(st.iterations());
    st.counters["ratio"] = wall / limit;
}

}  // namespace

BENCHMARK(readAll)->Arg(9600)->Arg(19200)->Iterations(3)->UseManualTime()->Unit(benchmark::kSecond);
