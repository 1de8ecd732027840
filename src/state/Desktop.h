#pragma once
// Desktop seam: what the program hands to the user's desktop, a local document to open with
// the viewer the desktop associates with it, or a web address for the browser. Either travels
// as one argument, never through a shell, so blanks, ";" and quotes are part of it. The
// product uses the desktop's services; tests use RecordingDesktop.

#include <string>

#include "Status.h"

namespace ql {

class Desktop {
public:
    virtual ~Desktop() = default;
    // Success when the desktop took the request; otherwise the failure says why not (no such
    // file, no program for it, an address that is not one).
    virtual Status openFile(const std::string& path) = 0;
    virtual Status openWebAddress(const std::string& address) = 0;
};

}  // namespace ql
