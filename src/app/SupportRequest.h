#pragma once
// The two support requests of the notes window, built from the user's contact details (each
// value trimmed of blanks) and the question as the notes keep it (CR LF line ends):
//
// - the support page, a form to fax to the maker: a title, the maker's fax recipient, the
//   user's contact lines, the question and a line for date and signature, printed in Courier
//   faces on the program's printer. A line too long for the page wraps at its right edge and
//   goes on at column 5; a full page goes on on the next.
// - the support e-mail to the maker's support address, subject "Support QL240", the same
//   contact lines and the question in its body, handed to the desktop as a mailto: address.

#include <string>
#include <string_view>
#include <vector>

#include "AppController.h"
#include "draw/Printer.h"
#include "state/ProgramState.h"

namespace ql {

inline constexpr const char* kSupportSubject = "Support QL240";
// The column every line of the page but the title starts at, and where a wrapped line and
// each line of the question go on.
inline constexpr int kSupportColumn = 5;

// One line of the support page: its text from character column `column` (1 = the left edge,
// columns as wide as a digit of the font) in `font`. An empty text is an empty line as high
// as the font's lines.
struct PageLine {
    int column = 1;
    std::string text;
    FontSpec font;
    bool operator==(const PageLine&) const = default;
};

// The nine lines of the user's contact details, "Company: " to "e-mail : ", values trimmed.
std::vector<std::string> contactLines(const UserContact& user);

// The support page line by line. The question is printed up to its last character that is not
// a blank; a CR is skipped and each LF starts a line of its own.
std::vector<PageLine> buildSupportPage(const UserContact& user, const SupportContact& support,
                                       std::string_view question);

// Prints the page as one document ("support") on the printer; the printer's failure comes
// back as printDocument gives it.
Status printSupportPage(Printer& printer, const std::vector<PageLine>& page);

struct SupportMail {
    std::string recipientName;
    std::string recipientAddress;
    std::string subject;
    std::string body;  // every line ended by CR LF, the question as it is
};

SupportMail buildSupportMail(const UserContact& user, const SupportContact& support,
                             std::string_view question);

// "mailto:" with the recipient's address, then the subject and the body percent-encoded as
// UTF-8 (a CR LF becomes %0D%0A), so that the whole mail travels as one address.
std::string mailtoAddress(const SupportMail& mail);

}  // namespace ql
