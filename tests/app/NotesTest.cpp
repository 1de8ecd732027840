// The notes window's rules and its support requests over a recording host, printer and
// desktop: the 800-character limit on every insertion and when the support buttons work, the
// support page on paper (rows, wrapping, a second page, the notes emptied only once a page came
// out), the e-mail as a mailto: address decoded back by an independent reader, and the contact
// details edited, stored and read back from the parameter file.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "AppRig.h"
#include "app/NotesModel.h"
#include "app/SupportRequest.h"
#include "app/UserDetailsModel.h"
#include "files/ParameterFile.h"
#include "state/InitProgramState.h"
#include "state/RecordingDesktop.h"

using namespace ql;
using namespace ql::testing;

namespace {

struct NotesRig {
    NotesRig()
    {
        initProgramState(state, "/tmp");
        state.user.userEmail.assign("  user@example.org ");
        state.user.userFirstName.assign(" Jörg");
        state.user.userLastName.assign("Last  ");
    }
    // The window opened on `stored` notes, the box then edited to `box` when given.
    NotesModel& opened(std::string_view stored, std::optional<std::string> box = {})
    {
        state.notesText.assign(stored);
        model.opened();
        if (box) model.edited(*box);
        return model;
    }

    ProgramState state;
    RecordingHost host;
    RecordingPrinter printer;  // 4800 x 6600 pixels at 600 dpi
    RecordingDesktop desktop;
    NotesModel model{state, host, printer, desktop};
};

std::string repeated(std::string_view piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(Notes, EveryInsertionKeepsTheTextWithinTheNotes)
{
    const std::string full = std::string(800, 'x');
    const std::string blanks = std::string(800, ' ');
    struct Case {
        const char* what;
        std::string before, inserted, after, kept;
    };
    const Case cases[] = {
        {"a key at the limit", full, "y", "", ""},
        {"a key in the middle at the limit", "x", "y", std::string(799, 'x'), ""},
        {"a paste of 900 into an empty box", "", std::string(900, 'p'), "", std::string(800, 'p')},
        {"a paste with one place left", std::string(799, 'x'), "abc", "", "a"},
        {"a line end takes two places", std::string(799, 'x'), "\n", "", ""},
        {"a line end in the last two places", std::string(798, 'x'), "\n", "", "\n"},
        {"typing into stored blank notes", "", "abc", blanks, "abc"},
        {"a blank after the text takes no place", full, " ", "", " "},
        {"a character outside Windows-1252 is one '?'", std::string(798, 'x'), "中文字", "",
         "中文"},
        {"a Windows-1252 character beyond ASCII", std::string(799, 'x'), "€ü", "", "€"},
        {"a selection replaced", std::string(700, 'x'), std::string(200, 'p'), "",
         std::string(100, 'p')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitNotesInsertion(c.before, c.inserted, c.after), c.kept) << c.what;
}

TEST(Notes, TheSupportButtonsWorkFromFiveCharactersAndOkPadsTheText)
{
    struct Case {
        const char* what;
        std::string stored;
        bool clear;  // "&Clear" before the box is edited
        std::optional<std::string> box;
        bool enabled;
    };
    const Case cases[] = {
        {"stored blank notes: 800 blanks count", "", false, {}, true},
        {"typed into stored blank notes: their padding counts", "", false, "ab", true},
        {"after Clear", "a long enough question", true, {}, false},
        {"four characters", "", true, "abcd", false},
        {"five characters", "", true, "abcde", true},
        {"four blanks and a letter", "", true, "    a", true},
        {"a line end counts two", "", true, "ab\nc", true},
        {"a line end between two letters is four", "", true, "a\nb", false},
    };
    for (const Case& c : cases) {
        NotesRig t;
        NotesModel& m = t.opened(c.stored);
        if (c.clear) m.clear();
        if (c.box) m.edited(*c.box);
        EXPECT_EQ(m.view().supportEnabled, c.enabled) << c.what;
        // Below five characters neither button does anything at all.
        const Followup fax = m.printFax();
        const Followup mail = m.sendMail();
        EXPECT_EQ(t.printer.documentKinds().size(), c.enabled ? 1u : 0u) << c.what;
        if (!c.enabled) {
            EXPECT_FALSE(fax.closeWindow || mail.closeWindow) << c.what;
            EXPECT_TRUE(t.desktop.requests.empty() && t.host.messages.empty()) << c.what;
        }
    }

    NotesRig t;
    NotesModel& m = t.opened("old notes", "line one\nline two");
    EXPECT_TRUE(m.ok().closeWindow);
    EXPECT_EQ(t.state.notesText.bytes(), "line one\r\nline two" + std::string(800 - 18, ' '));
    // Opened again, the box shows the notes without their padding.
    m.opened();
    EXPECT_EQ(m.view().text, "line one\nline two");
    // "E&xit" drops an edit.
    m.edited("changed");
    EXPECT_TRUE(m.exit().closeWindow);
    EXPECT_EQ(t.state.notesText.str().substr(0, 8), "line one");
}

// The texts drawn between "My question:" and the signature line, in order.
std::vector<DrawOp> questionRows(const RecordingPrinter& printer)
{
    const std::vector<DrawOp> texts = printer.recording().opsOfKind(DrawOp::Kind::Text);
    const auto head = std::find_if(texts.begin(), texts.end(),
                                   [](const DrawOp& op) { return op.text == "My question:"; });
    const auto tail = std::find_if(texts.begin(), texts.end(), [](const DrawOp& op) {
        return op.text.rfind("Date and Signature:", 0) == 0;
    });
    if (head == texts.end() || tail == texts.end() || tail < head) return {};
    return {head + 1, tail};
}

TEST(Notes, TheSupportPageRowsWrapAtTheRightEdgeAndGoOnAtColumnFive)
{
    // The recording printer's Courier 12 pt at 600 dpi: 50 pixels a character, 125 a row;
    // column 5 starts four characters in, and a row holds 96 characters.
    constexpr int kColumnFive = 4 * 50;
    constexpr int kRow = 125;
    {
        NotesRig t;
        ASSERT_TRUE(printSupportPage(
            t.printer, buildSupportPage(t.state.user, kSupportContact, "ab\r\ncd   ")));
        const std::vector<DrawOp> rows = questionRows(t.printer);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].text, "ab");
        EXPECT_EQ(rows[1].text, "cd");
        EXPECT_EQ(rows[0].points[0].x, kColumnFive);
        EXPECT_EQ(rows[1].points[0].x, kColumnFive);
        EXPECT_EQ(rows[1].points[0].y - rows[0].points[0].y, kRow);
        EXPECT_EQ(t.printer.events(), (std::vector<std::string>{"begin portrait", "end"}));
        EXPECT_EQ(t.printer.documentKinds(), std::vector<std::string>{"support"});
    }
    {
        // 300 characters of words on one line: four rows, none past the edge, no word cut.
        NotesRig t;
        const std::string line = repeated("word ", 59) + "last!";
        ASSERT_TRUE(
            printSupportPage(t.printer, buildSupportPage(t.state.user, kSupportContact, line)));
        const std::vector<DrawOp> rows = questionRows(t.printer);
        ASSERT_EQ(rows.size(), 4u);
        std::string rejoined;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].points[0].x, kColumnFive);
            EXPECT_LE(kColumnFive + 50 * static_cast<int>(rows[i].text.size()), 4800);
            if (i > 0) {
                EXPECT_EQ(rows[i].points[0].y - rows[i - 1].points[0].y, kRow);
                EXPECT_EQ(rows[i - 1].text.back(), ' ');  // broken after a word
            }
            rejoined += rows[i].text;
        }
        EXPECT_EQ(rejoined, line);
    }
    {
        // 60 question lines pass the bottom of the first page.
        NotesRig t;
        std::string question;
        for (int i = 1; i <= 60; ++i) question += "line " + std::to_string(i) + "\r\n";
        ASSERT_TRUE(
            printSupportPage(t.printer, buildSupportPage(t.state.user, kSupportContact, question)));
        EXPECT_EQ(t.printer.pageCount(), 2);
        EXPECT_EQ(t.printer.events(),
                  (std::vector<std::string>{"begin portrait", "new page", "end"}));
        const std::vector<DrawOp> rows = questionRows(t.printer);
        ASSERT_EQ(rows.size(), 60u);
        int turns = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].text, "line " + std::to_string(i + 1));
            EXPECT_LE(rows[i].points[0].y + kRow, 6600);
            if (i > 0 && rows[i].points[0].y < rows[i - 1].points[0].y) {
                ++turns;
                EXPECT_EQ(rows[i].points[0].y, 0);  // the new page starts at its top
            }
        }
        EXPECT_EQ(turns, 1);
    }
}

TEST(Notes, PrintFaxEmptiesTheNotesOnlyOnceThePrinterTookThePage)
{
    {
        NotesRig t;
        NotesModel& m = t.opened("stored question", "Why does it beep?");
        EXPECT_TRUE(m.printFax().closeWindow);
        EXPECT_EQ(t.state.notesText.bytes(), std::string(800, ' '));
        EXPECT_TRUE(t.host.messages.empty());
        EXPECT_EQ(t.printer.documentsDone(), 1);
        // The contact lines carry the trimmed values.
        const std::vector<std::string> texts = t.printer.recording().texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Name   : Jörg Last"), texts.end());
    }
    for (const bool noPrinter : {false, true}) {
        NotesRig t;
        if (noPrinter)
            t.printer.setAvailable(false);
        else
            t.printer.setEndRefused(true);
        NotesModel& m = t.opened("stored question", "Why does it beep?");
        EXPECT_FALSE(m.printFax().closeWindow);
        EXPECT_EQ(t.state.notesText.trimmed(), "stored question");
        EXPECT_EQ(m.view().text, "Why does it beep?");
        ASSERT_EQ(t.host.messages.size(), 1u);
        EXPECT_EQ(t.host.messages[0].text.rfind("Printing failed: ", 0), 0u);
    }
}

// An independent reader of mailto: addresses: the address before "?", then each query field
// percent-decoded.
std::map<std::string, std::string> decodeMailto(const std::string& address)
{
    const auto decode = [](std::string_view text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '%' && i + 2 < text.size()) {
                out.push_back(
                    static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)));
                i += 2;
            } else {
                out.push_back(text[i]);
            }
        }
        return out;
    };
    std::map<std::string, std::string> fields;
    const std::string prefix = "mailto:";
    if (address.rfind(prefix, 0) != 0) return fields;
    const std::size_t query = address.find('?');
    fields["to"] = decode(address.substr(prefix.size(), query - prefix.size()));
    std::size_t at = query;
    while (at != std::string::npos) {
        const std::size_t next = address.find('&', at + 1);
        const std::string field = address.substr(at + 1, next - at - 1);
        const std::size_t equals = field.find('=');
        fields[field.substr(0, equals)] = decode(field.substr(equals + 1));
        at = next;
    }
    return fields;
}

TEST(Notes, TheSupportMailTravelsWholeInItsMailtoAddress)
{
    NotesRig t;
    const std::string box = "Price & size? 50% = \"half\" #1\nZeile zwei: grün";
    NotesModel& m = t.opened("kept notes", box);
    EXPECT_TRUE(m.sendMail().closeWindow);
    ASSERT_EQ(t.desktop.requests.size(), 1u);
    EXPECT_TRUE(t.desktop.requests[0].mail);
    const std::string& address = t.desktop.requests[0].target;
    // One address: nothing in it that a mail program or a shell would split at.
    EXPECT_EQ(address.find_first_of(" \r\n#\"'"), std::string::npos);
    EXPECT_NE(address.find("%0D%0A"), std::string::npos);

    const auto fields = decodeMailto(address);
    const SupportMail mail = buildSupportMail(t.state.user, kSupportContact, notesFromBox(box));
    EXPECT_EQ(fields.at("to"), kSupportContact.email);
    EXPECT_EQ(fields.at("subject"), "Support QL240");
    EXPECT_EQ(fields.at("body"), mail.body);
    EXPECT_EQ(fields.size(), 3u);
    // The sender's address counts trimmed; the notes are unchanged.
    EXPECT_EQ(t.state.notesText.trimmed(), "kept notes");
    EXPECT_TRUE(t.host.messages.empty());
}

TEST(Notes, TheSupportMailNeedsTheSendersAddressAndAMailProgram)
{
    for (const char* sender : {"userexample.org", "", "   "}) {
        NotesRig t;
        t.state.user.userEmail.assign(sender);
        NotesModel& m = t.opened("", "my question");
        EXPECT_FALSE(m.sendMail().closeWindow) << sender;
        ASSERT_EQ(t.host.messages.size(), 1u) << sender;
        EXPECT_EQ(t.host.messages[0].text, "e-mail not valid");
        EXPECT_TRUE(t.desktop.requests.empty());
    }

    NotesRig t;
    t.desktop.answer = Status::fail("No mail program of this desktop takes the e-mail.", "Send");
    NotesModel& m = t.opened("kept notes", "my question");
    EXPECT_FALSE(m.sendMail().closeWindow);
    EXPECT_EQ(t.desktop.requests.size(), 1u);
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0].text, "No mail program of this desktop takes the e-mail.");
    EXPECT_EQ(m.view().text, "my question");
    EXPECT_EQ(t.state.notesText.trimmed(), "kept notes");
}

TEST(Notes, TheUserDetailsAreKeptTrimmedAndReadBackFromTheParameterFile)
{
    TempRoot root;
    const AppPaths paths = AppPaths::underRoot(root);
    ProgramState written;
    initProgramState(written, root.path);
    written.user.userCity.assign("  Old City ");
    UserDetailsModel details(written);
    details.opened();
    EXPECT_EQ(details.view().fields[6].text, "Old City");
    for (int i = 0; i < kUserFieldCount; ++i)
        details.fieldEdited(i, "  field " + std::to_string(i + 1) + "  ");
    details.fieldEdited(0, std::string(90, 'c'));
    details.fieldEdited(12, "not a field");
    EXPECT_TRUE(details.ok().closeWindow);

    RecordingHost host;
    ASSERT_TRUE(writeParameterFile(written, host, paths));
    ProgramState read;
    initProgramState(read, root.path);
    readParameterFile(read, host, paths);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(read.user.userCompany.str(), std::string(80, 'c'));
    EXPECT_EQ(read.user.userFirstName.str(), "field 2" + std::string(73, ' '));
    UserDetailsModel readBack(read);
    readBack.opened();
    for (int i = 1; i < kUserFieldCount; ++i)
        EXPECT_EQ(readBack.view().fields[static_cast<std::size_t>(i)].text,
                  "field " + std::to_string(i + 1));

    // "Cancel" keeps what was stored.
    details.opened();
    details.fieldEdited(6, "Elsewhere");
    EXPECT_TRUE(details.cancel().closeWindow);
    EXPECT_EQ(written.user.userCity.trimmed(), "field 7");
}

}  // namespace
