// The threads that run logins: each may compute an argon2id hash, which takes a good part
// of a second and 64 MiB, so they stay off the event loops, few at a time, with a bounded
// queue in which no single client address holds more than its share.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace qz::server {

class HashLane {
public:
    HashLane(int threads, std::size_t queueLimit, std::size_t perAddress);
    ~HashLane();
    HashLane(const HashLane&) = delete;
    HashLane& operator=(const HashLane&) = delete;

    // Queues the job; false (and nothing queued) when the queue is full or the address has
    // its share waiting or running already.
    bool post(const std::string& address, std::function<void()> job);
    // Logins waiting for a thread.
    std::size_t waiting() {
        std::lock_guard lock(mutex_);
        return queue_.size();
    }
    // Drops what waits and ends the threads after their current job.
    void stop();

private:
    struct Job {
        std::string address;
        std::function<void()> run;
    };
    void work();

    const std::size_t queueLimit_;
    const std::size_t perAddress_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> queue_;
    std::unordered_map<std::string, std::size_t> byAddress_;  // waiting or running
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace qz::server
