// Storage writes exactly what a request changed and reads back the same channel.
#include "db_snapshot.hpp"
#include "protocol/game_reply.hpp"
#include "in_process.hpp"
#include "protocol/lobby_reply.hpp"
#include "temporary_directory.hpp"
#include "game/ship_lists.hpp"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <iconv.h>

namespace qz::server::test {
namespace {

ChannelState sampleChannel() {
    ChannelState c;
    c.sessionId = "00112233445566778899aabbccddeeff";
    c.name = "Probe";
    c.hasPassword = true;
    c.version = "QZ0.10";
    c.hostName = "Anna";
    c.maxPlayers = 2;
    c.stars = 3;
    c.started = true;
    c.slots[1] = Slot{"Anna", 3, 1, 0};
    c.slots[2] = Slot{"Ben", 5, 1, 0};
    c.map.resize(3);
    c.map.name = {"Heimatplanet", "Planet X2", "Heimatplanet"};
    c.map.owner = {1, 0, 2};
    c.map.type = {42, 5, 42};
    c.map.fortification = {5000, 800, 5000};
    c.map.x = {10, 20, 30};
    c.map.background = 4;
    c.players[1].ships = readShipLists({",2,7", ",100,500", ",50,100", ",0,0", ",2,2", ",0,1239", ",1,1", ",5,6",
                                        ",7,8", ",10,60", "1"},
                                       3);
    c.players[2].tradeRoutes = ",3,2";
    c.players[1].privateBlock = "QmxvY2s=";
    c.agreements.offered[1][2] = true;
    c.agreements.told[1][2] = 1;
    c.chat = {{5, "Anna ist beigetreten."}, {1, "hallo"}};
    return c;
}

class StoredChannels : public ::testing::Test {
protected:
    TestDatabase database_{":memory:"};
    Storage storage{database_.name()};
};

TEST_F(StoredChannels, AChannelReadsBackAsItWasWritten) {
    ChannelState written = sampleChannel();
    storage.saveAll(written);
    std::vector<ChannelState> read = storage.loadChannels();
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(buildLobbyReply(read[0]), buildLobbyReply(written));
    for (int slot = 1; slot <= 2; ++slot) EXPECT_EQ(buildGameReply(read[0], slot), buildGameReply(written, slot));
    EXPECT_TRUE(read[0].hasPassword);
    EXPECT_EQ(read[0].hostName, "Anna");
    EXPECT_EQ(read[0].agreements.told[1][2], 1);
    EXPECT_EQ(read[0].players[1].privateBlock, "QmxvY2s=");
}

TEST_F(StoredChannels, OnlyTheNamedChangesAreWritten) {
    ChannelState c = sampleChannel();
    storage.saveAll(c);
    c.map.owner[1] = 1;
    c.map.shield[1] = 77;
    c.map.owner[2] = 1;  // changed in memory but not named below
    ChannelChanges changes;
    changes.systems.insert(2);
    storage.save(c, changes);
    const ChannelState read = storage.loadChannel(c.sessionId).value();
    EXPECT_EQ(read.map.owner, (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(read.map.shield[1], 77);
}

TEST_F(StoredChannels, ChatKeepsTheLastTwentyLinesAndAClosedChannelLeavesNothing) {
    ChannelState c = sampleChannel();
    storage.saveAll(c);
    for (int i = 0; i < 30; ++i) {
        ChannelChanges changes;
        c.chat.push_back({1, "Zeile " + std::to_string(i)});
        changes.chatAppended = 1;
        storage.save(c, changes);
    }
    const ChannelState read = storage.loadChannel(c.sessionId).value();
    ASSERT_EQ(read.chat.size(), kChatHistoryLines);
    EXPECT_EQ(read.chat.front().text, "Zeile 10");
    EXPECT_EQ(read.chat.back().text, "Zeile 29");
    storage.deleteChannel(c.sessionId);
    EXPECT_TRUE(storage.loadChannels().empty());
    EXPECT_FALSE(storage.loadChannel(c.sessionId).has_value());
    // A channel stored anew under the same id finds nothing of the old one's seats.
    ChannelChanges header;
    header.header = true;
    storage.save(c, header);
    EXPECT_EQ(storage.loadChannel(c.sessionId)->players[1].privateBlock, "");
}

TEST_F(StoredChannels, AccountsSurviveAndAreFoundByName) {
    storage.saveAccount("Anna", "$argon2id$x");
    EXPECT_EQ(storage.loadAccount("Anna").value(), "$argon2id$x");
    EXPECT_FALSE(storage.loadAccount("anna").has_value());
    EXPECT_EQ(storage.loadAccounts().size(), 1u);
}

TEST(SchemaSteps, AFileOfTheFirstLayoutIsAdoptedAndKeepsOnlyWhetherAChannelHasAPassword) {
    if (postgresSelected()) GTEST_SKIP() << "only SQLite files predate the numbered steps";
    const qz::test::TemporaryDirectory directory;
    const std::string path = directory.path() + "/alt.db";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE channels(sid TEXT PRIMARY KEY, name TEXT, password TEXT, version TEXT, "
                           "host TEXT, max_players INT, stars INT, started INT, background INT);"
                           "INSERT INTO channels VALUES('a', 'Mit', 'geheim', 'QZ0.10', '', 2, 50, 0, 0);"
                           "INSERT INTO channels VALUES('b', 'Ohne', '', 'QZ0.10', '', 2, 50, 0, 0);"
                           "CREATE TABLE slots(sid TEXT, slot INT, name TEXT, colour INT, ready INT, "
                           "PRIMARY KEY(sid, slot)) WITHOUT ROWID;"
                           "INSERT INTO slots VALUES('a', 1, 'Anna', 4, 1);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    for (int start = 0; start < 2; ++start) {  // the second start finds everything done
        Storage storage(path);
        EXPECT_TRUE(storage.loadChannel("a")->hasPassword);
        EXPECT_FALSE(storage.loadChannel("b")->hasPassword);
        EXPECT_EQ(storage.loadChannel("a")->slots[1].name, "Anna");
    }
    EXPECT_EQ(databaseSnapshot(path).find("geheim"), std::string::npos) << "the password itself is gone";
}

TEST_F(StoredChannels, LoginsRememberTheLatestAddressOfEachName) {
    storage.saveLogin("Anna", "10.0.0.1", 100);
    storage.saveLogin("Anna", "10.0.0.2", 200);
    EXPECT_EQ(storage.loadLogin("Anna")->address, "10.0.0.2");
    EXPECT_FALSE(storage.loadLogin("Ben").has_value());
    EXPECT_TRUE(storage.hasLoginFrom("10.0.0.2", 200));
    EXPECT_FALSE(storage.hasLoginFrom("10.0.0.2", 201));
    EXPECT_FALSE(storage.hasLoginFrom("10.0.0.1", 0)) << "Anna's first address no longer counts";
}

// Names and chat lines holding every byte 0x80..0xFF the game can type (names of at most 15
// characters, chat lines of at most 80), through a UTF8 and a SQL_ASCII database.
class StoredText : public ::testing::TestWithParam<PostgresEncoding> {
protected:
    static std::string hex(std::string_view bytes) {
        static const char digits[] = "0123456789abcdef";
        std::string out;
        for (unsigned char c : bytes) out += {digits[c >> 4], digits[c & 15]};
        return out;
    }
    // glibc's own code page table, independent of the server's.
    static std::string utf8ByIconv(std::string in) {
        iconv_t cd = iconv_open("UTF-8", "IBM437");
        std::string out(in.size() * 4, '\0');
        char* from = in.data();
        char* to = out.data();
        std::size_t left = in.size(), room = out.size();
        EXPECT_NE(iconv(cd, &from, &left, &to, &room), static_cast<std::size_t>(-1));
        iconv_close(cd);
        out.resize(out.size() - room);
        return out;
    }
};

TEST_P(StoredText, EveryHighByteComesBackAsItWentIn) {
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
    std::vector<std::string> names;
    for (std::size_t at = 0; at < high.size(); at += kMaxNameCharacters) {
        names.push_back(high.substr(at, kMaxNameCharacters));
    }
    const std::string lines[] = {high.substr(0, 64), high.substr(64)};
    ChannelState c = sampleChannel();
    c.name = names[0];
    c.hostName = names[1];
    c.slots[1].name = names[1];
    c.slots[2].name = names[2];
    c.chat = {{1, lines[0]}, {2, lines[1]}};

    const qz::test::TemporaryDirectory directory;
    TestDatabase database(directory.path() + "/text.db", GetParam());
    {
        Storage storage(database.name());
        for (const std::string& name : names) {
            storage.saveAccount(name, "$argon2id$" + name);
            storage.saveLogin(name, "10.0.0.1", 100);
        }
        storage.saveAll(c);
    }
    Storage storage(database.name());  // a fresh start reads everything from the database
    ASSERT_EQ(storage.loadAccounts().size(), names.size());
    for (const std::string& name : names) {
        EXPECT_EQ(storage.loadAccount(name).value_or(""), "$argon2id$" + name) << hex(name);
        EXPECT_TRUE(storage.loadLogin(name).has_value()) << hex(name);
    }
    const ChannelState read = storage.loadChannel(c.sessionId).value();
    EXPECT_EQ(hex(read.name), hex(names[0]));
    EXPECT_EQ(hex(read.slots[2].name), hex(names[2]));
    ASSERT_EQ(read.chat.size(), 2u);
    EXPECT_EQ(hex(read.chat[0].text), hex(lines[0]));
    EXPECT_EQ(hex(read.chat[1].text), hex(lines[1]));
    EXPECT_EQ(buildLobbyReply(read), buildLobbyReply(c));

    if (!database.postgres()) return;
    // What the database holds: UTF-8 in a UTF8 database, the bytes themselves in SQL_ASCII.
    auto rows = connectDatabase(database.name())
                    ->query("SELECT encode(convert_to(text, getdatabaseencoding()), 'hex') FROM chat ORDER BY seq", {});
    for (const std::string& line : lines) {
        ASSERT_TRUE(rows->next());
        EXPECT_EQ(rows->text(0), hex(GetParam() == PostgresEncoding::utf8 ? utf8ByIconv(line) : line));
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, StoredText,
                         ::testing::Values(PostgresEncoding::utf8, PostgresEncoding::sqlAscii),
                         [](const auto& info) { return info.param == PostgresEncoding::utf8 ? "Utf8" : "SqlAscii"; });

}  // namespace
}  // namespace qz::server::test
