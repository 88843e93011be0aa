// SUB_FLOTTEN_MITSPIELER on the headless backend: each co-player's own movement clock, sight
// strictly inside the scanner range of an own system or at a shared system, hidden fleets
// still moving, the own ships never touched.
#include "fleets/co_player_fleets.hpp"
#include "platform/headless/headless_platform.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

constexpr Farbe kRot = 0xFFFF0000;

struct Mitspieler : ::testing::Test {
    HeadlessPlatform platform;
    Rahmen rahmen{platform};
    Spielstand spiel;
    Feld<double> takt{1, 4, 0.0};

    void SetUp() override
    {
        platform.screenOpen(1024, 768, 32);
        for (int p = 1; p <= 4; ++p)
            for (int t = 1; t <= 8; ++t) rahmen.Schiffbild(p, t) = imageCreate(32, 32, kRot);
        spiel.eigenerSpieler = 1;
        spiel.Spieleranzahl = 3;
        spiel.Sternanzahl = 2;
        spiel.systeme.besitzer(1) = 1;
        spiel.systeme.pos(1, 1) = 500;
        spiel.systeme.pos(1, 2) = 300;
        spiel.systeme.pos(2, 1) = 900;
        spiel.systeme.pos(2, 2) = 300;
    }
    // One ship in space for player p at (x, y) standing at ort with a route.
    void schiff(int p, int x, int y, int ort, const std::string& route, int anzahl = 1)
    {
        SchiffSatz& s = spiel.saetze(p);
        for (auto& f : s.feld) f.redim(0, anzahl, "0");
        for (int k = 1; k <= anzahl; ++k) {
            s[kTyp](k) = "3";
            s[kX](k) = std::to_string(x);
            s[kY](k) = std::to_string(y);
            s[kOrt](k) = std::to_string(ort);
            s[kFlotte](k) = "1";
            s[kRoute](k) = route;
        }
        s.anzahl = anzahl;
    }
    void lauf(int scanner = 0)
    {
        clear(platform.screen());
        SUB_FLOTTEN_MITSPIELER(rahmen, spiel.saetze, spiel.spieler, takt, spiel.systeme, spiel.eigenerSpieler,
                               spiel.Spieleranzahl, 0, 0, scanner, spiel.Sternanzahl);
    }
    bool gezeichnetBei(int x, int y) { return point(&platform.screen(), x + 16, y + 16) == kRot; }
};

TEST_F(Mitspieler, SeenStrictlyInsideTheScannerRangeOfAnOwnSystem)
{
    // Icon centre 39 pixels left of system 1: seen at scanner level 0; at 40 not.
    schiff(2, 500 - 39 - 16, 300 - 16, 0, "0");
    lauf();
    EXPECT_TRUE(gezeichnetBei(500 - 39 - 16, 300 - 16));
    schiff(2, 500 - 40 - 16, 300 - 16, 0, "0");
    lauf();
    EXPECT_FALSE(gezeichnetBei(500 - 40 - 16, 300 - 16));
    lauf(1);
    EXPECT_TRUE(gezeichnetBei(500 - 40 - 16, 300 - 16)) << "level 1 widens the range to 45";
}

TEST_F(Mitspieler, ShipsOfAnUnknownTypeAreSkippedAndTheNextShipLeadsTheFleet)
{
    schiff(2, 484, 284, 1, "0", 3);
    SchiffSatz& s = spiel.saetze(2);
    s[kTyp](1) = "9";
    s[kTyp](2) = "0";
    s[kX](3) = "460";
    lauf();
    EXPECT_TRUE(gezeichnetBei(460, 284)) << "ship 3 stands for its fleet";
    EXPECT_FALSE(gezeichnetBei(484, 284));
}

TEST_F(Mitspieler, AtANeutralSystemSeenOnlyWhileAnOwnShipStandsThere)
{
    schiff(2, 880, 300, 2, "0");
    lauf();
    EXPECT_FALSE(gezeichnetBei(880, 300));
    schiff(1, 900, 320, 2, "0");
    lauf();
    EXPECT_TRUE(gezeichnetBei(880, 300));
}

TEST_F(Mitspieler, HiddenFleetsStillMoveAndTheOwnShipsNever)
{
    schiff(2, 1500, 1200, 0, "229");
    schiff(1, 100, 100, 0, "222");
    platform.advance(1.0);
    lauf();
    EXPECT_EQ(spiel.saetze(2).wert(kX, 1), 1501);
    EXPECT_EQ(spiel.saetze(2)[kRoute](1), "29");
    EXPECT_EQ(spiel.saetze(1).wert(kX, 1), 100);
    EXPECT_EQ(spiel.saetze(1)[kRoute](1), "222");
    platform.advance(0.12);
    lauf();
    platform.advance(0.12);
    lauf();
    EXPECT_EQ(spiel.saetze(2).wert(kX, 1), 1502);
    EXPECT_EQ(spiel.saetze(2)[kRoute](1), "0") << "the arrival digit only ends the route";
}

TEST_F(Mitspieler, EachPlayerStepsOnItsOwnClock)
{
    schiff(2, 1500, 1200, 0, "2222");
    schiff(3, 1500, 1400, 0, "2222");
    takt(3) = platform.timer() + 0.06;
    lauf();
    EXPECT_EQ(spiel.saetze(2).wert(kX, 1), 1501);
    EXPECT_EQ(spiel.saetze(3).wert(kX, 1), 1500);
    platform.advance(0.07);
    lauf();
    EXPECT_EQ(spiel.saetze(2).wert(kX, 1), 1501) << "player 2 waits 0.12 s for its next step";
    EXPECT_EQ(spiel.saetze(3).wert(kX, 1), 1501);
}

TEST_F(Mitspieler, OnlyTheFirstShipInSpaceOfAFleetMoves)
{
    schiff(2, 1500, 1200, 0, "22", 2);
    spiel.saetze(2)[kAngedockt](1) = "2";
    lauf();
    EXPECT_EQ(spiel.saetze(2).wert(kX, 1), 1500) << "docked ships do not move";
    EXPECT_EQ(spiel.saetze(2).wert(kX, 2), 1501);
}

TEST_F(Mitspieler, HugeFleetNumbersCostNoTable)
{
    schiff(2, 1500, 1200, 0, "2");
    spiel.saetze(2)[kFlotte](1) = "2000000000";
    spiel.spieler.hoechsteFlotte(2) = 2000000000;
    lauf();
    EXPECT_EQ(spiel.saetze(2).wert(kX, 1), 1501);
}

}  // namespace
}  // namespace qz
