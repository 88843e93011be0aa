// The 8 x 16 code page 437 text: glyph bytes, transparency of the background, clipping.
#include "platform/image.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

std::vector<Farbe> render(std::string_view text)
{
    ImagePtr img = imageCreate(static_cast<int>(text.size()) * 8 + 2, 16, 0xFF000001);
    drawText(*img, 0, 0, text, 0xFFFFFFFF);
    return img->pixels;
}

TEST(DrawText, EmptyTextDrawsNothing)
{
    ImagePtr img = imageCreate(8, 16, 5);
    drawText(*img, 0, 0, "", 0xFFFFFFFF);
    for (Farbe p : img->pixels) EXPECT_EQ(p, 5u);
}

TEST(DrawText, UmlautByteDrawsItsOwnGlyphWithDotsAboveTheU)
{
    auto ue = render("\x81");
    auto u = render("u");
    EXPECT_NE(ue, u);
    // Both share the body of the letter; the umlaut adds pixels in the upper rows.
    int extraTop = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) extraTop += ue[y * 10 + x] == 0xFFFFFFFFu && u[y * 10 + x] != 0xFFFFFFFFu;
    EXPECT_GT(extraTop, 0);
}

TEST(DrawText, OnlyGlyphPixelsAreWrittenAndEachCharacterIsEightWide)
{
    auto a = render("A");
    int lit = 0;
    for (Farbe p : a) lit += p == 0xFFFFFFFFu;
    EXPECT_GT(lit, 10);
    EXPECT_EQ(a.size() - lit, static_cast<std::size_t>(std::count(a.begin(), a.end(), 0xFF000001u)));
    auto two = render("AA");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(two[y * 18 + x], two[y * 18 + x + 8]);
}

TEST(DrawText, ClipsAtEveryEdge)
{
    ImagePtr img = imageCreate(10, 10, 0);
    drawText(*img, -4, -8, "Zur\x81" "ck", 0xFFFFFFFF);
    drawText(*img, 6, 6, "WWW", 0xFFFFFFFF);
    drawText(*img, 100000, -100000, "x", 0xFFFFFFFF);
    int litCorner = 0;
    for (int y = 6; y < 10; ++y)
        for (int x = 6; x < 10; ++x) litCorner += img->row(y)[x] == 0xFFFFFFFFu;
    EXPECT_GT(litCorner, 0);
    EXPECT_EQ(centredX(512, 6), 488);
    EXPECT_EQ(centredX(509, 3), 497);
}

}  // namespace
}  // namespace qz
