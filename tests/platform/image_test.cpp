// Blit modes, source rectangles, clipping and primitives of the software drawing.
#include "platform/errors.hpp"
#include "platform/image.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

ImagePtr checker(int w, int h)
{
    ImagePtr img = imageCreate(w, h, 0xFF000000);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img->row(y)[x] = 0xFF000000u | static_cast<Farbe>(y * 256 + x);
    return img;
}

TEST(ImageCreate, FillsWithMagentaUnlessToldOtherwiseAndRefusesEmptySizes)
{
    ImagePtr img = imageCreate(3, 2);
    ASSERT_TRUE(img);
    for (Farbe p : img->pixels) EXPECT_EQ(p, 0xFFFF00FFu);
    EXPECT_EQ(imageCreate(1, 1, 0x123)->pixels[0], 0x123u);
    EXPECT_THROW(imageCreate(0, 5), LaufzeitFehler);
    EXPECT_THROW(imageCreate(5, -1), LaufzeitFehler);
}

TEST(Put, CopyWritesEveryPixelIncludingMask)
{
    ImagePtr target = imageCreate(4, 4, 0);
    ImagePtr src = imageCreate(2, 2, 0xFFFF00FF);
    put(*target, 1, 1, src.get(), PutMode::Copy);
    EXPECT_EQ(target->row(1)[1], 0xFFFF00FFu);
    EXPECT_EQ(target->row(2)[2], 0xFFFF00FFu);
    EXPECT_EQ(target->row(0)[0], 0u);
    EXPECT_EQ(target->row(3)[3], 0u);
}

TEST(Put, TransparentSkipsMaskWhateverItsAlpha)
{
    ImagePtr target = imageCreate(3, 1, 0xFF111111);
    ImagePtr src = imageCreate(3, 1, 0);
    src->pixels = {0xFFFF00FF, 0x00FF00FF, 0xFF00FF00};
    put(*target, 0, 0, src.get(), PutMode::Transparent);
    EXPECT_EQ(target->pixels[0], 0xFF111111u);
    EXPECT_EQ(target->pixels[1], 0xFF111111u);
    EXPECT_EQ(target->pixels[2], 0xFF00FF00u);
}

TEST(Put, AllMaskImageLeavesTargetUnchanged)
{
    ImagePtr target = checker(8, 8);
    auto before = target->pixels;
    ImagePtr mask = imageCreate(8, 8);
    put(*target, 0, 0, mask.get(), PutMode::Transparent);
    put(*target, 0, 0, mask.get(), PutMode::Blend, 150);
    EXPECT_EQ(target->pixels, before);
}

TEST(Put, BlendMixesEachChannelWithTruncation)
{
    ImagePtr target = imageCreate(1, 1, 0xFF000000 | (100 << 16) | (200 << 8) | 0);
    ImagePtr src = imageCreate(1, 1, 0xFF000000 | (200 << 16) | (0 << 8) | 255);
    put(*target, 0, 0, src.get(), PutMode::Blend, 150);
    Farbe p = target->pixels[0];
    EXPECT_EQ((p >> 16) & 0xFF, 100u + 100u * 150u / 255u);         // 158
    EXPECT_EQ((p >> 8) & 0xFF, static_cast<Farbe>(200 - 200 * 150 / 255));  // 83
    EXPECT_EQ(p & 0xFF, 255u * 150u / 255u);                         // 150
}

TEST(Put, ClipsOnEverySideAndHonoursSourceRectangles)
{
    ImagePtr src = checker(10, 10);
    ImagePtr target = imageCreate(5, 5, 0);
    put(*target, -3, -2, src.get(), PutMode::Copy);
    EXPECT_EQ(target->row(0)[0], src->row(2)[3]);
    EXPECT_EQ(target->row(4)[4], src->row(6)[7]);

    ImagePtr t2 = imageCreate(5, 5, 0);
    put(*t2, 3, 3, src.get(), PutMode::Copy, SourceRect{4, 5, 6, 6});
    EXPECT_EQ(t2->row(3)[3], src->row(5)[4]);
    EXPECT_EQ(t2->row(4)[4], src->row(6)[5]);
    EXPECT_EQ(t2->row(2)[2], 0u);

    // A source rectangle reaching past the image is cut to the image.
    ImagePtr t3 = imageCreate(20, 20, 0);
    put(*t3, 0, 0, src.get(), PutMode::Copy, SourceRect{8, 8, 50, 50});
    EXPECT_EQ(t3->row(1)[1], src->row(9)[9]);
    EXPECT_EQ(t3->row(2)[2], 0u);

    // Far outside: nothing drawn, nothing crashes.
    put(*t3, 100000, -100000, src.get(), PutMode::Transparent);
    put(*t3, -2147483000, 5, src.get(), PutMode::Copy);
}

TEST(Put, NullImageAndNegativeSizesRaiseErrors)
{
    ImagePtr target = imageCreate(4, 4, 0);
    try {
        put(*target, 0, 0, nullptr);
        FAIL();
    } catch (const LaufzeitFehler& e) {
        EXPECT_EQ(e.nummer(), kNullPointer);
    }
    ImagePtr src = imageCreate(2, 2, 0);
    EXPECT_THROW(put(*target, 0, 0, src.get(), PutMode::Copy, SourceRect{0, 0, -1, 2}), LaufzeitFehler);
}

TEST(Point, ReadsPixelsAndChecksBounds)
{
    ImagePtr img = checker(4, 3);
    EXPECT_EQ(point(img.get(), 3, 2), img->row(2)[3]);
    EXPECT_THROW(point(img.get(), 4, 0), LaufzeitFehler);
    EXPECT_THROW(point(img.get(), 0, -1), LaufzeitFehler);
    EXPECT_THROW(point(nullptr, 0, 0), LaufzeitFehler);
}

int countColour(const Image& img, Farbe c)
{
    int n = 0;
    for (Farbe p : img.pixels) n += p == c;
    return n;
}

TEST(Primitives, LineIncludesBothEndsAndBoxesTheirCorners)
{
    ImagePtr img = imageCreate(20, 20, 0);
    line(*img, 2, 3, 12, 7, 0xFFFFFFFF);
    EXPECT_EQ(img->row(3)[2], 0xFFFFFFFFu);
    EXPECT_EQ(img->row(7)[12], 0xFFFFFFFFu);
    EXPECT_EQ(countColour(*img, 0xFFFFFFFF), 11);  // one pixel per column of the major axis

    ImagePtr b = imageCreate(20, 20, 0);
    box(*b, 15, 12, 5, 2, 1);
    EXPECT_EQ(countColour(*b, 1), 2 * 11 + 2 * 9);
    filledBox(*b, 5, 2, 15, 12, 2);
    EXPECT_EQ(countColour(*b, 2), 11 * 11);
    filledBox(*b, -100, -100, 100, 100, 3);  // clipped to the whole image
    EXPECT_EQ(countColour(*b, 3), 400);
}

TEST(Primitives, CirclesAreSymmetricAndFilledCirclesCoverTheirOutline)
{
    ImagePtr outline = imageCreate(41, 41, 0);
    circle(*outline, 20, 20, 10, 7, false);
    EXPECT_EQ(outline->row(20)[30], 7u);
    EXPECT_EQ(outline->row(10)[20], 7u);
    EXPECT_EQ(outline->row(20)[20], 0u);
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x) EXPECT_EQ(outline->row(y)[x], outline->row(40 - y)[x]);

    ImagePtr filled = imageCreate(41, 41, 0);
    circle(*filled, 20, 20, 10, 7, true);
    for (std::size_t i = 0; i < outline->pixels.size(); ++i)
        if (outline->pixels[i] == 7u) {
            EXPECT_EQ(filled->pixels[i], 7u);
        }
    EXPECT_EQ(filled->row(20)[20], 7u);
    EXPECT_EQ(filled->row(20)[31], 0u);
    circle(*filled, -5000, 3, 100000, 9, true);  // huge and off-centre: clipped, no crash
}

}  // namespace
}  // namespace qz
