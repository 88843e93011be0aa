#include "http/hash_lane.hpp"

namespace qz::server {

HashLane::HashLane(int threads, std::size_t queueLimit, std::size_t perAddress)
    : queueLimit_(queueLimit), perAddress_(perAddress) {
    for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { work(); });
}

HashLane::~HashLane() {
    stop();
    for (std::thread& thread : threads_) thread.join();
}

bool HashLane::post(const std::string& address, std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_ || queue_.size() >= queueLimit_) return false;
        std::size_t& mine = byAddress_[address];
        if (mine >= perAddress_) return false;
        ++mine;
        queue_.push_back({address, std::move(job)});
    }
    wake_.notify_one();
    return true;
}

void HashLane::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    wake_.notify_all();
}

void HashLane::work() {
    while (true) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        job.run();
        std::lock_guard lock(mutex_);
        const auto found = byAddress_.find(job.address);
        if (found != byAddress_.end() && --found->second == 0) byAddress_.erase(found);
    }
}

}  // namespace qz::server
