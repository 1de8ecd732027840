#pragma once
// The printer seam: a paint device that is a sequence of pages. A printout begins a document
// in its orientation, draws on the page (size() and dpi() describe the printable area once
// the document has begun), moves to new pages, and ends the document, which sends it.

#include "PaintDevice.h"
#include "state/Status.h"

namespace ql {

enum class PageOrientation { Portrait = 1, Landscape = 2 };

class Printer : public PaintDevice {
public:
    virtual Status beginDocument(PageOrientation orientation) = 0;
    virtual Status newPage() = 0;
    virtual Status endDocument() = 0;
};

}  // namespace ql
