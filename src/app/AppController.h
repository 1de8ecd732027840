#pragma once
// The program's life: start-up, closing the main window, "Exit", the one-second tick of the
// main window (a close or "Exit" that had to wait, then the instrument work of
// InstrumentOperations), and the menu items that need no window of their own. Tells the user
// interface what to show through Host only.
//
// Start-up sets the start values, reads the parameter file (with its defaults when it cannot
// be used), opens the screen window, the automatic-measurement window when it was open last
// time and the settings panels, chooses the help document and then lets the screen be drawn.
// No serial port is opened at start.
//
// Closing gives back a waveform hold the program set itself and still owes the instrument
// (connecting again for it), releases a held instrument ("rm0", then up to 8 s for its answer
// without serving window events), closes the port and writes the parameter file: "Exit"
// always, other ways of closing only when start-up had to generate defaults. While an instrument
// operation is in progress a close or "Exit" waits until it has finished, so no command is cut in
// half.

#include <string>

#include "InstrumentOperations.h"
#include "link/InstrumentLink.h"
#include "state/AppPaths.h"
#include "state/Desktop.h"
#include "state/FileDialogs.h"

namespace ql {

// Footer text of the main window.
inline constexpr const char* kFooterText = "KORVA Instruments - digital storage oscilloscopes";

// The maker's notice line and support contact, shown by the about window and used by the
// support requests. The numbers and addresses are placeholders: set the real ones here.
inline constexpr const char* kNoticeLine = "(c) KORVA Instruments. All rights reserved.";
struct SupportContact {
    const char* company;
    const char* telephone;
    const char* fax;
    const char* email;
    const char* homePage;
    const char* country;  // the postal country on the support fax page
};
inline constexpr SupportContact kSupportContact{"KORVA Instruments",        "+00 000 0000000",
                                                "+00 000 0000001",          "support@example.org",
                                                "https://www.example.org/", "Exampleland"};

// What the program's process needs before anything else runs; its start-up function calls it
// first. A write over the file-size limit (`ulimit -f`) then fails with "File too large" and
// is reported as every failed save is, instead of ending the program. The signal gets a
// handler that does nothing rather than being ignored: an ignore would pass on to the
// programs started from here (the help browser), a handler does not.
void prepareProcess();

// The help documents live in the data folder's "help" folder; the manuals beside them.
std::string helpFolder(const AppPaths& paths);

// What became of a request to close the main window.
enum class CloseOutcome {
    Closed,    // the closing sequence ran; the user interface has been asked to quit
    Deferred,  // an operation is in progress; the close runs on a tick once it has finished
};

// What became of "Exit".
enum class ExitOutcome {
    Ended,     // everything was written and the user interface has been asked to quit
    Deferred,  // an operation is in progress; "Exit" runs on a tick once it has finished
    KeptOpen,  // the held instrument did not answer "rm0": the port is closed, nothing was
               // written and the program goes on
};

class AppController {
public:
    AppController(InstrumentLink& link, InstrumentOperations& operations, AppPaths paths);

    // Start-up: runs once, before the main timer starts.
    void startUp();

    // The main window is being closed (its close box, the system menu or the desktop).
    CloseOutcome closeMainWindow();
    // The "Exit" item of the Data menu.
    ExitOutcome exitProgram();
    // The program is asked to end from outside (SIGTERM, SIGINT, SIGHUP): as "Exit", an
    // operation in progress first finishes, the held instrument is released and the parameter
    // file written; only a held instrument that does not answer "rm0" cannot keep it running.
    void endFromOutside();
    // True once the closing sequence has run.
    bool finished() const { return finished_; }
    bool closePending() const { return state_.busy.closePending; }
    bool exitPending() const { return state_.busy.exitPending; }

    // The one-second tick of the main window: a close or "Exit" that had to wait, then the
    // tick of InstrumentOperations (clock, redraw, copy request, automatic update, autostore).
    void timerTick();

    // "&Load" and "&Save" of the Data menu: the file dialogs, unless an operation is in
    // progress (a load in the middle of a read would mix a file with half-read data).
    void loadDataMenu(FileDialogs& dialogs);
    void saveDataMenu(FileDialogs& dialogs);

    // "Help": the help document for the model family and language (chosen afresh).
    // "Deutsch" / "English": the language first (0 German, 1 English). Both return the path
    // of the document to show.
    std::string helpDocument();
    std::string helpDocumentInLanguage(byte language);
    // The FFT and harmonics manual in German or English.
    std::string fftManual(bool german) const;
    // Hands a help document or manual to the desktop's viewer. A document that is not there,
    // or that the desktop does not open, gives one message naming the file.
    void showDocument(Desktop& desktop, const std::string& path) const;

    const AppPaths& paths() const { return paths_; }

private:
    // Gives back a hold the program still owes the instrument (by connecting), releases a held
    // instrument and closes the port. False when the held instrument did not answer "rm0"
    // within the time-out (the port is closed then as well).
    bool releaseAndClosePort();
    // Unless "Exit" has just done so: writes the parameter file when start-up generated
    // defaults, releases the instrument and closes the port. Then ends the program.
    void runClosingSequence(bool byExit);

    ProgramState& state_;
    Host& host_;
    InstrumentLink& link_;
    InstrumentOperations& operations_;
    AppPaths paths_;
    bool finished_ = false;
    bool endRequested_ = false;
};

}  // namespace ql
