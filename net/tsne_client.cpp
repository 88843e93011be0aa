// The layer's four routines for a client connection.
#include "net/tsne_layer.hpp"

#ifndef _WIN32
#include <arpa/inet.h>
#include <netinet/in.h>
#endif

#include <algorithm>
#include <chrono>

namespace qz {

using tsne::Layer;
using tsne::Record;

int TSNE_CREATE_CLIENT(TsneId& id, const std::string& host, std::uint16_t port,
                       TsneDisconnectedCallback onDisconnected, TsneConnectedCallback onConnected,
                       TsneNewDataCallback onNewData, double timeoutSeconds, std::size_t stackSize,
                       bool waitConnected)
{
    id = 0;
    if (host.empty()) return kTsneNoHost;

    Layer& layer = Layer::instance();
    if (!layer.running()) return kTsneInternalError;
    sockaddr_storage target{};
    socklen_t targetSize = 0;
    if (host.find(':') != std::string::npos || host.front() == '[') {
        // An IPv6 address, in brackets as in a URL or bare. A colon or a bracket in anything
        // else is a port or a typing error, and no name lookup could make sense of it.
        const bool brackets = host.size() > 2 && host.front() == '[' && host.back() == ']';
        const std::string literal = brackets ? host.substr(1, host.size() - 2) : host;
        auto& v6 = reinterpret_cast<sockaddr_in6&>(target);
        if (inet_pton(AF_INET6, literal.c_str(), &v6.sin6_addr) != 1) return kTsneCantResolve;
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(port);
        targetSize = sizeof v6;
    } else {
        const std::optional<std::uint32_t> address = layer.hostCache.resolve(host);
        if (!address) return kTsneCantResolve;
        auto& v4 = reinterpret_cast<sockaddr_in&>(target);
        v4.sin_family = AF_INET;
        v4.sin_port = htons(port);
        v4.sin_addr.s_addr = *address;
        targetSize = sizeof v4;
    }

    SocketHandle fd;
    if (!openStreamSocket(target.ss_family, fd)) return kTsneCantCreateSocket;
    auto socket = std::make_shared<TsneSocket>(fd);
    if (!connectWithTimeout(fd, reinterpret_cast<const sockaddr*>(&target), targetSize,
                            std::min(kTsneConnectLimit, timeoutSeconds), timeoutSeconds,
                            std::min(1.0, timeoutSeconds)))
        return kTsneCantConnect;

    auto record = std::make_shared<Record>();
    record->onDisconnected = std::move(onDisconnected);
    record->onConnected = std::move(onConnected);
    record->onNewData = std::move(onNewData);
    record->socket = std::move(socket);
    record->timeoutSeconds = timeoutSeconds;

    std::unique_lock lock(layer.listMutex);
    const bool started = layer.add(record, stackSize);
    id = record->id;
    if (!started) return kTsneInternalError;
    if (!waitConnected) return kTsneOk;
    // The outcome is read from the record itself, which this function still holds, so a
    // connection that reached state 2 and was already finished counts as connected.
    layer.recordsChanged.wait_for(lock, std::chrono::duration<double>(timeoutSeconds),
                                  [&] { return record->reachedConnected || record->removed; });
    return record->reachedConnected ? kTsneOk : kTsneInternalError;
}

int TSNE_DATA_SEND(TsneId id, std::string_view data, std::size_t& sent, bool queue)
{
    sent = 0;
    Layer& layer = Layer::instance();
    std::shared_ptr<TsneSocket> socket;
    int state;
    {
        std::lock_guard lock(layer.listMutex);
        std::shared_ptr<Record> record = layer.find(id);
        if (!record || !record->socket) return kTsneIdNotFound;
        if (queue) {
            record->sendQueue.emplace_back(data);
            return kTsneOk;
        }
        socket = record->socket;
        state = record->state;
    }
    if (state != kTsneConnected) return kTsneUnstableState;
    while (sent < data.size()) {
        const long written = socket->sendSome(data.data() + sent, data.size() - sent);
        if (written < 0) return kTsneSendError;
        sent += static_cast<std::size_t>(written);
    }
    std::lock_guard lock(layer.listMutex);
    std::shared_ptr<Record> record = layer.find(id);
    if (!record || !record->socket) return kTsneIdNotFound;
    return kTsneOk;
}

int TSNE_DISCONNECT(TsneId id)
{
    Layer& layer = Layer::instance();
    std::shared_ptr<TsneSocket> socket;
    {
        std::lock_guard lock(layer.listMutex);
        std::shared_ptr<Record> record = layer.find(id);
        if (!record) return kTsneIdNotFound;
        if (!record->socket) return kTsneNoSocket;
        if (record->state != kTsneConnected) return kTsneUnstableState;
        socket = std::move(record->socket);
        record->state = kTsneClosing;
        layer.masterWake.notify_one();
    }
    // Shutting down wakes the event thread at once; the descriptor itself is closed when the
    // event thread lets go of it.
    socket->shutdownBoth();
    return kTsneOk;
}

int TSNE_WAITCLOSE(TsneId id)
{
    Layer& layer = Layer::instance();
    std::unique_lock lock(layer.listMutex);
    layer.recordsChanged.wait(lock, [&] { return !layer.find(id); });
    return kTsneOk;
}

}  // namespace qz
