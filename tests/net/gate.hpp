// A one-shot gate for holding one of the layer's threads at a known point.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace qz::test {

class Gate {
public:
    void open()
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    // Waits until open; gives up after ten seconds so that a broken test fails instead of hanging.
    bool pass()
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

}  // namespace qz::test
