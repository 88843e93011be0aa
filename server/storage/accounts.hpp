// The accounts the server knows: name and stored credential. Logins check the stored
// credential; the mirror in memory only answers whether a name exists.
#pragma once

#include "storage/credentials.hpp"
#include "storage/storage.hpp"

#include <mutex>
#include <string>
#include <unordered_map>

namespace qz::server {

class AccountBook {
public:
    AccountBook(Storage& storage, HashCost cost);

    enum class Login { accepted, registered, refused, unknownName };
    // accepted: a known name with a matching digest; registered: an unknown name registered
    // now because `mayRegister`; unknownName: an unknown name not registered.
    Login login(const std::string& name, std::string_view digest, bool mayRegister);
    // Adds or replaces an account (operator command).
    void add(const std::string& name, std::string_view digest);
    bool exists(const std::string& name);

private:
    Storage& storage_;
    HashCost cost_;
    mutable std::mutex mutex_;
    std::unordered_map<std::string, std::string> credentials_;
    // Credentials of registrations under way, so that two logins of one new name at the same
    // moment on this instance register it once.
    std::unordered_map<std::string, std::string> registering_;
};

}  // namespace qz::server
