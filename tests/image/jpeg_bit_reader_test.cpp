// The entropy-data bit reader: stuffed FF 00 pairs, markers that end the data, the padding
// count that tells a cut-off scan, and restart markers.
#include "image/jpeg_bit_reader.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace qz {
namespace {

using jpeg::BitReader;

BitReader over(const std::vector<std::uint8_t>& bytes) { return BitReader(bytes.data(), bytes.data() + bytes.size()); }

TEST(JpegBitReader, StuffedZeroAfterFFIsDropped)
{
    const std::vector<std::uint8_t> bytes = {0xAB, 0xFF, 0x00, 0xCD, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    BitReader bits = over(bytes);
    bits.ensure();
    EXPECT_EQ(bits.take(8), 0xAB);
    EXPECT_EQ(bits.take(8), 0xFF);
    EXPECT_EQ(bits.take(4), 0xC);
    EXPECT_EQ(bits.take(12), 0xD01);
    EXPECT_FALSE(bits.overrun());
}

TEST(JpegBitReader, MarkerEndsTheDataAndPaddingIsCounted)
{
    const std::vector<std::uint8_t> bytes = {0x81, 0x7E, 0xFF, 0xD9, 0x55, 0x55};
    BitReader bits = over(bytes);
    bits.ensure();
    EXPECT_EQ(bits.take(16), 0x817E);
    EXPECT_FALSE(bits.overrun()) << "all real bits read, none past them";
    bits.ensure();
    EXPECT_EQ(bits.take(1), 0) << "zero bits after the marker";
    EXPECT_TRUE(bits.overrun());
}

TEST(JpegBitReader, EndOfDataIsLikeAMarker)
{
    const std::vector<std::uint8_t> bytes = {0xF0};
    BitReader bits = over(bytes);
    bits.ensure();
    EXPECT_EQ(bits.take(4), 0xF);
    EXPECT_EQ(bits.take(4), 0x0);
    EXPECT_FALSE(bits.overrun());
    EXPECT_EQ(bits.peek(16), 0u);
    bits.skip(1);
    EXPECT_TRUE(bits.overrun());
}

TEST(JpegBitReader, RestartDropsTheByteRestAndSkipsTheMarker)
{
    const std::vector<std::uint8_t> bytes = {0xA5, 0xFF, 0xD3, 0x3C, 0xFF, 0xD4, 0x77, 0x66, 0x99, 0xFF, 0xD5, 0x12};
    BitReader bits = over(bytes);
    bits.ensure();
    EXPECT_EQ(bits.take(3), 0b101);
    bits.restart();
    bits.ensure();
    EXPECT_EQ(bits.take(8), 0x3C);
    bits.restart();
    bits.ensure();
    EXPECT_EQ(bits.take(8), 0x77);
    bits.restart();  // stray bytes before the next marker are passed over
    bits.ensure();
    EXPECT_EQ(bits.take(8), 0x12);
    EXPECT_FALSE(bits.overrun());
}

TEST(JpegBitReader, LongRunsWithoutFFUseWholeWords)
{
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 40; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 37 % 255));
    BitReader bits = over(bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bits.ensure();
        ASSERT_EQ(bits.take(8), bytes[i]) << "byte " << i;
    }
    EXPECT_FALSE(bits.overrun());
}

}  // namespace
}  // namespace qz
