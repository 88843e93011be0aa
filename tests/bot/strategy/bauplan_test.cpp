// What the yards build: colony ships while land is free, as many yards as the level's
// attention, heavy battleships only for a level that besieges, one order per yard.
#include "bot/strategy/bauplan.hpp"
#include "lage_bauen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::nur;

// Home 1 and three colonies 200 px apart with yards 60, 50, 45, 20; free rich systems 60 px
// north of the first `freie` of them, each within one hop (80 px from the parking point 20 px
// below, range 100) of that one only.
test::LageBauen vierWerften(int freie)
{
    test::LageBauen b;
    const int werft[4] = {60, 50, 45, 20};
    for (int k = 0; k < 4; ++k) {
        LageSystem& s = b.system(300 + 200 * k, 500, 1, k == 0 ? kHeimatTyp : 8, 80);
        s.werft = werft[k];
    }
    for (int k = 0; k < freie; ++k) b.system(300 + 200 * k, 440, 0, 8, 100);
    return b;
}

TEST(Bauplan, ColonyShipsFirstThenWarshipsOnAsManyYardsAsTheLevelKeepsBusy)
{
    // 10 000 G. "Leicht" (two goals) keeps the two best yards busy: one colony ship (its
    // limit is one at a time), then a guard (4) on the second; no battleships, it never
    // besieges.
    test::LageBauen b = vierWerften(4);
    b.lage.geld = 10000;
    Gedaechtnis g;
    g.feinde.push_back(2);
    auto leicht = nur<SchiffBauen>(bauPlanen(b.lage, stufenWerte(Stufe::leicht), g));
    ASSERT_EQ(leicht.size(), 2u);
    EXPECT_EQ(leicht[0].system, 1);
    EXPECT_EQ(leicht[0].typ, kKolonieTyp);
    EXPECT_EQ(leicht[1].system, 2);
    EXPECT_EQ(leicht[1].typ, kWachTyp);

    // "Schwer" keeps four colony ships at once, but only where one takes at most 14 days: at
    // the yards of 60, 50 and 45 (ceil(500 / 45) = 12 days); the yard of 20 would need 25
    // and builds one of its scouts instead.
    auto schwer = nur<SchiffBauen>(bauPlanen(b.lage, stufenWerte(Stufe::schwer), g));
    ASSERT_EQ(schwer.size(), 4u);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(schwer[static_cast<std::size_t>(k)].typ, kKolonieTyp);
    EXPECT_EQ(schwer[3].system, 4);
    EXPECT_EQ(schwer[3].typ, kSpaeherTyp);
}

TEST(Bauplan, ShutInOneColonyShipWaitsReadyNotFour)
{
    // The only free land lies far beyond every hop: "Schwer" orders one colony ship, and none
    // more while it waits.
    auto kolonieschiffe = [](const test::LageBauen& b) {
        Gedaechtnis g;
        int n = 0;
        for (const SchiffBauen& o : nur<SchiffBauen>(bauPlanen(b.lage, stufenWerte(Stufe::schwer), g)))
            n += o.typ == kKolonieTyp ? 1 : 0;
        return n;
    };
    test::LageBauen b = vierWerften(0);
    b.system(2000, 1500, 0, 8, 100);
    EXPECT_EQ(kolonieschiffe(b), 1);
    b.schiff(kKolonieTyp, 1);
    EXPECT_EQ(kolonieschiffe(b), 0);
}

TEST(Bauplan, TheBestYardWaitsForTheNextColonyShipWhileLandIsFree)
{
    // "Schwer"'s four colony ships ready: it sends its two scouts (840 build points, 14 days at
    // the yard of 60) to the yards of 50 and 45, not to the best one, which stays free for the
    // next colony ship. With no land left the best yard takes a scout.
    test::LageBauen b = vierWerften(1);
    for (int k = 0; k < 4; ++k) b.schiff(kKolonieTyp, 1);
    b.lage.geld = 10000;
    Gedaechtnis g;
    auto orders = nur<SchiffBauen>(bauPlanen(b.lage, stufenWerte(Stufe::schwer), g));
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[0].system, 2);
    EXPECT_EQ(orders[0].typ, kSpaeherTyp);
    EXPECT_EQ(orders[1].system, 3);
    EXPECT_EQ(orders[1].typ, kSpaeherTyp);

    b.lage.systeme.pop_back();
    orders = nur<SchiffBauen>(bauPlanen(b.lage, stufenWerte(Stufe::schwer), g));
    ASSERT_FALSE(orders.empty());
    EXPECT_EQ(orders[0].system, 1);
    EXPECT_EQ(orders[0].typ, kSpaeherTyp);
}

TEST(Bauplan, BattleshipsForABesiegingLevelOnlyWhereTheYardIsStrongAndTheMoneyThere)
{
    // No land left to take and "Mittel"'s one scout is at home. Once a co-player's colony is
    // known, with 8000 G it orders a battleship (3500) at the yard of 60 and one at 50; the yard of 45 gets one only if money is left (8000 - 7000 =
    // 1000 < 3500, so a guard is also too dear at 1080). The yard of 20 stays idle.
    test::LageBauen b = vierWerften(0);
    b.schiff(kSpaeherTyp, 1);
    b.lage.geld = 8000;
    Gedaechtnis g;
    // Nobody's system known yet: nothing to besiege, so guards (4 x 1080 G) on all four yards.
    const auto wachen = nur<SchiffBauen>(bauPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(wachen.size(), 4u);
    for (const SchiffBauen& o : wachen) EXPECT_EQ(o.typ, kWachTyp);
    b.system(2000, 1500, 2, 8, 60);  // a co-player's colony, discovered
    auto orders = nur<SchiffBauen>(bauPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[0].typ, kSchlachtTyp);
    EXPECT_EQ(orders[1].typ, kSchlachtTyp);

    // A yard with an order waits for it.
    b.lage.systeme[0].bauAuftraege = 1;
    b.lage.systeme[0].bauTyp[0] = kSchlachtTyp;
    orders = nur<SchiffBauen>(bauPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[0].system, 2);
    EXPECT_EQ(orders[1].system, 3);
}

}  // namespace
}  // namespace qz
