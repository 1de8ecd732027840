#pragma once
// The rules of the "Notes" window: the user's notes (printed on the hardcopy, kept in settings
// and measurement files) and, from the same text, a support request to the maker.
//
// The window's text box shows the stored notes without the blanks that pad them to 800
// characters, with LF line ends; the notes keep CR LF and stay padded. Until "&Clear" empties
// the box, the padding counts as still behind its text: the support buttons' five-character
// test sees the text as it would be stored. The text box never holds more than the
// notes can keep: without its trailing blanks, at most 800 stored characters (a line end is
// two, a character Windows-1252 cannot hold is one "?"). An insertion that would pass that is
// cut to what fits, a paste included; deleting is always possible.
//
// "&OK" keeps the text as the notes, "E&xit" and the close box drop it, "&Clear" empties the
// box. "Print/Fax" prints the support page and, once the printer took it, empties the stored
// notes; "Send as e-mail" hands the support mail to the desktop's mail program. Both need at
// least 5 characters in the box (blanks count) and close the window when done; a printout or
// mail that did not go out is said once and the window stays open with its text.

#include <string>
#include <string_view>

#include "draw/Printer.h"
#include "state/Desktop.h"
#include "state/Host.h"
#include "state/ProgramState.h"
#include "state/WindowModel.h"

namespace ql {

inline constexpr const char* kNotesCaption = "Notes";
inline constexpr const char* kSupportMailTitle = "Send as e-mail";
inline constexpr const char* kEmailNotValidText = "e-mail not valid";
inline constexpr std::size_t kNotesLength = decltype(ProgramState::notesText)::size();
inline constexpr std::size_t kSupportMinimumLength = 5;

// The stored notes (CR LF) as the text box shows them (LF), and back.
std::string notesForBox(std::string_view stored);
std::string notesFromBox(std::string_view box);
// Characters the box's text takes in the notes, line ends as two.
std::size_t storedLength(std::string_view box);

// The start of `inserted` (in whole characters) that the box can take between `before` and
// `after` (the box's text around the insertion, a replaced selection left out): the longest
// one that keeps the text within the notes' length. Empty when not one character fits.
std::string fitNotesInsertion(std::string_view before, std::string_view inserted,
                              std::string_view after);

struct NotesView {
    std::string text;             // the box's text, LF line ends
    bool supportEnabled = false;  // "Print/Fax" and "Send as e-mail"
};

class NotesModel {
public:
    NotesModel(ProgramState& state, Host& host, Printer& printer, Desktop& desktop)
        : s_(state), host_(host), printer_(printer), desktop_(desktop)
    {
    }

    // The window opens with the stored notes.
    void opened();
    NotesView view() const;

    // The box's text after an edit the box let through.
    Followup edited(std::string boxText);
    Followup clear();
    Followup exit() const;
    Followup ok();
    Followup printFax();
    Followup sendMail();

private:
    bool supportPossible() const;
    Followup closing() const;

    ProgramState& s_;
    Host& host_;
    Printer& printer_;
    Desktop& desktop_;
    std::string text_;
    bool padded_ = false;  // the stored padding still stands behind the box's text
};

}  // namespace ql
