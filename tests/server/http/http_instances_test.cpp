// Several qz-server instances on one PostgreSQL database, over real HTTP: an instance killed
// in the middle of a game loses nothing, the instances serialise requests of one channel, an
// instance keeps to its connection pool, and a restarted database is found again.
#include "server_fixture.hpp"
#include "sql/sql_connection.hpp"

#include <atomic>
#include <barrier>
#include <chrono>
#include <functional>
#include <thread>

namespace qz::server::test {
namespace {

class TwoInstances : public ::testing::Test {
protected:
    void SetUp() override {
        if (!postgresSelected()) GTEST_SKIP() << "instances share a database only on PostgreSQL (see the pg. tests)";
        database_ = std::make_unique<TestDatabase>("");
        for (const char* name : {"a", "b"}) {
            instances_.push_back(std::make_unique<ServerProcess>(database_->name(), std::vector<std::string>{},
                                                                 directory_.path() + "/" + name + ".log"));
        }
    }
    void TearDown() override {
        instances_.clear();
        database_.reset();
    }
    Send through(int instance) {
        return [this, instance](const std::string& id, const Pairs& pairs) {
            return post(instances_[instance]->port(), id, pairs);
        };
    }
    std::string play(int instance, int slot, const std::vector<Ship>& ships, const Pairs& extra = {}) {
        return through(instance)(game_.sessionId, gamePairs(game_.names[slot - 1], ships, extra));
    }

    TemporaryDirectory directory_;
    std::unique_ptr<TestDatabase> database_;
    std::vector<std::unique_ptr<ServerProcess>> instances_;
    Game game_;
};

TEST_F(TwoInstances, AKilledInstanceLosesNothingAndTheOtherServesEveryPlayerOn) {
    game_ = startGame(through(0), 3, 20);
    const Ship scout{2, 100, 50, 0, 4};
    play(0, 1, {scout}, {{"hvertrag", "0,1,0,0"}, {"chat", "vor dem Absturz"}});
    play(1, 2, {Ship{3, 80, 0, 0, 6}}, {{"hvertrag", "1,0,0,0"}, {"kolo", "9"}});
    // Each instance sees what the other committed a moment ago.
    std::string reply = play(0, 3, {}, {{"hwege", ",3,4"}});
    EXPECT_EQ(item(record(reply, "BES"), 9), "2");
    EXPECT_EQ(record(reply, "si2typ"), ",3");
    // B holds the channel as it is now; then A changes nothing but slot 3's private block.
    play(1, 3, {}, {{"hwege", ",3,4"}});
    play(0, 3, {}, {{"hwege", ",3,4"}, {"privat", "U2xvdDM="}});

    instances_[0]->kill();
    reply = play(1, 1, {scout}, {{"hvertrag", "0,1,0,0"}});
    EXPECT_EQ(record(reply, "s2hvtg"), "2") << "the agreement both sides made before the kill";
    EXPECT_EQ(record(reply, "s3hweg"), ",3,4");
    EXPECT_NE(record(reply, "chat").find("1;-;vor dem Absturz"), std::string::npos);
    reply = play(1, 3, {}, {{"hwege", ",3,4"}, {"privatholen", "1"}});
    EXPECT_EQ(record(reply, "privat"), "U2xvdDM=") << "B handed back its old copy";
    EXPECT_EQ(record(reply, "si1typ"), ",2");
    EXPECT_EQ(item(record(reply, "BES"), 9), "2");
}

TEST_F(TwoInstances, ColonisationsOfOneSystemThroughBothInstancesAtOnceHaveOneWinner) {
    game_ = startGame(through(0), 2, 40);
    std::vector<std::string> first(41), second(41);
    // Both claims of a system leave at the same moment.
    std::barrier together(2);
    std::thread other([&] {
        for (int system = 3; system <= 40; ++system) {
            together.arrive_and_wait();
            second[system] = play(1, 2, {}, {{"kolo", std::to_string(system)}});
        }
    });
    for (int system = 3; system <= 40; ++system) {
        together.arrive_and_wait();
        first[system] = play(0, 1, {}, {{"kolo", std::to_string(system)}});
    }
    other.join();
    const std::string owners = record(play(1, 1, {}), "BES");
    for (int system = 3; system <= 40; ++system) {
        const std::string owner = item(owners, system);
        EXPECT_TRUE(owner == "1" || owner == "2") << "system " << system << ": " << owner;
        // The later request of the two found the system taken and says so.
        const std::string& later = owner == "1" ? second[system] : first[system];
        EXPECT_EQ(item(record(later, "BES"), system), owner) << "system " << system;
    }
}

TEST(DatabasePool, AnInstanceUsesNoMoreConnectionsThanItsPoolHowEverManyRequestsCome) {
    if (!postgresSelected()) GTEST_SKIP() << "SQLite always has one connection (see the pg. tests)";
    const TemporaryDirectory directory;
    TestDatabase database("");
    ServerProcess server(database.name(), {"--db-pool", "2", "--threads", "4"}, directory.path() + "/server.log");
    const Send send = [&](const std::string& id, const Pairs& pairs) { return post(server.port(), id, pairs); };
    // Three games (as many as one address may open), so that the requests do not wait for
    // one channel's turn.
    std::vector<Game> games;
    for (int k = 0; k < 3; ++k) games.push_back(startGame(send, 2, 20));
    std::unique_ptr<SqlConnection> observer = connectDatabase(database.name());
    std::atomic<int> refused{0};
    std::vector<std::thread> players;
    for (const Game& game : games) {
        players.emplace_back([&, game] {
            for (int i = 0; i < 60; ++i) {
                const std::string reply = send(game.sessionId, gamePairs(game.names[0], {Ship{2, 100, 50, 0, 5}}));
                if (reply.rfind("#BES-", 0) != 0) ++refused;
            }
        });
    }
    long long most = 0;
    for (int i = 0; i < 200; ++i) {
        std::unique_ptr<SqlRows> rows = observer->query(
            "SELECT COUNT(*) FROM pg_stat_activity WHERE datname = current_database() AND pid <> pg_backend_pid()", {});
        if (rows->next()) most = std::max(most, rows->integer(0));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (std::thread& player : players) player.join();
    EXPECT_EQ(refused, 0);
    EXPECT_GE(most, 1);
    EXPECT_LE(most, 2);
}

TEST(RestartedDatabase, RequestsMeanwhileGetAnErrorAndPlayResumesByItself) {
    if (!postgresSelected()) GTEST_SKIP() << "the SQLite file cannot go away (see the pg. tests)";
    PostgresServer postgres;
    const TemporaryDirectory directory;
    ServerProcess server(postgres.url(), {}, directory.path() + "/server.log");
    const Send send = [&](const std::string& id, const Pairs& pairs) { return post(server.port(), id, pairs); };
    const Game game = startGame(send, 2, 20);
    const auto play = [&](int slot, const std::vector<Ship>& ships) {
        return send(game.sessionId, gamePairs(game.names[slot - 1], ships));
    };
    play(1, {Ship{4, 300, 90, 0, 5}});

    postgres.stop();
    EXPECT_EQ(play(2, {}), "fehler;;Datenbank nicht erreichbar");
    EXPECT_EQ(send("", loginPairs("Neuling")), "fehler;;Datenbank nicht erreichbar");
    postgres.start();
    const auto back = std::chrono::steady_clock::now();
    std::string reply = play(2, {Ship{2, 100, 50, 0, 6}});
    while (reply.rfind("fehler", 0) == 0 && std::chrono::steady_clock::now() - back < std::chrono::seconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        reply = play(2, {Ship{2, 100, 50, 0, 6}});
    }
    EXPECT_LT(std::chrono::steady_clock::now() - back, std::chrono::seconds(3)) << server.log();
    EXPECT_EQ(record(reply, "si1typ"), ",4") << "what was committed before the outage";
    EXPECT_EQ(record(play(1, {}), "si2typ"), ",2");
}

TEST(StuckDatabase, PlayersGetAnErrorWithinSecondsAndPlayResumesWhenItAnswersAgain) {
    if (!postgresSelected()) GTEST_SKIP() << "a SQLite file cannot stop answering (see the pg. tests)";
    PostgresServer postgres;
    const TemporaryDirectory directory;
    ServerProcess server(postgres.url(), {}, directory.path() + "/server.log");
    const Send send = [&](const std::string& id, const Pairs& pairs) { return post(server.port(), id, pairs); };
    const Game game = startGame(send, 2, 20);
    const auto play = [&](int slot, const std::vector<Ship>& ships) {
        return send(game.sessionId, gamePairs(game.names[slot - 1], ships));
    };
    ASSERT_EQ(play(1, {Ship{4, 300, 90, 0, 5}}).rfind("#BES-", 0), 0u);
    {
        // Frozen mid-game, as a database machine that stops answering; it goes on at the end
        // of the block whatever the test found.
        postgres.signalAll(SIGSTOP);
        struct Resume {
            PostgresServer& postgres;
            ~Resume() { postgres.signalAll(SIGCONT); }
        } resume{postgres};
        // Each request has kRequestDatabaseTime (6 s) with the database in all; a margin on top.
        const auto timed = [](const std::function<std::string()>& request) {
            const auto start = std::chrono::steady_clock::now();
            const std::string reply = request();
            EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 6 + 1.5);
            return reply;
        };
        EXPECT_EQ(timed([&] { return play(1, {Ship{4, 300, 90, 0, 5}}); }), "fehler;;Datenbank nicht erreichbar")
            << "a connection that stops answering";
        EXPECT_EQ(timed([&] { return play(2, {Ship{2, 100, 50, 0, 6}}); }), "fehler;;Datenbank nicht erreichbar")
            << "a new connection to a server that does not answer";
        EXPECT_EQ(send("", {{"infos", "onlinecheck"}}), "onlinecheck;;online") << "the server is not frozen";
    }
    const auto back = std::chrono::steady_clock::now();
    std::string reply = play(2, {Ship{2, 100, 50, 0, 6}});
    while (reply.rfind("fehler", 0) == 0 && std::chrono::steady_clock::now() - back < std::chrono::seconds(20)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        reply = play(2, {Ship{2, 100, 50, 0, 6}});
    }
    EXPECT_EQ(record(reply, "si1typ"), ",4") << "what was committed before the database stopped";
    EXPECT_EQ(record(play(1, {}), "si2typ"), ",2");
    server.stop();
}

}  // namespace
}  // namespace qz::server::test
