// Inside the TCP layer: the connection records, the list that holds them, the master thread
// and the event threads. Only the layer's own files include this.
//
// Each connection runs on an event thread of its own from its start to its end. A thread whose
// connection has ended parks for a while and serves the next connection that asks for the same
// stack size: starting a thread costs more than a whole loopback request, and the game opens a
// connection every two seconds.
//
// Locks: listMutex guards the list and every record field; masterMutex_ guards the master's
// start-up and exit flag and is only ever taken while listMutex is held (never the other way
// round); the host cache has its own lock that is never held together with another.
#pragma once

#include "net/host_cache.hpp"
#include "net/tsne.hpp"
#include "net/tsne_socket.hpp"

#include <pthread.h>

#include <condition_variable>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qz::tsne {

struct Record {
    TsneId id = 0;
    TsneDisconnectedCallback onDisconnected;
    TsneConnectedCallback onConnected;
    TsneNewDataCallback onNewData;
    std::shared_ptr<TsneSocket> socket;  // empty once the connection is closed
    int state = kTsneConnecting;
    double timeoutSeconds = 0;
    bool hasEventThread = false;
    bool eventThreadDone = false;  // its event thread has let go of it for good
    std::deque<std::string> sendQueue;
    bool reachedConnected = false;  // the event thread has started and set state 2
    bool removed = false;           // unlinked from the list; the TSNEID is unknown from now on
};

class Layer {
public:
    // Started on first use; terminated when the process ends.
    static Layer& instance();
    ~Layer();
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    bool running() const { return masterRunning_; }

    // With listMutex held: the record of a TSNEID still in the list.
    std::shared_ptr<Record> find(TsneId id) const;
    // With listMutex held: the next free TSNEID (never 0, never one in use); appends the record
    // and starts its event thread. False when the thread could not be started; the record then
    // goes straight to closing so that its disconnected callback still runs.
    bool add(const std::shared_ptr<Record>& record, std::size_t stackSize);

    std::mutex listMutex;
    // Two wake-ups, so that nobody is woken for a change that is not theirs: the callers wait
    // for state 2 or the removal of a record, the master for state 3 or the exit flag.
    std::condition_variable recordsChanged;
    std::condition_variable masterWake;

    HostCache hostCache;
    std::function<void()> eventThreadStartHook;  // guarded by listMutex
    TsneId lastId = 0;                           // guarded by listMutex

private:
    struct EventWorker {
        std::condition_variable wake;
        std::size_t stackSize = 0;
        TsneId job = 0;  // the connection to serve next; 0 while parked
        bool quit = false;
    };

    static constexpr std::size_t kMaxParkedWorkers = 4;
    static constexpr double kParkSeconds = 10.0;

    Layer();
    void master();
    void workerLoop(EventWorker* worker);
    void eventThread(TsneId id);
    void receiveLoop(Record& record, const TsneNewDataCallback& onNewData);

    std::list<std::shared_ptr<Record>> records_;
    std::vector<EventWorker*> parkedWorkers_;  // guarded by listMutex
    int liveWorkers_ = 0;                      // guarded by listMutex
    bool stopping_ = false;                    // guarded by listMutex
    std::condition_variable workersGone_;
    std::mutex masterMutex_;
    std::condition_variable masterStarted_;
    bool masterRunning_ = false;
    bool masterExit_ = false;
    pthread_t masterThread_{};
};

// Starts body on a new thread with the given stack size (the system's default when it is
// below the minimum); false when no thread could be created. A detached thread cannot be
// joined; handle is then left alone.
bool startThread(pthread_t& handle, std::size_t stackSize, std::function<void()> body, bool detached = false);

}  // namespace qz::tsne
