// Damaged and hostile data: cut files, flipped bytes, codes that lead nowhere, absurd sizes.
// The decoder answers with a status or a clean partial picture; the sanitizer and fuzz builds
// run the same cases for memory errors.
#include "image/jpeg_decoder.hpp"
#include "image/jpeg_status.hpp"

#include "jpeg_bytes.hpp"
#include "reference_jpeg.hpp"

#include <gtest/gtest.h>

#include <random>

namespace qz {
namespace {

using test::Bytes;

std::size_t entropyStart(const Bytes& jpeg)
{
    const std::size_t scan = test::findSegment(jpeg, 0xDA);
    return scan + test::segmentAt(jpeg, scan).size();
}

void expectWellFormed(const JpegPicture& picture)
{
    if (picture.status == kJpegOk) {
        EXPECT_GT(picture.width, 0);
        EXPECT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.width) * picture.height);
    } else {
        EXPECT_TRUE(picture.pixels.empty());
    }
}

TEST(JpegRobustness, EveryCutOfAFileIsAStatusOrAPartialPicture)
{
    test::EncodeOptions options;
    options.restartInterval = 2;
    const Bytes jpeg = test::encodeJpeg(test::synthesize(24, 20, 8), options);
    const JpegPicture whole = jpegDecodeMemory(jpeg);
    const std::size_t entropy = entropyStart(jpeg);
    for (std::size_t length = 0; length < jpeg.size(); ++length) {
        const Bytes cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(length));
        const JpegPicture picture = jpegDecodeMemory(cut);
        expectWellFormed(picture);
        if (length < entropy) EXPECT_NE(picture.status, kJpegOk) << "cut at " << length;
        else EXPECT_EQ(picture.status, kJpegOk) << "cut at " << length;
    }
    // Cut in the middle of the data: the first MCU (16 x 16) is whole, the last rows are left
    // at the background.
    const Bytes half(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(entropy + (jpeg.size() - entropy) / 2));
    const JpegPicture partial = jpegDecodeMemory(half);
    ASSERT_EQ(partial.status, kJpegOk);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(partial.pixels[y * 24 + x], whole.pixels[y * 24 + x]);
    EXPECT_EQ(partial.pixels.back(), 0xFF000000u);
}

TEST(JpegRobustness, FlippedBytesNeverBreakTheDecoder)
{
    test::EncodeOptions options;
    options.h = 2;
    options.v = 1;
    options.restartInterval = 3;
    const Bytes jpeg = test::encodeJpeg(test::synthesize(40, 24, 11), options);
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> position(0, jpeg.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int trial = 0; trial < 3000; ++trial) {
        Bytes damaged = jpeg;
        for (int flips = 1 + trial % 4; flips > 0; --flips)
            damaged[position(random)] = static_cast<std::uint8_t>(byte(random));
        expectWellFormed(jpegDecodeMemory(damaged));
    }
}

TEST(JpegRobustness, CodesThatLeadNowhereEndTheDecoding)
{
    // libjpeg-turbo never gives a code of all one bits, so FF 00 FF 00 ... decodes to nothing.
    Bytes jpeg = test::encodeJpeg(test::synthesize(16, 16, 4));
    jpeg.resize(entropyStart(jpeg));
    for (int i = 0; i < 64; ++i) jpeg.insert(jpeg.end(), {0xFF, 0x00});
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    const JpegPicture picture = jpegDecodeMemory(jpeg);
    ASSERT_EQ(picture.status, kJpegOk);
    for (const std::uint32_t p : picture.pixels) ASSERT_EQ(p, 0xFF000000u);
}

TEST(JpegRobustness, HugeHeaderWithSmallRectangleDecodesOnlyWhatIsAsked)
{
    Bytes jpeg = test::encodeJpeg(test::synthesize(16, 16, 4));
    const std::size_t frame = test::findSegment(jpeg, 0xC0);
    for (std::size_t i = frame + 5; i < frame + 9; ++i) jpeg[i] = 0xFF;
    EXPECT_EQ(jpegDecodeMemory(jpeg).status, kJpegNoTarget);
    const JpegPicture corner = jpegDecodeMemory(jpeg, {0, 0, 16, 16});
    ASSERT_EQ(corner.status, kJpegOk);
    EXPECT_EQ(corner.pixels.size(), 256u);
}

TEST(JpegRobustness, OversizedDcCategoryEndsTheDecoding)
{
    // A DC table whose only code (one bit, 0) means category 16, beyond any 8-bit picture.
    Bytes jpeg = test::encodeJpeg(test::synthesize(16, 16, 4));
    const std::size_t dht = test::findSegment(jpeg, 0xC4);
    Bytes payload(18, 0);
    payload[1] = 1;
    payload[17] = 16;
    jpeg = test::insertAt(jpeg, dht + test::segmentAt(jpeg, dht).size(), test::makeSegment(0xC4, payload));
    const JpegPicture picture = jpegDecodeMemory(jpeg);
    ASSERT_EQ(picture.status, kJpegOk);
    EXPECT_EQ(picture.pixels.front(), 0xFF000000u);
}

}  // namespace
}  // namespace qz
