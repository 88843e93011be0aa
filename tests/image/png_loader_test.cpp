// PngLoad over every standard colour type and bit depth, the transparency rule (fully
// transparent pixels become the magenta mask, everything else opaque) and damaged files.
#include "image/png_decoder.hpp"
#include "image/png_loader.hpp"

#include "png_writer.hpp"
#include "reference_jpeg.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using Pixels = std::vector<std::uint32_t>;
constexpr std::uint32_t kMask = 0xFFFF00FFu;

Pixels decode(const test::PngLayout& layout)
{
    const auto picture = pngDecodeMemory(test::writePng(layout));
    EXPECT_TRUE(picture.has_value());
    if (!picture) return {};
    EXPECT_EQ(picture->width, layout.width);
    EXPECT_EQ(picture->height, layout.height);
    return picture->pixels;
}

TEST(PngLoader, Rgb8)
{
    EXPECT_EQ(decode({2, 1, 8, 2, {0x12, 0x34, 0x56, 0xFE, 0x00, 0x80}}), (Pixels{0xFF123456u, 0xFFFE0080u}));
}

TEST(PngLoader, RgbaTransparentBecomesMaskOthersOpaque)
{
    EXPECT_EQ(decode({3, 1, 8, 6, {10, 20, 30, 0, 10, 20, 30, 128, 40, 50, 60, 255}}),
              (Pixels{kMask, 0xFF0A141Eu, 0xFF28323Cu}));
}

TEST(PngLoader, Grey8AndGreyAlpha)
{
    EXPECT_EQ(decode({3, 1, 8, 0, {0, 0x7F, 0xFF}}), (Pixels{0xFF000000u, 0xFF7F7F7Fu, 0xFFFFFFFFu}));
    EXPECT_EQ(decode({2, 1, 8, 4, {0x40, 0xFF, 0x40, 0x00}}), (Pixels{0xFF404040u, kMask}));
}

TEST(PngLoader, LowBitGreyIsScaledToFullRange)
{
    EXPECT_EQ(decode({8, 1, 1, 0, {0b10110000}}),
              (Pixels{0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF000000u, 0xFF000000u, 0xFF000000u,
                      0xFF000000u}));
    EXPECT_EQ(decode({4, 1, 2, 0, {0b00011011}}), (Pixels{0xFF000000u, 0xFF555555u, 0xFFAAAAAAu, 0xFFFFFFFFu}));
    EXPECT_EQ(decode({2, 1, 4, 0, {0x3F}}), (Pixels{0xFF333333u, 0xFFFFFFFFu}));
}

TEST(PngLoader, GreyWithTransparentKey)
{
    EXPECT_EQ(decode({2, 1, 8, 0, {0x10, 0x20}, {}, {0x00, 0x20}}), (Pixels{0xFF101010u, kMask}));
}

TEST(PngLoader, PaletteWithTransparency)
{
    const std::vector<std::uint8_t> palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    EXPECT_EQ(decode({3, 1, 8, 3, {2, 1, 0}, palette}), (Pixels{0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u}));
    EXPECT_EQ(decode({3, 1, 4, 3, {0x01, 0x20}, palette, {0, 200}}), (Pixels{kMask, 0xFF00FF00u, 0xFF0000FFu}));
}

TEST(PngLoader, SixteenBitChannelsKeepTheirHighByte)
{
    // Values that are multiples of 257 convert to 8 bits exactly.
    EXPECT_EQ(decode({1, 1, 16, 2, {0x12, 0x12, 0xAB, 0xAB, 0xFF, 0xFF}}), (Pixels{0xFF12ABFFu}));
    EXPECT_EQ(decode({2, 1, 16, 6, {0x34, 0x34, 0x56, 0x56, 0x78, 0x78, 0xFF, 0xFF, 1, 2, 3, 4, 5, 6, 0, 0}}),
              (Pixels{0xFF345678u, kMask}));
    EXPECT_EQ(decode({1, 1, 16, 0, {0x80, 0x80}}), (Pixels{0xFF808080u}));
}

TEST(PngLoader, DamagedOrHugeDataGivesNothing)
{
    const auto good = test::writePng({2, 2, 8, 2, std::vector<std::uint8_t>(12, 7)});
    ASSERT_TRUE(pngDecodeMemory(good));
    EXPECT_FALSE(pngDecodeMemory({}));
    EXPECT_FALSE(pngDecodeMemory(std::vector<std::uint8_t>(good.begin(), good.begin() + 40)));
    auto badCrc = good;
    badCrc[29] ^= 0x01;  // inside IHDR's CRC
    EXPECT_FALSE(pngDecodeMemory(badCrc));
    EXPECT_FALSE(pngDecodeMemory(good, 3));  // four pixels over a limit of three

    auto huge = good;
    test::resizeHeader(huge, 20000, 20000);  // a header that asks for 1.6 GB of pixels
    EXPECT_FALSE(pngDecodeMemory(huge));
    auto resized = good;
    test::resizeHeader(resized, 2, 1);  // a valid header whose data now has a row too many
    EXPECT_TRUE(pngDecodeMemory(resized)) << "resizeHeader keeps the file readable";
}

TEST(PngLoader, LoadsFilesIntoImages)
{
    test::TempFolder folder;
    const std::string name = folder.file("1.orn-games");
    test::writeFile(name, test::writePng({2, 1, 8, 6, {1, 2, 3, 255, 0, 0, 0, 0}}));
    const ImagePtr image = PngLoad(name);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 1);
    EXPECT_EQ(image->pixels, (Pixels{0xFF010203u, kMask}));

    EXPECT_EQ(PngLoad(folder.file("missing.orn-games")), nullptr);
    test::writeFile(folder.file("empty.orn-games"), {});
    EXPECT_EQ(PngLoad(folder.file("empty.orn-games")), nullptr);
    test::writeFile(folder.file("text.orn-games"), {'n', 'o', 'p', 'e'});
    EXPECT_EQ(PngLoad(folder.file("text.orn-games")), nullptr);
}

}  // namespace
}  // namespace qz
