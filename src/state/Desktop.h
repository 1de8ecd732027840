#pragma once
// Desktop seam: what the program hands to the user's desktop, a local document to open with
// the viewer the desktop associates with it, a web address for the browser, or a mailto:
// address for the mail program, which shows the message for the user to send. Each travels
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
    // A mailto: address with its recipient, subject and body; success when a mail program
    // took it (sending is the user's choice there).
    virtual Status openMail(const std::string& mailtoAddress) = 0;
};

}  // namespace ql
