// The headless backend: scripted input, keyboard buffer codes, manual clock, nested locks.
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Headless, OpensTheFrameAndCountsOnlyOutermostUnlocks)
{
    HeadlessPlatform p;
    p.screenOpen(1024, 768, 32);
    EXPECT_EQ(p.screen().width, 1024);
    EXPECT_EQ(p.screenDepth(), 32);
    p.screenLock();
    p.screenLock();
    p.screenUnlock();
    EXPECT_EQ(p.framesShown(), 0);
    p.screenUnlock();
    EXPECT_EQ(p.framesShown(), 1);
    p.screenUnlock();  // unbalanced unlock is ignored
    EXPECT_EQ(p.framesShown(), 1);
}

TEST(Headless, KeyboardBufferGivesCodePage437AndTwoByteSpecialKeys)
{
    HeadlessPlatform p;
    p.typeText("a\x81");
    p.typeSpecialKey(scan::Left);
    EXPECT_EQ(p.inkey(), "a");
    EXPECT_EQ(p.inkey(), "\x81");
    std::string left = p.inkey();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(left[0]), 255);
    EXPECT_EQ(left[1], 75);
    EXPECT_EQ(p.inkey(), "");
}

TEST(Headless, PointerOutsideKeepsTheWheel)
{
    HeadlessPlatform p;
    p.moveMouse(10, 20);
    p.turnWheel(3);
    p.setButtons(1);
    p.leaveWindow();
    MouseState m = p.getMouse();
    EXPECT_EQ(m.x, -1);
    EXPECT_EQ(m.y, -1);
    EXPECT_LT(m.buttons, 1);
    EXPECT_EQ(m.wheel, 3);
}

TEST(Headless, ManualClockAndKeyInterruptibleSleep)
{
    HeadlessPlatform p;
    double t0 = p.timer();
    p.sleepMs(1);
    EXPECT_NEAR(p.timer() - t0, 0.001, 1e-9);
    p.sleepUntilKey(1500);
    EXPECT_NEAR(p.timer() - t0, 1.501, 1e-9);
    p.typeText("x");
    double t1 = p.timer();
    p.sleepUntilKey(1500);
    EXPECT_DOUBLE_EQ(p.timer(), t1);
}

TEST(Headless, RandomNumbersAreInTheUnitIntervalAndReproducibleFromASeed)
{
    HeadlessPlatform a, b;
    a.randomize(42.5);
    b.randomize(42.5);
    for (int i = 0; i < 10000; ++i) {
        double r = a.rnd();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ASSERT_EQ(r, b.rnd());
    }
}

}  // namespace
}  // namespace qz
