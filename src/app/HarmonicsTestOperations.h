#pragma once
// The buttons of the harmonics window that act on the instrument, the printer or a file:
// "Defaultsetting" (the instrument set up for a current measurement, then continuous
// acquisition), "Start"/"Stop", "Print (Headline >>>)" (the report) and "Export as *.tab".
//
// The set-up holds the operation guard, so none of these starts while another operation runs.
// Stopping sends nothing and is never refused, like clearing "Auto".

#include "draw/Printer.h"
#include "harmonics/HarmonicsWindowController.h"
#include "link/InstrumentLink.h"
#include "state/FileDialogs.h"

namespace ql {

inline constexpr std::string_view kScopeConnectedQuestion = "Is the scope connected to the PC?";
inline constexpr std::string_view kScopeConnectedTitle = "status";
inline constexpr std::string_view kSaveTabTitle = "Save as tab";
inline constexpr std::string_view kSaveTabFilter = "TAB (*.tab) |*.tab";
// The title of the message of a table that could not be written.
inline constexpr std::string_view kTabFileErrorTitle = "Load as tab";
// How long the instrument is left to settle after the set-up before the first read.
inline constexpr std::int64_t kHarmonicsSettleMs = 2000;

// Continuous acquisition for the harmonics test runs: the window is open and the automatic
// update on.
bool harmonicsAcquisitionRuns(const ProgramState& s);
// The acquisition has ended by itself (a failed exchange ended the automatic update): the
// window shows "Start", and the clock line keeps "Harmonics acquisition stopped: " and `why`
// until the next Start.
void harmonicsAcquisitionStoppedBy(ProgramState& s, Host& host, std::string_view why);

// A name the table may be written to: its last three characters, blanks around it removed,
// read "TAB" in any letter case.
bool isTabFileName(std::string_view name);

class HarmonicsTestOperations {
public:
    HarmonicsTestOperations(InstrumentLink& link, Printer& printer, FileDialogs& dialogs);

    // "Defaultsetting": the set-up, then continuous acquisition. Unless the instrument is
    // held, the user is asked first whether it is connected; No changes nothing. The set-up
    // reads the settings, switches CH I on and CH II off (refresh mode, digital storage, no
    // hold, CH I centred), writes them, lets AUTOSET adapt them to the signal, reads them back
    // and sets LINE triggering, 50 ms per division and CH I centred on DC over what AUTOSET
    // chose, writes them, waits 2 s and reads everything. It stops at the first failure (the
    // link has reported it; acquisition stays off) and when the window closes, and then puts
    // back the settings last read from the instrument.
    void defaultSetting();
    // "Start"/"Stop", by the state of automatic update (not by the caption): off, the average
    // and max-hold are cleared and the set-up runs; on, acquisition stops (the instrument stays
    // held and the results stay).
    void startStop();
    // "Print (Headline >>>)": the report of the last run on the program's printer.
    void printReport(const HarmonicsWindowController& window);
    // "Export as *.tab": the result table into a file the user chooses.
    void exportTable(const HarmonicsWindowController& window);

private:
    bool setUp();
    // The window is still open: a set-up for a closed window goes no further.
    bool windowOpen() const { return state_.harm.obwActive == 1; }
    bool settle();

    InstrumentLink& link_;
    ProgramState& state_;
    Host& host_;
    Clock& clock_;
    Printer& printer_;
    FileDialogs& dialogs_;
};

}  // namespace ql
