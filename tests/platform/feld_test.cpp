// Checked arrays: every index outside the bounds raises error 6 at the caller's line.
#include "platform/feld.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace qz {
namespace {

TEST(Feld, OneBasedBoundsAreInclusiveAndCheckedOnBothSides)
{
    Feld<int> f(1, 500, 0);
    f(1) = 3;
    f(500) = 4;
    EXPECT_EQ(f(1) + f(500), 7);
    for (int bad : {0, 501, -1, 1 << 30}) {
        try {
            f(bad) = 1;
            FAIL() << bad;
        } catch (const LaufzeitFehler& e) {
            EXPECT_EQ(e.nummer(), 6);
            EXPECT_EQ(e.modul(), "feld_test.cpp");
            EXPECT_GT(e.zeile(), 0);
        }
    }
}

TEST(Feld, TwoDimensionsCheckEachIndexAndKeepValuesApart)
{
    Feld2<int> f(1, 3, 1, 2, 0);
    f(3, 2) = 9;
    f(1, 1) = 1;
    EXPECT_EQ(f(3, 2), 9);
    EXPECT_EQ(f(2, 2), 0);
    EXPECT_THROW(f(4, 1), LaufzeitFehler);
    EXPECT_THROW(f(1, 3), LaufzeitFehler);
    EXPECT_THROW(f(1, 0), LaufzeitFehler);
}

TEST(Feld, HoldsMoveOnlyValuesSuchAsPictures)
{
    Feld<std::unique_ptr<int>> bilder(1, 23);
    EXPECT_EQ(bilder(23), nullptr);
    bilder(5) = std::make_unique<int>(5);
    bilder.redim(1, 23);
    EXPECT_EQ(bilder(5), nullptr);
}

TEST(Feld, ReboundFollowsTheStorageAfterBulkFilling)
{
    Feld<int> f(0, 0, 0);
    f.values() = {1, 2, 3};
    f.rebound(0);
    EXPECT_EQ(f.hi(), 2);
    EXPECT_EQ(f(2), 3);
    EXPECT_THROW(f(3), LaufzeitFehler);
}

}  // namespace
}  // namespace qz
