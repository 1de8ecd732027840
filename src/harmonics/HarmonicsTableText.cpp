#include "HarmonicsTableText.h"

#include "state/Text.h"

namespace ql {

namespace {

template <typename Cells>
void appendLine(std::string& text, const Cells& cells)
{
    for (const auto& cell : cells) {
        text += utf8ToCp1252(cell);
        text += '\t';
    }
    text += "\r\n";
}

}  // namespace

std::string harmonicsTabText(const HarmonicsResult& result)
{
    std::string text;
    appendLine(text, kHarmonicColumnHeaders);
    for (const HarmonicRow& row : result.rows) appendLine(text, row.cells);
    return text;
}

}  // namespace ql
