#include "ReplyScheduler.h"

#include <algorithm>

#include "LineTiming.h"

namespace ql::scopesim {

void ReplyScheduler::schedule(const Reply& reply, bool garble)
{
    std::int64_t t = std::max(reply.originUs, lineFreeUs_);
    for (const OutByte& b : reply.bytes) {
        t += b.extraDelayUs + byteUs_;
        queue_.push_back(TimedByte{garble ? garbled(b.value) : b.value, t});
    }
    lineFreeUs_ = t;
    if (reply.vanishAfter && (!vanishAtUs_ || t < *vanishAtUs_)) vanishAtUs_ = t;
}

std::size_t ReplyScheduler::readyCount(std::int64_t nowUs) const
{
    // Arrival times only grow along the queue.
    const auto firstLater =
        std::upper_bound(queue_.begin(), queue_.end(), nowUs,
                         [](std::int64_t t, const TimedByte& b) { return t < b.arrivalUs; });
    return static_cast<std::size_t>(firstLater - queue_.begin());
}

std::vector<std::uint8_t> ReplyScheduler::takeReady(std::int64_t nowUs, std::size_t max)
{
    std::vector<std::uint8_t> out;
    while (out.size() < max && !queue_.empty() && queue_.front().arrivalUs <= nowUs) {
        out.push_back(queue_.front().value);
        queue_.pop_front();
    }
    return out;
}

void ReplyScheduler::discardReady(std::int64_t nowUs)
{
    while (!queue_.empty() && queue_.front().arrivalUs <= nowUs) queue_.pop_front();
}

void ReplyScheduler::clear()
{
    queue_.clear();
    vanishAtUs_.reset();
}

std::optional<std::int64_t> ReplyScheduler::nextArrivalUs() const
{
    if (queue_.empty()) return std::nullopt;
    return queue_.front().arrivalUs;
}

}  // namespace ql::scopesim
