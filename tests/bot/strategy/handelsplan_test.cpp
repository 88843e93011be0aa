// Trade agreements where an own trading post reaches the partner, broken off at war, and a
// trading post where it links two own systems.
#include "bot/strategy/handelsplan.hpp"
#include "lage_bauen.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::nur;

TEST(Handelsplan, OffersWhereAPostReachesThePartnerAndBreaksOffAtWar)
{
    // Own post 2 at (600, 500) with trade value 95 (reach below 95 at L6 = 0); player 2's
    // colony 3 at (600, 594) lies 94 px away and pays 20 G a day once agreed; player 3's
    // colony 4 at (600, 405), 95 px away, is just out of reach.
    test::LageBauen b;
    b.lage.spieleranzahl = 3;
    b.system(400, 500, 1, kHeimatTyp, 124);
    LageSystem& posten = b.system(600, 500, 1, 8, 80);
    posten.handelsposten = -42;
    posten.handel = 95;
    b.system(600, 594, 2, 8, 80);
    b.system(600, 405, 3, 8, 80);
    Gedaechtnis g;
    auto anbieten = nur<HandelAnbieten>(handelPlanen(b.lage, stufenWerte(Stufe::leicht), g));
    ASSERT_EQ(anbieten.size(), 1u);
    EXPECT_EQ(anbieten[0].spieler, 2);

    // Not offered again at once; at war with 2 once it is offered (state 1), it is broken off.
    b.lage.abkommen[2] = 1;
    b.lage.zeit += 1.0;
    EXPECT_TRUE(handelPlanen(b.lage, stufenWerte(Stufe::leicht), g).empty());
    g.feinde.push_back(2);
    auto abbrechen = nur<HandelAbbrechen>(handelPlanen(b.lage, stufenWerte(Stufe::leicht), g));
    ASSERT_EQ(abbrechen.size(), 1u);
    EXPECT_EQ(abbrechen[0].spieler, 2);
}

TEST(Handelsplan, APostWhereItLinksTwoOwnSystemsAndOnlyForALevelThatPlansThatFar)
{
    // Colony 2 at (600, 500), trade base 60: reach at its cap 60 + 35 = 95. The home planet
    // at (510, 500) is 90 px off and colony 3 at (600, 594) 94 px: two links, 40 G a day for
    // the 20 the post gives up. Colony 3 as post would reach only colony 2.
    test::LageBauen b;
    b.system(510, 500, 1, kHeimatTyp, 124);
    b.system(600, 500, 1, 8, 80).handelBasis = 60;
    b.system(600, 594, 1, 8, 80).handelBasis = 60;
    Gedaechtnis g;
    auto posten = nur<HandelspostenErrichten>(handelPlanen(b.lage, stufenWerte(Stufe::mittel), g));
    ASSERT_EQ(posten.size(), 1u);
    EXPECT_EQ(posten[0].system, 2);
    EXPECT_TRUE(nur<HandelspostenErrichten>(handelPlanen(b.lage, stufenWerte(Stufe::leicht), g)).empty());

    // One system fewer in reach (home moved to 96 px): a post would earn less than it costs.
    b.lage.systeme[0].x = 504;
    EXPECT_TRUE(nur<HandelspostenErrichten>(handelPlanen(b.lage, stufenWerte(Stufe::mittel), g)).empty());
}

}  // namespace
}  // namespace qz
