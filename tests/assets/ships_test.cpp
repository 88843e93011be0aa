// The ship pictures: 32 x 32 PNG per colour and type, magenta around the ship so the
// transparent blit leaves space visible, the player's colour on every ship, one silhouette
// per type, the colony ship and the heavy battleship easy to tell.
#include "generated_files.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace qz::assets::test {
namespace {

constexpr std::array<std::array<int, 3>, 8> kPalette{{
    {148, 0, 255}, {255, 0, 0}, {36, 219, 0}, {0, 255, 230}, {245, 255, 0}, {255, 137, 0}, {0, 120, 255}, {246, 0, 255},
}};

RgbPicture ship(int colour, int type)
{
    return decodePng(readBytes("material/4/" + std::to_string(colour) + "/" + std::to_string(type) + ".orn-games"));
}

bool isMask(const std::uint8_t* c) { return c[0] == 255 && c[1] == 0 && c[2] == 255; }

using Silhouette = std::array<bool, 32 * 32>;

Silhouette silhouette(const RgbPicture& p)
{
    Silhouette s{};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) s[static_cast<std::size_t>(y * 32 + x)] = !isMask(p.at(x, y));
    }
    return s;
}

int solidCount(const Silhouette& s)
{
    int n = 0;
    for (const bool b : s) n += b ? 1 : 0;
    return n;
}

TEST(Ships, AreRgbPngsOfThirtyTwoPixelsWithMaskedCorners)
{
    for (int colour = 1; colour <= 8; ++colour) {
        for (int type = 1; type <= 8; ++type) {
            SCOPED_TRACE("colour " + std::to_string(colour) + " type " + std::to_string(type));
            int colourType = -1;
            const RgbPicture p =
                decodePng(readBytes("material/4/" + std::to_string(colour) + "/" + std::to_string(type) + ".orn-games"),
                          &colourType);
            ASSERT_EQ(p.width, 32);
            ASSERT_EQ(p.height, 32);
            EXPECT_EQ(colourType, 2);  // truecolour without alpha: the mask colour does the job
            for (const auto& [x, y] : {std::pair{0, 0}, std::pair{31, 0}, std::pair{0, 31}, std::pair{31, 31}}) {
                EXPECT_TRUE(isMask(p.at(x, y)));
            }
            const int solid = solidCount(silhouette(p));
            EXPECT_GT(solid, 60);
            EXPECT_LT(solid, 32 * 32 - 100);
        }
    }
}

TEST(Ships, CarryThePlayersColourAndTheSameShapeInEveryColour)
{
    for (int type = 1; type <= 8; ++type) {
        const Silhouette reference = silhouette(ship(1, type));
        for (int colour = 1; colour <= 8; ++colour) {
            SCOPED_TRACE("colour " + std::to_string(colour) + " type " + std::to_string(type));
            const RgbPicture p = ship(colour, type);
            EXPECT_EQ(silhouette(p), reference);
            const auto& want = kPalette[static_cast<std::size_t>(colour - 1)];
            int close = 0;
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    const std::uint8_t* c = p.at(x, y);
                    if (isMask(c)) continue;
                    const double d = std::hypot(c[0] - want[0], c[1] - want[1], c[2] - want[2]);
                    if (d < 40.0) ++close;
                }
            }
            EXPECT_GE(close, 6);
        }
    }
}

TEST(Ships, EveryTypeHasItsOwnSilhouette)
{
    std::array<Silhouette, 8> shapes;
    for (int type = 1; type <= 8; ++type) shapes[static_cast<std::size_t>(type - 1)] = silhouette(ship(2, type));
    for (std::size_t a = 0; a < 8; ++a) {
        for (std::size_t b = a + 1; b < 8; ++b) {
            int differing = 0;
            for (std::size_t i = 0; i < shapes[a].size(); ++i) differing += shapes[a][i] != shapes[b][i] ? 1 : 0;
            EXPECT_GT(differing, 40) << "types " << a + 1 << " and " << b + 1;
        }
    }
}

TEST(Ships, HeavyBattleshipIsTheBulkiestOfTheWarships)
{
    const int heavy = solidCount(silhouette(ship(1, 7)));
    for (int type = 2; type <= 6; ++type) EXPECT_GT(heavy, solidCount(silhouette(ship(1, type))) + 60) << type;
    EXPECT_GT(heavy, 450);
}

TEST(Ships, ColonyShipShowsAGreenDomeThatNoWarshipHas)
{
    // Checked in the red player colour, where green can only come from the dome.
    for (int type = 1; type <= 8; ++type) {
        const RgbPicture p = ship(2, type);
        int green = 0;
        for (int y = 12; y < 20; ++y) {
            for (int x = 12; x < 20; ++x) {
                const std::uint8_t* c = p.at(x, y);
                if (!isMask(c) && c[1] > c[0] + 40 && c[1] > c[2] + 30) ++green;
            }
        }
        if (type == 1) {
            EXPECT_GT(green, 30);
        } else {
            EXPECT_EQ(green, 0) << type;
        }
    }
}

}  // namespace
}  // namespace qz::assets::test
