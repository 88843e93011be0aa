// The game rules the server decides, on a channel state built by hand.
#include "game/game_rules.hpp"
#include "game/ship_lists.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace qz::server {
namespace {

ShipLists shipsAt(const std::string& types, const std::string& docked, const std::string& location) {
    const auto count = std::count(types.begin(), types.end(), ',');
    std::string filled;
    for (long i = 0; i < count; ++i) filled += ",7";
    return readShipLists({types, filled, filled, docked, location, filled, filled, filled, filled, filled, "1"}, 10);
}

ChannelState twoPlayers() {
    ChannelState c;
    c.maxPlayers = 3;
    c.stars = 10;
    c.started = true;
    c.slots[1].name = "Anna";
    c.slots[2].name = "Ben";
    c.slots[3].name = "Cleo";
    c.map.resize(10);
    for (int i = 0; i < 10; ++i) c.map.name[static_cast<std::size_t>(i)] = "Planet X" + std::to_string(i + 1);
    c.map.owner[1] = 2;
    c.map.shield[1] = 40;
    c.map.fortification[1] = 100;
    return c;
}

TEST(AttackRules, ShieldTakesTheDamageFirstThenTheFortification) {
    ChannelState c = twoPlayers();
    c.players[1].ships = shipsAt(",7,7", ",0,0", ",2,2");
    ChannelChanges changes;
    applyAttack(c, 1, {2, 30}, changes);
    EXPECT_EQ(c.map.shield[1], 10);
    EXPECT_EQ(c.map.fortification[1], 100);
    applyAttack(c, 1, {2, 50}, changes);
    EXPECT_EQ(c.map.shield[1], 0);
    EXPECT_EQ(c.map.fortification[1], 60);
    EXPECT_EQ(c.map.attacked[1], kAttackRounds);
    EXPECT_EQ(c.map.owner[1], 2);
    EXPECT_EQ(changes.systems.count(2), 1u);
}

TEST(AttackRules, DamageIsCappedByTheHeavyBattleshipsStandingInSpaceThere) {
    ChannelState c = twoPlayers();
    // One in space at 2, one docked at 2, one at 3, one of another type at 2.
    c.players[1].ships = shipsAt(",7,7,7,4", ",0,2,0,0", ",2,0,3,2");
    ChannelChanges changes;
    applyAttack(c, 1, {2, 1000}, changes);
    EXPECT_EQ(c.map.shield[1], 40 - kDamagePerHeavyBattleship);
}

TEST(AttackRules, FortificationAtZeroHandsTheSystemToTheAttacker) {
    ChannelState c = twoPlayers();
    c.players[1].ships = shipsAt(",7,7,7,7,7,7", ",0,0,0,0,0,0", ",2,2,2,2,2,2");
    ChannelChanges changes;
    applyAttack(c, 1, {2, 140}, changes);
    EXPECT_EQ(c.map.owner[1], 1) << "40 shield + 100 fortification: exactly zero is taken";
    EXPECT_EQ(c.map.fortification[1], 0);
    ASSERT_EQ(c.chat.size(), 1u);
    EXPECT_EQ(c.chat.back().sender, kServerChatSender);
    EXPECT_EQ(c.chat.back().text, "Anna hat Planet X2 erobert.");
}

TEST(AttackRules, OwnAndUnownedSystemsCannotBeAttacked) {
    ChannelState c = twoPlayers();
    c.players[2].ships = shipsAt(",7", ",0", ",2");
    c.players[1].ships = shipsAt(",7", ",0", ",3");
    ChannelChanges changes;
    applyAttack(c, 2, {2, 25}, changes);
    applyAttack(c, 1, {3, 25}, changes);
    EXPECT_EQ(c.map.shield[1], 40);
    EXPECT_EQ(c.map.attacked[1], 0);
    EXPECT_EQ(c.map.attacked[2], 0);
    EXPECT_TRUE(changes.systems.empty());
}

TEST(AttackRules, OnlyTheOwnersRequestsCountTheAttackMarkDown) {
    ChannelState c = twoPlayers();
    c.map.attacked[1] = 3;
    ChannelChanges changes;
    countDownAttacks(c, 1, changes);
    EXPECT_EQ(c.map.attacked[1], 3);
    for (int round = 0; round < 4; ++round) countDownAttacks(c, 2, changes);
    EXPECT_EQ(c.map.attacked[1], 0);
}

TEST(PlanetReports, OnlyTheOwnerReportsAndAnAttackedPlanetOnlyLoses) {
    ChannelState c = twoPlayers();
    ChannelChanges changes;
    applyPlanetReport(c, 1, {2, 500, 500}, changes);
    EXPECT_EQ(c.map.shield[1], 40);
    applyPlanetReport(c, 2, {2, 60, 120}, changes);
    EXPECT_EQ(c.map.shield[1], 60);
    EXPECT_EQ(c.map.fortification[1], 120);
    c.map.attacked[1] = 1;
    applyPlanetReport(c, 2, {2, 90, 10}, changes);
    EXPECT_EQ(c.map.shield[1], 60);
    EXPECT_EQ(c.map.fortification[1], 10);
}

TEST(Colonisation, AnOwnedSystemStaysWithItsOwner) {
    ChannelState c = twoPlayers();
    ChannelChanges changes;
    applyColonisation(c, 1, 2, changes);
    applyColonisation(c, 3, 5, changes);
    applyColonisation(c, 1, 5, changes);
    EXPECT_EQ(c.map.owner[1], 2);
    EXPECT_EQ(c.map.owner[4], 3);
}

TEST(Agreements, BothOffersMakeAnAgreementAndACancelEndsItForBoth) {
    ChannelState c = twoPlayers();
    ChannelChanges changes;
    applyAgreements(c, 1, {0, 0, 1, 1, 0}, changes);
    noteAgreementsTold(c, 1, changes);
    EXPECT_EQ(c.agreements.seenBy(1, 2), 1);
    EXPECT_EQ(c.agreements.seenBy(2, 1), 0) << "an offer to me shows as none, so I can accept it";
    applyAgreements(c, 2, {0, 1, 0, 0, 0}, changes);
    EXPECT_EQ(c.agreements.seenBy(1, 2), 2);
    EXPECT_EQ(c.agreements.seenBy(2, 1), 2);
    EXPECT_EQ(c.agreements.seenBy(3, 1), 0);
    applyAgreements(c, 3, {0, 3, 0, 0, 0}, changes);
    EXPECT_EQ(c.agreements.seenBy(1, 3), 0);
    applyAgreements(c, 1, {0, 0, 3, 0, 0}, changes);
    EXPECT_EQ(c.agreements.seenBy(2, 1), 0);
    applyAgreements(c, 1, {0, 0, 1, 0, 0}, changes);
    EXPECT_EQ(c.agreements.seenBy(1, 2), 0) << "1 is what slot 1 was last told: a repetition";
    EXPECT_TRUE(changes.agreements);
}

TEST(Battles, TwoPlayersInSpaceAtOneSystemFight) {
    ChannelState c = twoPlayers();
    c.players[1].ships = shipsAt(",2,3,4", ",0,0,0", ",4,9,4");
    c.players[2].ships = shipsAt(",2,5", ",0,4", ",9,0");
    c.players[3].ships = shipsAt(",1", ",0", ",4");
    const std::vector<Battle> battles = findBattles(c);
    ASSERT_EQ(battles.size(), 2u);
    EXPECT_EQ(battles[0].system, 4);
    EXPECT_EQ(battles[0].ships[1], (std::vector<int>{1, 3}));
    EXPECT_TRUE(battles[0].ships[2].empty()) << "a docked ship does not fight";
    EXPECT_EQ(battles[0].ships[3], (std::vector<int>{1}));
    EXPECT_EQ(battles[1].system, 9);
    EXPECT_EQ(battles[1].ships[2], (std::vector<int>{1}));
}

}  // namespace
}  // namespace qz::server
