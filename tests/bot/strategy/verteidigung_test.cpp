// Defending a colony next to a strong enemy fleet, after the level's reaction delay.
#include "bot/strategy/verteidigung.hpp"
#include "lage_bauen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::nur;

// Home 1 at (500, 500) with its fleets parked at (500, 520); colony 2 at (500, 430), 90 px
// from there, within one hop. A foreign fleet with a heavy battleship in front stands at the
// colony: the map shows no fleet size, so three battleships are expected (Σ 435, shield 400).
test::LageBauen angegriffeneKolonie()
{
    test::LageBauen b;
    LageSystem& heim = b.system(500, 500, 1, kHeimatTyp, 124);
    heim.werft = 60;
    b.system(500, 430, 1, 8, 90);
    b.fremdeFlotte(2, 7, 2);
    return b;
}

TEST(Verteidigung, AStrongGuardComesOverOnlyAfterTheReactionDelay)
{
    // 8 x type 8 against the expected 3 x type 7: they deal 1520 / 3 = 507, 107 above the
    // shield, and take 435 / 8 = 54, below theirs: they win.
    test::LageBauen b = angegriffeneKolonie();
    b.flotte(8, 8, 1, 1);
    for (Stufe stufe : {Stufe::schwer, Stufe::leicht}) {
        Gedaechtnis g;
        b.lage.zeit = 1000.0;
        EXPECT_TRUE(nur<FlotteSenden>(entscheide(b.lage, stufe, g)).empty());
        const double reaktion = stufenWerte(stufe).reaktion;
        b.lage.zeit = 1000.0 + reaktion - 0.5;
        EXPECT_TRUE(nur<FlotteSenden>(entscheide(b.lage, stufe, g)).empty());
        b.lage.zeit = 1000.0 + reaktion;
        const auto senden = nur<FlotteSenden>(entscheide(b.lage, stufe, g));
        ASSERT_EQ(senden.size(), 1u);
        EXPECT_EQ(senden[0].flotte, 1);
        EXPECT_EQ(senden[0].ziel, 2);
    }
    EXPECT_LT(stufenWerte(Stufe::schwer).reaktion, stufenWerte(Stufe::leicht).reaktion);
}

TEST(Verteidigung, AGuardThatWouldLoseStaysOutOfTheBattle)
{
    // 2 x type 2 take 435 / 2 = 218 a round, 68 above their shield, and never pass the
    // battleships' 400: they would lose. The one at home is not sent; the one at the colony
    // goes into the hangar.
    test::LageBauen b = angegriffeneKolonie();
    b.flotte(2, 2, 1, 1);
    b.flotte(2, 2, 2, 2);
    Gedaechtnis g;
    bedrohungenMerken(b.lage, g);
    b.lage.zeit += 60.0;
    const auto orders = verteidigen(b.lage, stufenWerte(Stufe::schwer), g);
    EXPECT_TRUE(nur<FlotteSenden>(orders).empty());
    const auto andocken = nur<FlotteAndocken>(orders);
    ASSERT_EQ(andocken.size(), 1u);
    EXPECT_EQ(andocken[0].flotte, 2);
}

TEST(Verteidigung, DockedShipsThatWinUndockToFight)
{
    // Against the expected 3 battleships (Σ 435, shield 400): 4 docked type 4 deal 280 / 3 = 93,
    // below the shield. With 7 type 8 of the hangar beside them, 1610 / 3 = 537: 137 a round,
    // and they take 435 / 11 = 40, below every shield: they win.
    test::LageBauen b = angegriffeneKolonie();
    for (int k = 0; k < 4; ++k) b.schiff(4, 2);
    Gedaechtnis g;
    bedrohungenMerken(b.lage, g);
    b.lage.zeit += 60.0;
    EXPECT_TRUE(nur<FlotteBilden>(verteidigen(b.lage, stufenWerte(Stufe::schwer), g)).empty());
    for (int k = 0; k < 7; ++k) b.schiff(8, 2);
    const auto bilden = nur<FlotteBilden>(verteidigen(b.lage, stufenWerte(Stufe::schwer), g));
    ASSERT_EQ(bilden.size(), 1u);
    EXPECT_EQ(bilden[0].system, 2);
    EXPECT_EQ(bilden[0].schiffe.size(), 11u);
}

}  // namespace
}  // namespace qz
