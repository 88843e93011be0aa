// The server's rates and caps over real HTTP: what one client address may do, connections,
// the login queue, the memory of ship lists and running out of descriptors. The stranger on
// a second loopback address hits each limit; the player at home never notices.
#include "base/limits.hpp"
#include "server_fixture.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <future>
#include <string_view>
#include <thread>

namespace qz::server::test {
namespace {

// An open connection that sends nothing, from the given local address.
int idleConnection(int port, const char* from) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, from, &local.sin_addr);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

const Pairs kOnline = {{"infos", "onlinecheck"}};

// Sends the request again until its reply is the expected one, for at most five seconds: the
// server takes up connections and closes on its own threads. Returns the last reply.
std::string replyWithin(const std::function<std::string()>& request, const std::string& expected) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::string reply = request();
    while (reply != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        reply = request();
    }
    return reply;
}

// The players' connections the server holds, as its admin listener's /metrics counts them,
// once they are `expected`, or after five seconds whatever they are then.
long openConnectionsOnceAt(int adminPort, long expected) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    long open = -1;
    while (true) {
        const std::string page =
            roundTrip(adminPort, "GET /metrics HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
        const std::string_view line = "\nqz_open_connections ";
        const std::size_t at = page.find(line);
        open = at == std::string::npos ? -1 : std::atol(page.c_str() + at + line.size());
        if (open == expected || std::chrono::steady_clock::now() >= deadline) return open;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

using ServerRates = ServerFixture;

TEST_F(ServerRates, FailedLoginsOfOneAddressAreCountedPerMinute) {
    ASSERT_EQ(send("", loginPairs("Opfer")), "loginok");
    const Pairs guess = {{"infos", "login"}, {"i1", "Opfer"}, {"i2", digestOf("geraten")}};
    for (int i = 0; i < kFailedLoginsPerMinute; ++i) ASSERT_EQ(sendFrom(kStranger, "", guess), "loginerror");
    EXPECT_EQ(sendFrom(kStranger, "", loginPairs("Opfer")), "fehler;;Zu viele Fehlversuche, bitte spaeter erneut");
    EXPECT_EQ(send("", loginPairs("Opfer")), "loginok") << "the player at home is not locked out";
    EXPECT_NE(server_->log().find("request refused: Zu viele Fehlversuche, bitte spaeter erneut from=127.0.0.2"),
              std::string::npos);
}

TEST_F(ServerRates, RegistrationsOfOneAddressAreCountedPerHour) {
    for (int i = 0; i < kRegistrationsPerHour; ++i) {
        ASSERT_EQ(sendFrom(kStranger, "", loginPairs("Neu" + std::to_string(i))), "loginok");
    }
    const std::string before = snapshot();
    EXPECT_EQ(sendFrom(kStranger, "", loginPairs("Neu9")), "fehler;;Zu viele neue Konten von dieser Adresse");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(send("", loginPairs("Neu9")), "loginok");
}

TEST_F(ServerRates, OneAddressHoldsAtMostThreeOpenChannels) {
    ASSERT_EQ(sendFrom(kStranger, "", loginPairs("Fremder")), "loginok");
    for (int i = 0; i < kOpenChannelsPerAddress; ++i) {
        ASSERT_EQ(sendFrom(kStranger, "", createPairs("Flut", 2, 20)).rfind("channel;;0;;20;;", 0), 0u);
    }
    const std::string before = snapshot();
    EXPECT_EQ(sendFrom(kStranger, "", createPairs("Flut", 2, 20)), "fehler;;Zu viele Channels von dieser Adresse");
    EXPECT_EQ(snapshot(), before);
    ASSERT_EQ(send("", loginPairs("Gastgeber")), "loginok");
    EXPECT_EQ(send("", createPairs("Abend", 2, 20)).rfind("channel;;0;;20;;", 0), 0u);
}

TEST_F(ServerRates, CreationsSentAtOnceFromOneAddressKeepToTheCap) {
    ASSERT_EQ(sendFrom(kStranger, "", loginPairs("Fremder")), "loginok");
    constexpr int kAtOnce = 12;
    std::vector<std::future<std::string>> replies;
    for (int i = 0; i < kAtOnce; ++i) {
        replies.push_back(std::async(std::launch::async, [this] { return sendFrom(kStranger, "", createPairs("Flut", 2, 20)); }));
    }
    int created = 0;
    for (auto& reply : replies) {
        const std::string text = reply.get();
        const bool made = text.rfind("channel;;0;;20;;", 0) == 0;
        EXPECT_TRUE(made || text == "fehler;;Zu viele Channels von dieser Adresse") << text;
        created += made ? 1 : 0;
    }
    EXPECT_EQ(created, kOpenChannelsPerAddress);
    const std::string ids = send("", {{"infos", "channel_auflisten"}, {"i1", "QZ0.10"}}).substr(19);
    EXPECT_EQ(std::count(ids.begin(), ids.begin() + static_cast<long>(ids.find(";;")), ','), kOpenChannelsPerAddress)
        << "stored channels";
}

class ServerConnectionCaps : public ServerFixture {
protected:
    std::vector<std::string> options() const override {
        return {"--max-connections", "6", "--max-connections-per-address", "3"};
    }
};

TEST_F(ServerConnectionCaps, ConnectionsAreCappedPerAddressAndInTotal) {
    std::vector<int> held;
    const int admin = server_->adminPort();
    for (int i = 0; i < 3; ++i) held.push_back(idleConnection(port(), kStranger));
    ASSERT_EQ(openConnectionsOnceAt(admin, 3), 3) << "the server accepts them";
    EXPECT_EQ(sendFrom(kStranger, "", kOnline), "fehler;;Server voll");
    EXPECT_EQ(send("", kOnline), "onlinecheck;;online") << "another address still gets in";
    ASSERT_EQ(openConnectionsOnceAt(admin, 3), 3) << "the server sees its close";
    for (int i = 0; i < 3; ++i) held.push_back(idleConnection(port(), "127.0.0.3"));
    ASSERT_EQ(openConnectionsOnceAt(admin, 6), 6);
    EXPECT_EQ(send("", kOnline), "fehler;;Server voll") << "six at once in total";
    EXPECT_NE(server_->log().find("connection refused: Server voll"), std::string::npos);
    for (int fd : held) close(fd);
    ASSERT_EQ(openConnectionsOnceAt(admin, 0), 0) << "the server sees the closes";
    EXPECT_EQ(sendFrom(kStranger, "", kOnline), "onlinecheck;;online");
}

class ServerConnectionCapsByPrefix : public ServerFixture {
protected:
    std::vector<std::string> options() const override {
        return {"--max-connections", "20", "--max-connections-per-address", "3", "--bind-prefix", "24"};
    }
};

TEST_F(ServerConnectionCapsByPrefix, AddressesOfOnePrefixShareOneCap) {
    std::vector<int> held;
    const int admin = server_->adminPort();
    for (int i = 0; i < 2; ++i) held.push_back(idleConnection(port(), kStranger));
    ASSERT_EQ(openConnectionsOnceAt(admin, 2), 2) << "the server accepts them";
    EXPECT_EQ(sendFrom("127.0.0.3", "", kOnline), "onlinecheck;;online") << "the third of the /24 gets in";
    ASSERT_EQ(openConnectionsOnceAt(admin, 2), 2) << "the server sees its close";
    held.push_back(idleConnection(port(), "127.0.0.4"));
    ASSERT_EQ(openConnectionsOnceAt(admin, 3), 3);
    EXPECT_EQ(sendFrom("127.0.0.3", "", kOnline), "fehler;;Server voll") << "a fourth address of the same /24";
    EXPECT_EQ(sendFrom("127.0.1.1", "", kOnline), "onlinecheck;;online") << "another /24 still gets in";
    EXPECT_NE(server_->log().find("connection refused: Server voll (connection cap) from=127.0.0.0"), std::string::npos);
    for (int fd : held) close(fd);
}

class ServerLoginQueue : public ServerFixture {
protected:
    // The real cost: a hash takes long enough that logins sent at once wait together.
    std::vector<std::string> options() const override {
        return {"--hash-cost", "interactive", "--hash-threads", "1", "--hash-queue", "4"};
    }

    // Sends one login from each address at once; returns how many were let in, expecting
    // every other to be told "Server ausgelastet".
    int loginsAtOnce(const std::vector<std::string>& from) {
        std::vector<std::future<std::string>> replies;
        for (std::size_t i = 0; i < from.size(); ++i) {
            replies.push_back(std::async(std::launch::async, [this, &from, i] {
                return sendFrom(from[i].c_str(), "", loginPairs("Name" + std::to_string(i) + from[i].substr(8)));
            }));
        }
        int accepted = 0;
        for (auto& reply : replies) {
            const std::string text = reply.get();
            EXPECT_TRUE(text == "loginok" || text == "fehler;;Server ausgelastet") << text;
            accepted += text == "loginok" ? 1 : 0;
        }
        return accepted;
    }
};

TEST_F(ServerLoginQueue, LoginsWaitInABoundedQueueWithAShareForEachAddress) {
    EXPECT_EQ(loginsAtOnce(std::vector<std::string>(6, kStranger)), 4) << "one address holds four places";
    EXPECT_NE(server_->log().find("request refused: Server ausgelastet (login queue full) from=127.0.0.2"),
              std::string::npos);
    // Four wait; a fifth is let in only when the hash thread has already taken the first.
    const int accepted = loginsAtOnce({"127.0.0.3", "127.0.0.4", "127.0.0.5", "127.0.0.6", "127.0.0.7", "127.0.0.8",
                                       "127.0.0.9"});
    EXPECT_GE(accepted, 4);
    EXPECT_LE(accepted, 5);
    EXPECT_EQ(send("", loginPairs("Heim")), "loginok") << "the queue drains";
}

class ServerShipMemory : public ServerFixture {
protected:
    std::vector<std::string> options() const override { return {"--ship-memory-mb", "1"}; }
};

TEST_F(ServerShipMemory, ShipListsOfAllChannelsShareTheMemoryCap) {
    const Game game = startGame(sender(), 2, 20);
    const std::vector<Ship> fleet(3000, Ship{2, 100000, 100000, 0, 0, 100000, 100000, 100000, 100000});
    ASSERT_EQ(send(game.sessionId, gamePairs(game.names[0], fleet)).rfind("#BES-", 0), 0u);
    const std::string before = snapshot();
    EXPECT_EQ(send(game.sessionId, gamePairs(game.names[1], fleet)), "fehler;;Server voll");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(send(game.sessionId, gamePairs(game.names[1], {Ship{}})).rfind("#BES-", 0), 0u) << "a small fleet fits";
}

TEST_F(ServerRates, ShipListsOfOneChannelAreCapped) {
    const Game game = startGame(sender(), 4, 20);
    const std::vector<Ship> fleet(12000, Ship{2, 100000, 100000, 0, 0, 100000, 100000, 100000, 100000});
    for (int slot = 1; slot <= 3; ++slot) {
        ASSERT_EQ(send(game.sessionId, gamePairs(game.names[slot - 1], fleet)).rfind("#BES-", 0), 0u) << slot;
    }
    const std::string before = snapshot();
    EXPECT_EQ(send(game.sessionId, gamePairs(game.names[3], fleet)), "fehler;;Schifflisten zu gross");
    EXPECT_EQ(snapshot(), before);
}

class ServerOutOfDescriptors : public ServerFixture {
protected:
    std::vector<std::string> options() const override {
        return {"--read-timeout", "1", "--max-connections-per-address", "1000"};
    }
    int openFileLimit() const override { return 48; }
};

TEST_F(ServerOutOfDescriptors, AcceptingWaitsInsteadOfSpinning) {
    std::vector<int> held;
    for (int i = 0; i < 60; ++i) held.push_back(idleConnection(port(), kStranger));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (server_->log().find("cannot accept connections") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // The accept loop has met the descriptor limit: over the next second it must wait, not spin.
    const double cpuBefore = processorSeconds(server_->pid());
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    const double cpu = processorSeconds(server_->pid()) - cpuBefore;
    EXPECT_LT(cpu, 0.3) << "the accept loop spins";
    for (int fd : held) close(fd);
    EXPECT_EQ(replyWithin([&] { return send("", kOnline); }, "onlinecheck;;online"), "onlinecheck;;online");
    const std::string log = server_->log();
    std::size_t lines = 0;
    for (std::size_t at = log.find("cannot accept connections"); at != std::string::npos;
         at = log.find("cannot accept connections", at + 1)) {
        ++lines;
    }
    EXPECT_GE(lines, 1u);
    EXPECT_LE(lines, 6u) << "at most one line a second";
}

}  // namespace
}  // namespace qz::server::test
