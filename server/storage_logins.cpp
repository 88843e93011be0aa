// The login bindings of Storage: one row per name with the address of its latest
// successful login, so every server on this database knows who may speak for whom.
#include "storage.hpp"

namespace qz::server {

void Storage::saveLogin(const std::string& name, const std::string& address, double at) {
    std::lock_guard lock(mutex_);
    db_.prepare("INSERT OR REPLACE INTO logins(name, address, at) VALUES(?, ?, ?)")
        .bind(1, name)
        .bind(2, address)
        .bind(3, at)
        .run();
}

std::optional<LoginRecord> Storage::loadLogin(const std::string& name) {
    std::lock_guard lock(mutex_);
    Statement query = db_.prepare("SELECT address, at FROM logins WHERE name = ?");
    query.bind(1, name);
    if (!query.step()) return std::nullopt;
    return LoginRecord{query.columnText(0), query.columnDouble(1)};
}

bool Storage::hasLoginFrom(const std::string& address, double since) {
    std::lock_guard lock(mutex_);
    Statement query = db_.prepare("SELECT 1 FROM logins WHERE address = ? AND at >= ? LIMIT 1");
    query.bind(1, address).bind(2, since);
    return query.step();
}

}  // namespace qz::server
