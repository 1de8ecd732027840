#include "Clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace ql {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

}  // namespace

std::int64_t toEpochSeconds(const DateTime& t)
{
    return daysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) *
               86400 +
           t.hour * 3600 + t.minute * 60 + t.second;
}

DateTime fromEpochSeconds(std::int64_t seconds)
{
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    DateTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

std::string formatClockTime(const DateTime& t)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
    return buf;
}

std::int64_t SystemClock::monotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

DateTime SystemClock::now()
{
    const std::time_t raw = std::time(nullptr);
    std::tm local{};
    localtime_r(&raw, &local);
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     local.tm_sec};
}

void SystemClock::idle()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

DateTime FakeClock::now()
{
    return fromEpochSeconds(wallBaseSeconds_ + (nowMs_ - wallBaseMs_) / 1000);
}

void FakeClock::idle()
{
    ++idleCalls_;
    advance(idleStepMs_);
}

void FakeClock::advance(std::int64_t ms)
{
    nowMs_ += ms;
    if (onAdvance_) onAdvance_();
}

void FakeClock::setWallClock(const DateTime& t)
{
    wallBaseSeconds_ = toEpochSeconds(t);
    wallBaseMs_ = nowMs_;
}

}  // namespace ql

#include <langinfo.h>
#include <locale.h>

namespace ql {

namespace {

std::string formatWithLocale(const DateTime& t, const char* format)
{
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    const std::int64_t days = toEpochSeconds(t) / 86400;
    tm.tm_wday = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    char buf[128] = {};
    locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0))
        loc = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
    std::size_t n = 0;
    if (loc != static_cast<locale_t>(0)) {
        n = strftime_l(buf, sizeof buf, format, &tm, loc);
        freelocale(loc);
    }
    return std::string(buf, n);
}

}  // namespace

std::string formatShortDate(const DateTime& t)
{
    return formatWithLocale(t, "%x");
}
std::string formatLongDate(const DateTime& t)
{
    return formatWithLocale(t, "%A, %e %B %Y");
}

}  // namespace ql
