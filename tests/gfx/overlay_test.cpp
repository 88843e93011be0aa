// SUB_CIRCLE and SUB_LINE on the map overlays; a missing image ends the routine with a report.
#include "gfx/widgets.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace qz {
namespace {

TEST(Overlay, RingThenMaskLeavesOnlyTheOuterOutlineOfTwoCircles)
{
    ImagePtr img = imageCreate(200, 100, 0xFFFF00FF);
    for (int cx : {70, 110}) SUB_CIRCLE(cx, 50, 30, 10, 200, 30, img.get(), 1);
    for (int cx : {70, 110}) SUB_CIRCLE(cx, 50, 30, 255, 0, 255, img.get(), 2);
    const Farbe ring = rgb(10, 200, 30);
    EXPECT_EQ(img->row(50)[40], ring);      // left edge of the left circle
    EXPECT_EQ(img->row(50)[140], ring);     // right edge of the right circle
    EXPECT_NE(img->row(50)[80], ring);      // inner arc of the left circle is masked by the right one
    EXPECT_EQ(img->row(50)[90] & 0xFFFFFF, kMaskColour);
}

TEST(Overlay, OtherModesDrawNothingAndLinesUseTheGivenColour)
{
    ImagePtr img = imageCreate(50, 50, 0);
    SUB_CIRCLE(25, 25, 10, 255, 255, 255, img.get(), 3);
    for (Farbe p : img->pixels) ASSERT_EQ(p, 0u);
    SUB_LINE(0, 0, 49, 49, 1, 2, 3, img.get());
    EXPECT_EQ(img->row(49)[49], rgb(1, 2, 3));
}

TEST(Overlay, NullImageWritesTheReportAndReturns)
{
    std::filesystem::remove("./fehlerbericht.txt");
    SUB_CIRCLE(1, 1, 5, 0, 0, 0, nullptr, 1);
    SUB_LINE(1, 1, 5, 5, 0, 0, 0, nullptr);
    EXPECT_TRUE(std::filesystem::exists("./fehlerbericht.txt"));
}

}  // namespace
}  // namespace qz
