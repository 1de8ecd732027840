#pragma once
// The desktop of the program on QDesktopServices: a document as a file URL and a web address
// as a URL, each handed over whole, so nothing in them is read by a shell. A document that does
// not exist is not handed over at all.

#include "state/Desktop.h"

namespace ql::gui {

class QtDesktop : public Desktop {
public:
    Status openFile(const std::string& path) override;
    Status openWebAddress(const std::string& address) override;
};

}  // namespace ql::gui
