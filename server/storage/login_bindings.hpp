// Who may speak for a player: a successful login binds the name to the client's address,
// and lobby and game requests naming that player are taken only from there.
#pragma once

#include "storage/storage.hpp"

#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace qz::server {

class LoginBindings {
public:
    explicit LoginBindings(Storage& storage) : storage_(storage) {}

    void bind(const std::string& name, const std::string& address, double now);
    // True when the name's latest successful login came from this address, and the login or
    // the last request answered from there is less than kLoginBindingSeconds old.
    bool boundTo(const std::string& name, const std::string& address, double now);
    // True when some name logged in from this address within kLoginBindingSeconds.
    bool anyFrom(const std::string& address, double now);

private:
    struct Cached {
        LoginRecord record;
        double loaded = 0;
    };
    std::optional<LoginRecord> fromStorage(const std::string& name, double now);

    Storage& storage_;
    std::mutex mutex_;
    // Every game request asks; the answer is read again from storage when it is older than
    // kLoginRecheckSeconds or says no, so a login through another server on the same
    // database counts soon.
    std::unordered_map<std::string, Cached> cache_;
};

}  // namespace qz::server
