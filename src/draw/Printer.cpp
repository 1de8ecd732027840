#include "Printer.h"

namespace ql {

Failure printingFailure(const Failure& reason)
{
    return Failure{"Printing failed: " + reason.text, "Print", MessageIcon::Warning};
}

Status printDocument(Printer& printer, PageOrientation orientation, std::string_view kind,
                     const DrawPages& drawPages)
{
    const Status begun = printer.beginDocument(orientation, kind);
    if (!begun) return printingFailure(begun.failure());
    Status drawn;
    {
        Surface surface(printer);
        surface.setFont(kPrinterStartFont);
        if (drawPages) drawn = drawPages(printer, surface);
    }
    const Status ended = printer.endDocument();
    const Status& first = drawn ? ended : drawn;
    if (!first) return printingFailure(first.failure());
    return Status::success();
}

}  // namespace ql
