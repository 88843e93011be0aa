// What the computer player reads of a reply's battle records: the enemy forces of the battles
// its own ships are in, and nothing of the others.
#include "bot/gefechtsberichte.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Gefechtsberichte, OnlyBattlesWithOwnShipsAndTheEnemyForcesInThem)
{
    // System 5: own slot 1 with one ship against slot 2 with two (hull 500 + 1250, shields
    // 150 and 400, firepower 40 + 145) and slot 3 with one. System 15: slots 2 and 3 only.
    const std::string antwort =
        "#kuml5-#sp1ksid-,7-sp1ksid##sp1klbp-,700-sp1klbp##sp1ksld-,250-sp1ksld##sp1kfkt-,70-sp1kfkt#"
        "#sp2ksid-,1,2-sp2ksid##sp2klbp-,500,1250-sp2klbp##sp2ksld-,150,400-sp2ksld##sp2kfkt-,40,145-sp2kfkt#"
        "#sp3ksid-,4-sp3ksid##sp3klbp-,900-sp3klbp##sp3ksld-,350-sp3ksld##sp3kfkt-,100-sp3kfkt#-5kuml#"
        "#kuml15-#sp2ksid-,3-sp2ksid##sp2kfkt-,40-sp2kfkt##sp3ksid-,9-sp3ksid##sp3kfkt-,55-sp3kfkt#-15kuml#";
    const std::vector<Gefecht> g = gefechteLesen(antwort, 1, 20);
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].system, 5);
    EXPECT_EQ(g[0].spieler, 2);
    EXPECT_EQ(g[0].feindSchiffe, 2);
    EXPECT_EQ(g[0].feindFeuerkraft, 185);   // 40 + 145
    EXPECT_EQ(g[0].feindHuelle, 1750);      // 500 + 1250
    EXPECT_EQ(g[0].feindSchildMin, 150);
    EXPECT_EQ(g[1].spieler, 3);
    EXPECT_EQ(g[1].feindFeuerkraft, 100);

    // Slot 2 is in both: it learns of system 15 too, with slot 3 as its enemy there.
    const std::vector<Gefecht> zwei = gefechteLesen(antwort, 2, 20);
    ASSERT_EQ(zwei.size(), 3u);
    EXPECT_EQ(zwei[2].system, 15);
    EXPECT_EQ(zwei[2].feindFeuerkraft, 55);
}

TEST(Gefechtsberichte, ValuesNoShipCanHaveAreHeldToTheLimit)
{
    // Two enemy ships claiming 10^12 firepower each count as 10^6 each: 2 * 10^6, no overflow;
    // a negative hull counts as 0.
    const std::vector<Gefecht> g = gefechteLesen(
        "#kuml3-#sp1ksid-,1-sp1ksid##sp4ksid-,1,2-sp4ksid##sp4kfkt-,1000000000000,1000000000000-sp4kfkt#"
        "#sp4klbp-,-50,700-sp4klbp#-3kuml#",
        1, 20);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].feindFeuerkraft, 2000000);
    EXPECT_EQ(g[0].feindHuelle, 700);
}

}  // namespace
}  // namespace qz
