// Every command over real HTTP: the replies byte by byte, the framing and the paths.
#include "server_fixture.hpp"

#include <regex>

namespace qz::server::test {
namespace {

using ServerCommands = ServerFixture;

TEST_F(ServerCommands, OnlineCheckIsAnsweredAndTheConnectionClosed) {
    const std::string response = roundTrip(port(), gameRequest("127.0.0.1", port(), "", {{"infos", "onlinecheck"}}));
    EXPECT_EQ(response.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << response;
    EXPECT_NE(response.find("Connection: close\r\n"), std::string::npos);
    const std::string body = response.substr(response.find("\r\n\r\n") + 4);
    EXPECT_EQ(body, "CODE:onlinecheck;;online:EDOC");
}

TEST_F(ServerCommands, OtherPathsGet404AndOtherMethods405) {
    const std::string wrongPath = roundTrip(port(), "POST /games/qz/other.php HTTP/1.1\r\nHost: x\r\n"
                                                   "Content-Length: 17\r\n\r\ninfos=onlinecheck");
    EXPECT_EQ(wrongPath.rfind("HTTP/1.1 404", 0), 0u) << wrongPath;
    EXPECT_EQ(wrongPath.find("CODE:"), std::string::npos);
    const std::string get = roundTrip(port(), "GET /games/qz/datenabfrage.php HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_EQ(get.rfind("HTTP/1.1 405", 0), 0u) << get;
}

TEST_F(ServerCommands, LoginRegistersAnUnknownNameAndThenChecksItsDigest) {
    EXPECT_EQ(send("", loginPairs("Anna")), "loginok");
    EXPECT_EQ(send("", loginPairs("Anna")), "loginok");
    EXPECT_EQ(send("", {{"infos", "login"}, {"i1", "Anna"}, {"i2", digestOf("falsch")}}), "loginerror");
    const std::string stored = snapshot();
    EXPECT_NE(stored.find("Anna|$argon2id$"), std::string::npos) << stored;
    EXPECT_EQ(stored.find(digestOf("Anna")), std::string::npos) << "the digest itself must not be stored";
}

TEST_F(ServerCommands, UnknownCommandIsRefused) {
    EXPECT_EQ(send("", {{"infos", "hallo"}}), "fehler;;Unbekannter Befehl");
}

TEST_F(ServerCommands, CreatedChannelIsListedWithMaskedPasswordUntilItStarts) {
    ASSERT_EQ(send("", loginPairs("Abend")), "loginok");
    const std::string created = send("", {{"infos", "channel_erstellen"}, {"i1", "Abend Runde"}, {"i2", "pw"},
                                          {"i3", "3"}, {"i4", "100"}, {"i5", "QZ0.10"}});
    // No slot records yet: the host's first poll takes slot 1 with its name.
    const std::regex lobby("channel;;0;;100;;#sid-([0-9a-f]{32})-sid#");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(created, match, lobby)) << created;
    const std::string id = match[1];
    EXPECT_EQ(send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}}),
              "channel_auflisten;;," + id + ";;,Abend Runde;;,*;;,0;;,3;;,100");
    EXPECT_EQ(send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.09"}}), "channel_auflisten;;;;;;;;;;;;");

    const Game game = startGame(sender(), 2, 50);
    const std::string listed = send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}});
    EXPECT_EQ(listed.find(game.sessionId), std::string::npos) << "a started game is not listed";
    EXPECT_NE(listed.find(id), std::string::npos);
}

class ClosedRegistration : public ServerFixture {
protected:
    std::vector<std::string> options() const override { return {"--closed-registration"}; }
};

TEST_F(ClosedRegistration, OnlyAccountsAddedByTheOperatorLogIn) {
    EXPECT_EQ(send("", loginPairs("Bob")), "loginerror");
    EXPECT_EQ(snapshot().find("Bob"), std::string::npos);
    // The password comes on standard input, out of the process list and the shell history.
    ASSERT_EQ(runServerCommand({"user", "add", "Bob", "--db", database_, "--hash-cost", "minimum"}, "Bob-geheim\n"), 0);
    ASSERT_EQ(runServerCommand({"user", "add", "Cleo", "Cleo-geheim", "--db", database_, "--hash-cost", "minimum"}), 0);
    EXPECT_NE(runServerCommand({"user", "add", "Dana", "--db", database_, "--hash-cost", "minimum"}, ""), 0)
        << "no password, no account";
    // digestOf("Bob") is the MD5 of "Bob-geheim", as the game computes it.
    EXPECT_EQ(send("", loginPairs("Bob")), "loginok");
    EXPECT_EQ(send("", loginPairs("Cleo")), "loginok");
    EXPECT_EQ(send("", loginPairs("Dana")), "loginerror");
    EXPECT_EQ(send("", {{"infos", "login"}, {"i1", "Bob"}, {"i2", digestOf("x")}}), "loginerror");
}

class DebugLog : public ServerFixture {
protected:
    std::vector<std::string> options() const override { return {"--log-level", "debug"}; }
};

TEST_F(DebugLog, TheLoginDigestNeverReachesTheLog) {
    ASSERT_EQ(send("", loginPairs("Anna")), "loginok");
    ASSERT_EQ(send("", loginPairs("Anna")), "loginok");
    ASSERT_EQ(send("", {{"infos", "login"}, {"i1", "Anna"}, {"i2", digestOf("falsch")}}), "loginerror");
    send("", {{"infos", "login"}, {"i1", "Anna;"}, {"i2", digestOf("Anna")}});
    send("", {{"infos", "login"}, {"i1", "Anna"}, {"i2", digestOf("Anna") + "0"}});
    const std::string log = server_->log();
    EXPECT_NE(log.find("login ok name=Anna"), std::string::npos) << log;
    for (const std::string& secret : {digestOf("Anna"), digestOf("falsch")}) {
        EXPECT_EQ(log.find(secret), std::string::npos);
        EXPECT_EQ(log.find(urlEncode(secret, true)), std::string::npos);
    }
}

TEST(ServerCommandLine, HelpExplainsTheOptionsAndBadOptionsFail) {
    EXPECT_EQ(runServerCommand({"--help"}), 0);
    EXPECT_NE(runServerCommand({"--port", "abc"}), 0);
    EXPECT_NE(runServerCommand({"--frobnicate"}), 0);
}

}  // namespace
}  // namespace qz::server::test
