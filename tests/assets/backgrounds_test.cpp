// The star-map backgrounds: the whole scroll range, dark enough for the white system dots, stars of
// several sizes and colours, and thirteen different skies.
#include "generated_files.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace qz::assets::test {
namespace {

constexpr int kMaps = 13;

struct Sky {
    double meanLuminance = 0.0;
    int singlePixelStars = 0;
    int largeStars = 0;  // bright spots of five or more pixels
    int blueStars = 0;
    int redStars = 0;
    std::array<double, 3 * 8 * 5> signature{};  // mean colour of an 8 x 5 grid of tiles
};

Sky survey(const RgbPicture& p)
{
    Sky sky;
    double sum = 0.0;
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(p.width) * p.height, 0);
    std::vector<int> stack;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const double l = p.luminance(x, y);
            sum += l;
            const std::uint8_t* c = p.at(x, y);
            double* tile = &sky.signature[static_cast<std::size_t>(((y * 5 / p.height) * 8 + x * 8 / p.width) * 3)];
            tile[0] += c[0];
            tile[1] += c[1];
            tile[2] += c[2];
            const std::size_t i = static_cast<std::size_t>(y) * p.width + x;
            if (l < 110 || seen[i]) continue;
            // Flood the bright spot to measure it.
            int size = 0;
            double red = 0, blue = 0;
            stack.assign(1, static_cast<int>(i));
            seen[i] = 1;
            while (!stack.empty()) {
                const int j = stack.back();
                stack.pop_back();
                ++size;
                const int jx = j % p.width, jy = j / p.width;
                red += p.at(jx, jy)[0];
                blue += p.at(jx, jy)[2];
                for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
                    const int nx = jx + dx, ny = jy + dy;
                    if (nx < 0 || ny < 0 || nx >= p.width || ny >= p.height) continue;
                    const std::size_t k = static_cast<std::size_t>(ny) * p.width + nx;
                    if (!seen[k] && p.luminance(nx, ny) >= 110) {
                        seen[k] = 1;
                        stack.push_back(static_cast<int>(k));
                    }
                }
            }
            if (size == 1) ++sky.singlePixelStars;
            if (size >= 5) ++sky.largeStars;
            if (blue > red * 1.12) ++sky.blueStars;
            if (red > blue * 1.12) ++sky.redStars;
        }
    }
    sky.meanLuminance = sum / (static_cast<double>(p.width) * p.height);
    const double tilePixels = static_cast<double>(p.width) * p.height / 40.0;
    for (double& v : sky.signature) v /= tilePixels;
    return sky;
}

class Backgrounds : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        skies_ = new std::vector<Sky>;
        for (int k = 1; k <= kMaps; ++k) {
            JpegFacts facts;
            const RgbPicture p = decodeJpeg(readBytes("material/2/" + std::to_string(k) + ".orn-games"), &facts);
            // The whole scroll range: the view reaches x 1536 and y 832 + 111 (the status bar's
            // rows below the lowest systems), and the screen is 1024 x 768.
            ASSERT_EQ(p.width, 1536 + 1024);
            ASSERT_EQ(p.height, 832 + 111 + 768);
            ASSERT_FALSE(facts.progressive);
            ASSERT_EQ(facts.lumaH, 2);
            ASSERT_EQ(facts.lumaV, 2);
            skies_->push_back(survey(p));
        }
    }
    static void TearDownTestSuite() { delete skies_; }
    static std::vector<Sky>* skies_;
};

std::vector<Sky>* Backgrounds::skies_ = nullptr;

TEST_F(Backgrounds, AreDarkSpaceWithSomethingInIt)
{
    ASSERT_EQ(skies_->size(), static_cast<std::size_t>(kMaps));
    for (std::size_t k = 0; k < skies_->size(); ++k) {
        SCOPED_TRACE("map " + std::to_string(k + 1));
        EXPECT_GT((*skies_)[k].meanLuminance, 2.0);
        EXPECT_LT((*skies_)[k].meanLuminance, 40.0);
    }
}

TEST_F(Backgrounds, HaveStarsOfSeveralSizesAndColours)
{
    for (std::size_t k = 0; k < skies_->size(); ++k) {
        SCOPED_TRACE("map " + std::to_string(k + 1));
        const Sky& s = (*skies_)[k];
        EXPECT_GT(s.singlePixelStars, 200);
        EXPECT_GT(s.largeStars, 15);
        EXPECT_GT(s.blueStars, 10);
        EXPECT_GT(s.redStars, 10);
    }
}

TEST_F(Backgrounds, NoTwoAreAlike)
{
    for (std::size_t a = 0; a < skies_->size(); ++a) {
        for (std::size_t b = a + 1; b < skies_->size(); ++b) {
            double distance = 0.0;
            for (std::size_t i = 0; i < (*skies_)[a].signature.size(); ++i) {
                distance += std::fabs((*skies_)[a].signature[i] - (*skies_)[b].signature[i]);
            }
            EXPECT_GT(distance / 40.0, 3.0) << "maps " << a + 1 << " and " << b + 1;
        }
    }
}

}  // namespace
}  // namespace qz::assets::test
