#pragma once
// What every part of the link works on: the program-wide state, the port, the clock, the user
// interface and the way the link's messages reach it. Built once by the program (or a test) and
// passed by reference.

#include "LinkMessages.h"
#include "state/Clock.h"
#include "state/Host.h"
#include "state/ProgramState.h"
#include "state/SerialPort.h"

namespace ql {

struct LinkContext {
    ProgramState& state;
    SerialPort& port;
    Clock& clock;
    Host& host;
    LinkMessages& messages;
};

// Holds LinkBusy for its lifetime: while it is held, the main timer's copy-request poll,
// automatic update and autostore leave the line alone.
class LinkBusyScope {
public:
    explicit LinkBusyScope(ProgramState& s) : state_(s) { ++state_.busy.linkBusy; }
    ~LinkBusyScope() { --state_.busy.linkBusy; }
    LinkBusyScope(const LinkBusyScope&) = delete;
    LinkBusyScope& operator=(const LinkBusyScope&) = delete;

private:
    ProgramState& state_;
};

// Fixed texts of the link's messages.
inline constexpr const char* kSerialErrorTitle = "Serial - Error";
inline constexpr const char* kTransmissionErrorText = "Transmission Error";
inline constexpr const char* kCannotOpenPortText = "Can not open com.-port";
inline constexpr const char* kUnitNotFoundText = "Unit not found";

}  // namespace ql
