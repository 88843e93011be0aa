// One TCP socket of the layer. It is shared between the connection record, the event thread
// and a sender in flight; the descriptor is closed only when the last of them lets go, so a
// descriptor number is never reused while another thread may still poll or send on it.
// Disconnecting shuts the socket down, which wakes a thread blocked on it at once.
// The system's socket calls stay in this file's two implementations: tsne_socket.cpp (POSIX)
// and tsne_socket_windows.cpp (Winsock 2).
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <sys/socket.h>
#endif

#include <cstddef>
#include <cstdint>

namespace qz {

#ifdef _WIN32
using SocketHandle = SOCKET;
#else
using SocketHandle = int;
#endif

// Starts the system's sockets once per process (Winsock needs it before any call, name
// lookups included); nothing to do elsewhere.
void startSockets();

// A blocking stream socket of `family` that no child program inherits; false when the system
// has none left.
bool openStreamSocket(int family, SocketHandle& socket);

class TsneSocket {
public:
    explicit TsneSocket(SocketHandle fd) : fd_(fd) {}
    ~TsneSocket();
    TsneSocket(const TsneSocket&) = delete;
    TsneSocket& operator=(const TsneSocket&) = delete;

    SocketHandle fd() const { return fd_; }
    void shutdownBoth();
    // Sends what the system takes of `data` (never raising SIGPIPE); the byte count, or -1 on
    // failure. An interrupted call is repeated.
    long sendSome(const char* data, std::size_t size);
    // Receives into `buffer`: the byte count, 0 at the peer's end, kReceiveAgain when nothing
    // came within the receive limit (or at once when `dontWait`), -1 on failure.
    static constexpr long kReceiveAgain = -2;
    long receiveSome(char* buffer, std::size_t size, bool dontWait);

private:
    SocketHandle fd_;
};

// Connects fd (a blocking stream socket of the target's family) to `target` within
// connectSeconds and leaves it blocking; false when refused, unreachable or too slow. From
// then on a send that cannot go on blocks for at most timeoutSeconds, and a receive returns
// after at most receiveSliceSeconds without data.
bool connectWithTimeout(SocketHandle fd, const sockaddr* target, socklen_t targetSize, double connectSeconds,
                        double timeoutSeconds, double receiveSliceSeconds);

}  // namespace qz
