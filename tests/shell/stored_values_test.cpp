#include <gtest/gtest.h>

#include "shell/stored_values.h"

TEST(ColourText, ReadsAsTheTextToLongConversionDoes) {
    EXPECT_EQ(ParseColourText("16711680"), 16711680u);
    EXPECT_EQ(ParseColourText("255"), 255u);
    EXPECT_EQ(ParseColourText("255abc"), 255u);
    EXPECT_EQ(ParseColourText("  \t42"), 42u);
    EXPECT_EQ(ParseColourText("+7"), 7u);
    EXPECT_EQ(ParseColourText("abc"), 0u);
    EXPECT_EQ(ParseColourText(""), 0u);
    EXPECT_EQ(ParseColourText("-"), 0u);
    EXPECT_EQ(ParseColourText("- 5"), 0u);
    EXPECT_EQ(ParseColourText("-1"), 0xFFFFFFFFu);
    // Beyond a 32-bit long the conversion saturates instead of wrapping.
    EXPECT_EQ(ParseColourText("99999999999999999999999"), 0x7FFFFFFFu);
    EXPECT_EQ(ParseColourText("-99999999999"), 0x80000000u);
}

TEST(ColourText, WritesSignedDecimal) {
    EXPECT_EQ(FormatColourText(16711680), "16711680");
    EXPECT_EQ(FormatColourText(255), "255");
    EXPECT_EQ(FormatColourText(0), "0");
    for (const ColourSetting& c : kColourSettings) {
        EXPECT_EQ(ParseColourText(FormatColourText(c.defaultValue)), c.defaultValue) << c.name;
    }
}

TEST(StoredValues, OutOfRangeValuesComeBackInRange) {
    EXPECT_EQ(GridSizeFromStore(0), 1);
    EXPECT_EQ(GridSizeFromStore(-5), 1);
    EXPECT_EQ(GridSizeFromStore(15), 15);
    EXPECT_EQ(GridSizeFromStore(100), 100);
    EXPECT_EQ(GridSizeFromStore(2147483647), 100);
    EXPECT_EQ(LevelFromStore(0), 2);
    EXPECT_EQ(LevelFromStore(5), 2);
    EXPECT_EQ(LevelFromStore(-1), 2);
    EXPECT_EQ(LevelFromStore(4), 4);
    EXPECT_EQ(LevelFromStore(1), 1);
    EXPECT_EQ(BallSpeedFromStore(-3), 0);
    EXPECT_EQ(BallSpeedFromStore(19), 19);
    EXPECT_EQ(BallSpeedFromStore(1000000), 19);
    EXPECT_EQ(LayoutCountFromStore(-1), 0);
    EXPECT_EQ(LayoutCountFromStore(2000000000), 10000);
    EXPECT_EQ(LayoutCountFromStore(3), 3);
}
