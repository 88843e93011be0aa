#include "net/tsne_socket.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <limits>

namespace qz {

TsneSocket::~TsneSocket() { ::close(fd_); }

void TsneSocket::shutdownBoth() { ::shutdown(fd_, SHUT_RDWR); }

namespace {

// A zero time value means "no limit" to the socket, so anything shorter becomes a microsecond.
void setTimeLimit(int fd, int option, double seconds)
{
    timeval limit{};
    if (seconds >= static_cast<double>(std::numeric_limits<time_t>::max() / 2)) {
        limit.tv_sec = std::numeric_limits<time_t>::max() / 2;
    } else if (seconds > 0) {
        limit.tv_sec = static_cast<time_t>(seconds);
        limit.tv_usec = static_cast<suseconds_t>((seconds - std::floor(seconds)) * 1e6);
    }
    if (limit.tv_sec == 0 && limit.tv_usec == 0) limit.tv_usec = 1;
    setsockopt(fd, SOL_SOCKET, option, &limit, sizeof limit);
}

int pollMilliseconds(double seconds)
{
    if (seconds <= 0) return 0;
    const double ms = std::ceil(seconds * 1000.0);
    return ms >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(ms);
}

}  // namespace

bool connectWithTimeout(int fd, std::uint32_t address, std::uint16_t port, double timeoutSeconds,
                        double receiveSliceSeconds)
{
    // The system bounds a blocking connect by the send time limit, which the connection keeps
    // afterwards; that saves the detour through non-blocking mode on every connection.
    setTimeLimit(fd, SO_SNDTIMEO, timeoutSeconds);
    setTimeLimit(fd, SO_RCVTIMEO, receiveSliceSeconds);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = address;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) return true;
    if (errno != EINTR) return false;  // refused, unreachable, or still not answered at the limit
    // Interrupted by a signal, the attempt goes on in the background: wait for its outcome.
    pollfd p{fd, POLLOUT, 0};
    int ready;
    do {
        ready = ::poll(&p, 1, pollMilliseconds(timeoutSeconds));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) return false;
    int error = 0;
    socklen_t size = sizeof error;
    return getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

}  // namespace qz
