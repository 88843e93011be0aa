// What the computer player learns of a battle from its own ships: per system, how many of those
// in space there were lost and how much hull, before and after a reply.
#include "bot/verluste.hpp"
#include "multiplayer/play/mp_tag.hpp"
#include "state/schiffslisten.hpp"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Verluste, ShipsAndHullLostBySystemAndNothingElse)
{
    Spielstand spiel;
    spiel.eigenerSpieler = 2;
    spiel.forschung.thema(9).stufe = 2;  // shields + 5 per level
    // At system 4: a type 2 (shield 150 + 10) and a type 7 (400 + 10) in space; at 6 a type 3
    // in space; at 8 one docked and one in flight (place 0).
    schiffAnhaengen(spiel.schiffe, {2, 500, 160, 0, 4, 4, 1, 1, 1, 1, 40, 1, 0});
    schiffAnhaengen(spiel.schiffe, {7, 1250, 410, 0, 4, 4, 1, 1, 1, 1, 145, 1, 0});
    schiffAnhaengen(spiel.schiffe, {3, 600, 210, 0, 6, 6, 2, 2, 2, 2, 55, 2, 0});
    schiffAnhaengen(spiel.schiffe, {4, 700, 260, 8, 8, 8, 3, 3, 3, 3, 70, 0, 0});
    schiffAnhaengen(spiel.schiffe, {4, 700, 260, 0, 0, 8, 3, 3, 9, 9, 70, 3, 0});
    schiffeSchneiden(spiel.schiffe, spiel.saetze(2));
    const std::map<int, Aufstellung> vorher = eigeneImRaum(spiel);
    ASSERT_EQ(vorher.size(), 2u) << "the docked ship and the one in flight are in no battle";
    EXPECT_EQ(vorher.at(4).schiffe, 2);
    EXPECT_EQ(vorher.at(4).huelle, 1750);
    EXPECT_EQ(vorher.at(4).schildMin, 160);

    // The reply: the type 2 at 4 destroyed (typ 0, dropped at the next join), the type 7 down
    // to 1000; the type 3 at 6 untouched; the docked one repaired is not a battle's business.
    SchiffSatz& satz = spiel.saetze(2);
    satz[kTyp](1) = "0";
    satz[kHuelle](2) = "1000";
    eigeneSchiffeVerbinden(spiel);
    schiffeSchneiden(spiel.schiffe, satz);
    const std::vector<Verlust> v = verlusteZwischen(vorher, eigeneImRaum(spiel));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].system, 4);
    EXPECT_EQ(v[0].schiffe, 2);
    EXPECT_EQ(v[0].verloren, 1);
    EXPECT_EQ(v[0].huelle, 750);  // 1750 before, 1000 after
    EXPECT_EQ(v[0].schildMin, 160);

    EXPECT_TRUE(verlusteZwischen(vorher, vorher).empty()) << "nothing lost, no battle seen";
}

}  // namespace
}  // namespace qz
