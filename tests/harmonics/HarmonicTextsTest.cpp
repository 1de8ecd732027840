// The labels of the harmonics chart's axes and of the line frequency, under both decimal signs.
#include <gtest/gtest.h>

#include "harmonics/HarmonicTexts.h"

using namespace ql;

TEST(HarmonicTexts, AxisLabelsUnderBothDecimalSigns)
{
    struct Level {
        double level;  // spectrum units
        float voltsPerAmp;
        const char *point, *comma;
    };
    const Level levels[] = {
        {50.0, 0.1f, "0.50", "0,50"},       // 0.5 A
        {5000.0, 0.1f, "50.0", "50,0"},     // 50 A
        {15000.0, 0.1f, "150", "150"},      // 150 A
        {0.0, 0.1f, "0.00", "0,00"},        // the origin
        {1250.0, 2.5f, "0.50", "0,50"},     // 0.5 A through another probe
        {2500000.0, 2.5f, "1000", "1000"},  // 1000 A
    };
    for (const Level& c : levels) {
        EXPECT_EQ(levelAxisAmperesText(c.level, c.voltsPerAmp, '.'), c.point) << c.level;
        EXPECT_EQ(levelAxisAmperesText(c.level, c.voltsPerAmp, ','), c.comma) << c.level;
    }

    struct Frequency {
        double line, timePerDiv;  // 50 ms/div: 4000 samples per second, 1.953125 Hz per line
        std::optional<std::string> point, comma;
    };
    const Frequency frequencies[] = {
        {768.0, 0.05, "1.50K", "1,50K"},    // 1500 Hz
        {409.6, 0.05, "800.00", "800,00"},  // 800 Hz
        {0.0, 0.05, "0.00", "0,00"},        // the origin
        {1024.0, 1e-7, "1000.00M", "1000,00M"},
        {512.0, 2e-7, "250.00M", "250,00M"},
        {-0.5, 0.05, std::nullopt, std::nullopt},  // no label left of the origin
    };
    for (const Frequency& c : frequencies) {
        EXPECT_EQ(frequencyAxisLineText(c.line, c.timePerDiv, '.'), c.point) << c.line;
        EXPECT_EQ(frequencyAxisLineText(c.line, c.timePerDiv, ','), c.comma) << c.line;
    }

    struct Line {
        float hz;
        const char *point, *comma;
    };
    const Line lineLabels[] = {{50.0f, " 50Hz", " 50Hz"}, {59.9f, " 59.9Hz", " 59,9Hz"}};
    for (const Line& c : lineLabels) {
        EXPECT_EQ(lineFrequencyLabelText(c.hz, '.'), c.point);
        EXPECT_EQ(lineFrequencyLabelText(c.hz, ','), c.comma);
    }
}
