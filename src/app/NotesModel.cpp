#include "NotesModel.h"

#include <algorithm>
#include <vector>

#include "AppController.h"
#include "ScreenPrintout.h"
#include "SupportRequest.h"
#include "state/Text.h"

namespace ql {

namespace {

// Whether a text of the box fits the notes once its trailing blanks are gone.
bool fitsNotes(std::string_view box)
{
    return trimRight(utf8ToCp1252(notesFromBox(box))).size() <= kNotesLength;
}

std::string joined(std::string_view before, std::string_view inserted, std::string_view after)
{
    std::string text;
    text.reserve(before.size() + inserted.size() + after.size());
    text.append(before).append(inserted).append(after);
    return text;
}

}  // namespace

std::string notesForBox(std::string_view stored)
{
    std::string box;
    box.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') continue;
        box.push_back(stored[i]);
    }
    return box;
}

std::string notesFromBox(std::string_view box)
{
    std::string stored;
    stored.reserve(box.size() + box.size() / 8);
    // CR LF, a lone CR and a lone LF all end a line, as the text box takes them.
    for (std::size_t i = 0; i < box.size(); ++i) {
        const char c = box[i];
        if (c == '\r' && i + 1 < box.size() && box[i + 1] == '\n') continue;
        if (c == '\r' || c == '\n')
            stored.append("\r\n");
        else
            stored.push_back(c);
    }
    return stored;
}

std::size_t storedLength(std::string_view box)
{
    return utf8ToCp1252(notesFromBox(box)).size();
}

std::string fitNotesInsertion(std::string_view before, std::string_view inserted,
                              std::string_view after)
{
    if (fitsNotes(joined(before, inserted, after))) return std::string(inserted);
    if (!fitsNotes(joined(before, {}, after))) return {};
    // Where each character of the insertion ends.
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= inserted.size(); ++i)
        if (i == inserted.size() || (static_cast<unsigned char>(inserted[i]) & 0xC0) != 0x80)
            ends.push_back(i);
    // A longer start never takes less room once trailing blanks are gone: the last that fits.
    const auto past = std::partition_point(ends.begin(), ends.end(), [&](std::size_t end) {
        return fitsNotes(joined(before, inserted.substr(0, end), after));
    });
    return past == ends.begin() ? std::string() : std::string(inserted.substr(0, *(past - 1)));
}

void NotesModel::opened()
{
    // Shown without the padding, so that a click behind the text puts the caret where typing
    // is kept.
    text_ = notesForBox(trimRight(s_.notesText.str()));
    padded_ = true;
}

NotesView NotesModel::view() const
{
    return NotesView{text_, supportPossible()};
}

Followup NotesModel::edited(std::string boxText)
{
    text_ = std::move(boxText);
    return {};
}

Followup NotesModel::clear()
{
    text_.clear();
    padded_ = false;
    return {};
}

Followup NotesModel::exit() const
{
    return closing();
}

Followup NotesModel::ok()
{
    s_.notesText.assign(notesFromBox(text_));
    return closing();
}

Followup NotesModel::printFax()
{
    if (!supportPossible()) return {};
    const std::vector<PageLine> page =
        buildSupportPage(s_.user, kSupportContact, notesFromBox(text_));
    const Status printed = printSupportPage(printer_, page);
    reportPrintout(host_, printer_, printed);
    // The question stays in the box and in the notes until a page came out.
    if (!printed) return {};
    s_.notesText.assign("");
    return closing();
}

Followup NotesModel::sendMail()
{
    if (!supportPossible()) return {};
    if (s_.user.userEmail.trimmed().find('@') == std::string::npos) {
        host_.showMessage(kEmailNotValidText, kSupportMailTitle, MessageIcon::None);
        return {};
    }
    const SupportMail mail = buildSupportMail(s_.user, kSupportContact, notesFromBox(text_));
    const Status taken = desktop_.openMail(mailtoAddress(mail));
    // Without a mail program the question stays in the window.
    if (!taken) {
        host_.report(taken.failure());
        return {};
    }
    return closing();
}

bool NotesModel::supportPossible() const
{
    // The stored padding alone is long enough.
    static_assert(kNotesLength >= kSupportMinimumLength);
    return padded_ || storedLength(text_) >= kSupportMinimumLength;
}

Followup NotesModel::closing() const
{
    Followup close;
    close.closeWindow = true;
    return close;
}

}  // namespace ql
