// The planet pictures: one per planet type plus the home planet, a lit sphere on black that
// fits the planet window of the star-system panel, each world recognisably its own.
#include "generated_files.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace qz::assets::test {
namespace {

constexpr int kPictures = 18;

RgbPicture planet(int k) { return decodeJpeg(readBytes("material/3/" + std::to_string(k) + ".orn-games")); }

// Colour histogram of the sphere's pixels: 4 levels per channel, normalised to sum 1.
std::array<double, 64> histogram(const RgbPicture& p)
{
    std::array<double, 64> h{};
    double n = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            if (p.luminance(x, y) < 20) continue;
            const std::uint8_t* c = p.at(x, y);
            h[static_cast<std::size_t>((c[0] / 64) * 16 + (c[1] / 64) * 4 + c[2] / 64)] += 1;
            n += 1;
        }
    }
    for (double& v : h) v /= n;
    return h;
}

TEST(Planets, FitThePlanetWindowOnBlack)
{
    for (int k = 1; k <= kPictures; ++k) {
        SCOPED_TRACE("planet " + std::to_string(k));
        JpegFacts facts;
        const RgbPicture p = decodeJpeg(readBytes("material/3/" + std::to_string(k) + ".orn-games"), &facts);
        ASSERT_EQ(p.width, 100);
        ASSERT_EQ(p.height, 80);
        EXPECT_FALSE(facts.progressive);
        // Corners are space; the middle is the lit world.
        for (const auto& [x, y] : {std::pair{1, 1}, std::pair{98, 1}, std::pair{1, 78}, std::pair{98, 78}}) {
            EXPECT_LT(p.luminance(x, y), 12.0);
        }
        double lit = 0;
        for (int y = 30; y < 40; ++y) {
            for (int x = 35; x < 50; ++x) lit += p.luminance(x, y);
        }
        EXPECT_GT(lit / 150.0, 35.0);
    }
}

TEST(Planets, EachWorldLooksLikeItsOwnKind)
{
    std::vector<std::array<double, 64>> colours;
    for (int k = 1; k <= kPictures; ++k) colours.push_back(histogram(planet(k)));
    for (int a = 0; a < kPictures; ++a) {
        for (int b = a + 1; b < kPictures; ++b) {
            double distance = 0;
            for (std::size_t i = 0; i < 64; ++i) distance += std::fabs(colours[a][i] - colours[b][i]);
            EXPECT_GT(distance, 0.25) << "planets " << a + 1 << " and " << b + 1 << " share their colours";
        }
    }
}

TEST(Planets, LavaWorldGlowsAndIceWorldIsPale)
{
    const RgbPicture lava = planet(5);
    int glowing = 0;
    for (int y = 0; y < lava.height; ++y) {
        for (int x = 0; x < lava.width; ++x) {
            const std::uint8_t* c = lava.at(x, y);
            if (c[0] > 200 && c[0] > c[2] + 120) ++glowing;
        }
    }
    EXPECT_GT(glowing, 40);
    const RgbPicture ice = planet(3);
    const std::uint8_t* c = ice.at(40, 35);
    EXPECT_GT(c[2], 150);
    EXPECT_LT(std::abs(c[0] - c[2]), 90);
}

}  // namespace
}  // namespace qz::assets::test
