// The desktop icon: an RGBA PNG at each size a desktop asks for, opaque on the panel and
// transparent where its corners are cut, so a menu shows the panel's shape on any colour.
#include "generated_files.hpp"

#include <png.h>

#include <gtest/gtest.h>

#include <string>

namespace qz::assets::test {
namespace {

TEST(Icon, IsAnRgbaPngOfEachSizeOpaqueOnThePanelAndClearAtItsCutCorners)
{
    for (const int size : {48, 128, 256}) {
        const std::string name = "icons/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/qz.png";
        const std::vector<std::uint8_t> bytes = readBytes(name);
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) << name;
        EXPECT_NE(image.format & PNG_FORMAT_FLAG_ALPHA, 0u) << name;
        EXPECT_EQ(image.width, static_cast<png_uint_32>(size)) << name;
        EXPECT_EQ(image.height, static_cast<png_uint_32>(size)) << name;
        image.format = PNG_FORMAT_RGBA;
        std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) << name;
        auto alpha = [&](int x, int y) { return rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3]; };
        for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}}) {
            EXPECT_EQ(alpha(x, y), 0) << name << " corner " << x << "," << y;
        }
        EXPECT_EQ(alpha(size / 2, size / 2), 255) << name;
        EXPECT_EQ(alpha(size / 2, size / 10), 255) << name;
    }
}

}  // namespace
}  // namespace qz::assets::test
