// Docking: the composition bar, the red, green or missing "Andocken" and the docking itself.
#include "fleets/andocken.hpp"
#include "tests/systems/test_welt.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using testwelt::Schiffsdaten;

constexpr Farbe kRot = 0xFF8B0000, kGruen = 0xFF228B22;

class Andocken : public ::testing::Test {
protected:
    testwelt::Welt w;
    Kartenzustand& karte = w.spiel.karte;

    void SetUp() override
    {
        w.system(1, 500, 400, 1, 1);
        w.system(2, 700, 400, 0, 1);
        for (int typ : {2, 2, 1}) {
            Schiffsdaten d;
            d.typ = typ;
            d.ort = 1;
            d.x = d.zielX = 484;
            d.y = d.zielY = 404;
            d.flotte = 1;
            d.route = "0";
            w.neuesSchiff(d);
        }
        Schiffsdaten andere;
        andere.ort = 1;
        andere.x = andere.zielX = 484;
        andere.y = andere.zielY = 404;
        andere.flotte = 2;
        w.neuesSchiff(andere);
        karte.gewaehlteFlotte = 1;
        karte.gewaehltesSchiff = 1;
        karte.gewaehlteTypen(1) = 1;
        karte.gewaehlteTypen(2) = 2;
    }

    void frame(int x = -1, int y = -1)
    {
        clear(w.rahmen.screen());
        SUB_FLOTTE_ANDOCKEN(w.rahmen, karte, w.satz(), w.spiel.systeme, w.satz().anzahl, x, y, 1);
    }
    Farbe knopf() { return w.pixel(690, 680); }
};

TEST_F(Andocken, GreenAtAnOwnSystemWhileStanding)
{
    frame();
    EXPECT_EQ(knopf(), kGruen);
}

TEST_F(Andocken, RedInFlightAndTheClickDoesNothing)
{
    w.satz().setze(kOrt, 1, 0);
    w.rahmen.Mausereignis = 1;
    frame(600, 680);
    EXPECT_EQ(knopf(), kRot);
    EXPECT_EQ(w.wert(kAngedockt, 1), 0);
    EXPECT_EQ(karte.gewaehlteFlotte, 1);
}

TEST_F(Andocken, NoButtonAtAForeignOrUnownedSystem)
{
    for (int k = 1; k <= 3; ++k) w.satz().setze(kOrt, k, 2);
    frame();
    EXPECT_EQ(knopf(), 0xFF000000u);
    w.spiel.systeme.besitzer(2) = 3;
    frame();
    EXPECT_EQ(knopf(), 0xFF000000u);
}

TEST_F(Andocken, NoButtonWhileStillMovingInAtAnOwnSystem)
{
    w.satz().setze(kZielX, 1, 600);
    frame();
    EXPECT_EQ(knopf(), 0xFF000000u);
}

TEST_F(Andocken, BoundsAreExclusive)
{
    w.rahmen.Mausereignis = 1;
    frame(570, 680);
    EXPECT_EQ(w.wert(kAngedockt, 1), 0);
    frame(600, 692);
    EXPECT_EQ(w.wert(kAngedockt, 1), 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 1);
}

TEST_F(Andocken, DockingEmptiesTheFleetIntoTheHangar)
{
    w.satz()[kRoute](2) = "222";
    w.rahmen.Mausereignis = 1;
    frame(571, 691);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(w.wert(kAngedockt, k), 1) << k;
        for (Schiffsfeld f : {kOrt, kX, kY, kZielX, kZielY}) EXPECT_EQ(w.satz()[f](k), "0");
        EXPECT_EQ(w.satz()[kRoute](k), "0");
        EXPECT_EQ(w.wert(kFlotte, k), 1);
    }
    EXPECT_EQ(w.wert(kAngedockt, 4), 0);  // another fleet at the same system stays out
    EXPECT_EQ(karte.gewaehlteFlotte, 0);
    EXPECT_EQ(karte.gewaehltesSchiff, 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
    EXPECT_EQ(w.klicks(), 1);
}

TEST_F(Andocken, CompositionCountsAreShown)
{
    frame();
    // "2x" at (210, 682): some glyph pixel of the text is white.
    bool weiss = false;
    for (int y = 682; y < 698; ++y)
        for (int x = 210; x < 226; ++x) weiss |= w.pixel(x, y) == 0xFFFFFFFFu;
    EXPECT_TRUE(weiss);
}

}  // namespace
}  // namespace qz
