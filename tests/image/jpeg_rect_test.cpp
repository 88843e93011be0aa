// The rectangle rules of JPEGGET, through the memory decoder: any rectangle equals the same
// crop of the whole picture, and the clamping rules give the documented sizes.
#include "image/jpeg_decoder.hpp"

#include "jpeg_bytes.hpp"
#include "reference_jpeg.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

class JpegRectangle : public ::testing::Test {
protected:
    void SetUp() override
    {
        jpeg_ = test::encodeJpeg(test::synthesize(kWidth, kHeight, 3));
        whole_ = jpegDecodeMemory(jpeg_);
        ASSERT_EQ(whole_.status, 0);
    }

    void expectCrop(const JpegRect& rect, int x, int y, int w, int h) const
    {
        const JpegPicture part = jpegDecodeMemory(jpeg_, rect);
        ASSERT_EQ(part.status, 0);
        ASSERT_EQ(part.width, w);
        ASSERT_EQ(part.height, h);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                ASSERT_EQ(part.pixels[static_cast<std::size_t>(row) * w + col],
                          whole_.pixels[static_cast<std::size_t>(row + y) * kWidth + col + x])
                    << "at " << col << ", " << row;
    }

    static constexpr int kWidth = 50;
    static constexpr int kHeight = 38;
    std::vector<std::uint8_t> jpeg_;
    JpegPicture whole_;
};

TEST_F(JpegRectangle, RectanglesAreCropsOfTheWholePicture)
{
    expectCrop({3, 5, 47, 30}, 3, 5, 44, 25);
    expectCrop({16, 16, 32, 32}, 16, 16, 16, 16);
    expectCrop({0, 0, 1, 1}, 0, 0, 1, 1);
    expectCrop({49, 37, 50, 38}, 49, 37, 1, 1);
    expectCrop({15, 9, 17, 33}, 15, 9, 2, 24);
}

TEST_F(JpegRectangle, NegativeStartMeansTheWholeExtent)
{
    expectCrop({-1, 5, 10, 20}, 0, 5, kWidth, 15);  // x2 is replaced by the width
    expectCrop({4, -7, 12, 2}, 4, 0, 8, kHeight);   // y2 by the height
}

TEST_F(JpegRectangle, EndsAreClampedToThePicture)
{
    expectCrop({10, 20, 0x10000000, 0x10000000}, 10, 20, kWidth - 10, kHeight - 20);
}

TEST_F(JpegRectangle, TopRowsNeedOnlyTheirOwnData)
{
    // The decoder stops after the last MCU row the target needs, so a picture cut after its
    // first MCU rows still gives the rows above the cut exactly.
    const std::size_t scan = test::findSegment(jpeg_, 0xDA);
    const std::size_t entropy = scan + test::segmentAt(jpeg_, scan).size();
    const std::size_t cut = entropy + (jpeg_.size() - entropy) * 2 / 3;
    const std::vector<std::uint8_t> half(jpeg_.begin(), jpeg_.begin() + static_cast<std::ptrdiff_t>(cut));
    const JpegPicture top = jpegDecodeMemory(half, {0, 0, kWidth, 8});
    ASSERT_EQ(top.status, 0);
    EXPECT_TRUE(std::equal(top.pixels.begin(), top.pixels.end(), whole_.pixels.begin()));
}

}  // namespace
}  // namespace qz
