#include <gtest/gtest.h>

#include "state/NumberFormat.h"

using namespace ql;

TEST(NumberFormat, HashBeforeThePointPrintsNoLeadingZero)
{
    EXPECT_EQ(formatNumber(0.25, "#.000V", '.'), ".250V");
    EXPECT_EQ(formatNumber(0.0, "#.000V", '.'), ".000V");
    EXPECT_EQ(formatNumber(-0.25, "#.000V", '.'), "-.250V");
    EXPECT_EQ(formatNumber(12345.6, "#.000V", '.'), "12345.600V");
    EXPECT_EQ(formatNumber(0.0, "# ms", '.'), " ms");
    EXPECT_EQ(formatNumber(7.0, "# KS/s", '.'), "7 KS/s");
    EXPECT_EQ(formatNumber(0.04, "###.0", '.'), ".0");
    EXPECT_EQ(formatNumber(5.0, "#.000V/DIV", '.'), "5.000V/DIV");
}

TEST(NumberFormat, ZerosForceDigits)
{
    EXPECT_EQ(formatNumber(42, "00000", '.'), "00042");
    EXPECT_EQ(formatNumber(123456, "00000", '.'), "123456");
    EXPECT_EQ(formatNumber(0.5, "###0.00MHz", '.'), "0.50MHz");
    EXPECT_EQ(formatNumber(0.0, "0.0dBV", '.'), "0.0dBV");
    EXPECT_EQ(formatNumber(-40.0, "###0dB", '.'), "-40dB");
}

TEST(NumberFormat, TiesRoundAwayFromZeroOnTheDecimalValue)
{
    EXPECT_EQ(formatNumber(1.2345, "#.000V", '.'), "1.235V");
    EXPECT_EQ(formatNumber(-1.2345, "#.000V", '.'), "-1.235V");
    EXPECT_EQ(formatNumber(2.675, "0.00", '.'), "2.68");  // binary 2.67499.. reads as 2.675
    EXPECT_EQ(formatNumber(-3.25, "0.0dBV", '.'), "-3.3dBV");
    EXPECT_EQ(formatNumber(0.5, "#", '.'), "1");
    EXPECT_EQ(formatNumber(9.9996, "#.000", '.'), "10.000");
    EXPECT_EQ(formatNumber(-0.0004, "#.000V", '.'), ".000V");  // no negative zero
}

TEST(NumberFormat, DecimalSignOfTheLocale)
{
    EXPECT_EQ(formatNumber(0.5, "#.000 µs", ','), ",500 µs");
    EXPECT_EQ(formatNumber(12.5, "scientific", ','), "1,25E+01");
    EXPECT_EQ(withDecimalPoint("1,25E+01"), "1.25E+01");
    EXPECT_EQ(withDecimalPoint("12"), "12");
}

TEST(NumberFormat, ScientificPatterns)
{
    EXPECT_EQ(formatNumber(12345, "scientific", '.'), "1.23E+04");
    EXPECT_EQ(formatNumber(0.000123, "scientific", '.'), "1.23E-04");
    EXPECT_EQ(formatNumber(-5, "scientific", '.'), "-5.00E+00");
    EXPECT_EQ(formatNumber(0, "scientific", '.'), "0.00E+00");
    EXPECT_EQ(formatNumber(9.996, "scientific", '.'), "1.00E+01");
    EXPECT_EQ(formatNumber(1e-100, "scientific", '.'), "1.00E-100");

    EXPECT_EQ(formatNumber(0.0123456789, "#.#####E+###", '.'), "1.23457E-2");
    EXPECT_EQ(formatNumber(0.005, "#.#####E+###", '.'), "5E-3");
    EXPECT_EQ(formatNumber(100000, "#.#####E+###", '.'), "1E+5");
    EXPECT_EQ(formatNumber(0.0015, "#.#####E+###", '.'), "1.5E-3");
    EXPECT_EQ(formatNumber(9.999996, "#.#####E+###", '.'), "1E+1");
    EXPECT_EQ(formatNumber(0, "#.#####E+###", '.'), "0E+0");
}
