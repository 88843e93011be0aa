// Who may speak for whom, over real HTTP: a stranger on a second loopback address tries to
// act for a player and to take a host's slot; an operator binds logins to a prefix or
// reads the address a trusted proxy forwards.
#include "haproxy_process.hpp"
#include "server_fixture.hpp"

namespace qz::server::test {
namespace {

// The rows of one table in a database snapshot.
std::string section(const std::string& snapshot, const std::string& table) {
    const std::size_t start = snapshot.find("[" + table + "]");
    return snapshot.substr(start, snapshot.find("\n[", start + 1) - start);
}

class ServerIdentity : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        game_ = startGame(sender(), 2, 20);
        play(1, {Ship{7, 400, 100, 0, 2}}, {{"hvertrag", "0,1,0,0"}});
        play(2, {Ship{2, 100, 50, 0, 5}}, {{"hvertrag", "1,0,0,0"}});
        ASSERT_EQ(sendFrom(kStranger, "", loginPairs("Fremder")), "loginok");
    }
    std::string play(int slot, const std::vector<Ship>& ships, const Pairs& extra = {}) {
        return send(game_.sessionId, gamePairs(game_.names[slot - 1], ships, extra));
    }
    Game game_;
};

TEST_F(ServerIdentity, AStrangerCannotActInAnotherPlayersName) {
    const std::string stored = snapshot();
    const std::string victim = game_.names[1];
    const Pairs attempts[] = {
        gamePairs(victim, {}),                                              // "nok" wipes the fleets
        gamePairs(victim, {Ship{2, 100, 50, 0, 5}}, {{"pi1", ",2"}, {"pi2", ",0"}, {"pi3", ",1"}}),
        gamePairs(victim, {Ship{2, 100, 50, 0, 5}}, {{"hvertrag", "3,0,0,0"}}),
        gamePairs(victim, {Ship{2, 100, 50, 0, 5}}, {{"chat", "Ich gebe auf"}}),
        lobbyPairs(victim, 0, 3, 1),
        uploadPairs(game_.names[0], 1, 2, 20),
    };
    for (const Pairs& pairs : attempts) {
        EXPECT_EQ(sendFrom(kStranger, game_.sessionId, pairs), "fehler;;Nicht angemeldet");
    }
    EXPECT_EQ(snapshot(), stored) << "the victim's stored state changed";
    EXPECT_NE(server_->log().find("request refused: Nicht angemeldet from=127.0.0.2"), std::string::npos);
    EXPECT_EQ(record(play(1, {Ship{7, 400, 100, 0, 2}}), "si2typ"), ",2") << "the victim's ships stay";

    // A player whose address changes logs in again; from then on only the new one counts.
    ASSERT_EQ(sendFrom(kStranger, "", loginPairs(victim)), "loginok");
    EXPECT_EQ(sendFrom(kStranger, game_.sessionId, gamePairs(victim, {})).rfind("#BES-", 0), 0u);
    EXPECT_EQ(play(2, {}), "fehler;;Nicht angemeldet");
}

TEST_F(ServerIdentity, AStrangerCannotTakeTheHostSlotOfAFreshChannel) {
    EXPECT_EQ(sendFrom("127.0.0.3", "", createPairs("Fremd", 2, 20)), "fehler;;Nicht angemeldet")
        << "creating needs a login from the creator's address";
    ASSERT_EQ(send("", loginPairs("Gastgeber")), "loginok");
    const std::string id = record(send("", createPairs("Abend", 2, 20)), "sid");
    const std::string before = snapshot();
    // The stranger polls the fresh channel as only a host would, before the host does.
    const std::string stranger = sendFrom(kStranger, id, lobbyPairs("Fremder", 0, 1, 0, 20));
    EXPECT_EQ(record(stranger, "SP1"), ",1,,0,0") << "slot 1 waits for the creator";
    EXPECT_EQ(record(stranger, "SP2"), ",2,Fremder,1,0");
    const std::string after = snapshot();
    EXPECT_EQ(section(after, "channels"), section(before, "channels")) << "host and star count unchanged";
    EXPECT_NE(section(after, "slots").find(id + "|1||0|0|"), std::string::npos);
    EXPECT_EQ(record(send(id, lobbyPairs("Gastgeber", 0, 2, 0, 20)), "SP1"), ",1,Gastgeber,2,0");
}

class ServerBehindProxy : public ServerFixture {
protected:
    std::vector<std::string> options() const override { return {"--trust-proxy", "127.0.0.1", "--bind-prefix", "24"}; }

    // One X-Forwarded-For line per entry of `lines`, in that order.
    std::string forwarded(const char* from, const std::vector<std::string>& lines, const std::string& sessionId,
                          const Pairs& pairs) {
        std::string request = gameRequest("127.0.0.1", port(), sessionId, pairs);
        std::string headers;
        for (const std::string& line : lines) headers += "X-Forwarded-For: " + line + "\r\n";
        request.insert(request.find("\r\n") + 2, headers);
        return replyText(roundTrip(port(), request, from));
    }
    std::string forwarded(const char* from, const std::string& address, const std::string& sessionId,
                          const Pairs& pairs) {
        return forwarded(from, std::vector<std::string>{address}, sessionId, pairs);
    }
};

TEST_F(ServerBehindProxy, TheProxysForwardedAddressCountsCutToThePrefix) {
    ASSERT_EQ(forwarded(kHome, "6.6.6.6, 10.1.2.3", "", loginPairs("Anna")), "loginok");
    const std::string id = record(forwarded(kHome, "10.1.2.3", "", createPairs("Proxy", 2, 20)), "sid");
    EXPECT_EQ(record(forwarded(kHome, "10.1.2.77", id, lobbyPairs("Anna", 0, 1, 0)), "SP1"), ",1,Anna,1,0")
        << "the same /24 speaks for Anna";
    EXPECT_EQ(forwarded(kHome, "10.1.3.3", id, lobbyPairs("Anna", 0, 1, 0)), "fehler;;Nicht angemeldet");
    EXPECT_EQ(forwarded(kHome, "6.6.6.6", id, lobbyPairs("Anna", 0, 1, 0)), "fehler;;Nicht angemeldet")
        << "only the last entry, written by the proxy, counts";
    EXPECT_EQ(forwarded(kStranger, "10.1.2.3", id, lobbyPairs("Anna", 0, 1, 0)), "fehler;;Nicht angemeldet")
        << "a client that is not the proxy cannot forward an address";
    EXPECT_EQ(forwarded(kHome, "kein Rechner", "", {{"infos", "onlinecheck"}}), "fehler;;Absenderadresse ungueltig");
}

TEST_F(ServerBehindProxy, AProxysOwnHeaderLineAfterAForgedOneNamesTheClient) {
    // HAProxy appends a line of its own instead of extending the client's: the forged line
    // comes first and must prove nothing, for the login as for every later request.
    const std::string anna = "10.1.2.3";
    const std::string mallory = "10.5.5.5";
    ASSERT_EQ(forwarded(kHome, std::vector<std::string>{mallory, anna}, "", loginPairs("Anna")), "loginok");
    EXPECT_EQ(forwarded(kHome, std::vector<std::string>{anna, mallory}, "", createPairs("Falsch", 2, 20)),
              "fehler;;Nicht angemeldet")
        << "nobody logged in from the client's own address";
    const std::string id = record(forwarded(kHome, anna, "", createPairs("Proxy", 2, 20)), "sid");
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(forwarded(kHome, std::vector<std::string>{anna, mallory}, id, lobbyPairs("Anna", 0, 1, 0)),
              "fehler;;Nicht angemeldet");
    EXPECT_EQ(forwarded(kHome, std::vector<std::string>{"1.2.3.4, " + anna, mallory}, id, lobbyPairs("Anna", 0, 1, 0)),
              "fehler;;Nicht angemeldet")
        << "entries of several lines count together";
    EXPECT_EQ(record(forwarded(kHome, std::vector<std::string>{mallory, anna}, id, lobbyPairs("Anna", 0, 1, 0)), "SP1"),
              ",1,Anna,1,0");
}

class ServerBehindHaproxy : public ServerFixture {
protected:
    std::vector<std::string> options() const override { return {"--trust-proxy", "127.0.0.1"}; }
};

TEST_F(ServerBehindHaproxy, AClientCannotForwardAnotherPlayersAddressThroughTheProxy) {
    const std::string missing = HaproxyProcess::missing();
    if (!missing.empty()) GTEST_SKIP() << missing;
    HaproxyProcess proxy(port(), directory_);
    const auto through = [&](const char* from, const std::string& forged, const std::string& sessionId,
                             const Pairs& pairs) {
        std::string request = gameRequest("127.0.0.1", proxy.port(), sessionId, pairs);
        if (!forged.empty()) request.insert(request.find("\r\n") + 2, "X-Forwarded-For: " + forged + "\r\n");
        return replyText(roundTrip(proxy.port(), request, from));
    };
    const char* anna = "127.0.0.5";
    const char* mallory = "127.0.0.6";
    ASSERT_EQ(through(anna, "", "", loginPairs("Anna")), "loginok");
    EXPECT_EQ(through(mallory, anna, "", createPairs("Falsch", 2, 20)), "fehler;;Nicht angemeldet")
        << "nobody logged in from Mallory's address, whatever it forwards";
    const std::string id = record(through(anna, "", "", createPairs("Abend", 2, 20)), "sid");
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(through(mallory, anna, id, lobbyPairs("Anna", 0, 1, 0)), "fehler;;Nicht angemeldet");
    EXPECT_EQ(record(through(anna, "", id, lobbyPairs("Anna", 0, 1, 0)), "SP1"), ",1,Anna,1,0");
    EXPECT_NE(server_->log().find("request refused: Nicht angemeldet from=127.0.0.6"), std::string::npos);
}

// A private server (QZ_SERVER_KEY in its environment) serves only requests that carry its
// key: on the loopback address every process of every account on the machine is the player.
class PrivateServer : public ServerFixture {
protected:
    static constexpr const char* kKey = "0123456789abcdef0123456789abcdef";
    std::vector<std::string> environment() const override { return {std::string("QZ_SERVER_KEY=") + kKey}; }
    std::string sendWith(const std::string& key, const std::string& sessionId, const Pairs& pairs) {
        std::string request = gameRequest("127.0.0.1", port(), sessionId, pairs);
        if (!key.empty()) request.insert(request.find("\r\n") + 2, "X-QZ-Key: " + key + "\r\n");
        return replyText(roundTrip(port(), request));
    }
};

TEST_F(PrivateServer, OnlyRequestsWithItsKeyAreServedEvenFromTheSameAddress) {
    const Send keyed = [&](const std::string& id, const Pairs& pairs) { return sendWith(kKey, id, pairs); };
    const Game game = startGame(keyed, 2, 20);
    const std::string& player = game.names[0];
    ASSERT_EQ(keyed(game.sessionId, gamePairs(player, {Ship{}}, {{"privat", "RWlnZW5lcw=="}})).rfind("#BES-", 0), 0u);
    const std::string stored = snapshot();
    const std::string wrongKey = std::string(kKey).replace(31, 1, "0");  // one character off, same length
    const Pairs attempts[] = {
        loginPairs(player),                                           // log in as the player
        joinPairs("Fremder"),                                         // take a seat
        gamePairs(player, {}, {{"chat", "Ich gebe auf"}}),            // chat in its name, wipe its ships
        gamePairs(player, {Ship{}}, {{"privatholen", "1"}}),          // take its private block
        {{"infos", "onlinecheck"}},
    };
    for (const std::string& key : {std::string(), wrongKey, std::string(kKey).substr(0, 31)}) {
        for (const Pairs& pairs : attempts) {
            EXPECT_EQ(sendWith(key, pairs == attempts[0] ? "" : game.sessionId, pairs), "fehler;;Kein Zugang")
                << "key \"" << key << "\", " << pairs[0].second;
        }
    }
    EXPECT_EQ(snapshot(), stored) << "a refused request changed the game";
    EXPECT_NE(server_->log().find("request refused: without the server's key from=127.0.0.1"), std::string::npos);
    EXPECT_EQ(record(keyed(game.sessionId, gamePairs(player, {Ship{}}, {{"privatholen", "1"}})), "privat"),
              "RWlnZW5lcw==")
        << "the player with the key plays on";
}

}  // namespace
}  // namespace qz::server::test
