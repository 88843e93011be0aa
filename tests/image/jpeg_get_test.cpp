// JPEGGET, the file loader the game calls: screen preconditions, file name rules, the file
// statuses, and that a picture file is only ever read.
#include "image/jpeg_decoder.hpp"
#include "image/jpeg_get.hpp"
#include "image/jpeg_status.hpp"

#include "platform/headless/headless_platform.hpp"
#include "reference_jpeg.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace qz {
namespace {

constexpr int kWhole = 0x10000000;

class JpegGet : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform_.screenOpen(1024, 768, 32);
        jpeg_ = test::encodeJpeg(test::synthesize(40, 30, 9));
        picture_ = folder_.file("1.orn-games");
        test::writeFile(picture_, jpeg_);
    }
    void TearDown() override { setActivePlatform(nullptr); }

    HeadlessPlatform platform_;
    test::TempFolder folder_;
    std::vector<std::uint8_t> jpeg_;
    std::string picture_;
};

TEST_F(JpegGet, LoadsTheWholePictureAsTheGameAsks)
{
    const ImagePtr image = JPEGGET(picture_, -1, -1, kWhole, kWhole);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegOk);
    EXPECT_EQ(image->width, 40);
    EXPECT_EQ(image->height, 30);
    EXPECT_EQ(image->pixels, jpegDecodeMemory(jpeg_).pixels);
}

TEST_F(JpegGet, LoadsARectangle)
{
    const ImagePtr image = JPEGGET(picture_, 8, 4, 20, 30);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 12);
    EXPECT_EQ(image->height, 26);
    EXPECT_EQ(image->pixels, jpegDecodeMemory(jpeg_, {8, 4, 20, 30}).pixels);
}

TEST_F(JpegGet, QuotedNameLosesItsQuotes)
{
    EXPECT_NE(JPEGGET("\"" + picture_ + "\""), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegOk);
}

TEST_F(JpegGet, NeedsAnOpenScreen)
{
    setActivePlatform(nullptr);
    EXPECT_EQ(JPEGGET(picture_), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegNoScreen);

    HeadlessPlatform closed;
    setActivePlatform(&closed);
    EXPECT_EQ(JPEGGET(picture_), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegNoScreen);

    setActivePlatform(&platform_);
    EXPECT_NE(JPEGGET(picture_), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegOk);
}

TEST(JpegScreenStatus, ScreensBelowFifteenBitsAreRefused)
{
    EXPECT_EQ(jpegScreenStatus(false, 32), kJpegNoScreen);
    EXPECT_EQ(jpegScreenStatus(true, 8), kJpegPalettedScreen);
    EXPECT_EQ(jpegScreenStatus(true, 14), kJpegPalettedScreen);
    EXPECT_EQ(jpegScreenStatus(true, 15), kJpegOk);
    EXPECT_EQ(jpegScreenStatus(true, 32), kJpegOk);
}

TEST_F(JpegGet, FileNameAndFileStatuses)
{
    EXPECT_EQ(JPEGGET(""), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegEmptyFileName);

    EXPECT_EQ(JPEGGET(folder_.path().string()), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegCannotOpen);

    const std::string pipe = folder_.file("pipe.orn-games");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(JPEGGET(pipe), nullptr) << "must not wait for a writer";
    EXPECT_EQ(jpegLastStatus(), kJpegCannotOpen);

    EXPECT_EQ(JPEGGET(folder_.file("2.orn-games")), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegFileMissing);
    EXPECT_FALSE(std::filesystem::exists(folder_.file("2.orn-games"))) << "looking must not create the file";
}

TEST_F(JpegGet, EmptyFileIs105AndStaysWhereItIs)
{
    const std::string empty = folder_.file("3.orn-games");
    test::writeFile(empty, {});
    EXPECT_EQ(JPEGGET(empty), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegFileMissing);
    ASSERT_TRUE(std::filesystem::exists(empty));
    EXPECT_EQ(std::filesystem::file_size(empty), 0u);
}

TEST_F(JpegGet, RefusedFilesAreLeftUnchanged)
{
    auto progressive = test::EncodeOptions{};
    progressive.progressive = true;
    const auto bytes = test::encodeJpeg(test::synthesize(16, 16, 2), progressive);
    const std::string name = folder_.file("4.orn-games");
    test::writeFile(name, bytes);
    EXPECT_EQ(JPEGGET(name), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegProgressive);
    EXPECT_EQ(std::filesystem::file_size(name), bytes.size());

    EXPECT_EQ(JPEGGET(picture_, 41, 0, 50, 10), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegOutsidePicture);
    EXPECT_EQ(JPEGGET(picture_, 40, 0, 50, 10), nullptr);
    EXPECT_EQ(jpegLastStatus(), kJpegNoTarget);
}

}  // namespace
}  // namespace qz
