// The layer's socket on Windows Sockets 2.
#include "net/tsne_socket.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

namespace qz {

void startSockets()
{
    // Once per process and never undone: the layer's threads may use sockets until the end.
    static std::once_flag started;
    std::call_once(started, [] {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    });
}

bool openStreamSocket(int family, SocketHandle& socket)
{
    startSockets();
    // Overlapped, or the send and receive time limits are not kept; not inherited, or a child
    // program started meanwhile would hold the connection open.
    socket = WSASocketW(family, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    return socket != INVALID_SOCKET;
}

TsneSocket::~TsneSocket() { ::closesocket(fd_); }

void TsneSocket::shutdownBoth() { ::shutdown(fd_, SD_BOTH); }

namespace {

int chunkSize(std::size_t size)
{
    return size > static_cast<std::size_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                            : static_cast<int>(size);
}

// Winsock takes its time limits in whole milliseconds, where 0 means none: anything shorter
// becomes one.
void setTimeLimit(SocketHandle fd, int option, double seconds)
{
    const double ms = std::ceil(seconds * 1000.0);
    const DWORD limit = ms >= 4e9 ? 4000000000u : ms < 1 ? 1u : static_cast<DWORD>(ms);
    setsockopt(fd, SOL_SOCKET, option, reinterpret_cast<const char*>(&limit), sizeof limit);
}

bool setBlocking(SocketHandle fd, bool blocking)
{
    u_long nonBlocking = blocking ? 0 : 1;
    return ioctlsocket(fd, FIONBIO, &nonBlocking) == 0;
}

}  // namespace

long TsneSocket::sendSome(const char* data, std::size_t size)
{
    const int written = ::send(fd_, data, chunkSize(size), 0);
    return written == SOCKET_ERROR ? -1 : written;
}

long TsneSocket::receiveSome(char* buffer, std::size_t size, bool dontWait)
{
    if (dontWait) {
        // Winsock has no per-call flag for it: ask whether anything waits, without waiting.
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd_, &readable);
        timeval now{0, 0};
        const int ready = ::select(0, &readable, nullptr, nullptr, &now);
        if (ready == 0) return kReceiveAgain;
        if (ready == SOCKET_ERROR) return -1;
    }
    const int received = ::recv(fd_, buffer, chunkSize(size), 0);
    if (received != SOCKET_ERROR) return received;
    const int error = WSAGetLastError();
    return error == WSAETIMEDOUT || error == WSAEWOULDBLOCK || error == WSAEINTR ? kReceiveAgain : -1;
}

bool connectWithTimeout(SocketHandle fd, const sockaddr* target, socklen_t targetSize, double connectSeconds,
                        double timeoutSeconds, double receiveSliceSeconds)
{
    // A blocking connect on Windows ignores the send limit and waits for the system's own
    // (about 21 s): connect without blocking and wait for the outcome at most connectSeconds.
    if (!setBlocking(fd, false)) return false;
    if (::connect(fd, target, targetSize) == SOCKET_ERROR) {
        if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(fd, &writable);
        FD_SET(fd, &failed);
        const double limit = connectSeconds > 0 ? connectSeconds : 0;
        timeval wait{};
        wait.tv_sec = static_cast<long>(std::min(limit, 1e6));
        wait.tv_usec = static_cast<long>((limit - std::floor(limit)) * 1e6);
        if (::select(0, nullptr, &writable, &failed, &wait) <= 0 || FD_ISSET(fd, &failed)) return false;
        int error = 0;
        int size = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error != 0)
            return false;
    }
    if (!setBlocking(fd, true)) return false;
    setTimeLimit(fd, SO_SNDTIMEO, timeoutSeconds);
    setTimeLimit(fd, SO_RCVTIMEO, receiveSliceSeconds);
    return true;
}

}  // namespace qz
