#include "storage/accounts.hpp"

#include "base/log.hpp"

namespace qz::server {

AccountBook::AccountBook(Storage& storage, HashCost cost) : storage_(storage), cost_(cost) {
    for (auto& [name, credential] : storage_.loadAccounts()) credentials_.emplace(name, credential);
}

AccountBook::Login AccountBook::login(const std::string& name, std::string_view digest, bool mayRegister) {
    const auto checked = [&](const std::string& credential) {
        return verifyCredential(credential, digest) ? Login::accepted : Login::refused;
    };
    // Always the stored credential: an operator may have set a new password while we run
    // (through any instance, or `user add`), and from then on the old one must fail. The
    // read costs little beside the hash, which runs without the lock.
    const std::optional<std::string> stored = storage_.loadAccount(name);
    if (stored) {
        {
            std::lock_guard lock(mutex_);
            credentials_[name] = *stored;
        }
        return checked(*stored);
    }
    // The database knows no such account: a name still in the mirror was deleted (by the
    // operator, through any instance), and its old credential must not count any more.
    {
        std::lock_guard lock(mutex_);
        credentials_.erase(name);
    }
    if (!mayRegister) return Login::unknownName;
    std::string credential = hashCredential(digest, cost_);
    std::string other;
    {
        std::lock_guard lock(mutex_);
        const auto [entry, inserted] = registering_.emplace(name, credential);
        if (!inserted) other = entry->second;
    }
    if (!other.empty()) return checked(other);  // being registered meanwhile by another request
    bool added = false;
    try {
        added = storage_.addAccount(name, credential);
    } catch (...) {
        std::lock_guard lock(mutex_);
        registering_.erase(name);
        throw;
    }
    {
        std::lock_guard lock(mutex_);
        registering_.erase(name);
        if (added) credentials_[name] = credential;
    }
    if (!added) {
        // Registered meanwhile through another instance: its credential counts.
        const std::optional<std::string> theirs = storage_.loadAccount(name);
        if (!theirs) return Login::refused;
        std::lock_guard lock(mutex_);
        credentials_[name] = *theirs;
        return checked(*theirs);
    }
    logLine(LogLevel::info, "account registered name=" + name);
    return Login::registered;
}

void AccountBook::add(const std::string& name, std::string_view digest) {
    std::string credential = hashCredential(digest, cost_);
    storage_.saveAccount(name, credential);
    std::lock_guard lock(mutex_);
    credentials_[name] = std::move(credential);
}

bool AccountBook::exists(const std::string& name) {
    {
        std::lock_guard lock(mutex_);
        if (credentials_.count(name) != 0) return true;
    }
    const std::optional<std::string> stored = storage_.loadAccount(name);
    if (!stored) return false;
    std::lock_guard lock(mutex_);
    credentials_.emplace(name, *stored);
    return true;
}

}  // namespace qz::server
