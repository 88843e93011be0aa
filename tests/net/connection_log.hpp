// Records what the layer's callbacks report for one connection, safely across the layer's
// threads, and opens connections with it.
#pragma once

#include "net/tsne.hpp"

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace qz::test {

struct ConnectionLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::string order;  // one letter per callback: C connected, N new data, D disconnected
    std::string data;
    std::vector<std::size_t> chunks;
    TsneConnectedCallback extraOnConnected;
    TsneNewDataCallback extraOnNewData;
    TsneDisconnectedCallback extraOnDisconnected;

    int open(TsneId& id, std::uint16_t port, double timeout = 5.0, bool wait = true,
             const std::string& host = "127.0.0.1");
    std::string snapshotOrder();
    std::string snapshotData();
};

}  // namespace qz::test
