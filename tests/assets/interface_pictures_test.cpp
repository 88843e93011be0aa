// The interface pictures have the sizes their screens draw and hit-test them at, are baseline
// 4:2:0 JPEGs the game's decoder accepts, and leave calm dark fields where white text goes.
#include "generated_files.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace qz::assets::test {
namespace {

struct ExpectedSize {
    int number;
    int width;
    int height;
};

// From the screens: e.g. 11 is the 156 x 25 button box, 18 the 120 x 30 "Ja" box, 3/4 the
// 20 x 20 arrow boxes, 12/13 the 180 x 45 catalogue cells, 19 the panel at (312, 184) that
// holds buttons down to y 513, 2 is drawn at x 112 and 512 side by side.
constexpr ExpectedSize kSizes[] = {
    {1, 400, 200},  {2, 400, 400},  {3, 20, 20},   {4, 20, 20},   {5, 234, 30},  {6, 20, 20},
    {7, 20, 20},    {8, 32, 32},    {9, 32, 32},   {10, 302, 38}, {11, 156, 25}, {12, 180, 45},
    {13, 180, 45},  {14, 196, 40},  {15, 196, 40}, {16, 20, 20},  {17, 20, 20},  {18, 120, 30},
    {19, 400, 400}, {20, 136, 44},  {21, 300, 39}, {22, 132, 25}, {23, 147, 400},
};

std::string pathOf(int k) { return "material/1/" + std::to_string(k) + ".orn-games"; }

struct Stats {
    double mean = 0.0;
    double deviation = 0.0;
    double maximum = 0.0;
};

Stats luminanceOf(const RgbPicture& p, int x0, int y0, int x1, int y1)
{
    double sum = 0.0, squares = 0.0, maximum = 0.0;
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const double l = p.luminance(x, y);
            sum += l;
            squares += l * l;
            maximum = std::max(maximum, l);
            ++n;
        }
    }
    const double mean = sum / n;
    return {mean, std::sqrt(std::max(0.0, squares / n - mean * mean)), maximum};
}

TEST(InterfacePictures, HaveTheSizesTheirScreensNeedAndAreBaseline420)
{
    for (const ExpectedSize& e : kSizes) {
        SCOPED_TRACE("picture " + std::to_string(e.number));
        JpegFacts facts;
        const RgbPicture p = decodeJpeg(readBytes(pathOf(e.number)), &facts);
        EXPECT_EQ(p.width, e.width);
        EXPECT_EQ(p.height, e.height);
        EXPECT_TRUE(facts.jfif);
        EXPECT_FALSE(facts.progressive);
        EXPECT_FALSE(facts.arithmetic);
        EXPECT_EQ(facts.components, 3);
        EXPECT_EQ(facts.lumaH, 2);
        EXPECT_EQ(facts.lumaV, 2);
        EXPECT_EQ(facts.chromaH, 1);
        EXPECT_EQ(facts.chromaV, 1);
        EXPECT_EQ(facts.restartInterval, 0);
    }
}

TEST(InterfacePictures, TextFieldsAreDarkAndCalmBehindWhiteText)
{
    struct Field {
        int number, x0, y0, x1, y1;
    };
    // Where the screens write labels: button labels at y + 6 (16 rows), the value text of 18,
    // the label of the bars (5), the credits lines on the menu panel, the channel list rows.
    constexpr Field kFields[] = {
        {11, 24, 7, 132, 20}, {18, 30, 8, 90, 24}, {5, 9, 9, 225, 25},
        {19, 80, 100, 320, 370}, {21, 12, 6, 288, 34}, {2, 30, 220, 370, 380}, {14, 46, 12, 186, 28},
    };
    for (const Field& f : kFields) {
        SCOPED_TRACE("picture " + std::to_string(f.number));
        const RgbPicture p = decodeJpeg(readBytes(pathOf(f.number)));
        const Stats s = luminanceOf(p, f.x0, f.y0, f.x1, f.y1);
        EXPECT_LT(s.mean, 45.0);        // white text (255) keeps a contrast above 5:1
        EXPECT_LT(s.deviation, 12.0);  // no pattern that fights the glyphs
    }
}

TEST(InterfacePictures, ButtonsHaveAGlowingEdgeAroundTheirCalmCentre)
{
    for (const int k : {11, 18, 21, 22}) {
        SCOPED_TRACE("picture " + std::to_string(k));
        const RgbPicture p = decodeJpeg(readBytes(pathOf(k)));
        const int middle = p.height / 2;
        double edge = 0.0;
        for (int x = 0; x < 8; ++x) edge = std::max(edge, p.luminance(x, middle));
        const Stats centre = luminanceOf(p, p.width / 2 - 10, middle - 3, p.width / 2 + 10, middle + 3);
        EXPECT_GT(edge, centre.mean + 60.0);
    }
}

TEST(InterfacePictures, SystemPanelLeavesABlackWindowForThePlanet)
{
    // Planet pictures (black background) are drawn at (335, 54) over the panel at (312, 0).
    const RgbPicture p = decodeJpeg(readBytes(pathOf(1)));
    const Stats window = luminanceOf(p, 23 + 3, 54 + 3, 123 - 3, 134 - 3);
    EXPECT_LT(window.maximum, 12.0);
}

TEST(InterfacePictures, SwitchOnGlowsGreenAndSwitchOffDoesNot)
{
    const RgbPicture off = decodeJpeg(readBytes(pathOf(8)));
    const RgbPicture on = decodeJpeg(readBytes(pathOf(9)));
    const std::uint8_t* lensOn = on.at(16, 16);
    const std::uint8_t* lensOff = off.at(16, 16);
    EXPECT_GT(lensOn[1], lensOn[0] + 40);
    EXPECT_GT(lensOn[1], 180);
    EXPECT_LT(lensOff[1], 80);
    EXPECT_GT(lensOff[0], lensOff[1]);
}

}  // namespace
}  // namespace qz::assets::test
