#include "Printer.h"

namespace ql {

Status printDocument(Printer& printer, PageOrientation orientation, std::string_view kind,
                     const DrawPages& drawPages)
{
    if (Status begun = printer.beginDocument(orientation, kind); !begun) return begun;
    Status drawn;
    {
        Surface surface(printer);
        surface.setFont(kPrinterStartFont);
        if (drawPages) drawn = drawPages(printer, surface);
    }
    Status ended = printer.endDocument();
    return drawn ? ended : drawn;
}

}  // namespace ql
