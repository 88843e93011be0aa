#include "db_snapshot.hpp"

#include "sql/sql_connection.hpp"

namespace qz::server::test {

std::string databaseSnapshot(const std::string& database) {
    std::unique_ptr<SqlConnection> db = connectDatabase(database);
    std::string out;
    // The times of polls and of emptiness are left out: they move with every request.
    for (const auto& [table, columns] : std::initializer_list<std::pair<const char*, const char*>>{
             {"accounts", "name, credential"},
             {"channels", "sid, name, has_password, version, host, max_players, stars, started, background, creator"},
             {"slots", "sid, slot, name, colour, ready"},
             {"systems", "*"},
             {"players", "*"},
             {"agreements", "*"},
             {"chat", "*"},
             {"previous_slots", "*"},
             {"private_blocks", "*"}}) {
        out += std::string("[") + table + "]\n";
        std::unique_ptr<SqlRows> rows =
            db->query(std::string("SELECT ") + columns + " FROM " + table + " ORDER BY 1, 2", {});
        while (rows->next()) {
            for (int i = 0; i < rows->columns(); ++i) out += rows->text(i) + '|';
            out += '\n';
        }
    }
    return out;
}

}  // namespace qz::server::test
