#include "PrintOptionBoxes.h"

namespace ql {

const char* printOptionCaption(PrintOption option)
{
    switch (option) {
        case PrintOption::ChI: return "CH I";
        case PrintOption::ChII: return "CH II";
        case PrintOption::RefI: return "REF I";
        case PrintOption::RefII: return "REF II";
        case PrintOption::Cursor: return "Cursor";
        case PrintOption::Notes: return "Notes";
        case PrintOption::XY: return "XY";
        case PrintOption::MeasTime: return "Meas. Time";
        case PrintOption::Color: return "Color";
    }
    return "?";
}

byte& printOptionField(PrintOptions& o, PrintOption option)
{
    switch (option) {
        case PrintOption::ChI: return o.printChI;
        case PrintOption::ChII: return o.printChII;
        case PrintOption::RefI: return o.printRefI;
        case PrintOption::RefII: return o.printRefII;
        case PrintOption::Cursor: return o.printCursors;
        case PrintOption::Notes: return o.printNotes;
        case PrintOption::XY: return o.printXY;
        case PrintOption::MeasTime: return o.printMeasTime;
        case PrintOption::Color: break;
    }
    return o.printColor;
}

byte printOptionField(const PrintOptions& o, PrintOption option)
{
    PrintOptions copy = o;
    return printOptionField(copy, option);
}

bool printOptionEnabled(PrintOption option, bool xyChecked, bool cursorsOn)
{
    switch (option) {
        case PrintOption::ChI:
        case PrintOption::ChII:
        case PrintOption::RefI:
        case PrintOption::RefII: return !xyChecked;
        case PrintOption::Cursor: return !xyChecked && cursorsOn;
        case PrintOption::Notes:
        case PrintOption::XY:
        case PrintOption::MeasTime:
        case PrintOption::Color: break;
    }
    return true;
}

}  // namespace ql
