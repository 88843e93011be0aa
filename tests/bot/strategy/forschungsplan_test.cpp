// Research by need: range first while nothing lies within one hop, then income; the budget
// only for idle money.
#include "bot/strategy/forschungsplan.hpp"
#include "lage_bauen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::nur;

TEST(Forschungsplan, RangeFirstWhileNothingIsInReachThenIncome)
{
    // Home at (500, 500), parking point (500, 520); a free rich system at (500, 400), 120 px
    // off: out of reach at L3 = 0 (range 100), in reach at L3 = 5 (125).
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(500, 400, 0, 8, 100);
    b.lage.forschung[1].aktiv = true;
    Gedaechtnis g;
    auto schalten = nur<ThemaSchalten>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(schalten.size(), 2u);
    EXPECT_EQ(schalten[0].thema, 1);  // income off: everything into range
    EXPECT_FALSE(schalten[0].an);
    EXPECT_EQ(schalten[1].thema, 3);
    EXPECT_TRUE(schalten[1].an);

    // In reach now, but only one own system: range stays the one topic (level 5 < 8).
    b.lage.forschung[1].aktiv = false;
    b.lage.forschung[3] = {5, 0, 152, true};
    EXPECT_TRUE(nur<ThemaSchalten>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g)).empty());

    // Four own systems: still range alone; five: income joins, range stays on.
    for (int k = 0; k < 3; ++k) b.system(800 + 100 * k, 800, 1, 8, 60);
    EXPECT_TRUE(nur<ThemaSchalten>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g)).empty());
    b.system(1100, 800, 1, 8, 60);
    schalten = nur<ThemaSchalten>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(schalten.size(), 1u);
    EXPECT_EQ(schalten[0].thema, 1);
    EXPECT_TRUE(schalten[0].an);

    // Range goes off only once the hop network is open, and a war puts shields beside income
    // only then.
    b.lage.forschung[1].aktiv = true;
    b.lage.forschung[3].stufe = kNetzOffen - 1;
    g.feinde.push_back(2);
    EXPECT_TRUE(nur<ThemaSchalten>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g)).empty());
    b.lage.forschung[3].stufe = kNetzOffen;
    schalten = nur<ThemaSchalten>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(schalten.size(), 2u);
    EXPECT_EQ(schalten[0].thema, 3);
    EXPECT_FALSE(schalten[0].an);
    EXPECT_EQ(schalten[1].thema, 9);
    EXPECT_TRUE(schalten[1].an);
}

TEST(Forschungsplan, TheBudgetTakesOnlyIdleMoney)
{
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(500, 440, 0, 8, 100);  // 80 px from the parking point: within reach
    Gedaechtnis g;
    b.lage.geld = kEtatAbGeld;
    EXPECT_TRUE(nur<EtatSetzen>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g)).empty());
    b.lage.geld = kEtatAbGeld + 1;
    auto etat = nur<EtatSetzen>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(etat.size(), 1u);
    EXPECT_EQ(etat[0].prozent, 25);

    // Shut in (the near system taken by player 2, the only free one 150 px off, range 100):
    // money above 2000 G has nothing else to buy, all income goes into research; at 2000 G it
    // stays at 0.
    b.lage.systeme[1].besitzer = 2;
    b.system(500, 350, 0, 8, 100);
    b.lage.geld = kEingeschlossenAbGeld;
    EXPECT_TRUE(nur<EtatSetzen>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g)).empty());
    b.lage.geld = kEingeschlossenAbGeld + 1;
    etat = nur<EtatSetzen>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(etat.size(), 1u);
    EXPECT_EQ(etat[0].prozent, 100);

    // Home research 124 against 124 people: no net income, and a share of nothing below zero
    // would cost research points: the budget set before goes back to 0.
    b.lage.forschungsetat = 100;
    b.lage.systeme[0].forschung = 124;
    etat = nur<EtatSetzen>(forschungPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(etat.size(), 1u);
    EXPECT_EQ(etat[0].prozent, 0);
}

}  // namespace
}  // namespace qz
