#include "ClockLine.h"

#include "state/NumberFormat.h"
#include "state/Text.h"

namespace ql {

std::string clockStatusText(const ProgramState& s, const DateTime& now)
{
    const AutoStore& a = s.autoStore;
    std::string text = formatClockTime(now);
    if (a.autoStoreActive == 1) {
        const std::string counter = trim(formatNumber(a.autoStoreCounter, "00000", '.'));
        if (a.autoStoreTimed == 1)
            text += "   Store " + counter + " at: " + formatClockTime(a.autoStoreNextTime);
        else
            text += "   Store after reset #" + counter;
    }
    for (const std::string* note : {&s.clockNote, &s.printoutNote})
        if (!note->empty()) text += "   " + *note;
    return text;
}

namespace {

std::string oneLine(std::string_view note)
{
    std::string line;
    for (const char c : note) {
        if (c == '\r') continue;
        line += c == '\n' ? ' ' : c;
    }
    return line;
}

}  // namespace

void keepClockNote(ProgramState& s, std::string_view note)
{
    s.clockNote = oneLine(note);
}

void keepPrintoutNote(ProgramState& s, std::string_view note)
{
    s.printoutNote = oneLine(note);
}

}  // namespace ql
