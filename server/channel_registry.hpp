// The open channels by session id. The registry lock is held only to find, add or remove
// a channel; each channel has its own lock for its state.
#pragma once

#include "channel.hpp"

#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace qz::server {

class ChannelRegistry {
public:
    ChannelPtr find(const std::string& sessionId) const;
    void add(ChannelPtr channel);
    void remove(const std::string& sessionId);
    std::vector<ChannelPtr> all() const;
    std::size_t size() const;

private:
    mutable std::shared_mutex mutex_;
    std::unordered_map<std::string, ChannelPtr> channels_;
};

}  // namespace qz::server
