// The server without PostgreSQL (the Windows build, which serves the player's own games on
// SQLite): a PostgreSQL database is refused with a clear message instead of a missing library.
#include "sql/postgres_db.hpp"

#include <stdexcept>

namespace qz::server {

std::unique_ptr<SqlConnection> connectPostgres(const std::string&) {
    throw std::invalid_argument("this qz-server is built without PostgreSQL; use an SQLite database file");
}

}  // namespace qz::server
