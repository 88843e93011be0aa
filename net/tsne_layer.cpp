#include "net/tsne_hooks.hpp"
#include "net/tsne_layer.hpp"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>

namespace qz::tsne {

Layer& Layer::instance()
{
    static Layer layer;
    return layer;
}

Layer::Layer()
{
    std::unique_lock lock(masterMutex_);
    if (!startThread(masterThread_, kTsneStackSize, [this] { master(); })) return;
    masterStarted_.wait(lock, [this] { return masterRunning_; });
}

Layer::~Layer()
{
    if (!masterRunning_) return;
    {
        // Every open connection is closed; the master finishes them and ends with the last one.
        std::lock_guard lock(listMutex);
        for (auto& record : records_) {
            if (record->state != kTsneConnecting && record->state != kTsneConnected) continue;
            if (record->socket) record->socket->shutdownBoth();
            record->socket.reset();
            record->state = kTsneClosing;
        }
        std::lock_guard masterLock(masterMutex_);
        masterExit_ = true;
        masterWake.notify_one();
    }
    pthread_join(masterThread_, nullptr);
    hostCache.clear();
}

std::shared_ptr<Record> Layer::find(TsneId id) const
{
    for (const auto& record : records_)
        if (record->id == id) return record;
    return nullptr;
}

bool Layer::add(const std::shared_ptr<Record>& record, std::size_t stackSize)
{
    TsneId next = lastId;
    do {
        ++next;
    } while (next == 0 || find(next));
    lastId = next;
    record->id = next;
    records_.push_back(record);
    record->hasEventThread = startThread(record->eventThread, stackSize, [this, next] { eventThread(next); });
    if (record->hasEventThread) return true;
    record->socket.reset();
    record->state = kTsneClosing;
    masterWake.notify_one();
    return false;
}

void Layer::master()
{
    {
        std::lock_guard lock(masterMutex_);
        masterRunning_ = true;
        masterStarted_.notify_all();
    }
    std::unique_lock lock(listMutex);
    for (;;) {
        auto closing = std::find_if(records_.begin(), records_.end(),
                                    [](const auto& record) { return record->state == kTsneClosing; });
        if (closing != records_.end()) {
            std::shared_ptr<Record> record = *closing;
            record->state = kTsneFinishing;
            const TsneId id = record->id;
            const bool hasThread = record->hasEventThread;
            const pthread_t thread = record->eventThread;
            // The callbacks leave the record here so that whatever they hold is released
            // outside the lock.
            TsneDisconnectedCallback onDisconnected = std::move(record->onDisconnected);
            TsneConnectedCallback onConnected = std::move(record->onConnected);
            TsneNewDataCallback onNewData = std::move(record->onNewData);
            lock.unlock();
            if (hasThread) pthread_join(thread, nullptr);
            if (onDisconnected) onDisconnected(id);
            onDisconnected = nullptr;
            onConnected = nullptr;
            onNewData = nullptr;
            lock.lock();
            records_.remove(record);
            record->removed = true;
            record->sendQueue.clear();
            recordsChanged.notify_all();
            continue;
        }
        {
            std::lock_guard masterLock(masterMutex_);
            if (masterExit_ && records_.empty()) return;
        }
        masterWake.wait(lock);
    }
}

void Layer::eventThread(TsneId id)
{
    std::function<void()> hook;
    {
        std::lock_guard lock(listMutex);
        hook = eventThreadStartHook;
    }
    if (hook) hook();

    std::shared_ptr<Record> record;
    TsneConnectedCallback onConnected;
    TsneNewDataCallback onNewData;
    bool connectedNow = false;
    {
        std::lock_guard lock(listMutex);
        record = find(id);
        if (!record) return;
        onConnected = record->onConnected;
        onNewData = record->onNewData;
        if (record->state == kTsneConnecting) {
            record->state = kTsneConnected;
            record->reachedConnected = true;
            connectedNow = true;
            recordsChanged.notify_all();
        }
    }
    if (connectedNow && onConnected) onConnected(id);
    receiveLoop(*record, onNewData);

    std::lock_guard lock(listMutex);
    record->socket.reset();
    if (record->state == kTsneConnecting || record->state == kTsneConnected) {
        record->state = kTsneClosing;
        masterWake.notify_one();
    }
}

void Layer::receiveLoop(Record& record, const TsneNewDataCallback& onNewData)
{
    using Clock = std::chrono::steady_clock;
    std::string chunk(kTsneReceiveChunk, '\0');
    auto lastTraffic = Clock::now();
    for (;;) {
        std::shared_ptr<TsneSocket> socket;
        std::optional<std::string> outgoing;
        double timeout;
        {
            std::lock_guard lock(listMutex);
            if (!record.socket) return;
            socket = record.socket;
            timeout = record.timeoutSeconds;
            if (!record.sendQueue.empty()) {
                outgoing = std::move(record.sendQueue.front());
                record.sendQueue.pop_front();
            }
        }
        if (outgoing) {
            std::size_t sent = 0;
            TSNE_DATA_SEND(record.id, *outgoing, sent);
            lastTraffic = Clock::now();
        }
        // A peer that stays silent for the whole time-out is given up, so that a server that
        // never answers or never closes cannot hold the caller in TSNE_WAITCLOSE for ever.
        const double silence = std::chrono::duration<double>(Clock::now() - lastTraffic).count();
        if (silence >= timeout) return;
        // At most a second between looks at the send queue; no wait right after a send.
        const int waitMs = outgoing ? 0 : std::min(1000, pollMilliseconds(timeout - silence));
        pollfd p{socket->fd(), POLLIN, 0};
        const int ready = ::poll(&p, 1, waitMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return;
        if (ready == 0) continue;
        const ssize_t received = ::recv(socket->fd(), chunk.data(), chunk.size(), 0);
        if (received < 0 && errno == EINTR) continue;
        if (received <= 0) return;
        lastTraffic = Clock::now();
        if (onNewData) onNewData(record.id, std::string_view(chunk.data(), static_cast<std::size_t>(received)));
    }
}

}  // namespace qz::tsne

namespace qz {

HostCache& tsneHostCache() { return tsne::Layer::instance().hostCache; }

void tsneSetEventThreadStartHook(std::function<void()> hook)
{
    auto& layer = tsne::Layer::instance();
    std::lock_guard lock(layer.listMutex);
    layer.eventThreadStartHook = std::move(hook);
}

void tsneSetLastId(TsneId last)
{
    auto& layer = tsne::Layer::instance();
    std::lock_guard lock(layer.listMutex);
    layer.lastId = last;
}

}  // namespace qz
