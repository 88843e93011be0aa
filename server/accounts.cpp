#include "accounts.hpp"

#include "log.hpp"

namespace qz::server {

AccountBook::AccountBook(Storage& storage, HashCost cost) : storage_(storage), cost_(cost) {
    for (auto& [name, credential] : storage_.loadAccounts()) credentials_.emplace(name, credential);
}

bool AccountBook::login(const std::string& name, std::string_view digest, bool registrationOpen) {
    std::string stored;
    {
        std::lock_guard lock(mutex_);
        const auto found = credentials_.find(name);
        if (found != credentials_.end()) stored = found->second;
    }
    // The slow hash runs without the lock, so one login does not hold up the others.
    if (!stored.empty()) return verifyCredential(stored, digest);
    if (!registrationOpen) return false;
    std::string credential = hashCredential(digest, cost_);
    {
        std::lock_guard lock(mutex_);
        const auto [entry, inserted] = credentials_.emplace(name, credential);
        if (!inserted) stored = entry->second;
    }
    if (!stored.empty()) return verifyCredential(stored, digest);  // registered meanwhile by another request
    storage_.saveAccount(name, credential);
    logLine(LogLevel::info, "account registered name=" + name);
    return true;
}

void AccountBook::add(const std::string& name, std::string_view digest) {
    std::string credential = hashCredential(digest, cost_);
    storage_.saveAccount(name, credential);
    std::lock_guard lock(mutex_);
    credentials_[name] = std::move(credential);
}

bool AccountBook::exists(const std::string& name) const {
    std::lock_guard lock(mutex_);
    return credentials_.count(name) != 0;
}

}  // namespace qz::server
