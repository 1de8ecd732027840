#include <gtest/gtest.h>

#include "display/ReadoutText.h"

using namespace ql;

TEST(ReadoutText, TimeRangesStartAtTheirLowerBound)
{
    EXPECT_EQ(timeText(0.005, '.'), "5.000 ms");
    EXPECT_EQ(timeText(0.001, '.'), "1.000 ms");
    EXPECT_EQ(timeText(1e-6, '.'), "1.000 \u00b5s");
    EXPECT_EQ(timeText(999e-9, '.'), "999.000 ns");
    EXPECT_EQ(timeText(1, '.'), "1.000 s");
    EXPECT_EQ(timeText(2, '.'), "2.000 s");
    EXPECT_EQ(timeText(2.5e-10, '.'), ".250 ns");
    EXPECT_EQ(timeText(0.0125, ','), "12,500 ms");
}

TEST(ReadoutText, FrequencyRangesStartAboveTheirLowerBound)
{
    EXPECT_EQ(frequencyText(1 / 0.001, '.'), "1000.000 Hz");
    EXPECT_EQ(frequencyText(1 / 1.0, '.'), "1000.000 mHz");
    EXPECT_EQ(frequencyText(1 / 2.0, '.'), "500.000 mHz");
    EXPECT_EQ(frequencyText(1e6, '.'), "1000.000 kHz");
    EXPECT_EQ(frequencyText(1000001, '.'), "1.000 MHz");
    EXPECT_EQ(frequencyText(200, '.'), "200.000 Hz");
    EXPECT_EQ(frequencyText(0.0004, ','), ",400 mHz");
}

TEST(ReadoutText, VoltsWithoutLeadingZero)
{
    EXPECT_EQ(readoutVoltsText(0.5, '.'), ".500V");
    EXPECT_EQ(readoutVoltsText(-0.25, '.'), "-.250V");
    EXPECT_EQ(readoutVoltsText(0, '.'), ".000V");
    EXPECT_EQ(readoutVoltsText(12.3456, ','), "12,346V");
    EXPECT_EQ(voltsDifferenceText(-0.02, '.'), "-.0200V");
    EXPECT_EQ(voltsDifferenceText(-0.00001, '.'), ".0000V");
}

TEST(ReadoutText, TimePerDivisionAsWholeUnits)
{
    EXPECT_EQ(timePerDivText(5e-8, '.'), "50 ns");
    EXPECT_EQ(timePerDivText(1e-4, '.'), "100 \u00b5s");
    EXPECT_EQ(timePerDivText(0.2, '.'), "200 ms");
    EXPECT_EQ(timePerDivText(100, '.'), "100 s");
}
