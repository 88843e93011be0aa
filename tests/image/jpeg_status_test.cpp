// Every refusal of the decoder, each with a file made for it: real libjpeg-turbo output
// (progressive, arithmetic-coded, 16-bit tables, 4:1:1) or a baseline file with one segment
// changed or added.
#include "image/jpeg_decoder.hpp"
#include "image/jpeg_status.hpp"

#include "jpeg_bytes.hpp"
#include "reference_jpeg.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::Bytes;

Bytes colourFile(test::EncodeOptions options = {})
{
    return test::encodeJpeg(test::synthesize(32, 24, 5), options);
}

Bytes greyFile()
{
    test::EncodeOptions options;
    options.grey = true;
    return test::encodeJpeg(test::synthesize(32, 24, 6, 1), options);
}

// The status, checking that a refusal never comes with pixels.
int statusOf(const Bytes& jpeg, const JpegRect& rect = {})
{
    const JpegPicture picture = jpegDecodeMemory(jpeg, rect);
    if (picture.status != 0) {
        EXPECT_TRUE(picture.pixels.empty());
        EXPECT_EQ(picture.width, 0);
    }
    return picture.status;
}

Bytes withByte(Bytes jpeg, std::size_t offset, std::uint8_t value)
{
    jpeg.at(offset) = value;
    return jpeg;
}

TEST(JpegStatus, BaselineFilesDecode)
{
    EXPECT_EQ(statusOf(colourFile()), kJpegOk);
    EXPECT_EQ(statusOf(greyFile()), kJpegOk);
}

TEST(JpegStatus, HeaderValuesAreKept)
{
    Bytes jpeg = colourFile();
    const std::size_t tables = test::findSegment(jpeg, 0xDB);
    jpeg = test::insertAt(jpeg, tables, test::makeSegment(0xFE, {'Q', 'Z', 0xFF, 0x00, '!'}));
    jpeg = test::insertAt(jpeg, tables, test::makeSegment(0xE1, {'E', 'x', 'i', 'f'}));
    JpegDecoder decoder(jpeg);
    ASSERT_EQ(decoder.start(), kJpegOk);
    const jpeg::JpegHeader& header = decoder.header();
    EXPECT_EQ(header.jfif.versionMajor, 1);
    EXPECT_EQ(header.jfif.versionMinor, 1);
    EXPECT_EQ(header.jfif.xDensity, 1);
    EXPECT_EQ(header.jfif.yDensity, 1);
    EXPECT_EQ(header.comment, std::string("QZ\xFF\x00!", 5));  // no byte-stuffing in segments
    EXPECT_EQ(header.applicationData, "Exif");
    EXPECT_EQ(header.width, 32);
    EXPECT_EQ(header.height, 24);
}

TEST(JpegStatus, MissingStartOfImageIs106)
{
    EXPECT_EQ(statusOf({}), kJpegNoStartOfImage);
    EXPECT_EQ(statusOf({0xFF}), kJpegNoStartOfImage);
    EXPECT_EQ(statusOf(withByte(colourFile(), 1, 0xD9)), kJpegNoStartOfImage);
    EXPECT_EQ(statusOf({'G', 'I', 'F', '8', '9', 'a'}), kJpegNoStartOfImage);
}

TEST(JpegStatus, EndBeforeAFrameIs107)
{
    EXPECT_EQ(statusOf({0xFF, 0xD8, 0xFF, 0xD9}), kJpegNoFrame);
    EXPECT_EQ(statusOf({0xFF, 0xD8}), kJpegNoFrame);
    const Bytes jpeg = colourFile();
    // Cut inside the second quantisation table: the segment runs past the end of the data.
    const Bytes cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(test::findSegment(jpeg, 0xC0) - 10));
    EXPECT_EQ(statusOf(cut), kJpegNoFrame);
}

TEST(JpegStatus, ProgressiveIs108)
{
    test::EncodeOptions options;
    options.progressive = true;
    EXPECT_EQ(statusOf(colourFile(options)), kJpegProgressive);
}

TEST(JpegStatus, DifferentialFramesAre109)
{
    const Bytes jpeg = colourFile();
    const std::size_t frame = test::findSegment(jpeg, 0xC0);
    for (const std::uint8_t marker : {0xC5, 0xC6, 0xC7})
        EXPECT_EQ(statusOf(withByte(jpeg, frame + 1, marker)), kJpegDifferential) << int(marker);
}

TEST(JpegStatus, ArithmeticCodingIs110)
{
    test::EncodeOptions options;
    options.arithmetic = true;
    EXPECT_EQ(statusOf(colourFile(options)), kJpegArithmetic);
    const Bytes jpeg = colourFile();
    const std::size_t frame = test::findSegment(jpeg, 0xC0);
    for (int marker = 0xC9; marker <= 0xCF; ++marker)
        EXPECT_EQ(statusOf(withByte(jpeg, frame + 1, static_cast<std::uint8_t>(marker))), kJpegArithmetic) << marker;
}

TEST(JpegStatus, SixteenBitQuantisationIs111)
{
    test::EncodeOptions options;
    options.quality = 1;
    options.forceBaseline = false;
    const Bytes jpeg = colourFile(options);
    ASSERT_EQ(jpeg[test::findSegment(jpeg, 0xDB) + 4] >> 4, 1) << "reference wrote no 16-bit table";
    EXPECT_EQ(statusOf(jpeg), kJpegQuantPrecision);
}

TEST(JpegStatus, ThirdHuffmanSegmentAndBadIndicesAre112)
{
    const Bytes jpeg = colourFile();
    const std::size_t scan = test::findSegment(jpeg, 0xDA);
    const Bytes extra = test::segmentAt(jpeg, test::findSegment(jpeg, 0xC4));
    EXPECT_EQ(statusOf(test::insertAt(jpeg, scan, extra)), kJpegTooManyHuffman);

    Bytes indexTwo = extra;
    indexTwo[4] = 0x02;
    EXPECT_EQ(statusOf(test::insertAt(jpeg, test::findSegment(jpeg, 0xC4), indexTwo)), kJpegTooManyHuffman);
    Bytes classTwo = extra;
    classTwo[4] = 0x20;
    EXPECT_EQ(statusOf(test::insertAt(jpeg, test::findSegment(jpeg, 0xC4), classTwo)), kJpegTooManyHuffman);
}

TEST(JpegStatus, SecondStartOfImageIs113)
{
    const Bytes jpeg = colourFile();
    EXPECT_EQ(statusOf(test::insertAt(jpeg, test::findSegment(jpeg, 0xDB), {0xFF, 0xD8})), kJpegSecondStart);
}

TEST(JpegStatus, UnsupportedFramesAre114)
{
    test::EncodeOptions wide;
    wide.h = 4;
    wide.v = 1;
    EXPECT_EQ(statusOf(colourFile(wide)), kJpegUnsupportedFrame);

    const Bytes jpeg = colourFile();
    const std::size_t frame = test::findSegment(jpeg, 0xC0);
    EXPECT_EQ(statusOf(withByte(jpeg, frame + 4, 12)), kJpegUnsupportedFrame);                  // precision
    EXPECT_EQ(statusOf(withByte(withByte(jpeg, frame + 5, 0), frame + 6, 0)), kJpegUnsupportedFrame);  // height 0
    EXPECT_EQ(statusOf(withByte(jpeg, frame + 11, 0x31)), kJpegUnsupportedFrame);              // luminance H = 3
    EXPECT_EQ(statusOf(withByte(jpeg, frame + 14, 0x21)), kJpegUnsupportedFrame);              // chroma 2 x 1
}

TEST(JpegStatus, BadComponentsAre115)
{
    const Bytes jpeg = colourFile();
    const std::size_t frame = test::findSegment(jpeg, 0xC0);
    EXPECT_EQ(statusOf(withByte(jpeg, frame + 10, 4)), kJpegBadComponent);  // first identifier 4
    const std::size_t scan = test::findSegment(jpeg, 0xDA);
    EXPECT_EQ(statusOf(withByte(jpeg, scan + 4, 2)), kJpegBadComponent);  // scan of two components
    EXPECT_EQ(statusOf(withByte(jpeg, scan + 7, 1)), kJpegBadComponent);  // luminance twice

    const Bytes grey = greyFile();
    EXPECT_EQ(statusOf(withByte(grey, test::findSegment(grey, 0xDA) + 5, 2)), kJpegBadComponent);  // not in frame
}

TEST(JpegStatus, MissingTablesAre116)
{
    test::EncodeOptions shared;
    shared.sharedQuantTable = true;
    EXPECT_EQ(statusOf(colourFile(shared)), kJpegTablesMissing);

    const Bytes grey = greyFile();
    const std::size_t frame = test::findSegment(grey, 0xC0);
    const Bytes frameSegment = test::segmentAt(grey, frame);
    Bytes noFrame(grey.begin(), grey.begin() + static_cast<std::ptrdiff_t>(frame));
    noFrame.insert(noFrame.end(), grey.begin() + static_cast<std::ptrdiff_t>(frame + frameSegment.size()), grey.end());
    EXPECT_EQ(statusOf(noFrame), kJpegTablesMissing);

    // A scan that names AC table 1 of a grey picture, which only has table 0.
    EXPECT_EQ(statusOf(withByte(grey, test::findSegment(grey, 0xDA) + 6, 0x01)), kJpegTablesMissing);
}

TEST(JpegStatus, ThirdQuantisationSegmentAndBadIndexAre117)
{
    const Bytes jpeg = colourFile();
    const Bytes table = test::segmentAt(jpeg, test::findSegment(jpeg, 0xDB));
    EXPECT_EQ(statusOf(test::insertAt(jpeg, test::findSegment(jpeg, 0xC0), table)), kJpegTooManyQuant);
    Bytes indexTwo = table;
    indexTwo[4] = 0x02;
    EXPECT_EQ(statusOf(test::insertAt(jpeg, test::findSegment(jpeg, 0xDB), indexTwo)), kJpegTooManyQuant);
}

TEST(JpegStatus, ForeignApp0Is118)
{
    const Bytes jpeg = colourFile();
    const std::size_t app0 = test::findSegment(jpeg, 0xE0);
    ASSERT_LT(app0, jpeg.size());
    EXPECT_EQ(statusOf(withByte(withByte(jpeg, app0 + 6, 'X'), app0 + 7, 'X')), kJpegNotJfif);
    EXPECT_EQ(statusOf(test::insertAt(jpeg, app0, test::makeSegment(0xE0, {'J', 'F'}))), kJpegNotJfif);
}

TEST(JpegStatus, UnknownMarkersAre119)
{
    const Bytes jpeg = colourFile();
    const std::size_t at = test::findSegment(jpeg, 0xDB);
    for (const std::uint8_t marker : {0xC3, 0xC8, 0xD0, 0xDC, 0xF0, 0x01})
        EXPECT_EQ(statusOf(test::insertAt(jpeg, at, test::makeSegment(marker, {0, 0}))), kJpegUnknownMarker)
            << int(marker);
}

TEST(JpegStatus, TargetThatCannotBeMadeIs120)
{
    const Bytes jpeg = colourFile();
    EXPECT_EQ(statusOf(jpeg, {32, 0, 40, 10}), kJpegNoTarget);  // zero width at the right edge
    EXPECT_EQ(statusOf(jpeg, {10, 0, 5, 10}), kJpegNoTarget);   // x2 before x1
    const std::size_t frame = test::findSegment(jpeg, 0xC0);
    Bytes huge = jpeg;
    for (std::size_t i = frame + 5; i < frame + 9; ++i) huge[i] = 0xFF;  // 65535 x 65535
    EXPECT_EQ(statusOf(huge), kJpegNoTarget);
    EXPECT_EQ(jpegDecodeMemory(jpeg, {}, 32 * 24 - 1).status, kJpegNoTarget);
}

TEST(JpegStatus, DamagedSegmentsAre121)
{
    const Bytes jpeg = colourFile();
    const std::size_t dht = test::findSegment(jpeg, 0xC4);
    Bytes payload(20, 0);  // class and index, 16 counts, 3 symbols
    payload[1] = 3;        // three codes of length 1: a tree has room for two
    payload[18] = 1;
    payload[19] = 2;
    EXPECT_EQ(statusOf(test::insertAt(jpeg, dht, test::makeSegment(0xC4, payload))), kJpegDamagedSegment);

    Bytes shortCounts = {0x00, 0, 5};  // counts cut short
    EXPECT_EQ(statusOf(test::insertAt(jpeg, dht, test::makeSegment(0xC4, shortCounts))), kJpegDamagedSegment);
    const std::size_t dqt = test::findSegment(jpeg, 0xDB);
    EXPECT_EQ(statusOf(test::insertAt(jpeg, dqt, test::makeSegment(0xDB, {0x00, 1, 2, 3}))), kJpegDamagedSegment);
    EXPECT_EQ(statusOf(test::insertAt(jpeg, dht, test::makeSegment(0xDD, {0x01}))), kJpegDamagedSegment);
    EXPECT_EQ(statusOf(test::insertAt(jpeg, dht, {0xFF, 0xFE, 0x00, 0x01})), kJpegDamagedSegment);
}

TEST(JpegStatus, RectangleOutsideThePictureIs122)
{
    const Bytes jpeg = colourFile();
    EXPECT_EQ(statusOf(jpeg, {33, 0, 40, 10}), kJpegOutsidePicture);
    EXPECT_EQ(statusOf(jpeg, {0, 25, 10, 30}), kJpegOutsidePicture);
    EXPECT_EQ(statusOf(jpeg, {0, 0, -5, 10}), kJpegOutsidePicture);
    EXPECT_EQ(statusOf(jpeg, {0, 0, 10, -1}), kJpegOutsidePicture);
}

}  // namespace
}  // namespace qz
