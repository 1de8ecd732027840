#pragma once
// The desktop of the program on QDesktopServices: a document as a file URL, a web address and
// a mailto: address as URLs, each handed over whole, so nothing in them is read by a shell. A
// document that does not exist is not handed over at all.

#include "state/Desktop.h"

namespace ql::gui {

class QtDesktop : public Desktop {
public:
    Status openFile(const std::string& path) override;
    Status openWebAddress(const std::string& address) override;
    Status openMail(const std::string& mailtoAddress) override;
};

}  // namespace ql::gui
