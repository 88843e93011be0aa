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

void startSockets() {}

bool openStreamSocket(int family, SocketHandle& socket)
{
    socket = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return socket >= 0;
}

TsneSocket::~TsneSocket() { ::close(fd_); }

void TsneSocket::shutdownBoth() { ::shutdown(fd_, SHUT_RDWR); }

long TsneSocket::sendSome(const char* data, std::size_t size)
{
    for (;;) {
        const ssize_t written = ::send(fd_, data, size, MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR) continue;
        return written;
    }
}

long TsneSocket::receiveSome(char* buffer, std::size_t size, bool dontWait)
{
    const ssize_t received = ::recv(fd_, buffer, size, dontWait ? MSG_DONTWAIT : 0);
    if (received < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) return kReceiveAgain;
    return received;
}

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

bool connected(int fd, const sockaddr* target, socklen_t targetSize, double connectSeconds)
{
    if (::connect(fd, target, targetSize) == 0) return true;
    if (errno != EINTR) return false;  // refused, unreachable, or still not answered at the limit
    // Interrupted by a signal, the attempt goes on in the background: wait for its outcome.
    pollfd p{fd, POLLOUT, 0};
    int ready;
    do {
        ready = ::poll(&p, 1, pollMilliseconds(connectSeconds));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) return false;
    int error = 0;
    socklen_t size = sizeof error;
    return getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

}  // namespace

bool connectWithTimeout(int fd, const sockaddr* target, socklen_t targetSize, double connectSeconds,
                        double timeoutSeconds, double receiveSliceSeconds)
{
    // The system bounds a blocking connect by the send time limit; that saves the detour
    // through non-blocking mode on every connection. The connection keeps the longer limit.
    setTimeLimit(fd, SO_SNDTIMEO, connectSeconds);
    setTimeLimit(fd, SO_RCVTIMEO, receiveSliceSeconds);
    if (connected(fd, target, targetSize, connectSeconds)) {
        setTimeLimit(fd, SO_SNDTIMEO, timeoutSeconds);
        return true;
    }
    return false;
}

}  // namespace qz
