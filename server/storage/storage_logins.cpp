// The login bindings of Storage: one row per name with the address of its latest
// successful login, so every server on this database knows who may speak for whom.
#include "storage/storage.hpp"

namespace qz::server {

void Storage::saveLogin(const std::string& name, const std::string& address, double at) {
    SqlTransaction t(begin());
    t.db().run("INSERT INTO logins(name, address, at) VALUES(?, ?, ?) ON CONFLICT(name) DO UPDATE SET address = "
               "excluded.address, at = excluded.at",
               {name, address, at});
    t.commit();
}

std::optional<LoginRecord> Storage::loadLogin(const std::string& name) {
    SqlTransaction t(begin());
    std::optional<LoginRecord> record;
    std::unique_ptr<SqlRows> rows = t.db().query("SELECT address, at FROM logins WHERE name = ?", {name});
    if (rows->next()) record = LoginRecord{rows->text(0), rows->real(1)};
    rows.reset();
    t.commit();
    return record;
}

void Storage::refreshLogin(const std::string& name, const std::string& address, double at) {
    SqlTransaction t(begin());
    t.db().run("UPDATE logins SET at = ? WHERE name = ? AND address = ? AND at < ?", {at, name, address, at});
    t.commit();
}

bool Storage::hasLoginFrom(const std::string& address, double since) {
    SqlTransaction t(begin());
    const bool found = t.db().query("SELECT 1 FROM logins WHERE address = ? AND at >= ? LIMIT 1", {address, since})->next();
    t.commit();
    return found;
}

}  // namespace qz::server
