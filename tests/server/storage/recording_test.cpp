// Every running game is recorded as the server held it, on both engines: the recording is
// listed, exported to a .qzr file, and that file's reader gives back the server's state of
// any day. Old recordings go in the sweep.
#include "game/recording.hpp"
#include "in_process.hpp"
#include "replay/qzr_file.hpp"

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
