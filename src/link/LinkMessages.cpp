#include "LinkMessages.h"

#include <utility>

namespace ql {

void LinkMessages::show(std::string_view text, std::string_view title, MessageIcon icon)
{
    if (holds_ == 0) {
        host_.showMessage(text, title, icon);
        return;
    }
    kept_.push_back(Failure{std::string(text), std::string(title), icon});
}

void HeldLinkMessages::addToLast(std::string_view line)
{
    if (messages_.kept_.empty()) return;
    messages_.kept_.back().text += "\n";
    messages_.kept_.back().text += line;
}

HeldLinkMessages::~HeldLinkMessages()
{
    if (--messages_.holds_ > 0) return;
    // Taken out first: a box waits for the user, and an operation run meanwhile may hold and
    // let go again.
    std::vector<Failure> kept = std::exchange(messages_.kept_, {});
    for (const Failure& f : kept) messages_.host_.report(f);
}

}  // namespace ql
