#pragma once
// The automatic port search: ports 1..4 at 19200 baud are asked for an identity; the first
// that answers is reported. The search changes no stored setting: the window takes the port
// it found, and a later Ok stores it.

#include <string>

#include "CommandFrame.h"

namespace ql {

struct PortSearchResult {
    bool found = false;
    int portNumber = 1;     // the port to preselect (1 when nothing answered)
    long baudRate = 2400;   // the baud rate to preselect (19200 when found)
    std::string modelName;  // as found (or the current one when the reply had no model)
};

class PortSearch {
public:
    PortSearch(LinkContext& ctx, CommandFrame& frame) : ctx_(ctx), frame_(frame) {}

    // Runs the search, shows its result, and leaves the port closed.
    PortSearchResult autoSearchPort();

    // The port set-up window opens: a held instrument is returned to local operation.
    void setupOpened();
    // Ok: stores the chosen port and baud rate (0 keeps the stored one), reopens the port and
    // identifies the instrument.
    void setupAccepted(int portNumber, long baudRate, class Identification& identification);

private:
    LinkContext& ctx_;
    CommandFrame& frame_;
};

}  // namespace ql
