// The per-address rates of Storage: one row per counted event, pruned by the sweep. (The
// channel creations are counted and noted by createChannel, in the transaction that stores one.)
#include "storage/storage.hpp"

namespace qz::server {

void Storage::noteAddressEvent(const std::string& address, AddressEvent kind, double at) {
    SqlTransaction t(begin());
    t.db().run("INSERT INTO address_events(address, kind, at) VALUES(?, ?, ?)",
               {address, static_cast<int>(kind), at});
    t.commit();
}

int Storage::countAddressEvents(const std::string& address, AddressEvent kind, double since) {
    SqlTransaction t(begin());
    std::unique_ptr<SqlRows> rows = t.db().query(
        "SELECT COUNT(*) FROM address_events WHERE address = ? AND kind = ? AND at > ?",
        {address, static_cast<int>(kind), since});
    const int count = rows->next() ? static_cast<int>(rows->integer(0)) : 0;
    rows.reset();
    t.commit();
    return count;
}

void Storage::forgetAddressEventsBefore(double at) {
    SqlTransaction t(begin());
    t.db().run("DELETE FROM address_events WHERE at < ?", {at});
    t.commit();
}

}  // namespace qz::server
