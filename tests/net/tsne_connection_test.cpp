// Connections through the layer against loopback servers: data both ways, the callback order,
// the ways a connection ends, TSNEIDs, and that nothing is left behind.
#include "connection_log.hpp"
#include "gate.hpp"
#include "loopback_server.hpp"
#include "net/tsne.hpp"
#include "net/tsne_hooks.hpp"

#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <regex>
#include <thread>
#include <vector>

namespace qz {
namespace {

using test::ConnectionLog;
using test::Gate;
using test::LoopbackServer;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

bool isConnectedDataDisconnected(const std::string& order) { return std::regex_match(order, std::regex("CN*D")); }

TEST(TsneConnection, TheConnectedCallbackSendsAndTheReplyArrivesBeforeTheDisconnect)
{
    LoopbackServer server([](int fd) {
        std::string request;
        char c;
        while (request.size() < 5 && ::read(fd, &c, 1) == 1) request += c;
        test::writeAll(fd, "Antwort auf " + request);
    });
    ConnectionLog log;
    int sendResult = 0;
    std::size_t sendCount = 0;
    log.extraOnConnected = [&](TsneId id) { sendResult = TSNE_DATA_SEND(id, "hallo", sendCount); };
    TsneId id = 0;
    ASSERT_EQ(log.open(id, server.port()), kTsneOk);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(TSNE_WAITCLOSE(id), kTsneOk);
    // TSNE_WAITCLOSE returns only once the disconnected callback has run.
    EXPECT_TRUE(isConnectedDataDisconnected(log.snapshotOrder())) << log.snapshotOrder();
    EXPECT_EQ(log.snapshotData(), "Antwort auf hallo");
    EXPECT_EQ(sendCount, 5u);
    EXPECT_EQ(sendResult, kTsneOk);
}

TEST(TsneConnection, ALargeReplyArrivesCompleteInChunksOfAtMost7936Bytes)
{
    std::string reply(100000, '\0');
    for (std::size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<char>(i * 7 % 251);
    LoopbackServer server([&](int fd) { test::writeAll(fd, reply); });
    ConnectionLog log;
    TsneId id = 0;
    ASSERT_EQ(log.open(id, server.port()), kTsneOk);
    TSNE_WAITCLOSE(id);
    EXPECT_EQ(log.snapshotData(), reply);
    EXPECT_GE(log.chunks.size(), 13u);
    for (std::size_t chunk : log.chunks) EXPECT_LE(chunk, kTsneReceiveChunk);
    EXPECT_TRUE(isConnectedDataDisconnected(log.snapshotOrder()));
}

TEST(TsneConnection, APeerThatClosesAtOnceStillCountsAsConnected)
{
    LoopbackServer server(nullptr);
    ConnectionLog log;
    TsneId id = 0;
    EXPECT_EQ(log.open(id, server.port(), 5.0, true), kTsneOk);
    TSNE_WAITCLOSE(id);
    EXPECT_EQ(log.snapshotOrder(), "CD");
    std::size_t sent = 0;
    EXPECT_EQ(TSNE_DATA_SEND(id, "x", sent), kTsneIdNotFound);
}

TEST(TsneConnection, ALocalDisconnectClosesTowardsThePeerAndEndsWithTheCallback)
{
    std::promise<bool> peerSawClose;
    LoopbackServer server([&](int fd) { peerSawClose.set_value(test::waitForPeerClose(fd, 5.0)); });
    ConnectionLog log;
    TsneId id = 0;
    ASSERT_EQ(log.open(id, server.port()), kTsneOk);
    const auto start = Clock::now();
    EXPECT_EQ(TSNE_DISCONNECT(id), kTsneOk);
    TSNE_WAITCLOSE(id);
    // Disconnecting wakes the event thread at once instead of after its one-second look.
    EXPECT_LT(secondsSince(start), 0.5);
    EXPECT_EQ(log.snapshotOrder(), "CD");
    auto saw = peerSawClose.get_future();
    ASSERT_EQ(saw.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_TRUE(saw.get());
}

TEST(TsneConnection, APeerThatStaysSilentIsGivenUpAfterTheTimeOut)
{
    LoopbackServer server([](int fd) { test::waitForPeerClose(fd, 5.0); });
    ConnectionLog log;
    TsneId id = 0;
    ASSERT_EQ(log.open(id, server.port(), 0.3), kTsneOk);
    const auto start = Clock::now();
    TSNE_WAITCLOSE(id);
    const double waited = secondsSince(start);
    EXPECT_GE(waited, 0.2);
    EXPECT_LT(waited, 2.0);
    EXPECT_EQ(log.snapshotOrder(), "CD");
}

TEST(TsneConnection, DataThatKeepsComingKeepsTheConnectionAlive)
{
    LoopbackServer server([](int fd) {
        for (int i = 0; i < 6; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            test::writeAll(fd, "+");
        }
    });
    ConnectionLog log;
    TsneId id = 0;
    ASSERT_EQ(log.open(id, server.port(), 0.25), kTsneOk);
    TSNE_WAITCLOSE(id);
    EXPECT_EQ(log.snapshotData(), "++++++");
}

TEST(TsneConnection, QueuedDataIsSentByTheEventThread)
{
    LoopbackServer server([](int fd) {
        std::string request;
        char c;
        while (request.size() < 6 && ::read(fd, &c, 1) == 1) request += c;
        test::writeAll(fd, request);
    });
    ConnectionLog log;
    int queueResult = 0;
    log.extraOnConnected = [&](TsneId id) {
        std::size_t sent = 0;
        queueResult = TSNE_DATA_SEND(id, "queued", sent, true);
    };
    TsneId id = 0;
    ASSERT_EQ(log.open(id, server.port()), kTsneOk);
    TSNE_WAITCLOSE(id);
    EXPECT_EQ(queueResult, kTsneOk);
    EXPECT_EQ(log.snapshotData(), "queued");
}

TEST(TsneConnection, CallbacksMayCallTheLayerAgain)
{
    LoopbackServer server([](int fd) {
        test::writeAll(fd, "x");
        test::waitForPeerClose(fd, 5.0);
    });
    ConnectionLog first;
    int disconnectFromNewData = 0;
    int sendFromDisconnected = 0;
    int createFromDisconnected = 0;
    TsneId second = 0;
    ConnectionLog secondLog;
    first.extraOnNewData = [&](TsneId id, std::string_view) { disconnectFromNewData = TSNE_DISCONNECT(id); };
    first.extraOnDisconnected = [&](TsneId id) {
        std::size_t sent = 0;
        sendFromDisconnected = TSNE_DATA_SEND(id, "x", sent);
        createFromDisconnected = secondLog.open(second, server.port());
    };
    TsneId id = 0;
    ASSERT_EQ(first.open(id, server.port()), kTsneOk);
    TSNE_WAITCLOSE(id);
    EXPECT_EQ(disconnectFromNewData, kTsneOk);
    EXPECT_EQ(sendFromDisconnected, kTsneIdNotFound);
    EXPECT_EQ(createFromDisconnected, kTsneOk);
    EXPECT_EQ(TSNE_DISCONNECT(second), kTsneOk);
    TSNE_WAITCLOSE(second);
    EXPECT_EQ(secondLog.snapshotOrder().back(), 'D');
}

TEST(TsneIds, IdsSkipZeroAndIdsStillInUse)
{
    LoopbackServer server([](int fd) { test::waitForPeerClose(fd, 5.0); });
    ConnectionLog a, b, c;
    TsneId ia = 0, ib = 0, ic = 0;
    tsneSetLastId(0xFFFFFFFE);
    ASSERT_EQ(a.open(ia, server.port()), kTsneOk);
    ASSERT_EQ(b.open(ib, server.port()), kTsneOk);
    tsneSetLastId(0);
    ASSERT_EQ(c.open(ic, server.port()), kTsneOk);
    EXPECT_EQ(ia, 0xFFFFFFFFu);
    EXPECT_EQ(ib, 1u);
    EXPECT_EQ(ic, 2u);
    for (TsneId id : {ia, ib, ic}) EXPECT_EQ(TSNE_DISCONNECT(id), kTsneOk);
    for (TsneId id : {ia, ib, ic}) TSNE_WAITCLOSE(id);
}

TEST(TsneIds, IdsIncreaseByOnePerConnection)
{
    LoopbackServer server(nullptr);
    TsneId previous = 0;
    for (int i = 0; i < 3; ++i) {
        ConnectionLog log;
        TsneId id = 0;
        ASSERT_EQ(log.open(id, server.port()), kTsneOk);
        if (previous != 0) {
            EXPECT_EQ(id, previous + 1);
        }
        previous = id;
        TSNE_WAITCLOSE(id);
    }
}

int entriesIn(const char* directory)
{
    int count = 0;
    if (DIR* dir = opendir(directory)) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') ++count;
        closedir(dir);
    }
    return count;
}

TEST(TsneResources, TwoHundredConnectionsLeaveNoThreadsOrDescriptorsBehind)
{
    LoopbackServer server([](int fd) { test::writeAll(fd, "pong"); });
    auto roundTrip = [&] {
        ConnectionLog log;
        TsneId id = 0;
        const int result = log.open(id, server.port());
        TSNE_WAITCLOSE(id);
        return result == kTsneOk && log.snapshotData() == "pong" && log.snapshotOrder() == "CND";
    };
    ASSERT_TRUE(roundTrip());  // starts the master thread
    const int threads = entriesIn("/proc/self/task");
    const int descriptors = entriesIn("/proc/self/fd");
    int good = 0;
    for (int i = 0; i < 200; ++i) good += roundTrip();
    EXPECT_EQ(good, 200);
    // The server thread closes its side a moment after the client has finished.
    for (int i = 0; i < 100 && entriesIn("/proc/self/fd") > descriptors; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(entriesIn("/proc/self/task"), threads);
    EXPECT_EQ(entriesIn("/proc/self/fd"), descriptors);
}

TEST(TsneResources, ConnectionsAtTheSameTimeLeaveAtMostAFewParkedThreads)
{
    {
        LoopbackServer quick(nullptr);
        ConnectionLog warmUp;
        TsneId first = 0;
        ASSERT_EQ(warmUp.open(first, quick.port()), kTsneOk);
        TSNE_WAITCLOSE(first);
    }
    const int threads = entriesIn("/proc/self/task");
    Gate release;
    LoopbackServer server(
        [&](int fd) {
            release.pass();
            test::writeAll(fd, "x");
        },
        32);

    std::vector<ConnectionLog> logs(10);
    std::vector<TsneId> ids(10, 0);
    for (std::size_t i = 0; i < logs.size(); ++i) ASSERT_EQ(logs[i].open(ids[i], server.port()), kTsneOk);
    // One event thread per open connection: at most four of them were parked before.
    EXPECT_GE(entriesIn("/proc/self/task"), threads + 6);
    release.open();
    for (TsneId id : ids) TSNE_WAITCLOSE(id);
    for (auto& log : logs) EXPECT_EQ(log.snapshotData(), "x");
    // Finished event threads park for the next connections, but only a few of them.
    for (int i = 0; i < 100 && entriesIn("/proc/self/task") > threads + 4; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_LE(entriesIn("/proc/self/task"), threads + 4);
}

// Runs in a child process: leaves with a connection still open.
[[noreturn]] void exitWithAnOpenConnection()
{
    static LoopbackServer server([](int fd) { test::waitForPeerClose(fd, 5.0); });
    static ConnectionLog log;
    log.extraOnDisconnected = [](TsneId) { std::fputs("getrennt\n", stderr); };
    TsneId id = 0;
    if (log.open(id, server.port()) != kTsneOk) std::_Exit(1);
    std::exit(0);
}

TEST(TsneResourcesDeathTest, TheEndOfTheProcessClosesOpenConnectionsThroughTheirCallbacks)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exitWithAnOpenConnection(), testing::ExitedWithCode(0), "getrennt");
}

}  // namespace
}  // namespace qz
