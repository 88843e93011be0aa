#include "net/tsne_hooks.hpp"
#include "net/tsne_layer.hpp"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

namespace qz::tsne {

Layer& Layer::instance()
{
    static Layer layer;
    return layer;
}

Layer::Layer()
{
    startSockets();
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
        stopping_ = true;
        for (EventWorker* worker : parkedWorkers_) {
            worker->quit = true;
            worker->wake.notify_one();
        }
        std::lock_guard masterLock(masterMutex_);
        masterExit_ = true;
        masterWake.notify_one();
    }
    pthread_join(masterThread_, nullptr);
    std::unique_lock lock(listMutex);
    workersGone_.wait(lock, [this] { return liveWorkers_ == 0; });
    lock.unlock();
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

    auto parked = std::find_if(parkedWorkers_.begin(), parkedWorkers_.end(),
                               [stackSize](const EventWorker* worker) { return worker->stackSize == stackSize; });
    if (parked != parkedWorkers_.end()) {
        EventWorker* worker = *parked;
        parkedWorkers_.erase(parked);
        worker->job = next;
        worker->wake.notify_one();
        record->hasEventThread = true;
        return true;
    }
    auto* worker = new EventWorker;
    worker->stackSize = stackSize;
    worker->job = next;
    pthread_t unused;
    record->hasEventThread = startThread(unused, stackSize, [this, worker] { workerLoop(worker); }, true);
    if (record->hasEventThread) {
        ++liveWorkers_;
        return true;
    }
    delete worker;
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
            // The callbacks leave the record here so that whatever they hold is released
            // outside the lock.
            TsneDisconnectedCallback onDisconnected = std::move(record->onDisconnected);
            TsneConnectedCallback onConnected = std::move(record->onConnected);
            TsneNewDataCallback onNewData = std::move(record->onNewData);
            // Wait for the event thread to be done with the connection (it usually is already).
            masterWake.wait(lock, [&] { return !record->hasEventThread || record->eventThreadDone; });
            lock.unlock();
            if (onDisconnected) onDisconnected(id);
            onDisconnected = nullptr;
            onConnected = nullptr;
            onNewData = nullptr;
            lock.lock();
            records_.remove(record);
            record->removed = true;
            record->sendQueue.clear();
            lock.unlock();
            recordsChanged.notify_all();
            lock.lock();
            continue;
        }
        {
            std::lock_guard masterLock(masterMutex_);
            if (masterExit_ && records_.empty()) return;
        }
        masterWake.wait(lock);
    }
}

void Layer::workerLoop(EventWorker* worker)
{
    std::unique_lock lock(listMutex);
    for (;;) {
        const TsneId id = std::exchange(worker->job, 0);
        lock.unlock();
        eventThread(id);
        lock.lock();
        // The connection is over for this thread: closing if nobody closed it yet, and done, in
        // one step, so the master can finish it at once. The thread parks in the same step, so
        // a connection opened after this one has ended finds it.
        if (std::shared_ptr<Record> record = find(id)) {
            record->socket.reset();
            if (record->state == kTsneConnecting || record->state == kTsneConnected) record->state = kTsneClosing;
            record->eventThreadDone = true;
        }
        const bool park = !stopping_ && parkedWorkers_.size() < kMaxParkedWorkers;
        if (park) parkedWorkers_.push_back(worker);
        lock.unlock();
        masterWake.notify_one();
        lock.lock();
        if (!park) break;
        const bool called = worker->wake.wait_for(lock, std::chrono::duration<double>(kParkSeconds),
                                                  [worker] { return worker->job != 0 || worker->quit; });
        if (called && !worker->quit) continue;
        std::erase(parkedWorkers_, worker);
        if (worker->job == 0) break;  // not called in time, or told to quit while parked
    }
    delete worker;
    --liveWorkers_;
    workersGone_.notify_all();
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
        }
    }
    if (connectedNow) {
        if (onConnected) onConnected(id);
        // A creator waiting for state 2 is woken only now: waking it before the callback would
        // have it compete for the processor with the request the callback sends.
        recordsChanged.notify_all();
    }
    receiveLoop(*record, onNewData);
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
        // A receive waits at most a second (the socket's receive limit) before the send queue
        // and the silence are looked at again; right after a send it does not wait at all.
        const long received = socket->receiveSome(chunk.data(), chunk.size(), outgoing.has_value());
        if (received == TsneSocket::kReceiveAgain) continue;
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
