#include <gtest/gtest.h>

#include <cmath>

#include "state/Numeric.h"

using namespace ql;

TEST(Rounding, IntIsFloorAndNearestGoesToEvenOnTies)
{
    EXPECT_EQ(intFloor(2.7), 2.0);
    EXPECT_EQ(intFloor(-2.5), -3.0);
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(-1.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.4999999), 2.0);
    EXPECT_EQ(roundHalfEven(-2.5000001), -3.0);
    EXPECT_EQ(roundClamp(300.5, 0, 255), 255);
    EXPECT_EQ(roundClamp(-0.5, 0, 255), 0);
    EXPECT_EQ(roundClamp(std::nan(""), 0, 255), 0);
}

TEST(Val, ReadsTheLeadingNumberAsTheIdentificationMeetsIt)
{
    EXPECT_DOUBLE_EQ(val("1.16"), 1.16);
    EXPECT_DOUBLE_EQ(val("  2.00  FC"), 2.0);
    EXPECT_DOUBLE_EQ(val("1.05 something"), 1.05);
    EXPECT_DOUBLE_EQ(val("1 2 3"), 123.0);  // blanks inside are skipped
    EXPECT_DOUBLE_EQ(val(".5"), 0.5);
    EXPECT_DOUBLE_EQ(val("-3.5e2x"), -350.0);
    EXPECT_DOUBLE_EQ(val("12e"), 12.0);  // an exponent without digits is not part of it
    EXPECT_DOUBLE_EQ(val("1.2.3"), 1.2);
    EXPECT_EQ(val(""), 0.0);
    EXPECT_EQ(val("V1.16"), 0.0);  // stops at once at a letter
    EXPECT_EQ(val("\r\n"), 0.0);
    EXPECT_EQ(val("-"), 0.0);
}

TEST(Str, LeadingBlankForNonNegativeAndNoLeadingZero)
{
    EXPECT_EQ(str(0), " 0");
    EXPECT_EQ(str(25), " 25");
    EXPECT_EQ(str(-75), "-75");
    EXPECT_EQ(str(0.5), " .5");
    EXPECT_EQ(str(-0.25), "-.25");
    EXPECT_EQ(str(1.16), " 1.16");
    EXPECT_EQ(str(1e16), " 1E+16");
    EXPECT_EQ(str(1e-5), " 1E-05");
}

TEST(Firmware, ThresholdsCompareInSinglePrecision)
{
    // The instrument's version is a single: "1.05" read into a float is just below the double
    // 1.05, so a double comparison would call firmware 1.05 older than 1.05.
    const float v105 = static_cast<float>(val("1.05"));
    EXPECT_TRUE(firmwareAtLeast(v105, 1.05f));
    EXPECT_FALSE(firmwareAbove(v105, 1.05f));
    EXPECT_TRUE(firmwareAbove(static_cast<float>(val("1.06")), 1.05f));
    EXPECT_FALSE(firmwareAbove(static_cast<float>(val("1.16")), 1.16f));
    EXPECT_TRUE(firmwareAbove(static_cast<float>(val("1.17")), 1.16f));
    EXPECT_TRUE(firmwareAtLeast(static_cast<float>(val("2.00")), 2.0f));
    EXPECT_FALSE(firmwareAtLeast(static_cast<float>(val("1.99")), 2.0f));
    EXPECT_EQ(asSigned16(65526), -10);
    EXPECT_EQ(asSigned16(32768), -32768);
}
