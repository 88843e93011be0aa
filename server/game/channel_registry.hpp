// The channels this instance has seen, by session id: a cache of the stored ones. The
// registry lock is held only to find, add or remove a channel; each channel has its own
// lock for its state.
#pragma once

#include "game/channel.hpp"

#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qz::server {

class ChannelRegistry {
public:
    ChannelPtr find(const std::string& sessionId) const;
    // The entry of this session, made empty (nothing loaded) when there is none.
    ChannelPtr findOrAdd(const std::string& sessionId);
    void add(ChannelPtr channel);
    void remove(const std::string& sessionId);
    // Forgets every channel not among `stored` (closed by another instance).
    void keepOnly(const std::vector<std::string>& stored);
    std::vector<ChannelPtr> all() const;
    std::size_t size() const;

private:
    mutable std::shared_mutex mutex_;
    std::unordered_map<std::string, ChannelPtr> channels_;
};

}  // namespace qz::server
