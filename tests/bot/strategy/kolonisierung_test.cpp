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
    auto orders = kolonisieren(b.lage, stufenWerte(Stufe::schwer), g);
    auto bilden = nur<FlotteBilden>(orders);
    ASSERT_EQ(bilden.size(), 1u);
    EXPECT_EQ(bilden[0].system, 1);
    EXPECT_EQ(bilden[0].schiffe, std::vector<int>{1});

    // Out of the hangar as fleet 1 at home: it heads for the rich planet.
    b.lage.schiffe.clear();
    b.schiff(1, 0, 1, 1);
    orders = kolonisieren(b.lage, stufenWerte(Stufe::schwer), g);
    auto senden = nur<FlotteSenden>(orders);
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].flotte, 1);
    EXPECT_EQ(senden[0].ziel, 3);

    // Had it stopped at the poor planet, it flies on instead of settling there.
    b.lage.schiffe.clear();
    b.schiff(1, 0, 2, 1);
    orders = kolonisieren(b.lage, stufenWerte(Stufe::schwer), g);
    EXPECT_TRUE(nur<Kolonisieren>(orders).empty());
    ASSERT_EQ(nur<FlotteSenden>(orders).size(), 1u);
    EXPECT_EQ(nur<FlotteSenden>(orders)[0].ziel, 3);

    // At the rich planet it settles.
    b.lage.schiffe.clear();
    b.schiff(1, 0, 3, 1);
    orders = kolonisieren(b.lage, stufenWerte(Stufe::schwer), g);
    ASSERT_EQ(nur<Kolonisieren>(orders).size(), 1u);
    EXPECT_EQ(nur<Kolonisieren>(orders)[0].system, 3);

    // A scout that arrived at the rich planet and waits there no longer holds it.
    b.lage.schiffe.clear();
    b.schiff(kSpaeherTyp, 0, 3, 5);
    b.schiff(1, 0, 1, 1);
    g = {};
    g.auftraege.emplace_back(5, 3);
    senden = nur<FlotteSenden>(kolonisieren(b.lage, stufenWerte(Stufe::schwer), g));
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].ziel, 3);

    // A second colony fleet does not chase the target the first one was sent to.
    b.lage.schiffe.clear();
    b.schiff(1, 0, 1, 1);
    b.schiff(1, 0, 1, 2);
    g = {};
    orders = kolonisieren(b.lage, stufenWerte(Stufe::schwer), g);
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
    EXPECT_TRUE(kolonisieren(b.lage, stufenWerte(Stufe::schwer), g).empty());
    b.lage.forschung[3].stufe = 5;
    auto senden = nur<FlotteSenden>(kolonisieren(b.lage, stufenWerte(Stufe::schwer), g));
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
    auto senden = nur<FlotteSenden>(kolonisieren(b.lage, stufenWerte(Stufe::schwer), g));
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].ziel, 3);
}

TEST(Kolonisierung, HowManyHopsAheadATargetMayLieIsTheLevelsPlanning)
{
    // Range 100. Home 1 at (500, 500), fleets park at (500, 520). Poor 2 (population base 10)
    // at (500, 600), 80 px away; rich 3 (type 8, 100) at (500, 690), 170 px from home but 70 px
    // from 2's parking point (500, 620): two hops. Poor 4 (population base 20, the better poor
    // one) at (420, 520), 80 px away, 233 px from 3. Undiscovered 5 at (500, 350), 170 px from
    // home, out of reach: the nearest lure, which no stop-over brings nearer.
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(500, 600, 0, 12, 10);
    b.system(500, 690, 0, 8, 100);
    b.system(420, 520, 0, 12, 20);
    b.system(500, 350, 0, 0, 0, false);
    b.schiff(1, 0, 1, 1);
    struct Fall {
        Stufe stufe;
        int erstesZiel;
        int auftrag;
    };
    // "Leicht" looks one hop ahead and takes the better poor planet; the others see the rich
    // one behind the poorer stop-over and go there through it.
    for (const Fall f : {Fall{Stufe::leicht, 4, 4}, Fall{Stufe::mittel, 2, 3}, Fall{Stufe::schwer, 2, 3}}) {
        Gedaechtnis g;
        const auto senden = nur<FlotteSenden>(kolonisieren(b.lage, stufenWerte(f.stufe), g));
        ASSERT_EQ(senden.size(), 1u) << static_cast<int>(f.stufe);
        EXPECT_EQ(senden[0].ziel, f.erstesZiel) << static_cast<int>(f.stufe);
        ASSERT_EQ(g.auftraege.size(), 1u);
        EXPECT_EQ(g.auftraege[0].second, f.auftrag) << static_cast<int>(f.stufe);
    }

    // At the stop-over the mission goes on to the rich planet instead of settling the poor one.
    b.lage.schiffe.clear();
    b.schiff(1, 0, 2, 1);
    Gedaechtnis g;
    g.auftraege.emplace_back(1, 3);
    const auto orders = kolonisieren(b.lage, stufenWerte(Stufe::mittel), g);
    EXPECT_TRUE(nur<Kolonisieren>(orders).empty());
    ASSERT_EQ(nur<FlotteSenden>(orders).size(), 1u);
    EXPECT_EQ(nur<FlotteSenden>(orders)[0].ziel, 3);
}

}  // namespace
}  // namespace qz
