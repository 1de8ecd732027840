#pragma once
// The rules of the View and Measurement menus and of "About/Support": which windows the items
// open and close, the check marks that mirror them, and what the two analysis items do to the
// state. Tells the user interface what to show through Host only.
//
// Every item acts at once, also while an instrument operation runs (none of them talks to the
// instrument), except "Cursor", which does nothing then. After each item its check mark shows
// whether its window is open, also when a window could not open.
//
// At most one of the FFT and harmonics windows is open: choosing one closes the other first.
// While the harmonics window is open automatic update is off and "Auto" cannot be ticked; the
// harmonics buffers start from zero each time the window opens.

#include "state/Host.h"
#include "state/ProgramState.h"

namespace ql {

class MenuController {
public:
    MenuController(ProgramState& state, Host& host) : state_(state), host_(host) {}

    // An item of the View menu ("Channel" ... "Automeasurement"): the window its row toggles
    // closes when it is open and opens when it is closed. Any other item does nothing.
    void viewItemChosen(UiAction item);
    // "Automeasurement": as the View items; the window's new state is kept in the layout, so
    // the next start opens the window only when it was open at the end.
    void automeasurementChosen();

    // "FFT": switches the FFT view off when it is on; otherwise ends the harmonics view and
    // opens the FFT window.
    void fftChosen();
    // "Harm. current emissions": switches the harmonics view off when it is on (and "Auto" can
    // be ticked again); otherwise ends the FFT view, turns automatic update off, clears the
    // harmonics buffers and opens the harmonics window. A held instrument stays held.
    void harmonicsChosen();

    // "About/Support".
    void aboutChosen();

private:
    void endFft();
    void endHarmonics();

    ProgramState& state_;
    Host& host_;
};

}  // namespace ql
