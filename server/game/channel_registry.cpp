#include "game/channel_registry.hpp"

#include <mutex>

namespace qz::server {

ChannelPtr ChannelRegistry::find(const std::string& sessionId) const {
    std::shared_lock lock(mutex_);
    const auto found = channels_.find(sessionId);
    return found == channels_.end() ? nullptr : found->second;
}

ChannelPtr ChannelRegistry::findOrAdd(const std::string& sessionId) {
    if (ChannelPtr found = find(sessionId)) return found;
    std::unique_lock lock(mutex_);
    ChannelPtr& entry = channels_[sessionId];
    if (!entry) entry = std::make_shared<Channel>();
    return entry;
}

void ChannelRegistry::add(ChannelPtr channel) {
    std::unique_lock lock(mutex_);
    const std::string id = channel->state.sessionId;
    channels_[id] = std::move(channel);
}

void ChannelRegistry::remove(const std::string& sessionId) {
    std::unique_lock lock(mutex_);
    channels_.erase(sessionId);
}

void ChannelRegistry::keepOnly(const std::vector<std::string>& stored) {
    const std::unordered_set<std::string> keep(stored.begin(), stored.end());
    std::unique_lock lock(mutex_);
    std::erase_if(channels_, [&](const auto& entry) { return keep.count(entry.first) == 0; });
}

std::size_t ChannelRegistry::size() const {
    std::shared_lock lock(mutex_);
    return channels_.size();
}

std::vector<ChannelPtr> ChannelRegistry::all() const {
    std::shared_lock lock(mutex_);
    std::vector<ChannelPtr> list;
    list.reserve(channels_.size());
    for (const auto& [id, channel] : channels_) list.push_back(channel);
    return list;
}

}  // namespace qz::server
