// The request worker end to end: posting, the round trip over the TCP layer to a loopback
// server, the cut reply, reading it, and shutting the worker down.
#include "loopback_server.hpp"
#include "multiplayer/exchange/server_exchange.hpp"
#include "net/md5.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <thread>
#include <vector>

namespace qz {
namespace {

using test::LoopbackServer;
using Clock = std::chrono::steady_clock;

// A server script stand-in: records every request and answers each with the given text.
struct ScriptServer {
    std::mutex mutex;
    std::vector<std::string> requests;
    std::function<std::string(const std::string&)> answer;
    std::chrono::milliseconds delay{0};
    std::atomic<bool> gotRequest{false};
    LoopbackServer server{[this](int fd) {
        const std::string request = test::readHttpRequest(fd);
        gotRequest = true;
        {
            std::lock_guard lock(mutex);
            requests.push_back(request);
        }
        std::this_thread::sleep_for(delay);
        test::writeAll(fd, answer ? answer(request) : std::string{});
    }};

    std::uint16_t port() { return server.port(); }
    std::string request(std::size_t i)
    {
        std::lock_guard lock(mutex);
        return i < requests.size() ? requests[i] : std::string{};
    }
};

// A running worker on its own thread, ended and joined the way the game does at shutdown.
class Worker {
public:
    Serverdaten daten;

    explicit Worker(RoundTrip roundTrip) : thread_(THREAD1, std::ref(daten), std::move(roundTrip)) { waitAsleep(1); }
    // The game's worker: every request goes to daten.Serveradresse as it stands.
    explicit Worker(double timeoutSeconds)
        : thread_(THREAD1, std::ref(daten), makeServerRoundTrip(daten, timeoutSeconds))
    {
        waitAsleep(1);
    }
    ~Worker()
    {
        if (thread_.joinable()) shutDown();
    }

    void shutDown()
    {
        workerBeenden(daten);
        thread_.join();
    }

    bool waitAsleep(int rounds)
    {
        return waitUntil([&] { return daten.Anfragezaehler >= rounds; });
    }
    bool waitAnswered()
    {
        return waitUntil([&] { return daten.Anfrageoffen == 0; });
    }

private:
    bool waitUntil(const std::function<bool()>& done)
    {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < deadline) {
            {
                std::lock_guard lock(daten.Datenmutex);
                if (done()) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    std::thread thread_;
};

std::string reply(const std::string& payload)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n<html>CODE:" + payload +
           ":EDOC</html>\n";
}

TEST(ServerExchange, ALoginTravelsToTheServerAndItsReplyIsCutAndTaken)
{
    ScriptServer script;
    script.answer = [](const std::string&) { return reply("loginok"); };
    Worker worker(makeServerRoundTrip("127.0.0.1", script.port(), 2.0));

    EXPECT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>& post) {
        post(1) = {"infos", "login"};
        post(2) = {"i1", "Arthur Dent"};
        post(3) = {"i2", CREATEHASH("abc")};
    }));
    ASSERT_TRUE(worker.waitAnswered());
    EXPECT_EQ(takeReply(worker.daten), "loginok");
    EXPECT_EQ(takeReply(worker.daten), "");  // the reply is taken once
    {
        std::lock_guard lock(worker.daten.Datenmutex);
        EXPECT_EQ(worker.daten.Antwortpuffer, reply("loginok"));
    }
    const std::string body = "infos=login&i1=Arthur+Dent&i2=900150983CD24FB0D6963F7D28E17F72";
    EXPECT_EQ(script.request(0), "POST /games/qz/datenabfrage.php HTTP/1.1\r\n"
                                 "Host: 127.0.0.1:" + std::to_string(script.port()) + "\r\n"
                                 "Connection: close\r\n"
                                 "Accept: */*\r\n"
                                 "Accept-Encoding: \r\n"
                                 "User-Agent: Sample HTTP Client in Quillbox\r\n"
                                 "Content-Type: application/x-www-form-urlencoded\r\n"
                                 "Content-Length: " + std::to_string(body.size()) + "\r\n"
                                 "\r\n" + body);
}

TEST(ServerExchange, EntriesARequestDoesNotTouchAreSentAgain)
{
    ScriptServer script;
    script.answer = [](const std::string&) { return reply("ok"); };
    Worker worker(makeServerRoundTrip("127.0.0.1", script.port(), 2.0));
    ASSERT_TRUE(postRequest(worker.daten, [](Feld<KVP>& get, Feld<KVP>& post) {
        get(1) = {"PHPSESSID", "s1"};
        post(1) = {"infos", "channel"};
        post(2) = {"i1", "0"};
        post(3) = {"i2", "Ford"};
        post(4) = {"i3", "5"};
    }));
    ASSERT_TRUE(worker.waitAnswered());
    ASSERT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>& post) {
        post(1) = {"infos", "spiel"};
        post(3) = {"", ""};  // cleared: not sent
    }));
    ASSERT_TRUE(worker.waitAnswered());
    const std::string second = script.request(1);
    EXPECT_TRUE(second.starts_with("POST /games/qz/datenabfrage.php?PHPSESSID=s1 HTTP/1.1\r\n")) << second;
    EXPECT_TRUE(second.ends_with("\r\n\r\ninfos=spiel&i1=0&i3=5")) << second;
}

TEST(ServerExchange, ASecondPostWhileOneIsOpenIsDropped)
{
    ScriptServer script;
    script.delay = std::chrono::milliseconds(200);
    script.answer = [](const std::string&) { return reply("eins"); };
    Worker worker(makeServerRoundTrip("127.0.0.1", script.port(), 2.0));
    ASSERT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>& post) { post(1) = {"infos", "eins"}; }));
    bool filled = false;
    EXPECT_FALSE(postRequest(worker.daten, [&](Feld<KVP>&, Feld<KVP>&) { filled = true; }));
    EXPECT_FALSE(filled);
    ASSERT_TRUE(worker.waitAnswered());
    EXPECT_EQ(takeReply(worker.daten), "eins");
    EXPECT_EQ(worker.daten.Anfragezaehler, 2);
}

TEST(ServerExchange, ALargeReplyIsCollectedAcrossManyChunks)
{
    std::string payload;
    for (int i = 0; payload.size() < 60000; ++i) payload += "#SCHIFF-," + std::to_string(i) + "-SCHIFF#";
    ScriptServer script;
    script.answer = [&](const std::string&) { return reply(payload); };
    Worker worker(makeServerRoundTrip("127.0.0.1", script.port(), 2.0));
    ASSERT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>& post) { post(1) = {"infos", "spiel"}; }));
    ASSERT_TRUE(worker.waitAnswered());
    EXPECT_EQ(takeReply(worker.daten), payload);
}

TEST(ServerExchange, RepliesWithoutBothMarkersGiveTheEmptyText)
{
    for (const std::string& answer : {std::string("CODE:loginok"), std::string("loginok:EDOC"), std::string("")}) {
        ScriptServer script;
        script.answer = [&](const std::string&) { return answer; };
        Worker worker(makeServerRoundTrip("127.0.0.1", script.port(), 2.0));
        ASSERT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>& post) { post(1) = {"infos", "login"}; }));
        ASSERT_TRUE(worker.waitAnswered());
        EXPECT_EQ(takeReply(worker.daten), "") << answer;
    }
}

TEST(ServerExchange, AnUnreachableServerClearsTheRequestWithAnEmptyReply)
{
    Worker worker(makeServerRoundTrip("127.0.0.1", test::unusedPort(), 2.0));
    ASSERT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>& post) { post(1) = {"infos", "onlinecheck"}; }));
    ASSERT_TRUE(worker.waitAnswered());
    EXPECT_EQ(takeReply(worker.daten), "");
    // The next period can post again.
    EXPECT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>&) {}));
}

TEST(ServerExchange, AServerThatNeverAnswersIsGivenUpAfterTheTimeOut)
{
    LoopbackServer silent([](int fd) { test::waitForPeerClose(fd, 5.0); });
    Worker worker(makeServerRoundTrip("127.0.0.1", silent.port(), 0.3));
    const auto start = Clock::now();
    ASSERT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>& post) { post(1) = {"infos", "onlinecheck"}; }));
    ASSERT_TRUE(worker.waitAnswered());
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 2.0);
    EXPECT_EQ(takeReply(worker.daten), "");
}

TEST(ServerExchange, AServerThatNeverStopsSendingIsCutOff)
{
    LoopbackServer endless([](int fd) {
        const std::string block(1 << 16, 'x');
        test::writeAll(fd, "CODE:");
        while (test::writeAll(fd, block)) {
        }
    });
    const auto start = Clock::now();
    const std::string raw = serverRoundTrip("127.0.0.1", endless.port(), Feld<KVP>(1, 2), Feld<KVP>(1, 40), 5.0);
    EXPECT_GT(raw.size(), kMaxReplyBytes);
    EXPECT_LE(raw.size(), kMaxReplyBytes + kTsneReceiveChunk);
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 10.0);
}

TEST(ServerExchange, ShutdownEndsTheRequestInFlightAtOnce)
{
    // A server that takes the request and stays silent: the game closes long before the
    // minute's time-out would give it up.
    std::atomic<bool> angenommen{false};
    LoopbackServer silent([&](int fd) {
        test::readHttpRequest(fd);
        angenommen = true;
        test::waitForPeerClose(fd, kServerTimeout);
    });
    Worker worker(makeServerRoundTrip("127.0.0.1", silent.port(), kServerTimeout));
    ASSERT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>& post) { post(1) = {"infos", "spiel"}; }));
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!angenommen && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(angenommen);
    auto beendet = std::async(std::launch::async, [&] { worker.shutDown(); });
    EXPECT_EQ(beendet.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    beendet.wait();
    EXPECT_EQ(worker.daten.Empfangsdaten, "");
}

// A request posted the instant the previous one is answered must still wake the worker: the
// worker holds the lock from clearing Anfrageoffen into its wait, so no signal can fall between.
TEST(ServerExchange, BackToBackPostsNeverStall)
{
    std::atomic<int> trips{0};
    Worker worker([&](const Feld<KVP>&, const Feld<KVP>&, Abbruch&) { return "CODE:" + std::to_string(++trips) + ":EDOC"; });
    for (int i = 1; i <= 3000; ++i) {
        const auto deadline = Clock::now() + std::chrono::seconds(2);
        while (!postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>&) {})) {
            ASSERT_LT(Clock::now(), deadline) << "request " << i << " was never answered";
        }
    }
    ASSERT_TRUE(worker.waitAnswered());
    EXPECT_EQ(trips, 3000);
}

TEST(ServerExchange, EachRequestGoesToTheServerChosenThenNamedAsTypedAndAnUnreachableOneIsMarked)
{
    ScriptServer a, b;
    a.answer = [](const std::string&) { return reply("a"); };
    b.answer = [](const std::string&) { return reply("b"); };
    Worker worker(2.0);
    auto frage = [&](const ServerAddress& ziel) {
        {
            std::lock_guard lock(worker.daten.Datenmutex);
            worker.daten.Serveradresse = ziel;
        }
        EXPECT_TRUE(postRequest(worker.daten, [](Feld<KVP>&, Feld<KVP>& post) { post(1) = {"infos", "onlinecheck"}; }));
        EXPECT_TRUE(worker.waitAnswered());
        std::lock_guard lock(worker.daten.Datenmutex);
        return worker.daten.Unerreichbar;
    };
    EXPECT_EQ(frage({"127.0.0.1", a.port()}), "");
    EXPECT_EQ(takeReply(worker.daten), "a");
    const std::uint16_t weg = test::unusedPort();
    EXPECT_EQ(frage({"localhost", weg}), "localhost:" + std::to_string(weg));
    EXPECT_EQ(takeReply(worker.daten), "");
    EXPECT_EQ(frage({"localhost", b.port()}), "") << "an answer clears the mark";
    EXPECT_EQ(takeReply(worker.daten), "b");
    const std::string anB = b.request(0);
    EXPECT_NE(anB.find("\r\nHost: localhost:" + std::to_string(b.port()) + "\r\n"), std::string::npos) << anB;
    EXPECT_EQ(a.request(1), "") << "the first server got one request only";
}

}  // namespace
}  // namespace qz
