// Four players from login through the lobby to the start of the game, over real HTTP.
#include "server_fixture.hpp"

namespace qz::server::test {
namespace {

using ServerLobby = ServerFixture;

TEST_F(ServerLobby, FourPlayersGetSlotsColoursAndTheStarMap) {
    for (const char* name : {"Host", "Bea", "Cem", "Dora", "Emil"}) ASSERT_EQ(send("", loginPairs(name)), "loginok");
    const std::string id = record(send("", createPairs("Vier", 4, 100)), "sid");
    ASSERT_EQ(id.size(), 32u);

    const std::string hostPoll = send(id, lobbyPairs("Host", 0, 0, 0, 100));
    EXPECT_EQ(hostPoll, "channel;;0;;100;;#sid-" + id + "-sid##SP1-,1,Host,0,0-SP1##SP2-,2,,0,0-SP2#"
                        "#SP3-,3,,0,0-SP3##SP4-,4,,0,0-SP4#");
    EXPECT_EQ(record(send(id, joinPairs("Bea")), "SP2"), ",2,Bea,0,0");
    EXPECT_EQ(record(send(id, joinPairs("Cem")), "SP3"), ",3,Cem,0,0");
    EXPECT_EQ(record(send(id, joinPairs("Bea")), "SP2"), ",2,Bea,0,0") << "the same name keeps its slot";
    EXPECT_EQ(record(send(id, joinPairs("Dora")), "SP4"), ",4,Dora,0,0");
    const std::string full = send(id, joinPairs("Emil"));
    EXPECT_EQ(full.find("Emil"), std::string::npos) << "a full channel seats nobody more";

    EXPECT_EQ(record(send(id, lobbyPairs("Bea", 0, 0, 1)), "SP2"), ",2,Bea,0,0") << "no ready without colour";
    EXPECT_EQ(record(send(id, lobbyPairs("Host", 0, 5, 1, 150)), "SP1"), ",1,Host,5,1");
    EXPECT_EQ(record(send(id, lobbyPairs("Bea", 0, 5, 1)), "SP2"), ",2,Bea,0,0") << "colour 5 is taken";
    EXPECT_EQ(record(send(id, lobbyPairs("Bea", 0, 2, 1)), "SP2"), ",2,Bea,2,1");
    send(id, lobbyPairs("Cem", 0, 3, 1));
    const std::string ready = send(id, lobbyPairs("Dora", 0, 4, 1));
    EXPECT_EQ(ready, "channel;;0;;150;;#sid-" + id + "-sid##SP1-,1,Host,5,1-SP1##SP2-,2,Bea,2,1-SP2#"
                     "#SP3-,3,Cem,3,1-SP3##SP4-,4,Dora,4,1-SP4#");

    EXPECT_EQ(send(id, uploadPairs("Bea", 2, 4, 6)).rfind("fehler;;", 0), 0u) << "only the host uploads";
    const std::string started = send(id, uploadPairs("Host", 5, 4, 6));
    const std::string expectedMap =
        "#NAM-,Heimatplanet,Heimatplanet,Heimatplanet,Heimatplanet,Planet X5,Planet X6-NAM#"
        "#SLD-,0,0,0,0,0,0-SLD##BFG-,5000,5000,5000,5000,800,800-BFG##PAG-,0,0,0,0,0,0-PAG#"
        "#POX-,40,80,120,160,200,240-POX##POY-,30,60,90,120,150,180-POY##BES-,1,2,3,4,0,0-BES#"
        "#TYP-,42,42,42,42,6,7-TYP##ENW-,2,3,4,5,6,7-ENW##VRS-,2,3,4,5,6,7-VRS##FOP-,2,3,4,5,6,7-FOP#"
        "#HDM-,2,3,4,5,6,7-HDM##WFT-,2,3,4,5,6,7-WFT##STK-7-STK#";
    EXPECT_EQ(started, "channel;;1;;6;;#sid-" + id + "-sid##SP1-,1,Host,5,1-SP1##SP2-,2,Bea,2,1-SP2#"
                       "#SP3-,3,Cem,3,1-SP3##SP4-,4,Dora,4,1-SP4#" + expectedMap);
    for (const char* name : {"Bea", "Cem", "Dora"}) {
        const std::string poll = send(id, lobbyPairs(name, 0, 0, 1));
        EXPECT_EQ(poll.rfind("channel;;1;;6;;", 0), 0u) << poll;
        EXPECT_NE(poll.find(expectedMap), std::string::npos) << "every member gets the star map";
        EXPECT_NE(poll.find(",Bea,2,1-SP2#"), std::string::npos) << "colours are fixed once the game runs";
    }
    EXPECT_EQ(send(id, uploadPairs("Host", 5, 4, 9)), started) << "a second upload changes nothing";
    EXPECT_EQ(send(id, joinPairs("Emil")).find("Emil"), std::string::npos) << "nobody joins a running game";
}

TEST_F(ServerLobby, JoinerMustHaveLoggedIn) {
    send("", loginPairs("Host"));
    const std::string id = record(send("", createPairs("Zwei", 2, 50)), "sid");
    send(id, lobbyPairs("Host", 0, 0, 0));
    EXPECT_EQ(send(id, joinPairs("Fremder")), "fehler;;Unbekannter Spieler");
}

}  // namespace
}  // namespace qz::server::test
