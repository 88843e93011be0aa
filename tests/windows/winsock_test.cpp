// The network layer on Winsock: a whole exchange with a server on the loopback interface (the
// connect without blocking, the send, the receive in slices, the end), a refused connection
// that is reported at once instead of after the system's own connect limit, and a name
// lookup, which needs Winsock started first.
#include "connection_log.hpp"
#include "net/host_cache.hpp"
#include "net/tsne.hpp"

#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <string>
#include <thread>

namespace qz {
namespace {

using Clock = std::chrono::steady_clock;

class Listener {
public:
    Listener()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int size = sizeof address;
        getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        ::listen(socket_, 4);
    }
    ~Listener()
    {
        closesocket(socket_);
        WSACleanup();
    }
    std::uint16_t port() const { return port_; }
    SOCKET accept() { return ::accept(socket_, nullptr, nullptr); }

private:
    SOCKET socket_;
    std::uint16_t port_ = 0;
};

TEST(Winsock, ARequestAndItsReplyGoThroughTheLayerAndTheConnectionEnds)
{
    Listener listener;
    std::string request;
    std::thread server([&] {
        const SOCKET peer = listener.accept();
        char c;
        while (request.size() < 5 && ::recv(peer, &c, 1, 0) == 1) request += c;
        // More than one receive chunk, so the client reads in several slices.
        const std::string reply = "Antwort auf " + request + std::string(20000, 'x');
        ::send(peer, reply.data(), static_cast<int>(reply.size()), 0);
        closesocket(peer);
    });
    test::ConnectionLog log;
    std::size_t sent = 0;
    log.extraOnConnected = [&](TsneId id) { TSNE_DATA_SEND(id, "hallo", sent); };
    TsneId id = 0;
    ASSERT_EQ(log.open(id, listener.port()), kTsneOk);
    EXPECT_EQ(TSNE_WAITCLOSE(id), kTsneOk);
    server.join();
    EXPECT_EQ(request, "hallo");
    EXPECT_EQ(sent, 5u);
    EXPECT_EQ(log.snapshotData(), "Antwort auf hallo" + std::string(20000, 'x'));
    EXPECT_EQ(log.snapshotOrder().front(), 'C');
    EXPECT_EQ(log.snapshotOrder().back(), 'D');
}

TEST(Winsock, AClosedPortIsRefusedWithinTheConnectLimit)
{
    std::uint16_t port;
    {
        Listener gone;
        port = gone.port();
    }
    test::ConnectionLog log;
    TsneId id = 0;
    const auto start = Clock::now();
    EXPECT_EQ(log.open(id, port, 30.0), kTsneCantConnect);
    // A blocking connect would wait for the system's limit, far above the layer's 5 s.
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), kTsneConnectLimit + 1);
}

TEST(Winsock, LocalhostResolvesToTheLoopbackAddress)
{
    const auto address = systemResolve("localhost");
    ASSERT_TRUE(address.has_value());
    EXPECT_EQ(*address, htonl(INADDR_LOOPBACK));
}

}  // namespace
}  // namespace qz
