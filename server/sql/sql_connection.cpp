#include "sql/sql_connection.hpp"

#include "sql/postgres_db.hpp"
#include "sql/sqlite_db.hpp"

namespace qz::server {

Engine engineOf(std::string_view database) {
    for (std::string_view scheme : {"postgresql://", "postgres://"}) {
        if (database.substr(0, scheme.size()) == scheme) return Engine::postgres;
    }
    return Engine::sqlite;
}

std::unique_ptr<SqlConnection> connectDatabase(const std::string& database) {
    if (engineOf(database) == Engine::postgres) return connectPostgres(database);
    return std::make_unique<SqliteConnection>(database);
}

}  // namespace qz::server
