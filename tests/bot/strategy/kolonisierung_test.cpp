// Colonising by value and distance on constructed maps.
#include "bot/strategy/bauplan.hpp"
#include "bot/strategy/kolonisierung.hpp"
#include "lage_bauen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::nur;

TEST(Kolonisierung, ARichPlanetWinsOverAPoorOneAndTheShipSettlesOnlyThere)
{
    // Home 1 at (500, 500); the fleets park 20 px below a system, at (500, 520).
    // Poor 2 (type 12, population base 10) at (560, 480), 72 px away: sqrt(60² + 40²) = 72.1.
    // Rich 3 (type 8, population base 100) at (500, 440), 80 px away, and 85 px from the poor
    // one's parking point (560, 500): sqrt(60² + 60²) = 84.9. All inside the range of 100.
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(560, 480, 0, 12, 10);
    b.system(500, 440, 0, 8, 100);
    b.schiff(1, 1);  // a finished colony ship in the home hangar
    Gedaechtnis g;
    auto orders = kolonisieren(b.lage, g);
    auto bilden = nur<FlotteBilden>(orders);
    ASSERT_EQ(bilden.size(), 1u);
    EXPECT_EQ(bilden[0].system, 1);
    EXPECT_EQ(bilden[0].schiffe, std::vector<int>{1});

    // Out of the hangar as fleet 1 at home: it heads for the rich planet.
    b.lage.schiffe.clear();
    b.schiff(1, 0, 1, 1);
    orders = kolonisieren(b.lage, g);
    auto senden = nur<FlotteSenden>(orders);
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].flotte, 1);
    EXPECT_EQ(senden[0].ziel, 3);

    // Had it stopped at the poor planet, it flies on instead of settling there.
    b.lage.schiffe.clear();
    b.schiff(1, 0, 2, 1);
    orders = kolonisieren(b.lage, g);
    EXPECT_TRUE(nur<Kolonisieren>(orders).empty());
    ASSERT_EQ(nur<FlotteSenden>(orders).size(), 1u);
    EXPECT_EQ(nur<FlotteSenden>(orders)[0].ziel, 3);

    // At the rich planet it settles.
    b.lage.schiffe.clear();
    b.schiff(1, 0, 3, 1);
    orders = kolonisieren(b.lage, g);
    ASSERT_EQ(nur<Kolonisieren>(orders).size(), 1u);
    EXPECT_EQ(nur<Kolonisieren>(orders)[0].system, 3);

    // A scout that arrived at the rich planet and waits there no longer holds it.
    b.lage.schiffe.clear();
    b.schiff(kSpaeherTyp, 0, 3, 5);
    b.schiff(1, 0, 1, 1);
    g = {};
    g.auftraege.emplace_back(5, 3);
    senden = nur<FlotteSenden>(kolonisieren(b.lage, g));
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].ziel, 3);

    // A second colony fleet does not chase the target the first one was sent to.
    b.lage.schiffe.clear();
    b.schiff(1, 0, 1, 1);
    b.schiff(1, 0, 1, 2);
    g = {};
    orders = kolonisieren(b.lage, g);
    senden = nur<FlotteSenden>(orders);
    ASSERT_EQ(senden.size(), 2u);
    EXPECT_EQ(senden[0].ziel, 3);
    EXPECT_NE(senden[1].ziel, 3);
}

TEST(Kolonisierung, NothingInReachUntilTheRangeIsResearched)
{
    // The only other system lies 120 px from the parking point (500, 520): (500, 400).
    // Range is 5 x L3 + 100 and the distance must stay below it: L3 = 4 gives 120 (not below),
    // L3 = 5 gives 125.
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(500, 400, 0, 8, 100);
    b.schiff(1, 0, 1, 1);
    b.lage.forschung[3].stufe = 4;
    Gedaechtnis g;
    EXPECT_TRUE(kolonisieren(b.lage, g).empty());
    b.lage.forschung[3].stufe = 5;
    auto senden = nur<FlotteSenden>(kolonisieren(b.lage, g));
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].ziel, 2);
}

TEST(Kolonisierung, AFreeSystemWithAForeignFleetInSightIsNotATarget)
{
    // Two equal rich planets in reach; an enemy fleet parks at the nearer one.
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(500, 440, 0, 8, 100);   // 80 px
    b.system(580, 520, 0, 8, 100);   // 80 px from the parking point (500, 520)
    b.schiff(1, 0, 1, 1);
    b.fremdeFlotte(2, 2, 2);
    Gedaechtnis g;
    auto senden = nur<FlotteSenden>(kolonisieren(b.lage, g));
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].ziel, 3);
}

}  // namespace
}  // namespace qz
