#include "SupportRequest.h"

#include <algorithm>

#include "state/Text.h"

namespace ql {

namespace {

const FontSpec kTitleFont{"Courier New", 32, true, false};
const FontSpec kRecipientFont{"Courier New", 20, true, false};
const FontSpec kHeadingFont{"Courier", 12, true, false};
const FontSpec kBodyFont{"Courier", 12, false, false};

constexpr int kTitleColumn = 10;
constexpr const char* kSignatureLine = "Date and Signature:__________________________________";

void addEmptyLines(std::vector<PageLine>& page, int count, const FontSpec& font)
{
    for (int i = 0; i < count; ++i) page.push_back(PageLine{1, {}, font});
}

void addLine(std::vector<PageLine>& page, std::string text, const FontSpec& font)
{
    page.push_back(PageLine{kSupportColumn, std::move(text), font});
}

bool continuesCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool onlyBlanks(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// The bytes of the longest start of `text` in whole characters that fits `room` pixels; a
// break at a blank is preferred, and at least one character is taken so the text goes on.
std::size_t fittingLength(const Surface& surface, std::string_view text, double room)
{
    if (surface.textWidth(text) <= room) return text.size();
    std::vector<std::size_t> ends;  // byte end of each character
    for (std::size_t i = 1; i <= text.size(); ++i)
        if (i == text.size() || !continuesCharacter(text[i])) ends.push_back(i);
    // Widths grow with the length: the last end that still fits.
    const auto past = std::partition_point(ends.begin(), ends.end(), [&](std::size_t end) {
        return surface.textWidth(text.substr(0, end)) <= room;
    });
    if (past == ends.begin()) return ends.front();
    const std::size_t fits = *(past - 1);
    const std::size_t blank = text.substr(0, fits).rfind(' ');
    return blank != std::string_view::npos && blank > 0 ? blank + 1 : fits;
}

// Starts a new page when the next line of the current font would pass the bottom edge.
Status makeRoom(Printer& printer, Surface& surface)
{
    const double bottom = surface.currentY() + printer.lineHeight(surface.font());
    if (surface.currentY() <= 0.0 || bottom <= printer.size().height) return Status::success();
    const Status turned = printer.newPage();
    surface.home();
    return turned;
}

Status printLine(Printer& printer, Surface& surface, const PageLine& line)
{
    surface.setFont(line.font);
    std::string_view rest = line.text;
    int column = line.column;
    do {
        if (const Status room = makeRoom(printer, surface); !room) return room;
        surface.tab(column);
        const double width = printer.size().width - surface.currentX();
        const std::size_t length = fittingLength(surface, rest, width);
        surface.print(rest.substr(0, length));
        rest.remove_prefix(length);
        column = kSupportColumn;
    } while (!rest.empty() && !onlyBlanks(rest));
    return Status::success();
}

// Characters an address keeps as they are: the unreserved ones of a URI.
bool unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

std::string percentEncoded(std::string_view text, std::string_view keep = {})
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (unreserved(c) || keep.find(ch) != std::string_view::npos) {
            encoded.push_back(ch);
        } else {
            encoded.push_back('%');
            encoded.push_back(kHex[c >> 4]);
            encoded.push_back(kHex[c & 0x0F]);
        }
    }
    return encoded;
}

}  // namespace

std::vector<std::string> contactLines(const UserContact& u)
{
    return {
        "Company: " + u.userCompany.trimmed(),
        "Name   : " + u.userFirstName.trimmed() + " " + u.userLastName.trimmed(),
        "Street : " + u.userStreet.trimmed() + " " + u.userHouseNumber.trimmed(),
        "City   : " + u.userPostalCode.trimmed() + " " + u.userCity.trimmed(),
        "Country: " + u.userCountry.trimmed(),
        "VAT    : " + u.userVatId.trimmed(),
        "Phone  : " + u.userPhone.trimmed(),
        "Fax    : " + u.userFax.trimmed(),
        "e-mail : " + u.userEmail.trimmed(),
    };
}

std::vector<PageLine> buildSupportPage(const UserContact& user, const SupportContact& support,
                                       std::string_view question)
{
    std::vector<PageLine> page;
    addEmptyLines(page, 3, kPrinterStartFont);
    page.push_back(PageLine{kTitleColumn, "Supportform", kTitleFont});
    addEmptyLines(page, 2, kTitleFont);

    addLine(page, "Fax this page to:", kRecipientFont);
    addLine(page, support.company, kRecipientFont);
    addLine(page, support.country, kRecipientFont);
    addLine(page, std::string("Fax: ") + support.fax, kRecipientFont);
    addEmptyLines(page, 3, kRecipientFont);

    addLine(page, "From:", kHeadingFont);
    addEmptyLines(page, 1, kBodyFont);
    for (std::string& line : contactLines(user)) addLine(page, std::move(line), kBodyFont);
    addEmptyLines(page, 2, kBodyFont);

    addLine(page, "My question:", kHeadingFont);
    addEmptyLines(page, 1, kHeadingFont);
    std::string row;
    for (const char c : trimRight(question)) {
        if (c == '\r') continue;
        if (c == '\n') {
            addLine(page, std::move(row), kBodyFont);
            row.clear();
            continue;
        }
        row.push_back(c);
    }
    addLine(page, std::move(row), kBodyFont);

    addEmptyLines(page, 4, kBodyFont);
    addLine(page, kSignatureLine, kHeadingFont);
    return page;
}

Status printSupportPage(Printer& printer, const std::vector<PageLine>& page)
{
    return printDocument(printer, PageOrientation::Portrait, "support",
                         [&](Printer& p, Surface& surface) {
                             for (const PageLine& line : page)
                                 if (const Status printed = printLine(p, surface, line); !printed)
                                     return printed;
                             return Status::success();
                         });
}

SupportMail buildSupportMail(const UserContact& user, const SupportContact& support,
                             std::string_view question)
{
    std::vector<std::string> lines{"Supportform:", "", support.company,
                                   std::string("EMail: ") + support.email};
    lines.resize(lines.size() + 6);
    for (std::string& line : contactLines(user)) lines.push_back(std::move(line));
    lines.insert(lines.end(), {"", "", "My question:", ""});

    SupportMail mail{support.company, support.email, kSupportSubject, {}};
    for (const std::string& line : lines) mail.body += line + "\r\n";
    mail.body += question;
    mail.body += "\r\n";
    return mail;
}

std::string mailtoAddress(const SupportMail& mail)
{
    return "mailto:" + percentEncoded(mail.recipientAddress, "@+") +
           "?subject=" + percentEncoded(mail.subject) + "&body=" + percentEncoded(mail.body);
}

}  // namespace ql
