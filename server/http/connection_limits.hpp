// How many connections the server holds at once, in total and per client address, so that
// one client cannot take every descriptor.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>

namespace qz::server {

class ConnectionLimits {
public:
    // `exempt` (the trusted proxy, or empty) counts only towards the total.
    ConnectionLimits(int total, int perAddress, std::string exempt)
        : total_(total), perAddress_(perAddress), exempt_(std::move(exempt)) {}

    // Counts a new connection from `address`; false when a cap is reached (nothing counted).
    bool admit(const std::string& address);
    // The end of a connection admit() counted.
    void release(const std::string& address);
    int open() {
        std::lock_guard lock(mutex_);
        return open_;
    }

private:
    const int total_;
    const int perAddress_;
    const std::string exempt_;
    std::mutex mutex_;
    int open_ = 0;
    std::unordered_map<std::string, int> byAddress_;
};

}  // namespace qz::server
