#pragma once
// Serves a ScopeSimulator on a pseudo-terminal in real time, for the program to open like a
// serial port. Answers go out at the line rate of the instrument's baud rate; when the
// program's side of the terminal is set to another baud rate, data bits or parity, both
// directions turn into garbage. The Vanish fault closes the terminal, as when a USB adapter
// is pulled.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ReplyScheduler.h"
#include "ScopeSimulator.h"
#include "state/Clock.h"
#include "state/SerialPort.h"
#include "state/Status.h"

namespace ql::scopesim {

class PtyServer {
public:
    PtyServer(ScopeSimulator& simulator, Clock& clock);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the terminal (raw, at the instrument's baud rate and stop bits).
    Status open();
    const std::string& slavePath() const { return slavePath_; }

    enum class End { Stopped, Vanished, Failed };
    // Serves until keepRunning() returns false (asked at least every 20 ms) or the port
    // vanishes.
    End serve(const std::function<bool()>& keepRunning);

private:
    void closeTerminal();
    LineSettings programLine() const;
    LineSettings instrumentLine() const;
    void receiveAvailable(std::int64_t nowUs);
    bool sendDue(std::int64_t nowUs);

    ScopeSimulator& sim_;
    Clock& clock_;
    int master_ = -1;
    int slaveHold_ = -1;  // keeps the terminal alive while the program has it closed
    std::string slavePath_;
    ReplyScheduler sending_;
    std::vector<std::uint8_t> unsent_;
    std::int64_t lastReceiveEndUs_ = 0;
};

}  // namespace ql::scopesim
