#pragma once
// The rules of the serial port set-up window: port 1..4 (each with the device it maps to),
// baud rate, Ok, Exit and Autosearch. Opening the window returns a held instrument to local
// operation; Ok stores the choice and identifies the instrument on it; Autosearch asks every
// port and preselects the one that answered. Ok and Autosearch wait for a running operation
// (they hold the operation guard), and while they talk to the ports the window's buttons are
// off and it cannot be closed.

#include <array>
#include <functional>
#include <string>

#include "link/InstrumentLink.h"
#include "state/WindowModel.h"

namespace ql {

struct PortSetupView {
    struct Option {
        std::string caption;
        bool selected = false;
    };
    std::array<Option, 4> ports;  // "Com1  (/dev/ttyS0)"
    std::array<Option, 6> baudRates;
    bool buttonsEnabled = true;
};

class PortSetupModel {
public:
    static constexpr std::array<long, 6> kBaudRates = {2400, 4800, 9600, 19200, 57600, 115200};

    explicit PortSetupModel(InstrumentLink& link);

    // Told when the view changes in the middle of a handler (the buttons go off and on again),
    // so the window can show it while the ports are asked.
    void setViewChanged(std::function<void()> viewChanged)
    {
        viewChanged_ = std::move(viewChanged);
    }

    // The window opens: the stored port and baud rate are preselected (a stored value the
    // window does not offer selects nothing) and a held instrument is released.
    void opened();
    PortSetupView view() const;

    void portChosen(int portNumber);
    void baudRateChosen(long baudRate);
    // "Ok": stores the selection (nothing selected keeps the stored value) and identifies the
    // instrument; the window closes and the windows that show the settings follow the model
    // found. Nothing happens while another operation runs.
    Followup ok();
    // "Autosearch": preselects what the search found; nothing is stored until Ok.
    Followup autosearch();
    // Whether the window may close now ("Exit", its close box, Escape).
    bool mayClose() const { return !working_; }

    int selectedPort() const { return selectedPort_; }
    long selectedBaudRate() const { return selectedBaudRate_; }

private:
    void setWorking(bool working);

    InstrumentLink& link_;
    std::function<void()> viewChanged_;
    int selectedPort_ = 0;
    long selectedBaudRate_ = 0;
    bool working_ = false;
};

static_assert(WindowModel<PortSetupModel>);

}  // namespace ql
