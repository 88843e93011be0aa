// Time-driven rules of the server, with a clock the test moves: silent players free their
// lobby slot, empty channels close, a running game keeps its players' slots and tells the
// others who went and who came back.
#include "in_process.hpp"

#include "temporary_directory.hpp"

#include <gtest/gtest.h>

#include <thread>

namespace qz::server::test {
namespace {

class HandlerClock : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Host", "Bea", "Cem"}) ASSERT_EQ(server.send("", loginPairs(name)), "loginok");
        id = record(server.send("", createPairs("Uhr", 3, 50)), "sid");
        server.send(id, lobbyPairs("Host", 0, 1, 0));
        server.send(id, joinPairs("Bea"));
        server.send(id, joinPairs("Cem"));
    }
    std::string listed() { return server.send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}}); }

    InProcessServer server;
    std::string id;
};

TEST_F(HandlerClock, ASilentLobbyPlayerFreesTheSlotAndGetsItBackOnReturn) {
    server.now = 30;
    server.send(id, lobbyPairs("Host", 0, 1, 0));
    server.send(id, lobbyPairs("Cem", 0, 3, 1));
    server.now = 61;
    server.sweep();
    std::string lobby = server.send(id, lobbyPairs("Host", 0, 1, 0));
    EXPECT_EQ(record(lobby, "SP2"), ",2,,0,0") << "Bea has not polled for 60 s";
    EXPECT_EQ(record(lobby, "SP3"), ",3,Cem,3,1");
    EXPECT_NE(listed().find(";;,2;;,3;;"), std::string::npos) << "two players, three places";

    lobby = server.send(id, lobbyPairs("Bea", 0, 2, 0));
    EXPECT_EQ(record(lobby, "SP2"), ",2,Bea,2,0") << "a returning player sits down in its old slot";
}

TEST_F(HandlerClock, AnEmptyChannelClosesAfterFiveMinutes) {
    server.now = 100;
    server.sweep();
    EXPECT_EQ(record(server.send(id, lobbyPairs("Host", 0, 1, 0)), "SP2"), ",2,,0,0");
    server.now = 200;  // the last poll: from here on nobody comes
    server.send(id, lobbyPairs("Host", 0, 1, 0));
    server.sweep();
    server.now = 261;
    server.sweep();
    server.now = 560;
    server.sweep();
    EXPECT_NE(listed().find(id), std::string::npos) << "empty for 299 s";
    server.now = 561;
    server.sweep();
    EXPECT_EQ(listed(), "channel_auflisten;;;;;;;;;;;;");
    EXPECT_EQ(server.send(id, lobbyPairs("Host", 0, 1, 0)), "fehler;;Unbekannte Sitzung");
    server.restart();
    EXPECT_EQ(server.send(id, lobbyPairs("Host", 0, 1, 0)), "fehler;;Unbekannte Sitzung") << "gone from storage";
}

TEST_F(HandlerClock, AChannelWithOnePlayerPollingStaysOpen) {
    for (int t = 50; t <= 900; t += 50) {
        server.now = t;
        server.send(id, lobbyPairs("Host", 0, 1, 0));
        server.sweep();
    }
    EXPECT_NE(listed().find(id), std::string::npos);
}

TEST(HandlerGame, ARunningGameKeepsTheSlotsOfSilentPlayers) {
    InProcessServer server;
    const Game game = startGame(server.sender(), 2, 50);
    server.now = 200;
    server.sweep();
    const std::string reply = server.send(game.sessionId, gamePairs(game.names[1], {Ship{}}));
    EXPECT_EQ(reply.rfind("#BES-", 0), 0u) << reply;
    server.now = 300;
    server.sweep();
    server.now = 400;
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[0], {})).rfind("#BES-", 0), 0u)
        << "silent for 400 s and still seated";

    // Nobody polls any more (every player has the menu open): the game waits a day.
    server.now = 500;
    server.sweep();
    server.now = 500 + kGameIdleSeconds - 1;
    server.sweep();
    EXPECT_TRUE(server.storage().loadChannel(game.sessionId).has_value()) << "closed before its day was over";
    server.now = 500 + kGameIdleSeconds;
    server.sweep();
    EXPECT_FALSE(server.storage().loadChannel(game.sessionId).has_value());
}

TEST(HandlerGame, ReportedDefencesMayGrowOneResearchLevelADay) {
    InProcessServer server;
    const Game game = startGame(server.sender(), 2, 50);
    const Pairs report = {{"pi1", ",1"}, {"pi2", ",150"}, {"pi3", ",5120"}};  // shield and fortification level 10
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[0], {}, report)), "fehler;;Schild zu hoch in pi2");
    server.now = 6 * 5;  // day 6, and the clients' clocks may be three days ahead
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[0], {}, report)).rfind("#BES-", 0), 0u);
    EXPECT_EQ(item(record(server.send(game.sessionId, gamePairs(game.names[0], {})), "SLD"), 1), "150");
}

TEST(HandlerGame, ARestartCountsAsAPollOfEverySeatedPlayer) {
    InProcessServer server;
    ASSERT_EQ(server.send("", loginPairs("Host")), "loginok");
    const std::string id = record(server.send("", createPairs("Neustart", 2, 50)), "sid");
    server.send(id, lobbyPairs("Host", 0, 1, 0));
    server.now = 1000;
    server.restart();
    server.now = 1050;
    server.sweep();
    EXPECT_EQ(record(server.send(id, lobbyPairs("Host", 0, 1, 0)), "SP1"), ",1,Host,1,0");
}

TEST(HandlerGame, ASeatBelongsToItsLoginWhoMayComeBackFromAnotherAddress) {
    InProcessServer server;
    const Game game = startGame(server.sender(), 2, 50);
    const std::string& id = game.sessionId;
    const auto chat = [&] { return record(server.send(id, gamePairs(game.names[0], {})), "chat"); };
    const auto listFor = [&](const std::string& name) {
        return server.send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}, {"sitz", name}});
    };
    const auto blockOf = [&](const std::string& name) {
        return record(server.send(id, gamePairs(name, {}, {{"privatholen", "1"}})), "privat");
    };
    server.now = 10;
    server.send(id, gamePairs(game.names[1], {Ship{}}, {{"privat", "U3BpZWxlcjI="}}));

    // Spieler2 silent for 59 s, then for 60 s (kSlotTimeoutSeconds): announced once.
    server.now = 10 + kSlotTimeoutSeconds - 1;
    chat();
    server.sweep();
    EXPECT_EQ(chat().find("verloren"), std::string::npos);
    server.now = 10 + kSlotTimeoutSeconds;
    server.sweep();
    const std::string lost = chat();
    EXPECT_TRUE(lost.ends_with(";-;5;-;Spieler2 hat die Verbindung verloren")) << lost;
    server.now += 30;
    server.sweep();
    EXPECT_EQ(chat(), lost) << "told once";
    server.restart();  // the absence is stored, not only remembered

    // A stranger neither sees the game nor takes or plays the seat.
    server.client = "127.0.0.3";
    ASSERT_EQ(server.send("", loginPairs("Fremd")), "loginok");
    EXPECT_EQ(listFor("Fremd"), "channel_auflisten;;;;;;;;;;;;;;");
    EXPECT_EQ(listFor(game.names[1]), "fehler;;Nicht angemeldet");
    EXPECT_EQ(server.send(id, joinPairs("Fremd")), "fehler;;Spiel laeuft bereits");
    EXPECT_EQ(server.send(id, gamePairs("Fremd", {}, {{"privatholen", "1"}})), "fehler;;Spieler nicht im Channel");
    EXPECT_EQ(server.send(id, gamePairs(game.names[1], {}, {{"privatholen", "1"}})), "fehler;;Nicht angemeldet");
    EXPECT_EQ(server.send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}, {"i2", digestOf("Fremd")}}),
              "channel_auflisten;;;;;;;;;;;;")
        << "a list without a name stays as it was, whatever a login left in the client's pairs";

    // Spieler2 logs in from another address: its running game is listed and marked, and
    // joining seats it in slot 2 with colour 2 again.
    server.client = "127.0.0.2";
    ASSERT_EQ(server.send("", loginPairs(game.names[1])), "loginok");
    EXPECT_EQ(listFor(game.names[1]), "channel_auflisten;;," + id + ";;,Partie;;,;;,2;;,2;;,50;;,1");
    const std::string back = server.send(id, joinPairs(game.names[1]));
    EXPECT_EQ(back.rfind("channel;;1;;50;;", 0), 0u) << back;
    EXPECT_EQ(record(back, "SP2"), ",2,Spieler2,2,1");
    EXPECT_EQ(blockOf(game.names[1]), "U3BpZWxlcjI=") << "its own block, kept through the restart";
    server.client = "127.0.0.1";
    EXPECT_EQ(chat(), lost + ";-;5;-;Spieler2 ist zur\x81" "ck");
    EXPECT_EQ(blockOf(game.names[0]), "<absent>") << "the other seat has none of its own";
}

TEST(HandlerGame, PrivateBlocksShareTheMemoryCapWithTheShipListsAndGoFirst) {
    ServerConfig config = InProcessServer::testConfig();
    config.shipBytesTotal = 100000;
    InProcessServer server(config);
    const Game game = startGame(server.sender(), 2, 50);
    const auto sendBlock = [&](int slot, std::size_t characters, Pairs more = {}) {
        more.emplace_back("privat", std::string(characters, 'A'));
        return server.send(game.sessionId, gamePairs(game.names[slot - 1], {}, more));
    };
    const auto blockOf = [&](int slot) {
        return record(server.send(game.sessionId, gamePairs(game.names[slot - 1], {}, {{"privatholen", "1"}})), "privat");
    };
    // Without ships or trade routes a player holds its block alone: 65536 + 34464 = 100000.
    const std::string fits = sendBlock(1, kMaxPrivateBlockCharacters);
    ASSERT_EQ(fits.rfind("#BES-", 0), 0u);
    EXPECT_EQ(record(fits, "privatvoll"), "<absent>");
    // One character more: the block is not kept, and the rest of the request is taken.
    const std::string over = sendBlock(2, 100000 - kMaxPrivateBlockCharacters + 1, {{"chat", "ohne Kopie"}});
    EXPECT_EQ(record(over, "privatvoll"), "1") << over.substr(0, 200);
    EXPECT_TRUE(record(over, "chat").ends_with(";-;2;-;ohne Kopie")) << record(over, "chat");
    EXPECT_EQ(blockOf(2), "<absent>");
    EXPECT_EQ(record(sendBlock(2, 100000 - kMaxPrivateBlockCharacters), "privatvoll"), "<absent>");
    EXPECT_EQ(blockOf(2), std::string(100000 - kMaxPrivateBlockCharacters, 'A'));
    EXPECT_EQ(record(sendBlock(1, kMaxPrivateBlockCharacters), "privatvoll"), "<absent>")
        << "a new block takes the old one's place";
}

TEST(HandlerGame, ALoginSpeaksForItsNameForADayAfterItsLastRequest) {
    InProcessServer server;
    const Game game = startGame(server.sender(), 2, 50);
    server.now = kLoginBindingSeconds - 1;
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[0], {})).rfind("#BES-", 0), 0u);
    server.now = kLoginBindingSeconds;
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[1], {})), "fehler;;Nicht angemeldet")
        << "silent for a day since its login";
    server.now = 2 * kLoginBindingSeconds - 2;
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[0], {})).rfind("#BES-", 0), 0u)
        << "a day after its last request";
    server.restart();  // the refreshed binding is stored, not only remembered
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[0], {})).rfind("#BES-", 0), 0u);
    ASSERT_EQ(server.send("", loginPairs(game.names[1])), "loginok");
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[1], {})).rfind("#BES-", 0), 0u);
}

TEST(HandlerGame, ABanRefusesLoginAndPlayUntilItsEnd) {
    InProcessServer server;
    const Game game = startGame(server.sender(), 2, 50);
    ASSERT_TRUE(server.storage().banAccount(game.names[0], 3600));
    server.now = 3599;
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[0], {})), "fehler;;Gesperrt");
    EXPECT_EQ(server.send(game.sessionId, lobbyPairs(game.names[0], 1, 1, 1)), "fehler;;Gesperrt");
    EXPECT_EQ(server.send("", loginPairs(game.names[0])), "fehler;;Gesperrt");
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[1], {})).rfind("#BES-", 0), 0u);
    server.now = 3600;
    EXPECT_EQ(server.send(game.sessionId, gamePairs(game.names[0], {})).rfind("#BES-", 0), 0u);
    EXPECT_EQ(server.send("", loginPairs(game.names[0])), "loginok");
}

TEST(HandlerGame, OnlyTheCreatorCanHoldSlotOne) {
    InProcessServer server;
    for (const char* name : {"Host", "Bea"}) ASSERT_EQ(server.send("", loginPairs(name)), "loginok");
    const std::string id = record(server.send("", createPairs("Eins", 2, 50)), "sid");
    server.send(id, lobbyPairs("Host", 0, 1, 0));
    server.now = 70;
    server.sweep();
    // Bea polls like a host would; slot 1 stays reserved for its creator.
    EXPECT_EQ(record(server.send(id, lobbyPairs("Bea", 0, 2, 0)), "SP2"), ",2,Bea,2,0");
    EXPECT_EQ(record(server.send(id, lobbyPairs("Host", 0, 1, 0)), "SP1"), ",1,Host,1,0");
}

TEST(HandlerRates, EachAddressHasItsShareAndTheWindowsMove) {
    InProcessServer server;
    ASSERT_EQ(server.send("", loginPairs("Anna")), "loginok");
    server.client = "10.0.0.9";
    const Pairs wrong = {{"infos", "login"}, {"i1", "Anna"}, {"i2", digestOf("falsch")}};
    for (int i = 0; i < kFailedLoginsPerMinute; ++i) ASSERT_EQ(server.send("", wrong), "loginerror");
    EXPECT_EQ(server.send("", loginPairs("Anna")), "fehler;;Zu viele Fehlversuche, bitte spaeter erneut");
    server.now = 60;
    EXPECT_EQ(server.send("", loginPairs("Anna")), "loginok") << "a minute later";

    for (int i = 0; i < kRegistrationsPerHour; ++i) ASSERT_EQ(server.send("", loginPairs("Neu" + std::to_string(i))), "loginok");
    EXPECT_EQ(server.send("", loginPairs("Noch1")), "fehler;;Zu viele neue Konten von dieser Adresse");
    EXPECT_EQ(server.send("", loginPairs("Neu1")), "loginok") << "known names still log in";

    for (int i = 0; i < kChannelCreationsPerHour; ++i) {
        if (i > 0 && i % kOpenChannelsPerAddress == 0) {
            EXPECT_EQ(server.send("", createPairs("Zu viel", 2, 50)), "fehler;;Zu viele Channels von dieser Adresse");
            server.now += kEmptyChannelSeconds;  // the empty ones close
            server.sweep();
        }
        ASSERT_EQ(server.send("", createPairs("Runde", 2, 50)).rfind("channel;;0;;50;;", 0), 0u) << i;
    }
    server.now += kEmptyChannelSeconds;
    server.sweep();
    EXPECT_EQ(server.send("", createPairs("Elfte", 2, 50)), "fehler;;Zu viele Channels von dieser Adresse");
    server.now += 3600;
    EXPECT_EQ(server.send("", loginPairs("Noch1")), "loginok") << "an hour later";
    EXPECT_EQ(server.send("", createPairs("Elfte", 2, 50)).rfind("channel;;0;;50;;", 0), 0u);
}

TEST(HandlerRates, SuccessfulLoginsAreCountedPerAddressAndPerNameBeforeTheyQueue) {
    InProcessServer server;
    const auto name = [](int i) { return "Name" + std::to_string(i); };
    for (int i = 0; i <= kLoginsPerMinute; ++i) {
        server.client = "10.2.0." + std::to_string(i);  // each registers from its own address
        ASSERT_EQ(server.send("", loginPairs(name(i))), "loginok");
    }
    server.now = 60;  // those logins are a minute old now
    const std::string tooMany = "fehler;;Zu viele Anmeldungen, bitte spaeter erneut";
    server.client = "10.3.0.1";
    for (int i = 0; i < kLoginsPerMinute; ++i) ASSERT_EQ(server.send("", loginPairs(name(i))), "loginok") << i;
    EXPECT_EQ(server.send("", loginPairs(name(kLoginsPerMinute))), tooMany);
    // An event loop refuses it before it would queue for a password hash.
    EXPECT_EQ(server.handler().handleWithoutHashing("", formBody(loginPairs(name(0))), server.now, server.client),
              "CODE:" + tooMany + ":EDOC");
    server.client = "10.3.0.2";
    EXPECT_EQ(server.send("", loginPairs(name(kLoginsPerMinute))), "loginok") << "another address";
    // One name from ever new addresses: its first login this minute was the one just above.
    for (int i = 1; i < kLoginsPerNamePerMinute; ++i) {
        server.client = "10.4.0." + std::to_string(i);
        ASSERT_EQ(server.send("", loginPairs(name(kLoginsPerMinute))), "loginok") << i;
    }
    server.client = "10.4.1.1";
    EXPECT_EQ(server.send("", loginPairs(name(kLoginsPerMinute))), tooMany);
    server.now = 121;
    EXPECT_EQ(server.send("", loginPairs(name(kLoginsPerMinute))), "loginok") << "a minute later";
}

TEST(HandlerRates, OpenChannelsAreBoundedInTotal) {
    InProcessServer server;
    for (std::size_t i = 0; i <= kMaxOpenChannels; ++i) {
        if (i % kOpenChannelsPerAddress == 0) {
            server.client = "10.1." + std::to_string(i / 256) + "." + std::to_string(i % 256);
            ASSERT_EQ(server.send("", loginPairs("Flut" + std::to_string(i))), "loginok");
        }
        const std::string reply = server.send("", createPairs("Flut", 2, 50));
        EXPECT_EQ(reply.rfind(i < kMaxOpenChannels ? "channel;;0;;50;;" : "fehler;;Server voll", 0), 0u) << i;
    }
}

TEST(HandlerInstances, ANewPasswordEndsTheOldOneAtOnceOnARunningInstance) {
    const qz::test::TemporaryDirectory directory;
    TestDatabase database(directory.path() + "/shared.db");
    ServerConfig config;
    config.hashCost = HashCost::minimum;
    Storage running(database.name(), 2);
    CommandHandler server(running, config, 0);
    const auto login = [&](const std::string& password) {
        return server.handle("", formBody({{"infos", "login"}, {"i1", "Anna"}, {"i2", digestOf(password)}}), 0,
                             "127.0.0.1");
    };
    ASSERT_EQ(login("alt"), "CODE:loginok:EDOC");  // registers Anna
    {
        // `qz-server user add Anna` on the same database while the server runs.
        Storage tool(database.name(), 1);
        AccountBook(tool, HashCost::minimum).add("Anna", digestOf("neu"));
    }
    EXPECT_EQ(login("alt"), "CODE:loginerror:EDOC");
    EXPECT_EQ(login("neu"), "CODE:loginok:EDOC");
}

TEST(HandlerInstances, ADeletedAccountLeavesNeitherSeatNorBlockNorPasswordToTheNextOfItsName) {
    const qz::test::TemporaryDirectory directory;
    TestDatabase database(directory.path() + "/shared.db");
    ServerConfig config;
    config.hashCost = HashCost::minimum;
    Storage storageA(database.name(), 2), storageB(database.name(), 2);
    CommandHandler a(storageA, config, 0), b(storageB, config, 0);
    const auto on = [](CommandHandler& handler) -> Send {
        return [&handler](const std::string& id, const Pairs& pairs) {
            const std::string framed = handler.handle("PHPSESSID=" + id, formBody(pairs), 0, "127.0.0.1");
            return framed.substr(5, framed.size() - 10);
        };
    };
    const Game game = startGame(on(a), 2, 50);
    const std::string& name = game.names[1];
    const auto login = [&](CommandHandler& handler, const std::string& password) {
        return on(handler)("", {{"infos", "login"}, {"i1", name}, {"i2", digestOf(password)}});
    };
    const auto blockOf = [&](CommandHandler& handler) {
        return on(handler)(game.sessionId, gamePairs(name, {}, {{"privatholen", "1"}}));
    };
    // Both instances know the account, its seat and its block.
    ASSERT_EQ(login(b, name), "loginok");
    ASSERT_EQ(on(b)(game.sessionId, gamePairs(name, {}, {{"privat", "QWx0"}})).rfind("#BES-", 0), 0u);
    ASSERT_EQ(record(blockOf(a), "privat"), "QWx0");
    {
        Storage tool(database.name(), 1);  // `qz-server user delete` while both serve
        ASSERT_TRUE(tool.deleteAccount(name));
    }
    EXPECT_EQ(login(b, "neu"), "loginok") << "registered anew, not checked against the old password";
    EXPECT_EQ(login(a, name), "loginerror") << "the old password";
    EXPECT_EQ(login(b, name), "loginerror");
    for (CommandHandler* instance : {&a, &b}) {
        EXPECT_EQ(blockOf(*instance), "fehler;;Spieler nicht im Channel");
        EXPECT_EQ(on(*instance)(game.sessionId, joinPairs(name)), "fehler;;Spiel laeuft bereits");
        EXPECT_EQ(on(*instance)("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}, {"sitz", name}}),
                  "channel_auflisten;;;;;;;;;;;;;;");
    }
    const std::optional<ChannelState> stored = storageA.loadChannel(game.sessionId);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->slots[2].name, "");
    EXPECT_EQ(stored->players[2].privateBlock, "");
    EXPECT_EQ(stored->slots[1].name, game.names[0]) << "the co-player keeps its seat";
}

TEST(HandlerInstances, RequestsDuringADatabaseOutageLeaveNothingInMemory) {
    if (!postgresSelected()) GTEST_SKIP() << "a SQLite file cannot go away (see the pg. tests)";
    PostgresServer postgres;
    ServerConfig config;
    config.hashCost = HashCost::minimum;
    Storage storage(postgres.url(), 2);
    CommandHandler handler(storage, config, 0);
    const auto send = [&](const std::string& sessionId, const Pairs& pairs) {
        return handler.handle("PHPSESSID=" + sessionId, formBody(pairs), 0, "127.0.0.1");
    };
    ASSERT_EQ(send("", loginPairs("Host")), "CODE:loginok:EDOC");
    ASSERT_NE(record(send("", createPairs("Bleibt", 2, 50)), "sid"), "<absent>");
    ASSERT_EQ(handler.cachedChannels(), 1u);
    postgres.stop();
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(send(newSessionId(), gamePairs("Host", {})), "CODE:fehler;;Datenbank nicht erreichbar:EDOC");
    }
    EXPECT_EQ(handler.cachedChannels(), 1u) << "made-up sessions were kept";
    postgres.start();
}

TEST(HandlerInstances, TwoInstancesSweepingTheSameEmptyChannelsCloseEachOnce) {
    const qz::test::TemporaryDirectory directory;
    TestDatabase database(directory.path() + "/shared.db");
    ServerConfig config;
    config.hashCost = HashCost::minimum;
    config.perAddress.openChannels = config.perAddress.channelCreationsPerHour = 30;
    Storage storageA(database.name(), 2), storageB(database.name(), 2);
    CommandHandler a(storageA, config, 0), b(storageB, config, 0);
    const auto send = [](CommandHandler& handler, const Pairs& pairs) {
        return handler.handle("", formBody(pairs), 0, "127.0.0.1");
    };
    ASSERT_EQ(send(a, loginPairs("Host")), "CODE:loginok:EDOC");
    constexpr int kChannels = 30;
    for (int i = 0; i < kChannels; ++i) send(i % 2 ? a : b, createPairs("Leer", 2, 50));
    const double later = kEmptyChannelSeconds + 1;
    std::size_t closedByB = 0;
    std::thread other([&] { closedByB = b.sweep(later); });
    const std::size_t closedByA = a.sweep(later);
    other.join();
    EXPECT_EQ(closedByA + closedByB, static_cast<std::size_t>(kChannels));
    EXPECT_EQ(a.sweep(later) + b.sweep(later), 0u);
    EXPECT_EQ(send(b, {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}}), "CODE:channel_auflisten;;;;;;;;;;;;:EDOC");
}

TEST(HandlerInstances, PollTimesAreStoredEveryFewSecondsAndTheSweepGoesByTheLaterOne) {
    const qz::test::TemporaryDirectory directory;
    TestDatabase database(directory.path() + "/polls.db");
    ServerConfig config;
    config.hashCost = HashCost::minimum;
    Storage storageA(database.name(), 2), storageB(database.name(), 2);
    CommandHandler a(storageA, config, 0), b(storageB, config, 0);
    const auto send = [](CommandHandler& handler, double now, const std::string& id, const Pairs& pairs) {
        const std::string framed = handler.handle("PHPSESSID=" + id, formBody(pairs), now, "127.0.0.1");
        return framed.substr(5, framed.size() - 10);
    };
    ASSERT_EQ(send(a, 0, "", loginPairs("Host")), "loginok");
    ASSERT_EQ(send(a, 0, "", loginPairs("Bea")), "loginok");
    const std::string id = record(send(a, 0, "", createPairs("Uhr", 2, 50)), "sid");
    send(a, 0, id, lobbyPairs("Host", 0, 1, 0));
    send(b, 0, id, joinPairs("Bea"));
    const auto stored = [&](int slot) { return storageB.loadChannel(id)->slots[slot]; };

    send(a, kPollStoreSeconds - 0.1, id, lobbyPairs("Host", 0, 1, 0));
    EXPECT_EQ(stored(1).lastPoll, 0) << "the stored poll is not old enough to be written again";
    send(a, kPollStoreSeconds, id, lobbyPairs("Host", 0, 1, 0));
    EXPECT_EQ(stored(1).lastPoll, kPollStoreSeconds);

    // Host's poll at 58 is stored, the one at 62 only seen by A. At 119 the stored time is
    // 61 s old, A's own 57 s: A's sweep keeps the slot.
    send(a, 58, id, lobbyPairs("Host", 0, 1, 0));
    send(a, 62, id, lobbyPairs("Host", 0, 1, 0));
    send(b, 62, id, joinPairs("Bea"));
    EXPECT_EQ(stored(1).lastPoll, 58);
    a.sweep(119);
    EXPECT_EQ(stored(1).name, "Host");

    // The same when B changed the channel meanwhile and A reads it anew.
    send(a, 130, id, lobbyPairs("Host", 0, 1, 0));
    send(a, 134, id, lobbyPairs("Host", 0, 1, 0));
    send(b, 134, id, lobbyPairs("Bea", 0, 2, 0));
    a.sweep(191);
    EXPECT_EQ(stored(1).name, "Host");
    EXPECT_EQ(stored(2).colour, 2);
    a.sweep(195);  // 65 s after A's last sight of Host
    EXPECT_EQ(stored(1).name, "");
}

}  // namespace
}  // namespace qz::server::test
