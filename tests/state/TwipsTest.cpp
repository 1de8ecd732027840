// Twips and pixels, both ways: the nearest whole unit, a tie to the even one, as every other
// conversion of a computed value to an integer in the program.
#include <gtest/gtest.h>

#include "state/Twips.h"

using namespace ql;

TEST(Twips, ConvertsAtTheScreenDensityAndClampsToSixteenBits)
{
    EXPECT_EQ(twipsToPixels(1440, 96.0), 96);
    EXPECT_EQ(twipsToPixels(5650, 96.0), 377);  // 376.67
    EXPECT_EQ(twipsToPixels(1440, 144.0), 144);
    EXPECT_EQ(twipsToPixels(-150, 96.0), -10);
    EXPECT_EQ(pixelsToTwips(1, 96.0), 15);
    EXPECT_EQ(pixelsToTwips(377, 96.0), 5655);
    EXPECT_EQ(pixelsToTwips(7, 120.0), 84);
    EXPECT_EQ(pixelsToTwips(1, 200.0), 7);  // 7.2
    EXPECT_EQ(pixelsToTwips(3000, 96.0), 32767);
    EXPECT_EQ(pixelsToTwips(-3000, 96.0), -32768);
}

TEST(Twips, AHalfGoesToTheEvenNeighbourInBothDirections)
{
    EXPECT_EQ(twipsToPixels(255, 48.0), 8);    // 8.5
    EXPECT_EQ(twipsToPixels(255, 144.0), 26);  // 25.5
    EXPECT_EQ(twipsToPixels(-255, 48.0), -8);  // -8.5
    EXPECT_EQ(pixelsToTwips(1, 960.0), 2);     // 1.5
    EXPECT_EQ(pixelsToTwips(3, 960.0), 4);     // 4.5
}
