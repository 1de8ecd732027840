#pragma once
// The check boxes of the print settings and export settings windows: which option each one
// stands for, its caption, and when it may be changed.

#include <array>
#include <string>
#include <vector>

#include "state/ProgramState.h"

namespace ql {

// The options of a hardcopy, in the order of the print settings window's boxes.
enum class PrintOption { ChI, ChII, RefI, RefII, Cursor, Notes, XY, MeasTime, Color };
constexpr int kPrintOptionCount = static_cast<int>(PrintOption::Color) + 1;
inline constexpr std::array<PrintOption, kPrintOptionCount> kPrintOptions = {
    PrintOption::ChI,   PrintOption::ChII,     PrintOption::RefI,
    PrintOption::RefII, PrintOption::Cursor,   PrintOption::Notes,
    PrintOption::XY,    PrintOption::MeasTime, PrintOption::Color};

// "CH I", "CH II", "REF I", "REF II", "Cursor", "Notes", "XY", "Meas. Time", "Color".
const char* printOptionCaption(PrintOption option);
// The flag of PrintOptions the option is kept in (1 checked, 0 not).
byte& printOptionField(PrintOptions& options, PrintOption option);
byte printOptionField(const PrintOptions& options, PrintOption option);

// With XY checked (the XY view, when both channels are on) the four trace boxes and Cursor
// cannot be changed; otherwise the trace boxes can, and Cursor only while the cursor window is
// open.
bool printOptionEnabled(PrintOption option, bool xyChecked, bool cursorsOn);

// One check box as its window shows it.
struct OptionBoxView {
    PrintOption option = PrintOption::ChI;
    std::string caption;
    bool checked = false;
    bool enabled = true;
};

// The boxes of `options` in their order, checked as `isChecked` says and enabled by the rule.
template <class IsChecked>
std::vector<OptionBoxView> optionBoxes(const std::vector<PrintOption>& options, IsChecked isChecked,
                                       bool cursorsOn)
{
    std::vector<OptionBoxView> boxes;
    const bool xy = isChecked(PrintOption::XY);
    for (PrintOption o : options)
        boxes.push_back(
            {o, printOptionCaption(o), isChecked(o), printOptionEnabled(o, xy, cursorsOn)});
    return boxes;
}

}  // namespace ql
