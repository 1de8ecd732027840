#include <gtest/gtest.h>

#include "state/Clock.h"

using namespace ql;

TEST(Clock, CalendarConversionRoundTrips)
{
    const DateTime leap{2024, 2, 29, 23, 59, 59};
    EXPECT_EQ(fromEpochSeconds(toEpochSeconds(leap)), leap);
    EXPECT_EQ(toEpochSeconds(DateTime{1970, 1, 1, 0, 0, 0}), 0);
    EXPECT_EQ(fromEpochSeconds(toEpochSeconds(leap) + 1), (DateTime{2024, 3, 1, 0, 0, 0}));
    EXPECT_EQ(formatClockTime(DateTime{2026, 1, 2, 3, 4, 5}), "03:04:05");
}

TEST(FakeClock, WallClockCrossesMidnightWhileTheMonotonicClockOnlyGrows)
{
    FakeClock clock;
    clock.setWallClock(DateTime{2026, 12, 31, 23, 59, 59});
    const auto start = clock.monotonicMs();
    int hooks = 0;
    clock.setOnAdvance([&] { ++hooks; });
    clock.advance(1500);
    clock.idle();
    EXPECT_EQ(clock.monotonicMs() - start, 1501);
    EXPECT_EQ(clock.now(), (DateTime{2027, 1, 1, 0, 0, 0}));
    EXPECT_EQ(hooks, 2);
    EXPECT_EQ(clock.idleCalls(), 1);
}
