// Every running game is recorded as the server held it, on both engines: the recording is
// listed, exported to a .qzr file, and that file's reader gives back the server's state of
// any day. Old recordings go in the sweep.
#include "game/recording.hpp"
#include "in_process.hpp"
#include "replay/qzr_file.hpp"

#include "temporary_directory.hpp"

#include <gtest/gtest.h>

namespace qz::server::test {
namespace {

constexpr double kStart = 1000;  // server clock at the game's start
constexpr int kLastDay = 16;

class Recordings : public ::testing::Test {
protected:
    void SetUp() override {
        server.now = kStart;
        game = startGame(server.sender(), 2, 20);
    }

    // Spieler1's four ships fly 3 points a day; Spieler2 is silent from day 1 to day 13, so
    // the sweep finds it gone on day 13 and it is back on day 14.
    void playDay(int day) {
        server.now = kStart + day * 5 + 1;
        std::vector<Ship> ships(4);
        for (Ship& s : ships) s.x = 100 + 3 * day;
        server.send(game.sessionId, gamePairs("Spieler1", ships, day == 2 ? Pairs{{"chat", "hallo"}} : Pairs{}));
        if (day == 0 || day >= 14) server.send(game.sessionId, gamePairs("Spieler2", {Ship{}}));
        server.sweep();
    }

    replay::ReplayState held() { return recordedState(*server.storage().loadChannel(game.sessionId)); }

    InProcessServer server;
    Game game;
};

TEST_F(Recordings, AGameIsRecordedListedAndExportedAsTheServerHeldItOnEachDay) {
    std::vector<replay::ReplayState> byDay;
    for (int day = 0; day <= kLastDay; ++day) {
        playDay(day);
        byDay.push_back(held());
    }
    ASSERT_TRUE(byDay[13].seats[1].away) << "the scenario has a player who went away";
    ASSERT_FALSE(byDay[14].seats[1].away);

    const std::vector<RecordingSummary> list = server.storage().recordings();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].sessionId, game.sessionId);
    EXPECT_EQ(list[0].players, (std::vector<std::string>{"Spieler1", "Spieler2"}));
    EXPECT_EQ(list[0].startedAt, kStart);
    EXPECT_EQ(list[0].lengthSeconds, kLastDay * 5 + 1);  // the last day's requests, one second into it
    EXPECT_GT(list[0].bytes, 0);

    const std::optional<replay::Recording> stored = server.storage().loadRecording(list[0].id);
    ASSERT_TRUE(stored.has_value());
    const replay::Recording file = replay::readQzr(replay::writeQzr(*stored));
    for (int day = 0; day <= kLastDay; ++day) EXPECT_TRUE(file.stateOnDay(day) == byDay[day]) << "day " << day;
    EXPECT_EQ(file.stateOnDay(kLastDay).seats[0].texts[replay::x], ",148,148,148,148");  // 100 + 3 * 16
    EXPECT_FALSE(server.storage().loadRecording(list[0].id + 1).has_value());
}

TEST_F(Recordings, ARestartedServerRecordsOnFromWhereTheRecordingStands) {
    for (int day = 0; day <= 3; ++day) playDay(day);
    server.restart();  // a new cache: the channel is read anew, and the recording checked
    std::vector<replay::ReplayState> byDay;
    for (int day = 4; day <= 6; ++day) {
        playDay(day);
        byDay.push_back(held());
    }
    const replay::Recording file =
        replay::readQzr(replay::writeQzr(*server.storage().loadRecording(server.storage().recordings().at(0).id)));
    for (int day = 4; day <= 6; ++day) EXPECT_TRUE(file.stateOnDay(day) == byDay[day - 4]) << "day " << day;
    EXPECT_EQ(std::count_if(file.entries.begin(), file.entries.end(),
                            [](const replay::RecordedEntry& e) { return e.kind == replay::EntryKind::full; }),
              1)
        << "the restart continued with changes";
}

TEST_F(Recordings, TheSweepDeletesRecordingsOlderThanTheOperatorKeepsThem) {
    playDay(0);
    server.now += kSlotTimeoutSeconds;
    server.sweep();  // both players are gone: the last change the recording holds
    const double last = server.now;
    const double keep = InProcessServer::testConfig().keepRecordingsSeconds;
    server.now = last + keep;
    server.sweep();
    EXPECT_EQ(server.storage().recordings().size(), 1u) << "a last entry exactly at the limit stays";
    server.now = last + keep + 1;
    server.sweep();
    EXPECT_TRUE(server.storage().recordings().empty());
}

TEST(RecordingInstances, InstancesTakingTurnsRecordOneGameAndAServerThatDoesNotRecordCostsAWholeState) {
    const qz::test::TemporaryDirectory directory;
    TestDatabase database(directory.path() + "/shared.db");
    ServerConfig recording = InProcessServer::testConfig();
    ServerConfig silent = recording;
    silent.keepRecordingsSeconds = 0;
    Storage storageA(database.name(), 2), storageB(database.name(), 2), storageC(database.name(), 2);
    CommandHandler a(storageA, recording, kStart), b(storageB, recording, kStart), c(storageC, silent, kStart);
    double now = kStart;
    const auto on = [&now](CommandHandler& handler) -> Send {
        return [&handler, &now](const std::string& id, const Pairs& pairs) {
            const std::string framed = handler.handle("PHPSESSID=" + id, formBody(pairs), now, "127.0.0.1");
            return framed.substr(5, framed.size() - 10);
        };
    };
    const Game game = startGame(on(a), 2, 20);
    // Days 0 to 5 through A and B in turn, day 3 through C, which does not record.
    std::vector<replay::ReplayState> byDay;
    for (int day = 0; day <= 5; ++day) {
        now = kStart + day * 5 + 1;
        CommandHandler& instance = day == 3 ? c : day % 2 == 0 ? a : b;
        std::vector<Ship> ships(2);
        for (Ship& s : ships) s.x = 10 * day;
        ASSERT_EQ(on(instance)(game.sessionId, gamePairs("Spieler1", ships)).rfind("#BES-", 0), 0u) << day;
        byDay.push_back(recordedState(*storageA.loadChannel(game.sessionId)));
    }
    const replay::Recording file =
        replay::readQzr(replay::writeQzr(*storageA.loadRecording(storageA.recordings().at(0).id)));
    for (int day : {0, 1, 2, 4, 5}) EXPECT_TRUE(file.stateOnDay(day) == byDay[day]) << "day " << day;
    EXPECT_TRUE(file.stateOnDay(3) == byDay[2]) << "day 3's change was not recorded";
    std::vector<replay::EntryKind> kinds;
    for (const replay::RecordedEntry& e : file.entries) kinds.push_back(e.kind);
    using K = replay::EntryKind;
    // The start, then days 0, 1 and 2 as changes; day 4 begins anew; day 5 changes again.
    EXPECT_EQ(kinds, (std::vector<K>{K::full, K::changes, K::changes, K::changes, K::full, K::changes}));
}

TEST(RecordingsOff, WithKeepZeroNoGameIsRecorded) {
    ServerConfig config = InProcessServer::testConfig();
    config.keepRecordingsSeconds = 0;
    InProcessServer server(config);
    server.now = kStart;
    const Game game = startGame(server.sender(), 2, 20);
    server.send(game.sessionId, gamePairs("Spieler1", {Ship{}}));
    EXPECT_TRUE(server.storage().recordings().empty());
}

}  // namespace
}  // namespace qz::server::test
