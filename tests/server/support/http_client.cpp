#include "http_client.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace qz::server::test {

std::string roundTrip(int port, const std::string& bytes, const char* from) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, from, &local.sin_addr);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        close(fd);
        throw std::runtime_error(std::string("cannot bind to ") + from);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        throw std::runtime_error("connect failed");
    }
    timeval timeout{30, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;  // the server may refuse early and stop reading
        sent += static_cast<std::size_t>(n);
    }
    std::string response;
    char buffer[65536];
    while (true) {
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        response.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return response;
}

std::string replyText(const std::string& response) {
    const std::size_t start = response.find("CODE:");
    const std::size_t end = response.find(":EDOC");
    if (start == std::string::npos || end == std::string::npos || end < start) return "<unframed>" + response;
    return response.substr(start + 5, end - start - 5);
}

std::string post(int port, const std::string& sessionId, const Pairs& pairs, const char* from) {
    return replyText(roundTrip(port, gameRequest("127.0.0.1", port, sessionId, pairs), from));
}

}  // namespace qz::server::test
