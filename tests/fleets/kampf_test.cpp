// SUB_MP_KAMPF: shares rounded half to even, shields first, enemies in player order, losses
// below hull 1, and the selection after a loss.
#include "fleets/combat.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct Kampf : ::testing::Test {
    Feld<std::string> typ, schild, huelle, flotte;
    int gewaehlteFlotte = 0;
    int gewaehltesSchiff = 0;

    // Own ships as (typ, shield, hull, fleet).
    void schiffe(std::initializer_list<std::array<int, 4>> liste)
    {
        const int n = static_cast<int>(liste.size());
        for (auto* f : {&typ, &schild, &huelle, &flotte}) f->redim(0, n, "");
        int k = 1;
        for (const auto& s : liste) {
            typ(k) = std::to_string(s[0]);
            schild(k) = std::to_string(s[1]);
            huelle(k) = std::to_string(s[2]);
            flotte(k) = std::to_string(s[3]);
            ++k;
        }
    }
    static KampfGegner gegner(int spieler, const std::string& feuerkraft)
    {
        KampfGegner g;
        g.spieler = spieler;
        g.feuerkraft = feuerkraft;
        g.anzahl = static_cast<int>(std::count(feuerkraft.begin(), feuerkraft.end(), ','));
        g.schiffe = feuerkraft;
        return g;
    }
    void kampf(const std::string& eigene, int n, std::array<KampfGegner, 3> g)
    {
        SUB_MP_KAMPF(2, gewaehlteFlotte, gewaehltesSchiff, typ, schild, huelle, flotte, eigene, n, g);
    }
};

TEST_F(Kampf, OneEnemySpreadsItsFirepowerOverTheOwnParticipants)
{
    schiffe({{3, 0, 200, 1}, {3, 0, 200, 1}});
    kampf(",1,2", 2, {gegner(1, ",60,40"), KampfGegner{}, KampfGegner{}});
    EXPECT_EQ(huelle(1), "150");
    EXPECT_EQ(huelle(2), "150");
}

TEST_F(Kampf, SharesRoundHalfToEven)
{
    EXPECT_EQ(kampfSchaden(",5", 2), 2);   // 2.5
    EXPECT_EQ(kampfSchaden(",7", 2), 4);   // 3.5
    EXPECT_EQ(kampfSchaden(",10", 4), 2);  // 2.5
    EXPECT_EQ(kampfSchaden(",x,9", 2), 4); // a non-number counts 0: 4.5
}

TEST_F(Kampf, ShieldsAbsorbFirst)
{
    schiffe({{3, 30, 100, 1}, {3, 30, 100, 1}, {3, 30, 100, 1}});
    kampf(",1", 1, {gegner(1, ",50"), {}, {}});
    EXPECT_EQ(schild(1), "0");
    EXPECT_EQ(huelle(1), "80");
    kampf(",2", 1, {gegner(1, ",30"), {}, {}});
    EXPECT_EQ(schild(2), "0");
    EXPECT_EQ(huelle(2), "100");
    kampf(",3", 1, {gegner(1, ",20"), {}, {}});
    EXPECT_EQ(schild(3), "10");
    EXPECT_EQ(huelle(3), "100");
}

TEST_F(Kampf, ThreeEnemiesHitOneAfterAnotherInPlayerOrder)
{
    // Shield 25: player 1 takes 20 of it, player 3's 10 breaks the last 5 and 5 reach the hull,
    // player 4's 7 go to the hull.
    schiffe({{3, 25, 100, 1}});
    kampf(",1", 1, {gegner(1, ",20"), gegner(3, ",10"), gegner(4, ",7")});
    EXPECT_EQ(schild(1), "0");
    EXPECT_EQ(huelle(1), "88");
}

TEST_F(Kampf, HullOfOneSurvivesZeroIsDestroyed)
{
    schiffe({{3, 0, 11, 1}, {4, 0, 10, 2}});
    kampf(",1,2", 2, {gegner(1, ",20"), {}, {}});
    EXPECT_EQ(huelle(1), "1");
    EXPECT_EQ(typ(1), "3");
    EXPECT_EQ(typ(2), "0");
    EXPECT_EQ(flotte(2), "0");
}

TEST_F(Kampf, NoOwnParticipantsChangesNothing)
{
    schiffe({{3, 0, 10, 1}});
    kampf("", 0, {gegner(1, ",500"), {}, {}});
    EXPECT_EQ(huelle(1), "10");
}

TEST_F(Kampf, SelectionStaysWhileTheFleetHasAShipAnywhere)
{
    // Ship 1 of fleet 5 dies in battle; ship 3 of fleet 5 is elsewhere and not in the battle.
    schiffe({{3, 0, 10, 5}, {3, 0, 500, 6}, {3, 0, 500, 5}});
    gewaehlteFlotte = 5;
    gewaehltesSchiff = 1;
    kampf(",1,2", 2, {gegner(1, ",40"), {}, {}});
    EXPECT_EQ(typ(1), "0");
    EXPECT_EQ(gewaehlteFlotte, 5);
    EXPECT_EQ(gewaehltesSchiff, 2) << "ship 3 becomes ship 2 once the lost ship is dropped";
}

TEST_F(Kampf, SelectionIsClearedWhenItsFleetIsGone)
{
    schiffe({{3, 0, 10, 5}, {3, 0, 500, 6}});
    gewaehlteFlotte = 5;
    gewaehltesSchiff = 1;
    kampf(",1,2", 2, {gegner(1, ",40"), {}, {}});
    EXPECT_EQ(gewaehlteFlotte, 0);
    EXPECT_EQ(gewaehltesSchiff, 0);
}

TEST_F(Kampf, OtherFleetSelectedSurvivesAnotherFleetsLoss)
{
    schiffe({{3, 0, 10, 5}, {3, 0, 500, 6}});
    gewaehlteFlotte = 6;
    gewaehltesSchiff = 2;
    kampf(",1", 1, {gegner(1, ",40"), {}, {}});
    EXPECT_EQ(gewaehlteFlotte, 6);
    EXPECT_EQ(gewaehltesSchiff, 1);
}

}  // namespace
}  // namespace qz
