#include "loopback_server.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace qz::test {

namespace {

int boundSocket(std::uint16_t& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) throw std::runtime_error("bind");
    socklen_t size = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return fd;
}

}  // namespace

LoopbackServer::LoopbackServer(Handler handler, int backlog) : handler_(std::move(handler))
{
    listenFd_ = boundSocket(port_);
    if (::listen(listenFd_, backlog) != 0) throw std::runtime_error("listen");
    stopFd_ = eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { run(); });
}

LoopbackServer::~LoopbackServer()
{
    const std::uint64_t one = 1;
    (void)!::write(stopFd_, &one, sizeof one);
    thread_.join();
    ::close(listenFd_);
    ::close(stopFd_);
}

void LoopbackServer::run()
{
    for (;;) {
        pollfd p[2] = {{listenFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) continue;
        if (p[1].revents) return;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        if (handler_) handler_(fd);
        ::close(fd);
    }
}

std::string readAll(int fd)
{
    std::string data;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return data;
        data.append(buffer, static_cast<std::size_t>(n));
    }
}

std::string readHttpRequest(int fd)
{
    std::string data;
    char buffer[4096];
    std::size_t expected = std::string::npos;
    while (expected == std::string::npos || data.size() < expected) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        data.append(buffer, static_cast<std::size_t>(n));
        const auto headerEnd = data.find("\r\n\r\n");
        if (expected == std::string::npos && headerEnd != std::string::npos) {
            const auto field = data.find("Content-Length: ");
            const std::size_t body = field == std::string::npos ? 0 : std::strtoul(data.c_str() + field + 16, nullptr, 10);
            expected = headerEnd + 4 + body;
        }
    }
    return data;
}

bool writeAll(int fd, const std::string& data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool waitForPeerClose(int fd, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) return true;
    }
}

std::uint16_t unusedPort()
{
    std::uint16_t port = 0;
    const int fd = boundSocket(port);
    ::close(fd);
    return port;
}

}  // namespace qz::test
