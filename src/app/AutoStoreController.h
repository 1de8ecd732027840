#pragma once
// The rules of the autostore window ("AutoStore"): the two modes (every N minutes, after
// each trigger), the interval, "Print after storage", "Save as table", the file name chosen
// in a save dialog, and Start/Pause, Stop and Exit. The window edits the autostore fields of
// the state directly; while it is open "Read", "Set/Read" and "Set" of the toolbar are off
// ("Read" comes back when it closes, the other two with the next complete read or load).
//
// Pause, Stop and Exit clicked while a store, a read or another operation runs are taken at
// once as requests (their buttons show it) and carried out as soon as it has ended; Start and
// "Select Filename" do nothing then. A click still waiting when a tick is about to start an
// autostore read is taken first, so that read does not start: nothing starts after the store
// in progress. The counter starts again at 0 when the window opens, on Stop and on Exit, but
// never while autostore runs: a running autostore goes on when the window closes. Numbers
// whose file exists are skipped, so no file is ever stored over.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/InstrumentLink.h"
#include "state/FileDialogs.h"
#include "state/WindowModel.h"

namespace ql {

inline constexpr const char* kAutoStoreWindowTitle = "AutoStore";
// Start in the after-trigger mode on an instrument that cannot run single acquisitions then.
inline constexpr const char* kAfterTriggerNeedsDigitalText =
    "Store after trigger needs digital storage on an instrument with firmware 2.0 or lower.\r\n"
    "Switch the instrument to digital storage and press Start again.";
inline constexpr std::int16_t kMaxAutoStoreMinutes = 2000;

struct AutoStoreView {
    std::string fileLabel;  // the prefix, after a chosen name followed by "XXXXX.mes"/".tab"
    bool timed = false;     // "Store every" chosen, else "Store after trigger"
    std::string minutesText;
    bool printAfterStorage = false;
    bool saveAsTable = false;
    std::string startCaption;  // "&Start" on opening, then "Pause" / "Start"
    // A pending request switches off its button and those it makes pointless; a pending Pause
    // or Stop shows "Start" already, the caption that follows.
    bool startEnabled = true;
    bool stopEnabled = true;
    bool exitEnabled = true;
};

// The save dialog of "Select &Filename" for the mode.
FileDialogRequest autoStoreDialogRequest(bool asTable);
// The prefix a chosen name stands for: the name without its trailing ".mes" (in table mode
// ".tab"), in any case; nullopt for a name without that ending.
std::optional<std::string> autoStorePrefixFromName(std::string_view name, bool asTable);

class AutoStoreController {
public:
    // `decimalSign`: the regional one, accepted in the interval beside '.'.
    AutoStoreController(InstrumentLink& link, char decimalSign);

    // The window opens: the three toolbar buttons go off; the counter starts again at 0
    // unless autostore runs. closed(): "Read" comes back.
    void opened();
    void closed();
    AutoStoreView view() const;

    Followup modeChosen(bool timed);
    // The interval on Enter or on leaving the box: a whole number (a fraction rounded, a
    // half to the even neighbour), a negative one becoming 1 and one above 2000 becoming
    // 2000. A text that is no number keeps the interval.
    Followup minutesEntered(std::string_view text);
    Followup printToggled(bool checked);
    Followup tableToggled(bool checked);
    Followup selectFilename(FileDialogs& dialogs);

    // Starts autostore, or pauses it when it runs. A Start moves the counter past the numbers
    // whose file exists (none left: a message, and nothing starts) and clears the clock line's
    // note. Timed: the first store is due one interval from now. After trigger: the instrument
    // is set to single acquisitions, the automatic update switched on and the acquisition
    // armed; a Start that cannot work that way (a failed exchange, told by the link, or an old
    // firmware without digital storage) leaves autostore inactive.
    Followup startPause();
    // Stops autostore, starts the numbering again at 0 and releases a held instrument.
    Followup stop();
    // Closes the window; the numbering starts again at 0 unless autostore runs, and a held
    // instrument is released unless an after-trigger autostore needs it held.
    Followup exit();

private:
    bool startAfterTrigger();

    InstrumentLink& link_;
    ProgramState& s_;
    Host& host_;
    char decimalSign_;
    bool startPressed_ = false;
    bool fileChosen_ = false;
};

}  // namespace ql
