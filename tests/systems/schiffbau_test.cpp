// Shipbuilding: orders that can or cannot be paid, the free slot, the day's equal share, the
// finished ship in all thirteen lists, lost surplus, and the queue bar.
#include "state/schiffslisten.hpp"
#include "systems/schiffbau.hpp"
#include "tests/systems/test_welt.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

class Schiffbau : public ::testing::Test {
protected:
    testwelt::Welt w;
    Sternsysteme& sys = w.spiel.systeme;
    int& geld = w.spiel.wirtschaft.geld;
    const int s = 3;

    void SetUp() override
    {
        w.system(s, 400, 400, 1, 1);
        sys.einwohner(s) = 17;
        sys.werft(s) = 40;
    }

    // The catalogue open, a click on the cell of type t.
    void bestelle(int typ)
    {
        static const int kPunkt[9][2] = {{0, 0},     {400, 240}, {600, 240}, {400, 285}, {600, 285},
                                         {400, 330}, {600, 330}, {400, 375}, {600, 375}};
        w.rahmen.Mausereignis = 1;
        tab(kPunkt[typ][0], kPunkt[typ][1]);
    }
    void tab(int x = -1, int y = -1, int katalog = 1)
    {
        clear(w.rahmen.screen());
        SUB_STERNSYSTEM_SCHIFFBAU(w.rahmen, sys.einwohner(s), katalog, 1, s, geld, x, y, w.rahmen.Mausereignis,
                                  sys.bauAufwand, sys.bauFortschritt, sys.bauTyp, sys.bauAuftraege(s));
    }
    void tag(int besitzer = 1)
    {
        SUB_SCHIFFBAU(1, besitzer, w.spiel.schiffe, sys.werft(s), sys.bauAufwand, sys.bauFortschritt, sys.bauTyp, s,
                      sys.bauAuftraege(s));
    }
};

TEST_F(Schiffbau, ColonyShipNeedsMoneyAndPopulation)
{
    geld = 379;
    bestelle(1);
    EXPECT_EQ(sys.bauAuftraege(s), 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 1);  // a refused order leaves the click
    geld = 380;
    sys.einwohner(s) = 16;
    bestelle(1);
    EXPECT_EQ(sys.bauAuftraege(s), 0);
    sys.einwohner(s) = 17;
    bestelle(1);
    EXPECT_EQ(sys.bauAuftraege(s), 1);
    EXPECT_EQ(geld, 0);
    EXPECT_EQ(sys.einwohner(s), 2);
    EXPECT_EQ(sys.bauTyp(s, 1), 1);
    EXPECT_EQ(sys.bauAufwand(s, 1), 500);
    EXPECT_EQ(sys.bauFortschritt(s, 1), 0);
    EXPECT_EQ(w.rahmen.Mausereignis, 0);
}

TEST_F(Schiffbau, EveryTypeHasItsPriceAndPoints)
{
    const int preis[9] = {0, 380, 620, 842, 1080, 1330, 1590, 3500, 4900};
    const int punkte[9] = {0, 500, 840, 1050, 1300, 1560, 1800, 2500, 3000};
    for (int t = 2; t <= 8; ++t) {
        sys.bauAuftraege(s) = 0;
        sys.bauAufwand(s, 1) = 0;
        geld = preis[t];
        bestelle(t);
        EXPECT_EQ(geld, 0) << t;
        EXPECT_EQ(sys.bauTyp(s, 1), t);
        EXPECT_EQ(sys.bauAufwand(s, 1), punkte[t]);
    }
}

TEST_F(Schiffbau, ClickAreasOfTheRightColumnEndBeforeTheFrame)
{
    geld = 10000;
    w.rahmen.Mausereignis = 1;
    tab(692, 240);
    EXPECT_EQ(sys.bauAuftraege(s), 0);
    tab(691, 240);
    EXPECT_EQ(sys.bauTyp(s, 1), 2);
}

TEST_F(Schiffbau, ThreeOrdersFillTheQueueAndFurtherClicksDoNothing)
{
    geld = 100000;
    bestelle(2);
    bestelle(3);
    bestelle(4);
    EXPECT_EQ(sys.bauAuftraege(s), 3);
    bestelle(5);
    EXPECT_EQ(sys.bauAuftraege(s), 3);
    EXPECT_EQ(geld, 100000 - 620 - 842 - 1080);
}

TEST_F(Schiffbau, WithoutTheCatalogueNothingIsOrdered)
{
    geld = 10000;
    w.rahmen.Mausereignis = 1;
    tab(400, 240, 0);
    EXPECT_EQ(sys.bauAuftraege(s), 0);
}

TEST_F(Schiffbau, TwoOrdersShareTheShipyardAndTheColonyShipTakesTwentyFiveDays)
{
    geld = 100000;
    bestelle(1);
    bestelle(8);
    int tage = 0;
    while (w.spiel.schiffe[kTyp].empty() && tage < 100) {
        tag();
        ++tage;
    }
    EXPECT_EQ(tage, 25);
    EXPECT_EQ(sys.bauFortschritt(s, 2), 500);
    EXPECT_EQ(sys.bauAuftraege(s), 1);
    EXPECT_EQ(sys.bauTyp(s, 1), 0);
}

TEST_F(Schiffbau, SharesRoundHalvesToEven)
{
    sys.werft(s) = 5;
    sys.bauTyp(s, 1) = sys.bauTyp(s, 2) = 2;
    sys.bauAufwand(s, 1) = sys.bauAufwand(s, 2) = 840;
    sys.bauAuftraege(s) = 2;
    tag();
    EXPECT_EQ(sys.bauFortschritt(s, 1), 2);
    sys.bauTyp(s, 3) = 2;
    sys.bauAufwand(s, 3) = 840;
    sys.bauAuftraege(s) = 3;
    tag();
    EXPECT_EQ(sys.bauFortschritt(s, 1), 4);
    EXPECT_EQ(sys.bauFortschritt(s, 3), 2);
}

TEST_F(Schiffbau, TheShareIsFixedAtEntryEvenWhenAnOrderFinishes)
{
    sys.werft(s) = 40;
    sys.bauTyp(s, 1) = sys.bauTyp(s, 2) = 2;
    sys.bauAufwand(s, 1) = sys.bauAufwand(s, 2) = 840;
    sys.bauFortschritt(s, 1) = 830;
    sys.bauAuftraege(s) = 2;
    tag();
    EXPECT_EQ(sys.bauFortschritt(s, 2), 20);
    EXPECT_EQ(sys.bauAuftraege(s), 1);
}

TEST_F(Schiffbau, AFinishedShipJoinsAllListsDockedWithFullValuesAndSurplusIsLost)
{
    std::array<long long, kSchiffsfelder> alt{};
    alt[kTyp] = 3;
    schiffAnhaengen(w.spiel.schiffe, alt);
    sys.bauTyp(s, 2) = 7;
    sys.bauAufwand(s, 2) = 2500;
    sys.bauFortschritt(s, 2) = 2490;
    sys.bauAuftraege(s) = 1;
    tag();
    schiffeSchneiden(w.spiel.schiffe, w.satz());
    ASSERT_EQ(w.satz().anzahl, 2);
    EXPECT_EQ(w.wert(kTyp, 2), 7);
    EXPECT_EQ(w.wert(kAngedockt, 2), s);
    EXPECT_EQ(w.wert(kSchild, 2), 400);
    EXPECT_EQ(w.wert(kHuelle, 2), 1250);
    EXPECT_EQ(w.wert(kFeuerkraft, 2), 145);
    for (Schiffsfeld f : {kOrt, kZiel, kX, kY, kZielX, kZielY, kFlotte, kRoute}) EXPECT_EQ(w.satz()[f](2), "0");
    EXPECT_EQ(sys.bauFortschritt(s, 2), 0);
    EXPECT_EQ(sys.bauAufwand(s, 2), 0);
    EXPECT_EQ(sys.bauTyp(s, 2), 0);
    EXPECT_EQ(sys.bauAuftraege(s), 0);
}

TEST_F(Schiffbau, SlotsAreReusedWithoutCompaction)
{
    geld = 100000;
    bestelle(2);
    bestelle(3);
    bestelle(4);
    sys.bauFortschritt(s, 1) = 840;
    sys.bauFortschritt(s, 2) = 1050;
    sys.werft(s) = 0;
    tag();
    EXPECT_EQ(sys.bauAuftraege(s), 1);
    EXPECT_EQ(sys.bauTyp(s, 3), 4);
    bestelle(5);
    EXPECT_EQ(sys.bauTyp(s, 1), 5);
    EXPECT_EQ(sys.bauTyp(s, 2), 0);
    EXPECT_EQ(sys.bauTyp(s, 3), 4);
}

TEST_F(Schiffbau, AConqueredShipyardStandsStill)
{
    sys.bauTyp(s, 1) = 2;
    sys.bauAufwand(s, 1) = 840;
    sys.bauAuftraege(s) = 1;
    tag(2);
    EXPECT_EQ(sys.bauFortschritt(s, 1), 0);
}

TEST_F(Schiffbau, QueueBarAndCounter)
{
    sys.bauTyp(s, 2) = 2;
    sys.bauAufwand(s, 2) = 840;
    sys.bauFortschritt(s, 2) = 420;  // half: bar from 369 to 513 (143.5 + 369 = 512.5 -> 512)
    sys.bauAuftraege(s) = 1;
    tab(-1, -1, 0);
    const Farbe bar = 0xFF7D7546;
    EXPECT_EQ(w.pixel(500, 39 * 2 + 43), bar);
    EXPECT_EQ(w.pixel(512, 39 * 2 + 17), bar);
    EXPECT_NE(w.pixel(513, 39 * 2 + 17), bar);
    EXPECT_NE(w.pixel(500, 39 * 1 + 30), bar);  // the empty first slot draws nothing
}

TEST_F(Schiffbau, HoverShowsTheTypesInformation)
{
    tab(400, 240);
    bool weiss = false;
    for (int y = 413; y < 429; ++y)
        for (int x = 332; x < 332 + 20 * 8; ++x) weiss |= w.pixel(x, y) == 0xFFFFFFFFu;
    EXPECT_TRUE(weiss);
    tab(100, 100);
    weiss = false;
    for (int y = 413; y < 429; ++y)
        for (int x = 332; x < 332 + 20 * 8; ++x) weiss |= w.pixel(x, y) == 0xFFFFFFFFu;
    EXPECT_FALSE(weiss);
}

}  // namespace
}  // namespace qz
