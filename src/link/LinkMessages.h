#pragma once
// The link's messages to the user (a failed exchange, an instrument that is not found, a port
// that cannot be opened): shown at once, or, while an operation holds them, kept in the order
// they came and shown when it lets them go. An operation that a failure can leave showing a
// running mode holds them so that the mode stops visibly first and the message then comes at
// the operation's end, once, with the instrument already given back.

#include <string_view>
#include <vector>

#include "state/Host.h"

namespace ql {

class LinkMessages {
public:
    explicit LinkMessages(Host& host) : host_(host) {}
    LinkMessages(const LinkMessages&) = delete;
    LinkMessages& operator=(const LinkMessages&) = delete;

    void show(std::string_view text, std::string_view title, MessageIcon icon);

private:
    friend class HeldLinkMessages;
    Host& host_;
    int holds_ = 0;
    std::vector<Failure> kept_;
};

// Holds the link's messages for its lifetime; when the outermost hold ends, what was kept is
// shown.
class HeldLinkMessages {
public:
    explicit HeldLinkMessages(LinkMessages& messages) : messages_(messages) { ++messages_.holds_; }
    ~HeldLinkMessages();
    HeldLinkMessages(const HeldLinkMessages&) = delete;
    HeldLinkMessages& operator=(const HeldLinkMessages&) = delete;

    // Adds `line` under the text of the last message kept so far, if any: what the failure
    // leaves behind for the user, in the failure's one box.
    void addToLast(std::string_view line);

private:
    LinkMessages& messages_;
};

}  // namespace ql
