#pragma once
// The printer seam: a paint device that is a sequence of pages. A printout begins a document
// in its orientation, draws on the page (size() and dpi() describe the printable area once
// the document has begun), moves to new pages, and ends the document, which sends it.

#include <functional>
#include <string>
#include <string_view>

#include "PaintDevice.h"
#include "Surface.h"
#include "state/Status.h"

namespace ql {

enum class PageOrientation { Portrait = 1, Landscape = 2 };

// The font every printout starts in, as the program sets its printer up at start.
inline const FontSpec kPrinterStartFont{"Courier New", 10, false, false};

class Printer : public PaintDevice {
public:
    // `kind` says what the document is ("screen", "fft", "harmonics", "support"); it names
    // the file a printout becomes where there is no printer.
    virtual Status beginDocument(PageOrientation orientation,
                                 std::string_view kind = "printout") = 0;
    virtual Status newPage() = 0;
    virtual Status endDocument() = 0;
    // Where the last ended document went when it became a file instead of paper; empty when
    // it was printed.
    virtual std::string documentFile() const { return {}; }
    // Whether the documents that follow are printed by the program on its own (the
    // instrument's copy request, the autostore) rather than asked for by the user: a file the
    // user named for the next printout is kept for a printout the user asks for.
    virtual void setUnattended(bool unattended) { (void)unattended; }
};

// The one message of a printout that did not come out: "Printing failed: " and the reason,
// title "Print".
Failure printingFailure(const Failure& reason);

// One printout: begins the document, lets `drawPages` draw it on a surface over the printer
// that starts in kPrinterStartFont (a page after the first: printer.newPage(), then
// surface.home()), and ends it. A document that was begun is ended also when drawing failed;
// the first failure comes back as printingFailure.
using DrawPages = std::function<Status(Printer& printer, Surface& surface)>;
Status printDocument(Printer& printer, PageOrientation orientation, std::string_view kind,
                     const DrawPages& drawPages);

}  // namespace ql
