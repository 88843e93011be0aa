// Scouts fly to the nearest systems not yet seen, one target each, as many as the level keeps.
#include "bot/strategy/erkundung.hpp"
#include "lage_bauen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::nur;

TEST(Erkundung, ScoutsSplitTheNearestUnseenSystemsAndLeichtKeepsNone)
{
    // From home's parking point (500, 520): unseen 2 at (500, 440) 80 px, unseen 3 at
    // (420, 500) 82 px, unseen 4 at (500, 370) 150 px: beyond the range of 100, but 90 px
    // from 2's parking point (500, 460).
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(500, 440, 0, 0, 0, false);
    b.system(420, 500, 0, 0, 0, false);
    b.system(500, 370, 0, 0, 0, false);
    b.flotte(2, 1, 1, 1);
    b.flotte(2, 1, 1, 2);
    b.schiff(2, 1);  // a third scout in the hangar: more than "Schwer"'s two
    Gedaechtnis g;
    const auto orders = erkunden(b.lage, stufenWerte(Stufe::schwer), g);
    const auto senden = nur<FlotteSenden>(orders);
    ASSERT_EQ(senden.size(), 2u);
    EXPECT_EQ(senden[0].ziel, 2);
    EXPECT_EQ(senden[1].ziel, 3);
    EXPECT_TRUE(nur<FlotteBilden>(orders).empty());

    // The first scout arrived at 2 and saw it: next it goes on to 4.
    b.lage.systeme[1].entdeckt = true;
    b.lage.schiffe.clear();
    b.flotte(2, 1, 2, 1);
    const auto weiter = nur<FlotteSenden>(erkunden(b.lage, stufenWerte(Stufe::schwer), g));
    ASSERT_EQ(weiter.size(), 1u);
    EXPECT_EQ(weiter[0].ziel, 4);

    Gedaechtnis l;
    EXPECT_TRUE(erkunden(b.lage, stufenWerte(Stufe::leicht), l).empty());
}

TEST(Erkundung, AScoutLeavesAKnownBattleAlone)
{
    // Unseen 2 is the nearer (80 px against 82), but a battle was fought there a moment ago:
    // the scout takes 3.
    test::LageBauen b;
    b.system(500, 500, 1, kHeimatTyp, 124);
    b.system(500, 440, 0, 0, 0, false);
    b.system(420, 500, 0, 0, 0, false);
    b.flotte(2, 1, 1, 1);
    Gedaechtnis g;
    g.gefechtsOrte.emplace_back(Gefecht{2, 2, 3, 300}, b.lage.zeit - 1.0);
    const auto senden = nur<FlotteSenden>(erkunden(b.lage, stufenWerte(Stufe::schwer), g));
    ASSERT_EQ(senden.size(), 1u);
    EXPECT_EQ(senden[0].ziel, 3);
}

}  // namespace
}  // namespace qz
