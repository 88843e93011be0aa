// Every result code of the layer and the condition that produces it.
#include "connection_log.hpp"
#include "gate.hpp"
#include "loopback_server.hpp"
#include "net/tsne.hpp"
#include "net/tsne_hooks.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>

#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

namespace qz {
namespace {

using test::ConnectionLog;
using test::Gate;
using test::LoopbackServer;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Holds every new event thread before it touches its connection, i.e. in state 1.
struct HeldEventThreads {
    // Shared with the hook: a held thread may still be leaving pass() after this object is gone.
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    HeldEventThreads() { tsneSetEventThreadStartHook([held = gate] { held->pass(); }); }
    ~HeldEventThreads()
    {
        tsneSetEventThreadStartHook(nullptr);
        gate->open();
    }
};

// Counts the name lookups of the layer's host cache while it lives.
struct CountedLookups {
    int lookups = 0;
    bool fail = false;
    CountedLookups()
    {
        tsneHostCache().setResolver([this](const std::string& host) -> std::optional<std::uint32_t> {
            ++lookups;
            if (fail) return std::nullopt;
            return systemResolve(host);
        });
    }
    ~CountedLookups() { tsneHostCache().setResolver(systemResolve); }
};

TEST(TsneMessages, EveryResultCodeHasItsText)
{
    EXPECT_STREQ(tsneMessage(-1), "No error.");
    EXPECT_STREQ(tsneMessage(-3), "No Socket found in 'V_SOCKET'.");
    EXPECT_STREQ(tsneMessage(-4), "Can't create socket.");
    EXPECT_STREQ(tsneMessage(-10), "Can't resolve IPA from host.");
    EXPECT_STREQ(tsneMessage(-11), "Can't connect to remote computer [Timeout?].");
    EXPECT_STREQ(tsneMessage(-12), "TSNE-ID not found.");
    EXPECT_STREQ(tsneMessage(-17), "IPA not found.");
    EXPECT_STREQ(tsneMessage(-18),
                 "Error while sending data. Not sure all data transmitted. Maybe connection lost or disconnected.");
    EXPECT_STREQ(tsneMessage(-21), "No IPV6 supported!");
    EXPECT_STREQ(tsneMessage(-23), "Unstable Thread-State!");
    EXPECT_STREQ(tsneMessage(-99), "Internal Error! Please contact support/programmer!");
    EXPECT_STREQ(tsneMessage(-2), "");
    EXPECT_STREQ(tsneMessage(0), "");
}

TEST(TsneCreateClient, HostTextsThatCannotBeUsedAreRejectedBeforeAnyLookup)
{
    CountedLookups counted;
    ConnectionLog log;
    TsneId id = 77;
    EXPECT_EQ(log.open(id, 80, 1.0, true, ""), kTsneNoHost);
    EXPECT_EQ(id, 0u);
    id = 77;
    // A colon belongs to IPv6 addresses only; a port in the host text is nothing to look up.
    for (const char* host : {"127.0.0.1:80", "[::1", "[127.0.0.1]", "::g"}) {
        EXPECT_EQ(log.open(id, 80, 1.0, true, host), kTsneCantResolve) << host;
        EXPECT_EQ(id, 0u);
    }
    EXPECT_EQ(counted.lookups, 0);
    EXPECT_EQ(log.snapshotOrder(), "");
}

TEST(TsneCreateClient, AnIpv6AddressConnectsBareOrInBracketsWithoutALookup)
{
    const int listener = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = in6addr_loopback;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(listener);
        GTEST_SKIP() << "this machine has no IPv6 loopback";
    }
    socklen_t size = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    ASSERT_EQ(::listen(listener, 4), 0);
    CountedLookups counted;
    for (const char* host : {"::1", "[::1]", "[0:0:0:0:0:0:0:1]"}) {
        ConnectionLog log;
        TsneId id = 0;
        ASSERT_EQ(log.open(id, ntohs(address.sin6_port), 5.0, true, host), kTsneOk) << host;
        const int accepted = ::accept(listener, nullptr, nullptr);
        EXPECT_GE(accepted, 0);
        ::close(accepted);
        TSNE_WAITCLOSE(id);
    }
    EXPECT_EQ(counted.lookups, 0);
    ::close(listener);
}

TEST(TsneCreateClient, AnUnresolvableNameGivesMinus10)
{
    CountedLookups counted;
    counted.fail = true;
    ConnectionLog log;
    TsneId id = 77;
    EXPECT_EQ(log.open(id, 80, 1.0, true, "unbekannt.qz"), kTsneCantResolve);
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(counted.lookups, 1);
}

TEST(TsneCreateClient, TwoConnectionsToTheSameNameResolveItOnce)
{
    CountedLookups counted;
    LoopbackServer server(nullptr);
    for (int i = 0; i < 2; ++i) {
        ConnectionLog log;
        TsneId id = 0;
        ASSERT_EQ(log.open(id, server.port(), 5.0, true, "localhost"), kTsneOk);
        TSNE_WAITCLOSE(id);
    }
    EXPECT_EQ(counted.lookups, 1);
}

TEST(TsneCreateClient, ARefusedPortGivesMinus11AtOnce)
{
    ConnectionLog log;
    TsneId id = 77;
    const auto start = Clock::now();
    EXPECT_EQ(log.open(id, test::unusedPort(), 5.0), kTsneCantConnect);
    EXPECT_LT(secondsSince(start), 2.0);
    EXPECT_EQ(id, 0u);
}

// A listener whose accept queue is full drops further connection attempts without an answer,
// just like an unroutable address, while every packet stays on this machine.
TEST(TsneCreateClient, AConnectionThatIsNeverAnsweredGivesMinus11AfterTheTimeOut)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t size = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    ASSERT_EQ(::listen(listener, 0), 0);
    std::vector<int> fillers;
    for (int i = 0; i < 8; ++i) {
        const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers.push_back(filler);
        pollfd p{filler, POLLOUT, 0};
        if (::poll(&p, 1, 200) == 0) break;  // this one hangs: the queue is full
    }

    ConnectionLog log;
    TsneId id = 77;
    const auto start = Clock::now();
    EXPECT_EQ(log.open(id, ntohs(address.sin_port), 0.3), kTsneCantConnect);
    const double waited = secondsSince(start);
    EXPECT_GE(waited, 0.29);
    EXPECT_LT(waited, 3.0);
    EXPECT_EQ(id, 0u);
    // A long silence allowance does not stretch the connect: a server that does not take the
    // connection is given up after the connect limit, so the thread asking is soon free again.
    const auto again = Clock::now();
    EXPECT_EQ(log.open(id, ntohs(address.sin_port), 60.0), kTsneCantConnect);
    const double limited = secondsSince(again);
    EXPECT_GE(limited, kTsneConnectLimit - 0.01);
    EXPECT_LT(limited, kTsneConnectLimit + 3.0);
    for (int fd : fillers) ::close(fd);
    ::close(listener);
}

// Runs in a child process: uses up every descriptor, then tries to connect.
[[noreturn]] void connectWithoutDescriptors()
{
    rlimit limit{64, 64};
    setrlimit(RLIMIT_NOFILE, &limit);
    while (::open("/dev/null", O_RDONLY | O_CLOEXEC) >= 0) {
    }
    ConnectionLog log;
    TsneId id = 77;
    const int result = log.open(id, 80, 1.0);
    std::_Exit(result == kTsneCantCreateSocket && id == 0 ? 0 : 1);
}

TEST(TsneCreateClientDeathTest, NoFreeDescriptorGivesMinus4)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(connectWithoutDescriptors(), testing::ExitedWithCode(0), "");
}

TEST(TsneCreateClient, WaitingForAnEventThreadThatNeverStartsGivesMinus99)
{
    LoopbackServer server(nullptr);
    ConnectionLog log;
    TsneId id = 0;
    {
        HeldEventThreads held;
        EXPECT_EQ(log.open(id, server.port(), 0.2, true), kTsneInternalError);
        EXPECT_NE(id, 0u);
    }
    // Released, the connection goes its normal way to the end.
    TSNE_WAITCLOSE(id);
    EXPECT_EQ(log.snapshotOrder().back(), 'D');
}

TEST(TsneSendAndDisconnect, UnknownIdsGiveMinus12)
{
    std::size_t sent = 99;
    EXPECT_EQ(TSNE_DATA_SEND(0, "x", sent), kTsneIdNotFound);
    EXPECT_EQ(sent, 0u);
    EXPECT_EQ(TSNE_DATA_SEND(0, "x", sent, true), kTsneIdNotFound);
    EXPECT_EQ(TSNE_DISCONNECT(0), kTsneIdNotFound);
    EXPECT_EQ(TSNE_WAITCLOSE(0), kTsneOk);
}

TEST(TsneSendAndDisconnect, AConnectionWhoseEventThreadHasNotStartedGivesMinus23)
{
    LoopbackServer server(nullptr);
    ConnectionLog log;
    TsneId id = 0;
    {
        HeldEventThreads held;
        ASSERT_EQ(log.open(id, server.port(), 5.0, false), kTsneOk);
        std::size_t sent = 99;
        EXPECT_EQ(TSNE_DATA_SEND(id, "x", sent), kTsneUnstableState);
        EXPECT_EQ(sent, 0u);
        EXPECT_EQ(TSNE_DISCONNECT(id), kTsneUnstableState);
        EXPECT_EQ(log.snapshotOrder(), "");
    }
    TSNE_WAITCLOSE(id);
    EXPECT_EQ(log.snapshotOrder().front(), 'C');
}

TEST(TsneSendAndDisconnect, AClosingConnectionGivesMinus3ThenMinus12)
{
    std::promise<void> serverDone;
    LoopbackServer server([&](int fd) {
        test::waitForPeerClose(fd, 5.0);
        serverDone.set_value();
    });
    ConnectionLog log;
    Gate entered, leave;
    log.extraOnDisconnected = [&](TsneId) {
        entered.open();
        leave.pass();
    };
    TsneId id = 0;
    ASSERT_EQ(log.open(id, server.port()), kTsneOk);
    EXPECT_EQ(TSNE_DISCONNECT(id), kTsneOk);
    ASSERT_TRUE(entered.pass());
    // The record still exists, its socket is gone.
    EXPECT_EQ(TSNE_DISCONNECT(id), kTsneNoSocket);
    std::size_t sent = 0;
    EXPECT_EQ(TSNE_DATA_SEND(id, "x", sent), kTsneIdNotFound);
    leave.open();
    TSNE_WAITCLOSE(id);
    EXPECT_EQ(TSNE_DISCONNECT(id), kTsneIdNotFound);
    EXPECT_EQ(serverDone.get_future().wait_for(std::chrono::seconds(5)), std::future_status::ready);
}

TEST(TsneSendAndDisconnect, SendingToAPeerThatResetTheConnectionGivesMinus18)
{
    // An abortive close: the server's side answers everything after it with a reset. The
    // handler closes the socket itself, so that the test knows when the reset is out: dup2
    // closes it and leaves the number on /dev/null for the server's own close.
    std::promise<void> reset;
    LoopbackServer server([&](int fd) {
        linger hard{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ::dup2(nothing, fd);
        ::close(nothing);
        reset.set_value();
    });
    ConnectionLog log;
    int result = 0;
    // Sending from the connected callback keeps the event thread from noticing the reset first.
    log.extraOnConnected = [&](TsneId id) {
        if (reset.get_future().wait_for(std::chrono::seconds(5)) != std::future_status::ready) return;
        const std::string block(1 << 20, 'x');
        std::size_t sent = 0;
        for (int i = 0; i < 8 && (result = TSNE_DATA_SEND(id, block, sent)) == kTsneOk; ++i) {
        }
    };
    TsneId id = 0;
    ASSERT_EQ(log.open(id, server.port()), kTsneOk);
    TSNE_WAITCLOSE(id);
    EXPECT_EQ(result, kTsneSendError);
}

}  // namespace
}  // namespace qz
