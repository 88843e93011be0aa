// Research: the day's share, level-ups only when strictly greater, one level a day, the scanner
// redraw, and the topic rows with their bar, text and switch.
#include "systems/forschung.hpp"
#include "tests/systems/test_welt.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct Thema {
    int stufe = 0, fortschritt = 0, neuzeichnen = 0;
    void tag(int kosten, int punkte, int aktive = 1, int nummer = 2)
    {
        SUB_FORSCHUNG(1, stufe, kosten, fortschritt, aktive, punkte, nummer, neuzeichnen);
    }
};

TEST(Forschung, VersorgungVerbessernWithAHundredPointsADay)
{
    Thema t;
    t.tag(84, 100);
    EXPECT_EQ(t.stufe, 1);
    EXPECT_EQ(t.fortschritt, 100);
    t.tag(84, 100);
    EXPECT_EQ(t.stufe, 2);
    EXPECT_EQ(t.fortschritt, 116);
    t.tag(84, 100);
    EXPECT_EQ(t.stufe, 3);
    EXPECT_EQ(t.fortschritt, 48);
}

TEST(Forschung, PointsAreSharedEquallyWithHalvesToEven)
{
    Thema a;
    a.tag(1000, 100, 3);
    EXPECT_EQ(a.fortschritt, 33);
    Thema b;
    b.tag(1000, 5, 2);
    EXPECT_EQ(b.fortschritt, 2);
    Thema c;
    c.tag(1000, 7, 2);
    EXPECT_EQ(c.fortschritt, 4);  // 3.5 rounds to 4
}

TEST(Forschung, LevelOnlyWhenStrictlyGreater)
{
    Thema t;
    t.stufe = 1;
    t.tag(84, 84);
    EXPECT_EQ(t.stufe, 1);
    EXPECT_EQ(t.fortschritt, 84);
    t.tag(84, 1);
    EXPECT_EQ(t.stufe, 2);
    EXPECT_EQ(t.fortschritt, 1);
}

TEST(Forschung, AtMostOneLevelADay)
{
    Thema t;
    t.tag(10, 1000);
    EXPECT_EQ(t.stufe, 1);
    t.tag(10, 1000);
    EXPECT_EQ(t.stufe, 2);
    EXPECT_EQ(t.fortschritt, 1990);
}

TEST(Forschung, TheHighestLevelIsTheLastAndProgressStopsAtItsBound)
{
    Thema t;
    t.stufe = kStufeGrenze - 1;
    t.fortschritt = kGeldGrenze - 10;
    t.tag(1, 5);  // 2e9 - 5 points exceed 1 x (1e6 - 1): the last level
    EXPECT_EQ(t.stufe, kStufeGrenze);
    EXPECT_EQ(t.fortschritt, kGeldGrenze - 5 - (kStufeGrenze - 1));
    t.tag(1, kGeldGrenze);
    EXPECT_EQ(t.stufe, kStufeGrenze);
    EXPECT_EQ(t.fortschritt, kGeldGrenze) << "where an int would have turned negative";
}

TEST(Forschung, ZeroPointsAtLevelZeroWait)
{
    Thema t;
    t.tag(84, 0);
    EXPECT_EQ(t.stufe, 0);
}

TEST(Forschung, NegativePointsLowerProgress)
{
    Thema t;
    t.stufe = 2;
    t.fortschritt = 50;
    t.tag(84, -20);
    EXPECT_EQ(t.fortschritt, 30);
    EXPECT_EQ(t.stufe, 2);
}

TEST(Forschung, ANewScannerLevelAsksForTheMapRedraw)
{
    Thema t;
    t.tag(345, 10, 1, 4);
    EXPECT_EQ(t.neuzeichnen, 0);
    Thema s;
    s.tag(345, 10, 1, 5);
    EXPECT_EQ(s.stufe, 1);
    EXPECT_EQ(s.neuzeichnen, 1);
    s.neuzeichnen = 0;
    s.tag(345, 10, 1, 5);  // no new level: no redraw
    EXPECT_EQ(s.neuzeichnen, 0);
}

class Zeile : public ::testing::Test {
protected:
    testwelt::Welt w;
    int aktiv = 0, aktive = 0;

    void zeichne(int stufe, int kosten, int fortschritt, int zeile = 1, int x = -1, int y = -1, bool zweizeilig = false)
    {
        clear(w.rahmen.screen());
        SUB_STERNSYSTEM_FORSCHUNG(w.rahmen, x, y, w.rahmen.Mausereignis, aktiv, "Biosph\x84re Forschung", stufe, kosten,
                                  fortschritt, aktive, zeile, zweizeilig);
    }
};

TEST_F(Zeile, HalfwayBarIsGreenAndEndsAtItsShare)
{
    zeichne(2, 109, 109);  // 109 / 218 of 287 = 143.5
    const Farbe gruen = 0xFF00CF00;
    EXPECT_EQ(w.pixel(389, 39 + 227), gruen);
    EXPECT_EQ(w.pixel(531, 39 + 227), gruen);
    EXPECT_NE(w.pixel(533, 39 + 227), gruen);
}

TEST_F(Zeile, PointsAtLevelZeroFillTheWholeBarOrange)
{
    zeichne(0, 109, 5, 2);
    EXPECT_EQ(w.pixel(675, 78 + 227), 0xFFEA7546u);
}

TEST_F(Zeile, NoPointsAtLevelZeroNoBar)
{
    zeichne(0, 109, 0);
    EXPECT_NE(w.pixel(389, 39 + 227), 0xFF00CF00u);
    EXPECT_NE(w.pixel(389, 39 + 227), 0xFFEA7546u);
}

TEST_F(Zeile, TheSwitchTogglesAndCounts)
{
    w.rahmen.Mausereignis = 1;
    zeichne(0, 109, 0, 3, 350, 39 * 3 + 210);
    EXPECT_EQ(aktiv, 1);
    EXPECT_EQ(aktive, 1);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
    w.rahmen.Mausereignis = 1;
    zeichne(0, 109, 0, 3, 350, 39 * 3 + 210);
    EXPECT_EQ(aktiv, 0);
    EXPECT_EQ(aktive, 0);
    // The switch's border does not count.
    w.rahmen.Mausereignis = 1;
    zeichne(0, 109, 0, 3, 341, 39 * 3 + 210);
    EXPECT_EQ(aktiv, 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 1);
}

// With the name on a line of its own a row is 56 pixels high: row 3's bar starts at
// 56 * 3 + 196 = 364 and its switch 4 below, at 368 (the border, outside the open hit box).
TEST_F(Zeile, InTwoLinesTheSwitchMovesDownWithItsRow)
{
    w.rahmen.Mausereignis = 1;
    zeichne(0, 109, 0, 3, 350, 368, true);
    EXPECT_EQ(aktiv, 0);
    zeichne(0, 109, 0, 3, 350, 369, true);
    EXPECT_EQ(aktiv, 1);
}

TEST_F(Zeile, TextShowsLevelPointsAndTarget)
{
    // The text row is white glyph pixels from x = 391; check that something white lies there and
    // that the text is as long as "Biosphäre Forschung: 2, 37/218" (30 characters).
    zeichne(2, 109, 37);
    int rechtestes = 0;
    for (int y = 39 + 208; y < 39 + 224; ++y)
        for (int x = 391; x < 391 + 40 * 8; ++x)
            if (w.pixel(x, y) == 0xFFFFFFFFu) rechtestes = std::max(rechtestes, x);
    EXPECT_GT(rechtestes, 391 + 29 * 8);
    EXPECT_LT(rechtestes, 391 + 30 * 8);
}

}  // namespace
}  // namespace qz
