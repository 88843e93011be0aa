// One TCP socket of the layer. It is shared between the connection record, the event thread
// and a sender in flight; the descriptor is closed only when the last of them lets go, so a
// descriptor number is never reused while another thread may still poll or send on it.
// Disconnecting shuts the socket down, which wakes a thread blocked on it at once.
#pragma once

#include <sys/socket.h>

#include <cstdint>

namespace qz {

class TsneSocket {
public:
    explicit TsneSocket(int fd) : fd_(fd) {}
    ~TsneSocket();
    TsneSocket(const TsneSocket&) = delete;
    TsneSocket& operator=(const TsneSocket&) = delete;

    int fd() const { return fd_; }
    void shutdownBoth();

private:
    int fd_;
};

// Connects fd (a blocking stream socket of the target's family) to `target` within
// connectSeconds and leaves it blocking; false when refused, unreachable or too slow. From
// then on a send that cannot go on blocks for at most timeoutSeconds, and a receive returns
// after at most receiveSliceSeconds without data.
bool connectWithTimeout(int fd, const sockaddr* target, socklen_t targetSize, double connectSeconds,
                        double timeoutSeconds, double receiveSliceSeconds);

}  // namespace qz
