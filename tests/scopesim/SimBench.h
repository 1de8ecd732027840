#pragma once
// A minimal "program side" for driving the simulator in tests: sends like the link does (one
// byte at a time, waiting until it has left), waits on the fake clock, reads what arrived.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "scopesim/ScopeSimulator.h"
#include "scopesim/SimulatedPort.h"
#include "state/Clock.h"

namespace ql::scopesim::test {

inline std::string bytesOf(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

struct SimBench {
    explicit SimBench(SimulatorConfig config = {}, LineSettings line = {})
        : sim(clock, std::move(config)), port(sim, clock)
    {
        EXPECT_TRUE(port.open("/dev/ttyS0", line).ok);
    }

    // Sends each byte and waits (1 ms steps) until it has left.
    void send(std::string_view bytes)
    {
        for (char c : bytes) {
            const auto b = static_cast<std::uint8_t>(c);
            port.write(std::span<const std::uint8_t>(&b, 1));
            while (port.outputCount() > 0) clock.advance(1);
        }
    }
    // Sends `bytes`, pausing `pauseMs` after the first `after` of them.
    void sendWithPause(std::string_view bytes, std::size_t after, int pauseMs)
    {
        send(bytes.substr(0, after));
        clock.advance(pauseMs);
        send(bytes.substr(after));
    }
    // Waits until `n` bytes are waiting (or `timeoutMs` passed) and reads what is there.
    std::string receive(std::size_t n, int timeoutMs = 8000)
    {
        for (int t = 0; t < timeoutMs && port.inputCount() >= 0 &&
                        static_cast<std::size_t>(port.inputCount()) < n;
             ++t)
            clock.advance(1);
        return readAll();
    }
    std::string readAll()
    {
        std::string s;
        std::uint8_t buf[4096];
        while (std::size_t got = port.read(buf)) s.append(reinterpret_cast<char*>(buf), got);
        return s;
    }
    // Flush, send, and collect everything that arrives within `waitMs`.
    std::string exchange(std::string_view command, int waitMs = 2000)
    {
        port.discardInput();
        send(command);
        clock.advance(waitMs);
        return readAll();
    }
    std::int64_t nowMs() { return clock.monotonicMs(); }

    FakeClock clock;
    ScopeSimulator sim;
    SimulatedPort port;
};

}  // namespace ql::scopesim::test
