// The game's own JPEG decoder reads every generated picture, and agrees with libjpeg on
// what it shows (the two differ only by rounding in the inverse DCT and the colour conversion).
#include "generated_files.hpp"

#include "image/jpeg_decoder.hpp"
#include "image/jpeg_get.hpp"
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace qz::assets::test {
namespace {

void expectAgreement(const std::string& path)
{
    SCOPED_TRACE(path);
    const std::vector<std::uint8_t> bytes = readBytes(path);
    const RgbPicture reference = decodeJpeg(bytes);
    const JpegPicture own = jpegDecodeMemory(bytes);
    ASSERT_EQ(own.status, 0);
    ASSERT_EQ(own.width, reference.width);
    ASSERT_EQ(own.height, reference.height);
    double difference = 0.0;
    int worst = 0;
    for (int y = 0; y < own.height; ++y) {
        for (int x = 0; x < own.width; ++x) {
            const std::uint32_t p = own.pixels[static_cast<std::size_t>(y) * own.width + x];
            const std::uint8_t* r = reference.at(x, y);
            for (int c = 0; c < 3; ++c) {
                const int d = std::abs(static_cast<int>((p >> (16 - 8 * c)) & 0xFF) - r[c]);
                difference += d;
                worst = std::max(worst, d);
            }
        }
    }
    EXPECT_LT(difference / (3.0 * own.width * own.height), 1.5);
    EXPECT_LE(worst, 16);
}

TEST(OwnDecoder, ReadsEveryInterfacePictureAndPlanet)
{
    for (int k = 1; k <= 23; ++k) expectAgreement("material/1/" + std::to_string(k) + ".orn-games");
    for (int k = 1; k <= 18; ++k) expectAgreement("material/3/" + std::to_string(k) + ".orn-games");
}

TEST(OwnDecoder, ReadsTheStarMapBackgrounds)
{
    for (int k = 1; k <= 13; ++k) expectAgreement("material/2/" + std::to_string(k) + ".orn-games");
}

TEST(OwnDecoder, JpeggetLoadsThePicturesAsStartUpDoes)
{
    HeadlessPlatform platform;
    platform.screenOpen(1024, 768, 32);
    for (const auto& [set, count] : {std::pair{1, 23}, std::pair{3, 18}}) {
        for (int k = 1; k <= count; ++k) {
            const std::string path = "material/" + std::to_string(set) + "/" + std::to_string(k) + ".orn-games";
            SCOPED_TRACE(path);
            const ImagePtr image = JPEGGET(generatedPath(path), -1, -1, 0x10000000, 0x10000000);
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(jpegLastStatus(), 0);
            const RgbPicture reference = decodeJpeg(readBytes(path));
            EXPECT_EQ(image->width, reference.width);
            EXPECT_EQ(image->height, reference.height);
        }
    }
}

}  // namespace
}  // namespace qz::assets::test
