// Mausereignis and Tastencode across passes.
#include "frame_fixture.hpp"

namespace qz {
namespace {

using InputEvents = FrameFixture;

TEST_F(InputEvents, ClickIsReportedOnceOnTheReleasePass)
{
    platform.moveMouse(5, 5);
    platform.setButtons(1);
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 5);
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 5);
    platform.setButtons(0);
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 1);
    r.Mausereignis = 0;
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 0);
}

TEST_F(InputEvents, ReleaseOutsideTheWindowStillCompletesTheClick)
{
    platform.moveMouse(5, 5);
    platform.setButtons(2);
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 6);
    platform.leaveWindow();
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 2);
    EXPECT_EQ(r.MausX, -1);
}

TEST_F(InputEvents, WheelStepsAreReportedInThePassThatReadsThem)
{
    platform.turnWheel(-1);
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 3);
    platform.turnWheel(2);
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 4);
    EXPECT_EQ(r.MausRadAlt, 1);
}

TEST_F(InputEvents, WheelWhileAButtonIsHeldIsNotReported)
{
    platform.moveMouse(5, 5);
    platform.setButtons(1);
    platform.turnWheel(1);
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 5);
    EXPECT_EQ(r.MausRadAlt, 0);
    // On release the pending wheel step is found first and replaces the held click.
    platform.setButtons(0);
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 4);
    EXPECT_EQ(r.MausRadAlt, 1);
}

TEST_F(InputEvents, StaleClickSoundRequestBecomesNothingOnceButtonsAreUp)
{
    r.Mausereignis = 42;
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 0);
    r.Mausereignis = 42;
    platform.moveMouse(3, 3);
    platform.setButtons(1);
    readInput(r);
    EXPECT_EQ(r.Mausereignis, 5);
}

TEST_F(InputEvents, FirstHeldKeyOfTheTableWinsAndTheCodeStaysAfterRelease)
{
    platform.holdKey(scan::D);
    platform.holdKey(scan::A);
    readInput(r);
    EXPECT_EQ(r.Tastencode, 1);
    platform.releaseAllKeys();
    readInput(r);
    EXPECT_EQ(r.Tastencode, 1);
    platform.holdKey(scan::Tab);
    readInput(r);
    EXPECT_EQ(r.Tastencode, 31);
    platform.releaseAllKeys();
    platform.holdKey(scan::Down);
    readInput(r);
    EXPECT_EQ(r.Tastencode, 30);
}

TEST_F(InputEvents, KeyboardBufferGivesOneKeyPerPass)
{
    platform.typeText("ab");
    readInput(r);
    EXPECT_EQ(r.LetzteTaste, "a");
    readInput(r);
    EXPECT_EQ(r.LetzteTaste, "b");
    readInput(r);
    EXPECT_EQ(r.LetzteTaste, "");
}

}  // namespace
}  // namespace qz
