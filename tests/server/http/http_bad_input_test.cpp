// Every class of bad input over real HTTP: the error reply, and proof that neither the
// stored state nor what the players see changed.
#include "base/limits.hpp"
#include "server_fixture.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace qz::server::test {
namespace {

class ServerBadInput : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        other_ = startGame(sender(), 2, 30, "Gast");
        game_ = startGame(sender(), 2, 50);
        play(1, {Ship{2, 100, 50, 0, 7}}, {{"kolo", "20"}, {"chat", "hallo"}});
        play(2, {Ship{2, 100, 50, 0, 7}});
        ASSERT_EQ(send("", loginPairs("Zaungast")), "loginok");
        view_ = views();
        stored_ = snapshot();
    }

    std::string play(int slot, const std::vector<Ship>& ships, const Pairs& extra = {}) {
        return send(game_.sessionId, gamePairs(game_.names[slot - 1], ships, extra));
    }

    // What the players of both channels see with an unchanged request.
    std::string views() {
        return play(1, {Ship{2, 100, 50, 0, 7}}) + "|" + play(2, {Ship{2, 100, 50, 0, 7}}) + "|" +
               send(other_.sessionId, gamePairs(other_.names[0], {})) + "|" +
               send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}});
    }

    void expectRefusedAndNothingChanged(const std::string& reply, const std::string& reason) {
        EXPECT_EQ(reply, "fehler;;" + reason);
        EXPECT_EQ(snapshot(), stored_) << "refused request changed stored state";
        EXPECT_EQ(views(), view_) << "refused request changed what players see";
    }

    void expectGameRequestRefused(const Pairs& extra, const std::string& reason, int slot = 1) {
        SCOPED_TRACE(reason);
        expectRefusedAndNothingChanged(play(slot, {Ship{2, 100, 50, 0, 7}}, extra), reason);
    }

    Game other_;
    Game game_;
    std::string view_;
    std::string stored_;
};

TEST_F(ServerBadInput, BodyOverOneMebibyteIsRefused) {
    const std::string body = "infos=spiel&i1=" + std::string(1024 * 1024, 'a');
    const std::string request = "POST /games/qz/datenabfrage.php?PHPSESSID=" + game_.sessionId +
                                " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                                "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\n\r\n" + body;
    const std::string response = roundTrip(port(), request);
    EXPECT_EQ(response.rfind("HTTP/1.1 413", 0), 0u) << response.substr(0, 100);
    expectRefusedAndNothingChanged(replyText(response), "Anfrage zu gross");
}

TEST_F(ServerBadInput, HeaderOverSixteenKibibytesIsRefused) {
    const std::string request = "POST /games/qz/datenabfrage.php HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Polster: " +
                                std::string(17 * 1024, 'x') + "\r\nContent-Length: 17\r\n\r\ninfos=onlinecheck";
    const std::string response = roundTrip(port(), request);
    EXPECT_EQ(response.rfind("HTTP/1.1 431", 0), 0u) << response.substr(0, 100);
    expectRefusedAndNothingChanged(replyText(response), "Kopfzeilen zu gross");
}

TEST_F(ServerBadInput, BrokenHttpIsRefused) {
    expectRefusedAndNothingChanged(replyText(roundTrip(port(), "POST /games/qz/datenabfrage.php HTTP/1.1\r\n"
                                                              "Content-Length: zehn\r\n\r\n")),
                                   "Anfrage fehlerhaft");
}

TEST_F(ServerBadInput, NamesMustBeShortAndFreeOfSeparators) {
    expectRefusedAndNothingChanged(send("", {{"infos", "login"}, {"i1", "Sechzehn Zeichen"}, {"i2", digestOf("x")}}),
                                   "Benutzername zu lang");
    for (const char* name : {"a,b", "a;b", "a#b", "a:EDOC", "a\nb"}) {
        SCOPED_TRACE(name);
        expectRefusedAndNothingChanged(send("", {{"infos", "channel_erstellen"}, {"i1", name}, {"i2", ""},
                                                 {"i3", "2"}, {"i4", "50"}, {"i5", "QZ0.10"}}),
                                       "Channelname enthaelt Trennzeichen");
    }
    expectRefusedAndNothingChanged(send("", {{"infos", "login"}, {"i1", ""}, {"i2", digestOf("x")}}),
                                   "Benutzername fehlt");
    expectRefusedAndNothingChanged(send("", {{"infos", "login"}, {"i1", "Max"}, {"i2", "1234"}}),
                                   "Passwort-Pruefsumme ungueltig");
    expectGameRequestRefused({{"chat", "a;b"}}, "Chatzeile enthaelt Trennzeichen");
    expectGameRequestRefused({{"chat", "#kuml7-x-7kuml#"}}, "Chatzeile enthaelt Trennzeichen");
    expectGameRequestRefused({{"chat", std::string(81, 'x')}}, "Chatzeile zu lang");
}

TEST_F(ServerBadInput, ListsOfMoreThanTwentyThousandEntriesAreRefused) {
    std::string types;
    for (int i = 0; i < 20001; ++i) types += ",2";
    expectGameRequestRefused({{"si1", types}}, "Liste zu lang in si1");
    std::string hubs;
    for (int i = 0; i < 10001; ++i) hubs += ",1,2";
    expectGameRequestRefused({{"hwege", hubs}}, "Liste zu lang in hwege");
}

TEST_F(ServerBadInput, NumbersMustParse) {
    expectGameRequestRefused({{"si6", ",1x"}}, "Keine Zahl in si6");
    expectGameRequestRefused({{"si6", ",99999999999"}}, "Keine Zahl in si6");
    expectGameRequestRefused({{"kolo", "zwei"}}, "Keine Zahl in kolo");
    expectGameRequestRefused({{"pi1", ",3"}, {"pi2", ",+5"}, {"pi3", ",1"}}, "Keine Zahl in pi2");
    expectGameRequestRefused({{"hvertrag", "0,1,0"}}, "hvertrag braucht vier Werte");
    expectGameRequestRefused({{"si4", ",12a"}}, "Ungueltige Route in si4");
    expectGameRequestRefused({{"si1", "2"}}, "Liste ohne Komma in si1");
    expectGameRequestRefused({{"si1", ",2,2"}}, "Schifflisten ungleich lang");
    expectGameRequestRefused({{"pa0", "ok"}, {"pa1", ",25,25"}, {"pa2", ",3"}}, "Angriffslisten ungleich lang");
    expectRefusedAndNothingChanged(send("", {{"infos", "channel_erstellen"}, {"i1", "X"}, {"i2", ""}, {"i3", "zwei"},
                                             {"i4", "50"}, {"i5", "QZ0.10"}}),
                                   "Keine Zahl in i3");
    expectRefusedAndNothingChanged(send("", {{"infos", "channel_erstellen"}, {"i1", "X"}, {"i2", ""}, {"i3", "5"},
                                             {"i4", "50"}, {"i5", "QZ0.10"}}),
                                   "Wert ausserhalb in i3");
    expectRefusedAndNothingChanged(replyText(roundTrip(port(), gameRequest("127.0.0.1", port(), "", {}))),
                                   "Unbekannter Befehl");
    const std::string brokenEscape = "POST /games/qz/datenabfrage.php HTTP/1.1\r\nHost: x\r\nContent-Length: 14\r\n"
                                     "\r\ninfos=spiel%G1";
    expectRefusedAndNothingChanged(replyText(roundTrip(port(), brokenEscape)), "Kodierung fehlerhaft");
}

TEST_F(ServerBadInput, SystemNumbersMustLieWithinTheStarCount) {
    expectGameRequestRefused({{"kolo", "51"}}, "Wert ausserhalb in kolo");
    expectGameRequestRefused({{"kolo", "-1"}}, "Wert ausserhalb in kolo");
    expectGameRequestRefused({{"pa0", "ok"}, {"pa1", ",25"}, {"pa2", ",0"}}, "Wert ausserhalb in pa2");
    expectGameRequestRefused({{"pi1", ",51"}, {"pi2", ",1"}, {"pi3", ",1"}}, "Wert ausserhalb in pi1");
    expectGameRequestRefused({{"hwege", ",3,51"}}, "Wert ausserhalb in hwege");
    expectGameRequestRefused({{"hwege", ",3"}}, "Handelswege unvollstaendig");
    expectRefusedAndNothingChanged(play(1, {Ship{2, 100, 50, 0, 51}}), "Wert ausserhalb in si3");
    expectRefusedAndNothingChanged(play(1, {Ship{2, 100, 50, 51, 0}}), "Wert ausserhalb in si2");
}

TEST_F(ServerBadInput, GameDataMustBeWhatTheGameCanProduce) {
    expectRefusedAndNothingChanged(play(1, {Ship{9, 100, 50, 0, 7}}), "Wert ausserhalb in si1");
    expectRefusedAndNothingChanged(play(1, {Ship{0, 100, 50, 0, 7}}), "Wert ausserhalb in si1");
    expectRefusedAndNothingChanged(play(1, {Ship{2, -100, 50, 0, 7}}), "Wert ausserhalb in si10");
    expectRefusedAndNothingChanged(play(1, {Ship{2, 100, 50, 0, 7, -3, 0}}), "Wert ausserhalb in si6");
    // A new game: 15 shield points and 12 of fortification per research level, a level a day.
    expectGameRequestRefused({{"pi1", ",1"}, {"pi2", ",500"}, {"pi3", ",5000"}}, "Schild zu hoch in pi2");
    expectGameRequestRefused({{"pi1", ",1"}, {"pi2", ",0"}, {"pi3", ",9000"}}, "Befestigung zu hoch in pi3");

    const std::string lobby = record(send("", createPairs("Karte", 2, 20)), "sid");
    send(lobby, lobbyPairs("Zaungast", 0, 1, 1));
    stored_ = snapshot();
    view_ = views();
    Pairs upload = uploadPairs("Zaungast", 1, 2, 20);
    for (auto& [key, value] : upload) {
        if (key == "i7") value.replace(value.find(",80"), 3, ",-80");
    }
    expectRefusedAndNothingChanged(send(lobby, upload), "Wert ausserhalb in i7");
    upload = uploadPairs("Zaungast", 1, 2, 20);
    for (auto& [key, value] : upload) {
        if (key == "i17") value = ",5000,5000,9999" + value.substr(value.find(",800") + 4);
    }
    expectRefusedAndNothingChanged(send(lobby, upload), "Befestigung zu hoch in i17");
    // Planet types are the pictures 1..18 and the home planet 42; system 3 is type 4.
    for (const char* type : {"0", "19", "41", "43", "99"}) {
        upload = uploadPairs("Zaungast", 1, 2, 20);
        for (auto& [key, value] : upload) {
            if (key == "i10") value.replace(value.find(",4,"), 3, std::string(",") + type + ",");
        }
        expectRefusedAndNothingChanged(send(lobby, upload), "Wert ausserhalb in i10");
    }
    upload = uploadPairs("Zaungast", 1, 2, 20);
    for (auto& [key, value] : upload) {
        if (key == "i10") value.replace(value.find(",4,"), 3, ",18,");
    }
    EXPECT_EQ(item(record(send(lobby, upload), "TYP"), 3), "18") << "18, the last picture, is a type";
}

TEST_F(ServerBadInput, APrivateBlockIsBase64OfAtMostSixtyFourKibibytes) {
    const auto fetched = [&] { return record(play(1, {Ship{2, 100, 50, 0, 7}}, {{"privatholen", "1"}}), "privat"); };
    EXPECT_EQ(fetched(), "<absent>") << "nothing stored yet";
    const std::string longest(kMaxPrivateBlockCharacters, 'A');
    ASSERT_EQ(play(1, {Ship{2, 100, 50, 0, 7}}, {{"privat", longest}}).rfind("#BES-", 0), 0u);
    EXPECT_EQ(fetched(), longest);
    stored_ = snapshot();
    view_ = views();
    expectGameRequestRefused({{"privat", longest + "A"}}, "privat zu lang");
    expectGameRequestRefused({{"privat", "QU-JD"}}, "privat ungueltig");  // "-" would end the record
    expectGameRequestRefused({{"privat", ""}}, "privat ungueltig");
    expectGameRequestRefused({{"privatholen", "ja"}}, "privatholen ungueltig");
    EXPECT_EQ(fetched(), longest) << "a refused request left the block as it was";
}

TEST_F(ServerBadInput, TheSessionMustExistAndTheSenderHoldASlot) {
    expectRefusedAndNothingChanged(send(std::string(32, 'f'), gamePairs(game_.names[0], {})), "Unbekannte Sitzung");
    expectRefusedAndNothingChanged(send("", gamePairs(game_.names[0], {})), "Sitzung fehlt");
    expectRefusedAndNothingChanged(send(game_.sessionId, gamePairs("Zaungast", {})), "Spieler nicht im Channel");
    // A player of the other channel has no say in this one.
    expectRefusedAndNothingChanged(send(game_.sessionId, gamePairs(other_.names[0], {}, {{"kolo", "30"}})),
                                   "Spieler nicht im Channel");
    expectRefusedAndNothingChanged(send(std::string(32, 'f'), joinPairs("Zaungast")), "Unbekannte Sitzung");
}

class ServerReadTimeout : public ServerFixture {
protected:
    std::vector<std::string> options() const override { return {"--read-timeout", "1"}; }
};

TEST_F(ServerReadTimeout, ASlowRequestIsCutOffWithAnErrorReply) {
    const std::string stored = snapshot();
    const auto start = std::chrono::steady_clock::now();
    // Announces 100 bytes of body and sends 10, then waits for the server.
    const std::string response = roundTrip(port(), "POST /games/qz/datenabfrage.php HTTP/1.1\r\nHost: x\r\n"
                                                  "Content-Length: 100\r\n\r\ninfos=spie");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(response.rfind("HTTP/1.1 408", 0), 0u) << response;
    EXPECT_EQ(replyText(response), "fehler;;Zeitueberschreitung");
    EXPECT_LT(seconds, 5.0);
    EXPECT_EQ(snapshot(), stored);
    EXPECT_EQ(send("", {{"infos", "onlinecheck"}}), "onlinecheck;;online") << "the server goes on serving";
}

TEST_F(ServerReadTimeout, AClientTricklingBytesAfterABadRequestIsCutOffAtTheDeadline) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port()));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string bad = "POST /games/qz/datenabfrage.php HTTP/1.1\r\nContent-Length: viel\r\n\r\n";
    ASSERT_EQ(::send(fd, bad.data(), bad.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bad.size()));
    const auto start = std::chrono::steady_clock::now();
    // One byte every 0.3 s, each well within the 2 s the drain gives one read, until the
    // server has closed and a send fails.
    bool closed = false;
    while (!closed && std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        closed = ::send(fd, "x", 1, MSG_NOSIGNAL) < 0;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    close(fd);
    EXPECT_TRUE(closed) << "the connection was still open after " << seconds << " s";
    // The drain ends 2 s after the reply at the latest; a send notices on the second try.
    EXPECT_LT(seconds, 2 + 2 * 0.3 + 0.5);
}

}  // namespace
}  // namespace qz::server::test
