#pragma once
// Time seam: every wait and time-out of the program runs on a Clock, so tests run them on a
// fake clock instantly and deterministically.

#include <cstdint>
#include <functional>
#include <string>

namespace ql {

struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

// Seconds since 1970-01-01 00:00:00 of a calendar date and time (no time zone), and back.
std::int64_t toEpochSeconds(const DateTime& t);
DateTime fromEpochSeconds(std::int64_t seconds);

// "hh:mm:ss"
std::string formatClockTime(const DateTime& t);

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds of a monotonic clock: unaffected by the time of day or its changes.
    virtual std::int64_t monotonicMs() = 0;
    // Local wall-clock date and time.
    virtual DateTime now() = 0;
    // A short pause (about 1 ms) inside polling waits, so a wait does not spin a core.
    virtual void idle() = 0;
};

class SystemClock final : public Clock {
public:
    std::int64_t monotonicMs() override;
    DateTime now() override;
    void idle() override;
};

// A clock for tests: time moves only when advanced, and each idle() advances it by a fixed
// step. The wall clock moves with the monotonic one from a settable start.
class FakeClock final : public Clock {
public:
    std::int64_t monotonicMs() override { return nowMs_; }
    DateTime now() override;
    void idle() override;

    void advance(std::int64_t ms);
    void setWallClock(const DateTime& t);
    void setIdleStepMs(std::int64_t ms) { idleStepMs_ = ms; }
    // Called after every advance, e.g. to let a simulated instrument move its bytes.
    void setOnAdvance(std::function<void()> hook) { onAdvance_ = std::move(hook); }
    int idleCalls() const { return idleCalls_; }

private:
    std::int64_t nowMs_ = 1'000'000;
    std::int64_t wallBaseSeconds_ = toEpochSeconds(DateTime{2026, 1, 1, 12, 0, 0});
    std::int64_t wallBaseMs_ = 1'000'000;
    std::int64_t idleStepMs_ = 1;
    int idleCalls_ = 0;
    std::function<void()> onAdvance_;
};

}  // namespace ql

namespace ql {

// The date in the user's short date format (LC_TIME / LANG), e.g. "12/09/26" or "09.12.2026".
std::string formatShortDate(const DateTime& t);
// The date in the user's long date format.
std::string formatLongDate(const DateTime& t);

}  // namespace ql
