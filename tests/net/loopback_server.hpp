// A small TCP server on 127.0.0.1 for the transport tests: it accepts connections one after
// another on its own thread and hands each to the test's handler, closing it afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace qz::test {

class LoopbackServer {
public:
    using Handler = std::function<void(int fd)>;

    explicit LoopbackServer(Handler handler, int backlog = 16);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::uint16_t port() const { return port_; }

private:
    void run();

    Handler handler_;
    int listenFd_ = -1;
    int stopFd_ = -1;
    std::uint16_t port_ = 0;
    std::thread thread_;
};

// Blocking helpers for handlers.
std::string readAll(int fd);                                  // until the peer closes
std::string readHttpRequest(int fd);                          // header plus Content-Length body
bool writeAll(int fd, const std::string& data);
bool waitForPeerClose(int fd, double seconds);                // true when EOF came in time

// A loopback port where nothing listens: bound and closed again.
std::uint16_t unusedPort();

}  // namespace qz::test
