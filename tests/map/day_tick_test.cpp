// The day tick around the accounting: trade income before the owner test, only own systems
// settled, the next day's start, and the lists cut afterwards.
#include "state/schiffslisten.hpp"
#include "map/tagesabrechnung.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct Tag : ::testing::Test {
    Spielstand spiel;
    void SetUp() override
    {
        spiel.eigenerSpieler = 1;
        spiel.Sternanzahl = 50;
    }
};

TEST_F(Tag, ADayWithoutOwnSystemsSettlesNothing)
{
    spiel.wirtschaft.einnahmen = 99;
    spiel.wirtschaft.versorgungsverbrauch = -7;
    spiel.systeme.besitzer(3) = 2;
    spiel.systeme.einwohner(3) = 40;
    tageswechsel(spiel, 500.0);
    const Wirtschaft& w = spiel.wirtschaft;
    EXPECT_EQ(w.einnahmen + w.forschungskosten + w.versorgungsertrag + w.versorgungsverbrauch + w.forschungsertrag, 0);
    EXPECT_EQ(w.geld, 2000);
    EXPECT_EQ(w.vorrat, 500);
    EXPECT_EQ(w.naechsterTag, 505.0);
    EXPECT_EQ(spiel.systeme.einwohner(3), 40);
}

TEST_F(Tag, TradeLinksEarnTwentyWhoeverOwnsTheSystem)
{
    spiel.systeme.handelsposten(4) = 9;   // nobody's system trading through post 9
    spiel.systeme.handelsposten(9) = -42; // the post itself earns nothing by this rule
    spiel.systeme.handelsposten(60) = 9;  // beyond Sternanzahl: not counted
    tageswechsel(spiel, 0.0);
    EXPECT_EQ(spiel.wirtschaft.einnahmen, 20);
    EXPECT_EQ(spiel.wirtschaft.geld, 2020);
}

TEST_F(Tag, OwnSystemsAreSettledAndTheBudgetBuysResearch)
{
    Sternsysteme& s = spiel.systeme;
    for (int i : {2, 5}) {
        s.besitzer(i) = 1;
        s.typ(i) = 1;
        s.einwohnerBasis(i) = 100;
        s.einwohner(i) = 20;
        s.versorgungBasis(i) = 100;
        s.versorgung(i) = 10;
        s.forschungBasis(i) = 100;
        s.forschung(i) = 5;
    }
    s.handelsposten(5) = 2;
    spiel.wirtschaft.forschungsetat = 25;
    tageswechsel(spiel, 10.0);
    const Wirtschaft& w = spiel.wirtschaft;
    EXPECT_EQ(w.einnahmen, 20 + 2 * 23);
    EXPECT_EQ(w.forschungskosten, -12);
    EXPECT_EQ(w.forschungsausgaben, 14);  // (66 - 12) * 25 / 100 = 13.5 -> 14
    EXPECT_EQ(w.geld, 2000 + 66 - 12 - 14);
    EXPECT_EQ(w.vorrat, 500 + 24 - 46);
    EXPECT_EQ(w.forschungspunkte, 2 + 12);  // round(2.1) + 12
}

TEST_F(Tag, TheShipListsAndTheTradeListAreCutAfterTheDay)
{
    spiel.schiffe[kTyp] = ",3,4";
    for (int f = 1; f < kSchiffsfelder; ++f) spiel.schiffe.liste[f] = ",1,2";
    spiel.karte.handelsliste = ",1,2";
    tageswechsel(spiel, 0.0);
    EXPECT_EQ(spiel.saetze(1).anzahl, 2);
    EXPECT_EQ(spiel.saetze(1)[kTyp](2), "4");
    EXPECT_EQ(spiel.karte.handelsliste, "");  // emptied before the trade routine runs
    EXPECT_EQ(spiel.karte.handelsAnzahl, 0);
}

TEST_F(Tag, ChangesOfTheWorkingSetSurviveTheDayChange)
{
    spiel.schiffe[kTyp] = ",1,4";
    for (int f = 1; f < kSchiffsfelder; ++f) spiel.schiffe.liste[f] = ",10,20";
    schiffeSchneiden(spiel.schiffe, spiel.saetze(1));
    SchiffSatz& satz = spiel.saetze(1);
    satz.setze(kX, 2, 21);  // a step flown during the last frame
    satz.setze(kTyp, 1, 0); // a colony ship used up during the last frame
    tageswechsel(spiel, 0.0);
    ASSERT_EQ(satz.anzahl, 1);
    EXPECT_EQ(satz.wert(kTyp, 1), 4);
    EXPECT_EQ(satz.wert(kX, 1), 21);
    EXPECT_EQ(spiel.schiffe[kX], ",21");
}

}  // namespace
}  // namespace qz
