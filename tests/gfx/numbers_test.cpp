// Number/text rules: leading number read, else 0; halves to the even neighbour.
#include "gfx/text_numbers.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace qz {
namespace {

TEST(TextToNumber, ReadsTheLeadingNumberOnly)
{
    EXPECT_EQ(textToNumber(""), 0.0);
    EXPECT_EQ(textToNumber("abc"), 0.0);
    EXPECT_EQ(textToNumber("12,"), 12.0);
    EXPECT_EQ(textToNumber("  -42x"), -42.0);
    EXPECT_EQ(textToNumber("+7"), 7.0);
    EXPECT_EQ(textToNumber("2.5e2kg"), 250.0);
    EXPECT_EQ(textToNumber("3e"), 3.0);
    EXPECT_EQ(textToNumber(".5"), 0.5);
    EXPECT_EQ(textToNumber("-"), 0.0);
    EXPECT_EQ(textToNumber("."), 0.0);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
    EXPECT_EQ(roundHalfEven(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(roundHalfEven(-1e300), std::numeric_limits<int>::min());
}

TEST(TextToInt, PlainIntegersAndEverythingElse)
{
    EXPECT_EQ(textToInt("-42"), -42);
    EXPECT_EQ(textToInt("0"), 0);
    EXPECT_EQ(textToInt(" 17"), 17);
    EXPECT_EQ(textToInt("4.5"), 4);
    EXPECT_EQ(textToInt("5.5"), 6);
    EXPECT_EQ(textToInt("x1"), 0);
    EXPECT_EQ(textToInt("99999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(numberToText(-42), "-42");
    EXPECT_EQ(numberToText(5), "5");
}

}  // namespace
}  // namespace qz
