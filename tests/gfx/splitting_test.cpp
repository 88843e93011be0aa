// STRINGSPLIT and PRINTARRAY: how lists and replies are cut.
#include "gfx/widgets.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using V = std::vector<std::string>;

TEST(StringSplit, ShipListPutsTheShipsAtOneToN)
{
    V a;
    EXPECT_EQ(STRINGSPLIT(",5,7", ",", a), 2);
    EXPECT_EQ(a, (V{"", "5", "7"}));
}

TEST(StringSplit, EmptyTextGivesZeroWithOneEmptyElement)
{
    V a{"old", "stuff"};
    EXPECT_EQ(STRINGSPLIT("", ",", a), 0);
    EXPECT_EQ(a, (V{""}));
}

TEST(StringSplit, MultiCharacterSeparatorsAndTrailingSeparators)
{
    V a;
    EXPECT_EQ(STRINGSPLIT("onlinecheck;;online", ";;", a), 1);
    EXPECT_EQ(a, (V{"onlinecheck", "online"}));
    EXPECT_EQ(STRINGSPLIT("piece,", ",", a), 1);
    EXPECT_EQ(a, (V{"piece", ""}));
    EXPECT_EQ(STRINGSPLIT(";;;;", ";;", a), 2);
    EXPECT_EQ(a, (V{"", "", ""}));
    // Overlapping candidates: the first occurrence wins and the search goes on behind it.
    EXPECT_EQ(STRINGSPLIT("a;;;b", ";;", a), 1);
    EXPECT_EQ(a, (V{"a", ";b"}));
}

TEST(StringSplit, NoSeparatorFoundGivesTheWholeText)
{
    V a;
    EXPECT_EQ(STRINGSPLIT("loginok", ";;", a), 0);
    EXPECT_EQ(a, (V{"loginok"}));
}

TEST(StringSplit, BothEmptyReturnsMinusOneAndLeavesTheArray)
{
    V a{"keep"};
    EXPECT_EQ(STRINGSPLIT("", "", a), -1);
    EXPECT_EQ(a, (V{"keep"}));
    // An empty separator with text cannot be searched for; the text stays whole.
    EXPECT_EQ(STRINGSPLIT("abc", "", a), 0);
    EXPECT_EQ(a, (V{"abc"}));
}

TEST(StringSplit, ReusedArrayShrinksToTheNewCount)
{
    V a;
    STRINGSPLIT(",1,2,3,4,5", ",", a);
    EXPECT_EQ(STRINGSPLIT(",9", ",", a), 1);
    EXPECT_EQ(a, (V{"", "9"}));
}

TEST(PrintArray, FillsACheckedArrayWhoseBoundsFollowTheCount)
{
    Feld<std::string> f(0, 0);
    int count = -5;
    PRINTARRAY(count, ",10,20", ",", f, 1);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(f(2), "20");
    EXPECT_THROW(f(3), LaufzeitFehler);
}

}  // namespace
}  // namespace qz
