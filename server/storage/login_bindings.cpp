#include "storage/login_bindings.hpp"

#include "base/limits.hpp"

namespace qz::server {

void LoginBindings::bind(const std::string& name, const std::string& address, double now) {
    storage_.saveLogin(name, address, now);
    std::lock_guard lock(mutex_);
    cache_[name] = Cached{LoginRecord{address, now}, now};
}

std::optional<LoginRecord> LoginBindings::fromStorage(const std::string& name, double now) {
    std::optional<LoginRecord> stored = storage_.loadLogin(name);
    std::lock_guard lock(mutex_);
    if (stored) {
        cache_[name] = Cached{*stored, now};
    } else {
        cache_.erase(name);
    }
    return stored;
}

bool LoginBindings::boundTo(const std::string& name, const std::string& address, double now) {
    const auto matches = [&](const LoginRecord& r) { return r.address == address && now - r.at < kLoginBindingSeconds; };
    std::optional<double> since;
    {
        std::lock_guard lock(mutex_);
        const auto found = cache_.find(name);
        if (found != cache_.end() && now - found->second.loaded < kLoginRecheckSeconds &&
            matches(found->second.record)) {
            since = found->second.record.at;
        }
    }
    if (!since) {
        const std::optional<LoginRecord> stored = fromStorage(name, now);
        if (!stored || !matches(*stored)) return false;
        since = stored->at;
    }
    // A player who keeps playing from its address keeps its binding: the game logs in only
    // when multiplayer starts, and a long game must not end in "Nicht angemeldet".
    if (now - *since >= kLoginRefreshSeconds) {
        storage_.refreshLogin(name, address, now);
        std::lock_guard lock(mutex_);
        cache_[name] = Cached{LoginRecord{address, now}, now};
    }
    return true;
}

bool LoginBindings::anyFrom(const std::string& address, double now) {
    return storage_.hasLoginFrom(address, now - kLoginBindingSeconds);
}

}  // namespace qz::server
