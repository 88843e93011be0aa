#include "net/tsne_socket.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <limits>

namespace qz {

TsneSocket::~TsneSocket() { ::close(fd_); }

void TsneSocket::shutdownBoth() { ::shutdown(fd_, SHUT_RDWR); }

int pollMilliseconds(double seconds)
{
    if (seconds <= 0) return 0;
    const double ms = std::ceil(seconds * 1000.0);
    return ms >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(ms);
}

bool connectWithTimeout(int fd, std::uint32_t address, std::uint16_t port, double timeoutSeconds)
{
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) return false;

    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = address;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        if (errno != EINPROGRESS) return false;
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::duration<double>(timeoutSeconds);
        for (;;) {
            pollfd p{fd, POLLOUT, 0};
            const int ready = ::poll(&p, 1, pollMilliseconds(std::chrono::duration<double>(deadline - Clock::now()).count()));
            if (ready > 0) break;
            if (ready == 0 || errno != EINTR) return false;
        }
        int error = 0;
        socklen_t size = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) return false;
    }
    return fcntl(fd, F_SETFL, flags) == 0;
}

}  // namespace qz
