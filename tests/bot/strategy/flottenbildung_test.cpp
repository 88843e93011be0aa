// Warships stand guard at their system as one fleet; a new ship joins through the hangar.
#include "bot/strategy/flottenbildung.hpp"
#include "lage_bauen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::nur;

TEST(Flottenbildung, ANewShipJoinsTheGuardThroughTheHangarButNotWithAnEnemyInSight)
{
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(900, 500, 2, kHeimatTyp, 124);
    b.flotte(4, 2, 1, 1);   // ships 1, 2: the guard standing at home
    b.schiff(4, 1);         // ship 3: new in the hangar
    Gedaechtnis g;
    auto orders = flottenBilden(b.lage, g);
    ASSERT_EQ(nur<FlotteAndocken>(orders).size(), 1u);
    EXPECT_EQ(nur<FlotteAndocken>(orders)[0].flotte, 1);
    EXPECT_TRUE(nur<FlotteBilden>(orders).empty());

    // Next round all three are docked: one fleet, the ship in no fleet clicked first.
    b.lage.schiffe.clear();
    b.schiff(4, 1, 0, 1);
    b.schiff(4, 1, 0, 1);
    b.schiff(4, 1);
    auto bilden = nur<FlotteBilden>(flottenBilden(b.lage, g));
    ASSERT_EQ(bilden.size(), 1u);
    EXPECT_EQ(bilden[0].schiffe, (std::vector<int>{3, 1, 2}));

    // With an enemy at home the guard stays out.
    b.lage.schiffe.clear();
    b.flotte(4, 2, 1, 1);
    b.schiff(4, 1);
    b.fremdeFlotte(2, 3, 1);
    EXPECT_TRUE(flottenBilden(b.lage, g).empty());
}

}  // namespace
}  // namespace qz
