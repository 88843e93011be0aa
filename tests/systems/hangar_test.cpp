// Hangar and repair: shields everywhere and hull only docked, the maxima with research, the
// pages of 14 with their arrows, fleet membership, and undocking to the parking point.
#include "systems/hangar.hpp"
#include "tests/systems/test_welt.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using testwelt::Schiffsdaten;

struct Reparatur {
    std::string schild, huelle;
    void frame(int typ, bool gedockt, int l9 = 0, int l11 = 0, int l10 = 0, int l12 = 0)
    {
        SUB_SCHIFFEREPARIEREN(l9, l11, l10, l12, std::to_string(typ), schild, huelle, gedockt ? "4" : "0");
    }
};

TEST(Reparatur, ShieldReachesItsMaximumInElevenFrames)
{
    Reparatur r{"40", "500"};
    for (int i = 0; i < 10; ++i) r.frame(2, false);
    EXPECT_EQ(r.schild, "140");
    r.frame(2, false);
    EXPECT_EQ(r.schild, "150");
    r.frame(2, false);
    EXPECT_EQ(r.schild, "150");
}

TEST(Reparatur, ShieldMaximumGrowsWithLevelNine)
{
    Reparatur r{"150", "500"};
    r.frame(2, false, 2);
    EXPECT_EQ(r.schild, "160");
}

TEST(Reparatur, RechargeGrowsWithLevelEleven)
{
    Reparatur r{"0", "500"};
    r.frame(8, false, 0, 7);
    EXPECT_EQ(r.schild, "17");
}

TEST(Reparatur, HullIsRepairedOnlyInAHangarAndCapped)
{
    Reparatur r{"400", "1245"};
    r.frame(7, false);
    EXPECT_EQ(r.huelle, "1245");
    r.frame(7, true);
    EXPECT_EQ(r.huelle, "1250");
    Reparatur s{"0", "400"};
    s.frame(1, true, 0, 0, 3, 4);  // max 465, +14
    EXPECT_EQ(s.huelle, "414");
}

TEST(Reparatur, UnknownTypesHaveZeroMaxima)
{
    Reparatur r{"30", "80"};
    r.frame(0, true);
    EXPECT_EQ(r.schild, "0");
    EXPECT_EQ(r.huelle, "0");
}

class Hangar : public ::testing::Test {
protected:
    testwelt::Welt w;
    Kartenzustand& k = w.spiel.karte;
    int& hoechste = w.spiel.spieler.hoechsteFlotte(1);
    const int s = 2;

    void SetUp() override { w.system(s, 800, 600, 1, 1); }

    void gedockt(int anzahl, int flotte = 0, int typ = 2)
    {
        for (int i = 0; i < anzahl; ++i) {
            Schiffsdaten d;
            d.typ = typ;
            d.angedockt = s;
            d.flotte = flotte;
            w.neuesSchiff(d);
        }
    }
    void frame(int x = -1, int y = -1)
    {
        clear(w.rahmen.screen());
        SUB_STERNSYSTEM_HANGER(w.rahmen, 1, 0, 0, k.abdockFlotte, hoechste, k.hangarSchiff, k.hangarFlotte, x, y,
                               w.rahmen.Mausereignis, w.rahmen.Tastencode, k.flottenSeite, k.hangarSeite, w.satz(),
                               w.satz().anzahl, s);
    }
    void klick(int x, int y)
    {
        w.rahmen.Mausereignis = 1;
        frame(x, y);
    }
    // Centre of hangar cell c (1..14) and of fleet-list cell c.
    static std::pair<int, int> zelle(int c, int links = 132, int rechts = 313)
    {
        return {(c % 2 == 1 ? links : rechts) + 90, 219 + 45 * ((c + 1) / 2) + 22};
    }
    void klickZelle(int c) { auto [x, y] = zelle(c); klick(x, y); }
    void klickFlottenZelle(int c) { auto [x, y] = zelle(c, 532, 713); klick(x, y); }
    // The stand-in of interface picture k is filled with rgb(40, 40, 40 + k).
    bool bild(int x, int y, int k) { return w.pixel(x, y) == rgb(40, 40, 40 + k); }
    bool pfeilVor() { return bild(480, 230, 16); }
    bool pfeilZurueck() { return bild(455, 230, 17); }
};

TEST_F(Hangar, EmptyHangarShowsNothing)
{
    frame();
    EXPECT_EQ(w.pixel(600, 300), 0xFF000000u);
}

TEST_F(Hangar, CreatingAFleetAndAddingShips)
{
    gedockt(3);
    hoechste = 4;
    klickZelle(1);
    EXPECT_EQ(k.hangarSchiff, 1);
    EXPECT_EQ(k.hangarFlotte, 0);
    klick(300, 250);  // "Flotte erstellen"
    EXPECT_EQ(hoechste, 5);
    EXPECT_EQ(k.hangarFlotte, 5);
    EXPECT_EQ(w.wert(kFlotte, 1), 5);
    klickZelle(3);
    EXPECT_EQ(w.wert(kFlotte, 3), 5);
    EXPECT_EQ(w.wert(kFlotte, 2), 0);
    EXPECT_EQ(w.klicks(), 3);
}

TEST_F(Hangar, ClickingAShipOfAFleetSelectsTheFleet)
{
    gedockt(2, 7);
    klickZelle(2);
    EXPECT_EQ(k.hangarSchiff, 2);
    EXPECT_EQ(k.hangarFlotte, 7);
}

TEST_F(Hangar, AShipMovesFromOneFleetToTheSelected)
{
    gedockt(1, 3);
    gedockt(1, 4);
    klickZelle(1);
    klickZelle(2);
    EXPECT_EQ(w.wert(kFlotte, 2), 3);
}

TEST_F(Hangar, FleetListRemovesOthersButNotTheSelectedShip)
{
    gedockt(3, 2);
    klickZelle(1);
    klickFlottenZelle(1);
    EXPECT_EQ(w.wert(kFlotte, 1), 2);
    EXPECT_EQ(w.rahmen.Mausereignis, 1);
    klickFlottenZelle(2);
    EXPECT_EQ(w.wert(kFlotte, 2), 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
}

TEST_F(Hangar, DeletingAFleetFreesAllItsShips)
{
    gedockt(3, 2);
    gedockt(1, 9);
    klickZelle(1);
    klick(300, 250);  // "Flotte löschen"
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(w.wert(kFlotte, i), 0);
    EXPECT_EQ(w.wert(kFlotte, 4), 9);
    EXPECT_EQ(k.hangarSchiff, 0);
    EXPECT_EQ(k.hangarFlotte, 0);
}

TEST_F(Hangar, UndockRequestResetsSelectionAndPages)
{
    gedockt(20, 2);
    k.hangarSeite = 2;
    k.flottenSeite = 2;
    klickZelle(1);
    klick(700, 250);  // "Flotte abdocken"
    EXPECT_EQ(k.abdockFlotte, 2);
    EXPECT_EQ(k.hangarSchiff, 0);
    EXPECT_EQ(k.hangarFlotte, 0);
    EXPECT_EQ(k.hangarSeite, 1);
    EXPECT_EQ(k.flottenSeite, 1);
}

TEST_F(Hangar, NoSecondUndockWhileOneIsPending)
{
    gedockt(2, 2);
    gedockt(2, 3);
    k.abdockFlotte = 3;
    klickZelle(1);
    klick(700, 250);
    EXPECT_EQ(k.abdockFlotte, 3);
    EXPECT_EQ(k.hangarFlotte, 2);
}

TEST_F(Hangar, FourteenShipsAreOnePageWithoutArrows)
{
    gedockt(14);
    frame();
    EXPECT_FALSE(pfeilVor());
    EXPECT_FALSE(pfeilZurueck());
}

TEST_F(Hangar, FifteenShipsGiveASecondPageWithOneCell)
{
    gedockt(15);
    frame();
    EXPECT_TRUE(pfeilVor());
    EXPECT_FALSE(pfeilZurueck());
    klick(480, 230);
    EXPECT_EQ(k.hangarSeite, 2);
    frame();
    EXPECT_FALSE(pfeilVor());
    EXPECT_TRUE(pfeilZurueck());
    EXPECT_TRUE(bild(133, 266, 12));   // cell 1
    EXPECT_FALSE(bild(314, 266, 12));  // no cell 2
    klickZelle(1);
    EXPECT_EQ(k.hangarSchiff, 15);
}

TEST_F(Hangar, TwentyEightShipsFillPageTwoAndTheNextArrowIsGoneAndInert)
{
    gedockt(28);
    k.hangarSeite = 2;
    frame();
    EXPECT_FALSE(pfeilVor());
    klick(480, 230);
    EXPECT_EQ(k.hangarSeite, 2);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);  // consumed all the same
    klick(455, 230);
    EXPECT_EQ(k.hangarSeite, 1);
}

TEST_F(Hangar, RemovingTheLastOfAFleetPageGoesBack)
{
    gedockt(15, 2);
    klickZelle(1);  // ship 1 selected, fleet 2
    k.flottenSeite = 2;
    klickFlottenZelle(1);  // ship 15, alone on page 2
    EXPECT_EQ(w.wert(kFlotte, 15), 0);
    EXPECT_EQ(k.flottenSeite, 1);
}

TEST_F(Hangar, APageBehindTheEndOfAShorterListShowsTheLastPage)
{
    gedockt(20, 2);
    gedockt(3, 5);
    klickZelle(1);
    k.flottenSeite = 2;
    klick(300, 250);  // "Flotte löschen" keeps the fleet-list page at 2
    ASSERT_EQ(k.flottenSeite, 2);
    // Select fleet 5 (three ships, one page): its list shows them instead of an empty page 2.
    k.hangarSeite = 2;
    klickZelle(7);  // ship 21, fleet 5
    ASSERT_EQ(k.hangarFlotte, 5);
    frame();
    EXPECT_EQ(k.flottenSeite, 1);
    EXPECT_TRUE(bild(535, 267, 12));
}

TEST_F(Hangar, HighlightAndValuesOfACell)
{
    gedockt(1, 0, 5);
    w.satz().setze(kSchild, 1, 120);
    klickZelle(1);
    frame();
    EXPECT_EQ(w.pixel(133, 270), 0xFF9DFF46u);  // the box one pixel inside the cell
    EXPECT_EQ(w.pixel(311, 300), 0xFF9DFF46u);
}

}  // namespace
}  // namespace qz
