#pragma once
// The instrument's transmitter: puts answers on the line one byte after the other at the
// line rate, each answer no earlier than its origin, and tells when each byte has arrived at
// the other end.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "Reply.h"

namespace ql::scopesim {

class ReplyScheduler {
public:
    void setByteDurationUs(std::int64_t us) { byteUs_ = us; }
    // Queues an answer; `garble` turns every byte into line noise (mismatched line).
    void schedule(const Reply& reply, bool garble);

    std::size_t readyCount(std::int64_t nowUs) const;
    std::vector<std::uint8_t> takeReady(std::int64_t nowUs, std::size_t max);
    void discardReady(std::int64_t nowUs);
    void clear();

    // When the next byte arrives, if any is on its way.
    std::optional<std::int64_t> nextArrivalUs() const;
    // When the port vanishes, if an answer carried that fault.
    std::optional<std::int64_t> vanishAtUs() const { return vanishAtUs_; }

private:
    struct TimedByte {
        std::uint8_t value;
        std::int64_t arrivalUs;
    };
    std::deque<TimedByte> queue_;
    std::int64_t byteUs_ = 0;
    std::int64_t lineFreeUs_ = 0;
    std::optional<std::int64_t> vanishAtUs_;
};

}  // namespace ql::scopesim
