// The running game over real HTTP: ship exchange, battles, colonisation, planetary attack
// to conquest, trade agreements, chat, and a server restart in the middle of it all.
#include "server_fixture.hpp"

namespace qz::server::test {
namespace {

class ServerGame : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        game_ = startGame(sender(), 3, 20);
    }
    std::string play(int slot, const std::vector<Ship>& ships, const Pairs& extra = {}) {
        return send(game_.sessionId, gamePairs(game_.names[slot - 1], ships, extra));
    }
    Game game_;
};

TEST_F(ServerGame, ShipListsOfEveryPlayerComeBackUnderTheirSlot) {
    const Ship a{2, 100, 50, 0, 4, 160, 140, 10, 1, "0"};
    const Ship b{3, 80, 0, 3, 0, 0, 0, 20, 2, "1239"};
    play(1, {a, b});
    const std::string reply = play(2, {});
    EXPECT_EQ(record(reply, "si1typ"), ",2,3");
    EXPECT_EQ(record(reply, "si1doc"), ",0,3");
    EXPECT_EQ(record(reply, "si1uml"), ",4,0");
    EXPECT_EQ(record(reply, "si1bwg"), ",0,1239");
    EXPECT_EQ(record(reply, "si1fid"), ",1,2");
    EXPECT_EQ(record(reply, "si1pox"), ",160,0");
    EXPECT_EQ(record(reply, "si1poy"), ",140,0");
    EXPECT_EQ(record(reply, "si1fig"), "2");
    EXPECT_EQ(record(reply, "si2typ"), "<absent>") << "a player without ships has no ship records";
    EXPECT_EQ(reply.rfind("#BES-,1,2,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0-BES##TYP-,42,42,42,", 0), 0u) << reply;
    EXPECT_NE(reply.find("#s1hvtg-0-s1hvtg##"), std::string::npos);
    EXPECT_EQ(reply.find("#s2hvtg-"), std::string::npos) << "no agreement record for the requester itself";

    // "nok": the player has no ships any more, its old lists go.
    play(1, {});
    EXPECT_EQ(record(play(2, {}), "si1typ"), "<absent>");
}

TEST_F(ServerGame, ShipsInSpaceOfTwoPlayersAtOneSystemMakeABattleRecord) {
    play(1, {Ship{2, 100, 50, 0, 5, 0, 0, 10, 1}, Ship{4, 300, 90, 0, 5, 0, 0, 40, 1}, Ship{2, 100, 50, 0, 6}});
    play(3, {Ship{5, 70, 20, 5, 0, 0, 0, 30, 0}});  // docked at 5: not in space
    const std::string reply = play(2, {Ship{2, 120, 0, 0, 15}, Ship{3, 90, 10, 0, 5, 0, 0, 25, 2}});
    EXPECT_EQ(battleRecord(reply, 5),
              "#sp1ksid-,1,2-sp1ksid##sp1klbp-,100,300-sp1klbp##sp1ksld-,50,90-sp1ksld##sp1kfkt-,10,40-sp1kfkt#"
              "#sp2ksid-,2-sp2ksid##sp2klbp-,90-sp2klbp##sp2ksld-,10-sp2ksld##sp2kfkt-,25-sp2kfkt#");
    EXPECT_EQ(battleRecord(reply, 6), "<absent>") << "one player alone does not fight";
    EXPECT_EQ(battleRecord(reply, 15), "<absent>");
    EXPECT_EQ(reply.find("sp3ksid"), std::string::npos);
}

TEST_F(ServerGame, TheFirstColonisationOfAFreeSystemWins) {
    play(2, {}, {{"kolo", "10"}});
    play(3, {}, {{"kolo", "10"}});
    play(3, {}, {{"kolo", "11"}});
    const std::string reply = play(1, {}, {{"kolo", "2"}});  // slot 2's home planet is not free
    EXPECT_EQ(record(reply, "BES"), ",1,2,3,0,0,0,0,0,0,2,3,0,0,0,0,0,0,0,0,0");
}

TEST_F(ServerGame, HeavyBattleshipsTakeAPlanetShieldFirstThenFortification) {
    // Slot 2 reports its home planet's values as its daily accounting would.
    play(2, {}, {{"pi1", ",2"}, {"pi2", ",30"}, {"pi3", ",120"}});
    const std::vector<Ship> battleships(4, Ship{7, 500, 100, 0, 2, 0, 0, 60, 1});
    // 4 heavy battleships do at most 100, whatever the client claims.
    std::string reply = play(1, battleships, {{"pa0", "ok"}, {"pa1", ",1000"}, {"pa2", ",2"}});
    EXPECT_EQ(item(record(reply, "SLD"), 2), "0");
    EXPECT_EQ(item(record(reply, "BFG"), 2), "50");
    EXPECT_EQ(item(record(reply, "BFG"), 3), "5000");
    EXPECT_EQ(item(record(reply, "PAG"), 2), "3");
    EXPECT_EQ(item(record(reply, "BES"), 2), "2");

    // While attacked, the owner's report cannot restore the planet.
    reply = play(2, {}, {{"pi1", ",2"}, {"pi2", ",45"}, {"pi3", ",5000"}});
    EXPECT_EQ(item(record(reply, "SLD"), 2), "0");
    EXPECT_EQ(item(record(reply, "BFG"), 2), "50");
    EXPECT_EQ(item(record(reply, "PAG"), 2), "2") << "each request of the owner is one round";

    reply = play(1, battleships, {{"pa0", "ok"}, {"pa1", ",100"}, {"pa2", ",2"}});
    EXPECT_EQ(item(record(reply, "BES"), 2), "1");
    EXPECT_EQ(item(record(reply, "BFG"), 2), "0");
    EXPECT_EQ(record(reply, "chat"), "5;-;Spieler1 ist beigetreten.;-;5;-;Spieler2 ist beigetreten.;-;5;-;"
                                     "Spieler3 ist beigetreten.;-;5;-;Spieler1 hat Heimatplanet erobert.");
    EXPECT_EQ(item(record(play(2, {}), "BES"), 2), "1") << "the loser sees it too";

    // Without battleships at the system an attack report does nothing.
    reply = play(1, {}, {{"pa0", "ok"}, {"pa1", ",100"}, {"pa2", ",3"}});
    EXPECT_EQ(item(record(reply, "BFG"), 3), "5000");
    EXPECT_EQ(item(record(reply, "PAG"), 3), "0");
}

TEST_F(ServerGame, TradeAgreementNeedsBothOffersAndEndsWithACancel) {
    std::string one = play(1, {}, {{"hvertrag", "0,1,0,0"}});
    EXPECT_EQ(record(one, "s2hvtg"), "1") << "offered, not yet answered";
    std::string two = play(2, {}, {{"hvertrag", "0,0,0,0"}});
    EXPECT_EQ(record(two, "s1hvtg"), "0");
    two = play(2, {}, {{"hvertrag", "1,0,0,0"}});
    EXPECT_EQ(record(two, "s1hvtg"), "2");
    one = play(1, {}, {{"hvertrag", "0,1,0,0"}});
    EXPECT_EQ(record(one, "s2hvtg"), "2");
    EXPECT_EQ(record(one, "s3hvtg"), "0");

    two = play(2, {}, {{"hvertrag", "3,0,0,0"}});
    EXPECT_EQ(record(two, "s1hvtg"), "0");
    // Slot 1 still repeats what it was told before; that does not renew the agreement.
    one = play(1, {}, {{"hvertrag", "0,2,0,0"}});
    EXPECT_EQ(record(one, "s2hvtg"), "0");
    one = play(1, {}, {{"hvertrag", "0,1,0,0"}});
    EXPECT_EQ(record(one, "s2hvtg"), "1") << "a new offer after the cancel counts";
    EXPECT_EQ(record(play(2, {}), "s1hvtg"), "0");

    play(3, {}, {{"hwege", ",12,13,12,14"}});
    EXPECT_EQ(record(play(1, {}), "s3hweg"), ",12,13,12,14");
    play(3, {}, {{"privatholen", "1"}});  // back in the game: the request leaves the routes out
    EXPECT_EQ(record(play(1, {}), "s3hweg"), ",12,13,12,14") << "a field left out keeps what is stored";
    play(3, {}, {{"hwege", ""}});
    EXPECT_EQ(record(play(1, {}), "s3hweg"), "<absent>") << "an empty field ends them";
}

TEST_F(ServerGame, ChatKeepsTheLastTwentyLines) {
    for (int i = 1; i <= 25; ++i) play(1 + i % 3, {}, {{"chat", "Zeile " + std::to_string(i) + ": gg"}});
    // Three join messages and 25 lines: the reply holds lines 6 to 25.
    std::string expected;
    for (int i = 6; i <= 25; ++i) {
        if (!expected.empty()) expected += ";-;";
        expected += std::to_string(1 + i % 3) + ";-;Zeile " + std::to_string(i) + ": gg";
    }
    EXPECT_EQ(record(play(1, {}), "chat"), expected);
}

TEST_F(ServerGame, ARestartedServerContinuesTheGameExactly) {
    const std::vector<Ship> battleships(4, Ship{7, 500, 100, 0, 3, 0, 0, 60, 1});
    play(1, battleships, {{"pa0", "ok"}, {"pa1", ",100"}, {"pa2", ",3"}, {"hvertrag", "0,1,0,0"}});
    play(2, {Ship{2, 100, 50, 0, 3}}, {{"hvertrag", "1,0,0,0"}, {"kolo", "9"}, {"chat", "vor dem Neustart"}});
    const std::string before = play(3, {}, {{"hwege", ",3,4"}});
    const std::string stored = snapshot();

    restart();
    EXPECT_EQ(snapshot(), stored);
    const std::string after = play(3, {}, {{"hwege", ",3,4"}});
    // One more request of the owner counted the attack mark down; everything else is equal.
    std::string expected = before;
    expected.replace(expected.find("#PAG-,0,0,2"), 11, "#PAG-,0,0,1");
    EXPECT_EQ(after, expected);
    EXPECT_EQ(record(play(1, battleships), "s2hvtg"), "2");
    EXPECT_NE(battleRecord(after, 3), "<absent>");
    EXPECT_EQ(send(game_.sessionId, lobbyPairs(game_.names[1], 1, 2, 1)).rfind("channel;;1;;20;;", 0), 0u);
}

}  // namespace
}  // namespace qz::server::test
