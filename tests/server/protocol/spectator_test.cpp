// Spectators of a running game, on both engines: they see the game as its recording held it
// the channel's delay ago and nothing newer, take no seat and cannot write into the game; the
// refusals of who may not watch, in one table.
#include "game/recording.hpp"
#include "in_process.hpp"

#include <gtest/gtest.h>
#include <sodium.h>

namespace qz::server::test {
namespace {

constexpr double kStart = 1000;  // server clock at the game's start
constexpr int kDelay = 60;       // the lobby's default

// A spectator as its client keeps the game: the state after the entries applied so far.
struct Watcher {
    explicit Watcher(std::string login) : name(std::move(login)) {}

    std::string name;
    long long sequence = 0;
    long long shownMilliseconds = -2;
    long long waitSeconds = -1;
    int entriesRead = 0;  // in the last reply
    replay::ReplayState state;

    Pairs pairs() const { return {{"infos", "zuschauen"}, {"i1", name}, {"seit", std::to_string(sequence)}}; }

    // "zuschauen;;delay;;shown;;wait;;entries", each entry ",seq:kind:base64".
    void read(const std::string& reply) {
        std::vector<std::string> fields;
        for (std::size_t start = 0;;) {
            const std::size_t end = reply.find(";;", start);
            fields.push_back(reply.substr(start, end - start));
            if (end == std::string::npos) break;
            start = end + 2;
        }
        ASSERT_TRUE(fields.size() == 5 && fields[0] == "zuschauen" && fields[1] == std::to_string(kDelay))
            << reply.substr(0, 200);
        shownMilliseconds = std::stoll(fields[2]);
        waitSeconds = std::stoll(fields[3]);
        const std::string& entries = fields[4];
        entriesRead = 0;
        for (std::size_t start = 1; start < entries.size();) {
            const std::size_t end = std::min(entries.find(',', start), entries.size());
            const std::string entry = entries.substr(start, end - start);
            const std::size_t colon = entry.find(':');
            const long long number = std::stoll(entry.substr(0, colon));
            const bool full = entry.substr(colon + 1, 2) == "0:";
            ASSERT_TRUE(full || number == sequence + 1) << "entry " << number << " after " << sequence;
            const std::string text = entry.substr(colon + 3);
            std::string bytes(text.size(), '\0');
            std::size_t length = 0;
            ASSERT_EQ(sodium_base642bin(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), text.data(),
                                        text.size(), nullptr, &length, nullptr,
                                        sodium_base64_VARIANT_ORIGINAL_NO_PADDING),
                      0);
            bytes.resize(length);
            if (full) state = {};
            replay::applyEntry(state, full ? replay::EntryKind::full : replay::EntryKind::changes, bytes);
            sequence = number;
            ++entriesRead;
            start = end + 1;
        }
    }
};

Pairs spectatePairs(const std::string& name) { return {{"infos", "zuschauen"}, {"i1", name}}; }

class Spectators : public ::testing::Test {
protected:
    void SetUp() override {
        server.now = kStart;
        game = startGame(server.sender(), 2, 20);
        ASSERT_EQ(server.send("", loginPairs("Zuschauer")), "loginok");
    }

    // Second `t` of the game: both players poll, Spieler1's four ships at x = 100 + t.
    void playSecond(int t) {
        server.now = kStart + t;
        std::vector<Ship> ships(4);
        for (Ship& s : ships) s.x = 100 + t;
        server.send(game.sessionId, gamePairs("Spieler1", ships));
        server.send(game.sessionId, gamePairs("Spieler2", {Ship{}}));
    }

    replay::ReplayState held() { return recordedState(*server.storage().loadChannel(game.sessionId)); }
    std::string listFor(const std::string& name) {
        return server.send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}, {"sitz", name}, {"zuschauen", "1"}});
    }

    InProcessServer server;
    Game game;
};

TEST_F(Spectators, ASpectatorSeesTheGameAsItStoodTheDelayAgoAndTakesNoSeat) {
    // Listed to watch for anybody not seated, with the delay; to its players as their own game.
    EXPECT_EQ(listFor("Zuschauer"), "channel_auflisten;;," + game.sessionId + ";;,Partie;;,;;,2;;,2;;,20;;,;;,60");
    EXPECT_EQ(listFor("Spieler1"), "channel_auflisten;;," + game.sessionId + ";;,Partie;;,;;,2;;,2;;,20;;,1;;,");
    EXPECT_EQ(server.send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}}), "channel_auflisten;;;;;;;;;;;;")
        << "an older client is offered no running game";

    Watcher watcher("Zuschauer");
    server.now = kStart + 10;
    watcher.read(server.send(game.sessionId, watcher.pairs()));
    EXPECT_EQ(watcher.shownMilliseconds, -1) << "a minute has not passed: nothing may be shown yet";
    EXPECT_EQ(watcher.waitSeconds, kDelay - 10);

    std::map<int, replay::ReplayState> heldAt;
    for (int t = 2; t <= 400; t += 2) {
        playSecond(t);
        heldAt[t] = held();
        // Every few seconds, at odd moments between the polls, the spectator looks.
        if (t % 14 != 0 || t < kDelay) continue;
        server.now = kStart + t + 1;
        watcher.read(server.send(game.sessionId, watcher.pairs()));
        const Watcher& w = watcher;
        // The last poll at or before now - delay: t + 1 - 60 rounded down to an even second.
        const int seen = (t + 1 - kDelay) / 2 * 2;
        ASSERT_GE(seen, 2);
        EXPECT_EQ(w.shownMilliseconds, seen * 1000LL) << "t=" << t;
        EXPECT_TRUE(w.state == heldAt[seen]) << "t=" << t;
        const std::string x = "," + std::to_string(100 + seen);
        EXPECT_EQ(w.state.seats[0].texts[replay::x], x + x + x + x);
        EXPECT_FALSE(w.state == heldAt[t]) << "nothing newer than the delay may leak, t=" << t;
    }
    // A new spectator's first look starts from the last full state before the delay (one every
    // 5 minutes of the game): from 341 s back it is the one of the first poll at or after 300 s.
    Watcher late("Zuschauer");
    late.read(server.send(game.sessionId, late.pairs()));
    EXPECT_EQ(late.shownMilliseconds, 340 * 1000LL);
    EXPECT_TRUE(late.state == heldAt[340]);
    watcher.read(server.send(game.sessionId, watcher.pairs()));
    EXPECT_EQ(late.sequence, watcher.sequence);
    EXPECT_TRUE(late.state == watcher.state);
    // Spieler1's polls from 300 s to 340 s change the game, Spieler2's may not: 21 to 42 entries.
    EXPECT_GE(late.entriesRead, 21);
    EXPECT_LE(late.entriesRead, 42);
    const std::optional<ChannelState> channel = server.storage().loadChannel(game.sessionId);
    EXPECT_EQ(channel->occupiedSlots(), 2);
    EXPECT_EQ(channel->slotOf("Zuschauer"), 0);
}

TEST_F(Spectators, WhoMayNotWatchOrWriteIsRefusedWithItsReason) {
    playSecond(2);
    ASSERT_EQ(server.send(game.sessionId, spectatePairs("Zuschauer")).rfind("zuschauen;;", 0), 0u);
    server.client = "10.0.0.99";
    ASSERT_EQ(server.send("", loginPairs("Gastgeber")), "loginok");
    const std::string closed = record(server.send("", [] {
        Pairs pairs = createPairs("Privat", 2, 20);
        pairs.emplace_back("zuschauer", "0");
        return pairs;
    }()), "sid");
    const std::string lobby = record(server.send("", createPairs("Warten", 2, 20)), "sid");
    Pairs oddDelay = createPairs("Seltsam", 2, 20);
    oddDelay.emplace_back("zuschauer", "30");
    server.client = "127.0.0.1";

    struct Case {
        const char* what;
        std::string sessionId;
        Pairs pairs;
        std::string client;
        const char* reason;
    };
    const Case cases[] = {
        {"a seated player", game.sessionId, spectatePairs("Spieler1"), "127.0.0.1", "Wer mitspielt, schaut nicht zu"},
        {"a spectator's chat line", game.sessionId, gamePairs("Zuschauer", {}, {{"chat", "hallo"}}), "127.0.0.1",
         "Zuschauer schreiben nicht ins Spiel"},
        {"a game that allows none", closed, spectatePairs("Zuschauer"), "127.0.0.1", "Zuschauer nicht erlaubt"},
        {"a lobby", lobby, spectatePairs("Zuschauer"), "127.0.0.1", "Spiel nicht gestartet"},
        {"a delay not offered", "", oddDelay, "10.0.0.99", "Zuschauerwahl ungueltig"},
    };
    for (const Case& c : cases) {
        server.client = c.client;
        EXPECT_EQ(server.send(c.sessionId, c.pairs), std::string("fehler;;") + c.reason) << c.what;
    }

    // The cap: "Zuschauer" and 15 more watch; the 17th waits until one of them went silent.
    const auto watch = [&](int k) {
        const std::string name = "Gast" + std::to_string(k);
        server.client = "10.1.0." + std::to_string(k);
        if (server.send("", loginPairs(name)) != "loginok") return std::string("login failed");
        return server.send(game.sessionId, spectatePairs(name));
    };
    for (int k = 1; k <= 15; ++k) ASSERT_EQ(watch(k).rfind("zuschauen;;", 0), 0u) << k;
    EXPECT_EQ(watch(17), "fehler;;Zu viele Zuschauer");
    server.now += kSpectatorTimeoutSeconds + 1;
    server.client = "127.0.0.1";
    EXPECT_EQ(server.send(game.sessionId, spectatePairs("Zuschauer")).rfind("zuschauen;;", 0), 0u);
    EXPECT_EQ(watch(17).rfind("zuschauen;;", 0), 0u) << "the others went silent";
    EXPECT_EQ(watch(18).rfind("zuschauen;;", 0), 0u);
}

}  // namespace
}  // namespace qz::server::test
