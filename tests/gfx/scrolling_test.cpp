// SCROLLING: keys before pointer edges, one rule per call, limits with range y + 111.
#include "gfx/widgets.hpp"
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct Scroll : ::testing::Test {
    HeadlessPlatform p;
    int sx = 100, sy = 100;
    void step(int mx = 500, int my = 400) { SCROLLING(p, "", mx, my, sx, sy, 2, 1536, 832); }
};

TEST_F(Scroll, OnlyTheFirstHeldKeyRuleMoves)
{
    p.holdKey(scan::A);
    p.holdKey(scan::W);
    step();
    EXPECT_EQ(sx, 98);
    EXPECT_EQ(sy, 100);
}

TEST_F(Scroll, KeyAtItsLimitFallsThroughToTheNextRule)
{
    sx = 0;
    p.holdKey(scan::A);
    p.holdKey(scan::S);
    step();
    EXPECT_EQ(sx, 0);
    EXPECT_EQ(sy, 102);
}

TEST_F(Scroll, KeysTakePrecedenceOverThePointer)
{
    p.holdKey(scan::Down);
    step(1020, 2);
    EXPECT_EQ(sx, 100);
    EXPECT_EQ(sy, 102);
}

TEST_F(Scroll, TopRightCornerAtTheTopMovesOnlyRight)
{
    sy = 0;
    step(1020, 2);
    EXPECT_EQ(sx, 102);
    EXPECT_EQ(sy, 0);
}

TEST_F(Scroll, CornersMoveDiagonally)
{
    step(2, 2);
    EXPECT_EQ(sx, 98);
    EXPECT_EQ(sy, 98);
    step(1020, 760);
    EXPECT_EQ(sx, 100);
    EXPECT_EQ(sy, 100);
    step(2, 760);
    EXPECT_EQ(sx, 98);
    EXPECT_EQ(sy, 102);
}

TEST_F(Scroll, VerticalLimitIsRangePlus111AndMayBePassedByLessThanAStep)
{
    sy = 942;
    step(500, 767);
    EXPECT_EQ(sy, 944);
    step(500, 767);
    EXPECT_EQ(sy, 944);
    sx = 1535;
    p.holdKey(scan::D);
    step();
    EXPECT_EQ(sx, 1537);
    step();
    EXPECT_EQ(sx, 1537);
}

TEST_F(Scroll, PointerOutsideOrInTheMiddleDoesNothing)
{
    step(-1, -1);
    step(500, 400);
    step(10, 10);
    EXPECT_EQ(sx, 100);
    EXPECT_EQ(sy, 100);
}

}  // namespace
}  // namespace qz
