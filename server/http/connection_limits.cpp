#include "http/connection_limits.hpp"

namespace qz::server {

bool ConnectionLimits::admit(const std::string& address) {
    std::lock_guard lock(mutex_);
    if (open_ >= total_) return false;
    if (address != exempt_) {
        int& mine = byAddress_[address];
        if (mine >= perAddress_) return false;
        ++mine;
    }
    ++open_;
    return true;
}

void ConnectionLimits::release(const std::string& address) {
    std::lock_guard lock(mutex_);
    --open_;
    if (address == exempt_) return;
    const auto found = byAddress_.find(address);
    if (found != byAddress_.end() && --found->second <= 0) byAddress_.erase(found);
}

}  // namespace qz::server
