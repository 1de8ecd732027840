#include "RedrawChain.h"

#include <utility>

namespace ql {

namespace {

std::size_t slot(RedrawLink link)
{
    return static_cast<std::size_t>(link);
}

}  // namespace

void RedrawChain::connect(RedrawLink link, Member member)
{
    members_[slot(link)] = std::move(member);
}

void RedrawChain::disconnect(RedrawLink link)
{
    members_[slot(link)] = nullptr;
}

bool RedrawChain::connected(RedrawLink link) const
{
    return static_cast<bool>(members_[slot(link)]);
}

void RedrawChain::run(RedrawLink link, ProgramState& s) const
{
    // A copy, so a member that disconnects itself while it runs stays alive until it returns.
    const Member member = members_[slot(link)];
    if (member) member(s);
}

}  // namespace ql
