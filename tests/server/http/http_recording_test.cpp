// The operator's commands on recordings, against the real qz-server on both engines: a game
// played over HTTP is listed and exported, and the file reads as the game its players saw;
// an unknown recording exports nothing.
#include "server_fixture.hpp"
#include "replay/qzr_file.hpp"

#include <filesystem>

namespace qz::server::test {
namespace {

class RecordingCommands : public ServerFixture {
protected:
    int command(const std::vector<std::string>& words, std::string* output = nullptr) {
        std::vector<std::string> arguments = words;
        arguments.insert(arguments.end(), {"--db", database_});
        return runServerCommand(arguments, "", output);
    }
};

TEST_F(RecordingCommands, AGamePlayedOverHttpIsListedAndExportedAsItsPlayersSawIt) {
    const Game game = startGame(sender(), 2, 20);
    std::vector<Ship> ships(3);
    for (Ship& s : ships) s.x = 123;
    ASSERT_EQ(send(game.sessionId, gamePairs(game.names[0], ships, {{"chat", "hallo"}})).rfind("#BES-", 0), 0u);

    std::string listed;
    ASSERT_EQ(command({"recordings"}, &listed), 0);
    EXPECT_NE(listed.find("1  Partie  players: Spieler1, Spieler2  start "), std::string::npos) << listed;
    EXPECT_NE(listed.find("\n1 recording\n"), std::string::npos) << listed;

    const std::string file = directory_ + "/partie.qzr";
    ASSERT_EQ(command({"recording", "export", "1", file}), 0);
    const replay::Recording recording = replay::readQzrFile(file);
    EXPECT_EQ(recording.players, game.names);
    const replay::ReplayState last = recording.stateAt(recording.lengthSeconds());
    EXPECT_EQ(last.systems.size(), 20u);
    EXPECT_EQ(last.seats[0].texts[replay::x], ",123,123,123");
    ASSERT_FALSE(last.chat.empty());
    EXPECT_EQ(last.chat.back().text, "hallo");

    for (const char* id : {"2", "1x", "0"}) {
        std::string said;
        const std::string none = directory_ + "/keine.qzr";
        EXPECT_NE(command({"recording", "export", id, none}, &said), 0) << id;
        EXPECT_NE(said.find(std::string("no such recording: ") + id), std::string::npos) << said;
        EXPECT_FALSE(std::filesystem::exists(none)) << id;
    }
}

}  // namespace
}  // namespace qz::server::test
