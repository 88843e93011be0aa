// The accounting of one own system and the settlement of the day's totals, with the numbers
// of their rules: the type-dependent maxima, growth from the value before its own update,
// defences only while not attacked, and halves rounded to even.
#include "map/tagesabrechnung.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct Abrechnung : ::testing::Test {
    Sternsysteme s;
    Forschung f;
    Wirtschaft w;
    static constexpr int i = 3;

    void stufen(int L1, int L2, int L4, int L6, int L7, int L8)
    {
        f.thema(1).stufe = L1;
        f.thema(2).stufe = L2;
        f.thema(4).stufe = L4;
        f.thema(6).stufe = L6;
        f.thema(7).stufe = L7;
        f.thema(8).stufe = L8;
    }
    void system(int typ, int einwohnerBasis, int einwohner)
    {
        s.typ(i) = typ;
        s.einwohnerBasis(i) = einwohnerBasis;
        s.einwohner(i) = einwohner;
    }
    void rechne() { SUB_TAGESABRECHNUNG(s, i, f, w); }
};

TEST_F(Abrechnung, GrowthStartsBelowTheMaximumAndMayPassIt)
{
    system(1, 50, 48);
    rechne();
    EXPECT_EQ(s.einwohnerMax(i), 50);
    EXPECT_EQ(s.einwohner(i), 51);
    rechne();
    EXPECT_EQ(s.einwohner(i), 51);  // above the maximum: no growth, no cut back
}

TEST_F(Abrechnung, PopulationMaximumDependsOnTypeWithHalvesToEven)
{
    stufen(5, 0, 0, 0, 0, 0);
    system(1, 50, 0);
    rechne();
    EXPECT_EQ(s.einwohnerMax(i), 52);  // round(2.5) = 2
    system(4, 50, 0);
    rechne();
    EXPECT_EQ(s.einwohnerMax(i), 50);  // round(0.5) = 0
    system(5, 50, 0);
    rechne();
    EXPECT_EQ(s.einwohnerMax(i), 50);  // round(0.25) = 0

    stufen(30, 0, 0, 0, 0, 0);
    for (int typ : {5, 6, 12}) {
        system(typ, 10, 0);
        rechne();
        EXPECT_EQ(s.einwohnerMax(i), 12) << typ;  // round(1.5) = 2
    }
    for (int typ : {4, 9, 16}) {
        system(typ, 10, 0);
        rechne();
        EXPECT_EQ(s.einwohnerMax(i), 13) << typ;
    }
    for (int typ : {1, 2, 3, 7, 8, 10, 11, 13, 14, 15, 17, 42}) {
        system(typ, 10, 0);
        rechne();
        EXPECT_EQ(s.einwohnerMax(i), 25) << typ;
    }
}

TEST_F(Abrechnung, SupplyMaximumDependsOnType)
{
    stufen(0, 45, 0, 0, 0, 0);
    s.versorgungBasis(i) = 100;
    s.typ(i) = 6;
    rechne();
    EXPECT_EQ(s.versorgungMax(i), 102);  // round(1.8)
    s.typ(i) = 16;
    rechne();
    EXPECT_EQ(s.versorgungMax(i), 103);  // round(3)
    s.typ(i) = 42;
    rechne();
    EXPECT_EQ(s.versorgungMax(i), 145);
    stufen(0, 25, 0, 0, 0, 0);
    s.typ(i) = 12;
    rechne();
    EXPECT_EQ(s.versorgungMax(i), 101);
    stufen(0, 15 * 5 / 2, 0, 0, 0, 0);  // 37 / 15 = 2.47
    s.typ(i) = 9;
    rechne();
    EXPECT_EQ(s.versorgungMax(i), 102);
}

TEST_F(Abrechnung, TradeMaximumOfATradingPost)
{
    stufen(0, 0, 0, 3, 0, 0);
    s.typ(i) = 2;
    s.handelBasis(i) = 20;
    s.handelsposten(i) = -42;
    rechne();
    EXPECT_EQ(s.handelMax(i), 61);
    s.handelsposten(i) = 7;  // trading through a post does not raise the own maximum
    rechne();
    EXPECT_EQ(s.handelMax(i), 20);
}

TEST_F(Abrechnung, GrowthUsesLevelFourAsARealNumberAndRoundsHalvesToEven)
{
    stufen(0, 0, 5, 0, 0, 0);  // g = 0.5
    s.typ(i) = 1;
    s.einwohnerBasis(i) = 100;
    s.versorgungBasis(i) = 100;
    s.forschungBasis(i) = 100;
    s.handelBasis(i) = 100;
    s.werftBasis(i) = 100;
    s.einwohner(i) = 10;   // 13.5 -> 14
    s.versorgung(i) = 10;  // 12.5 -> 12
    s.forschung(i) = 10;   // 11.5 -> 12
    s.handel(i) = 11;      // 12.5 -> 12
    s.werft(i) = 12;       // 13.5 -> 14
    rechne();
    EXPECT_EQ(s.einwohner(i), 14);
    EXPECT_EQ(s.versorgung(i), 12);
    EXPECT_EQ(s.forschung(i), 12);
    EXPECT_EQ(s.handel(i), 12);
    EXPECT_EQ(s.werft(i), 14);

    stufen(0, 0, 13, 0, 0, 0);  // g = 1.3
    s.einwohner(i) = 10;
    rechne();
    EXPECT_EQ(s.einwohner(i), 14);  // 14.3
}

TEST_F(Abrechnung, ResearchAndShipyardGrowOnlyUpToTheirBases)
{
    s.typ(i) = 1;
    s.forschungBasis(i) = 20;
    s.werftBasis(i) = 20;
    s.forschung(i) = 20;
    s.werft(i) = 19;
    rechne();
    EXPECT_EQ(s.forschung(i), 20);
    EXPECT_EQ(s.werft(i), 20);
}

TEST_F(Abrechnung, DefencesRegenerateAndAreCutToTheirMaxima)
{
    stufen(0, 0, 0, 0, 2, 1);
    s.typ(i) = 1;
    s.befestigungBasis(i) = 1500;
    s.befestigung(i) = 1505;
    s.schild(i) = 20;
    rechne();
    EXPECT_EQ(s.schildMax(i), 30);
    EXPECT_EQ(s.schild(i), 30);         // 20 + 15 cut to 30
    EXPECT_EQ(s.befestigungMax(i), 1512);
    EXPECT_EQ(s.befestigung(i), 1512);  // 1505 + 10 cut to 1512

    stufen(0, 0, 0, 0, 0, 0);
    rechne();
    EXPECT_EQ(s.schildMax(i), 0);
    EXPECT_EQ(s.schild(i), 0);          // a shield above a lowered maximum is cut at once
    EXPECT_EQ(s.befestigung(i), 1500);
}

TEST_F(Abrechnung, NothingOfTheDefencesChangesWhileAttacked)
{
    stufen(0, 0, 0, 0, 2, 1);
    s.typ(i) = 1;
    s.befestigungBasis(i) = 1500;
    s.befestigung(i) = 100;
    s.befestigungMax(i) = 1500;
    s.schild(i) = 0;
    s.schildMax(i) = 7;
    s.angegriffen(i) = 1;
    rechne();
    EXPECT_EQ(s.schild(i), 0);
    EXPECT_EQ(s.schildMax(i), 7);
    EXPECT_EQ(s.befestigung(i), 100);
    EXPECT_EQ(s.befestigungMax(i), 1500);
}

TEST_F(Abrechnung, AccumulatorsTakeTheValuesAfterGrowth)
{
    stufen(5, 4, 0, 0, 0, 0);
    s.typ(i) = 1;
    s.einwohnerBasis(i) = 100;
    s.einwohner(i) = 40;      // grows to 43
    s.versorgungBasis(i) = 100;
    s.versorgung(i) = 30;     // grows to 32
    s.forschungBasis(i) = 50;
    s.forschung(i) = 20;      // grows to 21
    w.einnahmen = 1;
    w.versorgungsertrag = 2;
    w.forschungsertrag = 3;
    w.forschungskosten = -4;
    w.versorgungsverbrauch = -5;
    rechne();
    EXPECT_EQ(w.einnahmen, 1 + 2 + 43);
    EXPECT_EQ(w.versorgungsertrag, 2 + 4 + 32);
    EXPECT_EQ(w.forschungsertrag, 3 + 21);
    EXPECT_EQ(w.forschungskosten, -4 - 21);
    EXPECT_EQ(w.versorgungsverbrauch, -5 - 43 - 5);
}

TEST_F(Abrechnung, AnErrorEndsTheRoutineAndKeepsWhatItWrote)
{
    s.typ(i) = 1;
    s.einwohnerBasis(i) = 10;
    f.thema.redim(1, 1);  // research levels beyond topic 1 are missing
    rechne();
    EXPECT_EQ(s.einwohnerMax(i), 0);
    EXPECT_EQ(w.einnahmen, 0);
}

TEST(Tagesabschluss, ResearchSpendingTakesTheIntegerProductAndRoundsHalvesToEven)
{
    Wirtschaft w;
    w.geld = 1000;
    w.vorrat = 100;
    w.forschungsetat = 50;
    w.einnahmen = 101;
    w.forschungskosten = -30;
    w.forschungsertrag = 30;
    w.versorgungsertrag = 40;
    w.versorgungsverbrauch = -55;
    tagesabschluss(w);
    EXPECT_EQ(w.forschungsausgaben, 36);  // 3550 / 100 = 35.5 -> 36
    EXPECT_EQ(w.geld, 1035);
    EXPECT_EQ(w.forschungspunkte, 35);    // round(540 / 100) + 30
    EXPECT_EQ(w.vorrat, 85);

    w.forschungsetat = 50;
    w.einnahmen = 99;
    w.forschungskosten = -30;
    tagesabschluss(w);
    EXPECT_EQ(w.forschungsausgaben, 34);  // 34.5 -> 34
    EXPECT_EQ(w.forschungspunkte, 5 + 30);  // round(5.1)
}

TEST(Tagesabschluss, NoBudgetSpendsNothingAndMoneyAndSupplyMayGoNegative)
{
    Wirtschaft w;
    w.geld = 10;
    w.vorrat = 5;
    w.einnahmen = 20;
    w.forschungskosten = -50;
    w.versorgungsertrag = 1;
    w.versorgungsverbrauch = -9;
    w.forschungsertrag = 50;
    tagesabschluss(w);
    EXPECT_EQ(w.forschungsausgaben, 0);
    EXPECT_EQ(w.geld, -20);
    EXPECT_EQ(w.vorrat, -3);
    EXPECT_EQ(w.forschungspunkte, 50);

    w.forschungsetat = 100;  // a negative day: the budget draws a negative amount
    tagesabschluss(w);
    EXPECT_EQ(w.forschungsausgaben, -30);
    EXPECT_EQ(w.geld, -20);
    EXPECT_EQ(w.forschungspunkte, -4 + 50);  // round(-4.5) = -4
}

TEST(Tagesabschluss, TheProductDoesNotOverflowForLargeIncomes)
{
    Wirtschaft w;
    w.geld = 0;
    w.forschungsetat = 100;
    w.einnahmen = 2000000000;
    tagesabschluss(w);
    EXPECT_EQ(w.forschungsausgaben, 2000000000);
    EXPECT_EQ(w.forschungspunkte, 300000000);
}

TEST(Tagesabschluss, MoneyAndStockStopAtTheirBoundInsteadOfTurningOver)
{
    Wirtschaft w;
    w.forschungsetat = 0;
    w.geld = kGeldGrenze - 1000;
    w.vorrat = -kGeldGrenze + 5;
    w.einnahmen = 999;            // one short of the bound: taken whole
    w.versorgungsverbrauch = -5;  // exactly to the bound
    tagesabschluss(w);
    EXPECT_EQ(w.geld, kGeldGrenze - 1);
    EXPECT_EQ(w.vorrat, -kGeldGrenze);
    w.einnahmen = 2;  // one past the bound, where an int would have turned negative long ago
    w.versorgungsverbrauch = -1;
    for (int tag = 0; tag < 3; ++tag) tagesabschluss(w);
    EXPECT_EQ(w.geld, kGeldGrenze);
    EXPECT_EQ(w.vorrat, -kGeldGrenze);
}

}  // namespace
}  // namespace qz
