// Attacking a weaker neighbour with heavy battleships only where it can win and the siege
// fits the level's horizon.
#include "bot/strategy/angriff.hpp"
#include "bot/strategy/kampfkraft.hpp"
#include "lage_bauen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::nur;

// Home 1 at (500, 500), a strike fleet of 2 heavy battleships parked at (500, 520); the
// neighbour's colony 2 (type 4, fortification 800) at (500, 430), 90 px away.
test::LageBauen nachbar()
{
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(500, 430, 2, 4, 20).befestigungBasis = 800;
    b.flotte(7, 2, 1, 1);
    return b;
}

TEST(Angriff, BattleshipsBesiegeAnUndefendedNeighbourAndAttackOnArrival)
{
    // Siege: ceil(800 / 50) = 16 reports of 2 s = 6.4 days, plus 90 px x 0.12 s = 2.2 days:
    // 8.6 days, within "Mittel"'s 40; "Leicht" follows too few goals for any siege.
    test::LageBauen b = nachbar();
    EXPECT_DOUBLE_EQ(belagerungsTage(800, 2), 6.4);
    Gedaechtnis leicht;
    EXPECT_TRUE(angreifen(b.lage, stufenWerte(Stufe::leicht), leicht).empty());

    Gedaechtnis g;
    auto senden = nur<FlotteSenden>(angreifen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].ziel, 2);
    EXPECT_EQ(g.feinde, std::vector<int>{2});  // attacking means war with the owner

    // Arrived: "Angreifen" there.
    b.lage.schiffe.clear();
    b.flotte(7, 2, 2, 1);
    const auto angriff = nur<Angreifen>(angreifen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(angriff.size(), 1u);
    EXPECT_EQ(angriff[0].system, 2);
    EXPECT_TRUE(angriff[0].an);
}

TEST(Angriff, NoSiegeWhereTheDefenceWouldWinOrTheSiegeTakesTooLong)
{
    // A visible defender with a type 8 in front counts as three (Σ 570, shield 500): the two
    // battleships deal 290 / 3 = 97, never through 500, and take 285 each round, 115 above
    // their shield of 400: they would lose.
    test::LageBauen b = nachbar();
    b.fremdeFlotte(2, 8, 2);
    Gedaechtnis g;
    EXPECT_TRUE(angreifen(b.lage, stufenWerte(Stufe::schwer), g).empty());

    // A home planet (5000) with one battleship: 200 reports = 80 days + flight, beyond 40.
    test::LageBauen heim;
    heim.system(500, 500, 1, kHeimatTyp, 124);
    heim.system(500, 430, 2, kHeimatTyp, 124).befestigungBasis = 5000;
    heim.flotte(7, 1, 1, 1);
    Gedaechtnis m;
    EXPECT_TRUE(angreifen(heim.lage, stufenWerte(Stufe::mittel), m).empty());
    Gedaechtnis s;  // "Schwer" plans 120 days ahead
    EXPECT_EQ(nur<FlotteSenden>(angreifen(heim.lage, stufenWerte(Stufe::schwer), s)).size(), 1u);
}

TEST(Angriff, ASiegeBreaksOffWhenTheBattleRecordShowsAStrongerEnemy)
{
    // Under way at the target, the battleships' losses prove Σ 1200 of an enemy whose first
    // ship is a type 6: at least 12 of them (100 each, shield 350). 600 per battleship a round,
    // 200 above the shield; they deal 290 / 12 = 24: they would lose and head for the nearest
    // own system, home.
    test::LageBauen b = nachbar();
    Gedaechtnis g;
    angreifen(b.lage, stufenWerte(Stufe::mittel), g);
    b.lage.schiffe.clear();
    b.flotte(7, 2, 2, 1);
    b.lage.gefechte.push_back({2, 2, 6, 1200});
    const auto orders = angreifen(b.lage, stufenWerte(Stufe::mittel), g);
    EXPECT_TRUE(nur<Angreifen>(orders).empty());
    const auto senden = nur<FlotteSenden>(orders);
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].ziel, 1);
    EXPECT_TRUE(g.belagerungen.empty());
}

TEST(Angriff, NoNewSiegeWhereABattleWasLostWhileItIsRemembered)
{
    // A scout of ours lost against Σ 1200 of type 6 ships at colony 2 and is gone, and no
    // fleet is in sight there any more. The two battleships would lose against that force (see
    // above), so none is sent while it is remembered, and one is once the memory faded.
    test::LageBauen b = nachbar();
    Gedaechtnis g;
    b.lage.gefechte.push_back({2, 2, 6, 1200});
    EXPECT_TRUE(nur<FlotteSenden>(entscheide(b.lage, Stufe::schwer, g)).empty());

    b.lage.gefechte.clear();
    b.lage.zeit += kGefechtGedaechtnis - 1.0;
    EXPECT_TRUE(nur<FlotteSenden>(entscheide(b.lage, Stufe::schwer, g)).empty());

    b.lage.zeit += 1.0;
    g.letztePlanung = b.lage.zeit - stufenWerte(Stufe::schwer).neuplanung;  // a plan is due again
    const auto senden = nur<FlotteSenden>(entscheide(b.lage, Stufe::schwer, g));
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].ziel, 2);
}

}  // namespace
}  // namespace qz
