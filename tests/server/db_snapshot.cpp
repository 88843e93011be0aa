#include "db_snapshot.hpp"

#include <sqlite3.h>

#include <stdexcept>
#include <vector>

namespace qz::server::test {

namespace {

void appendRows(sqlite3* db, const std::string& sql, std::string& out) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(db));
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            out += text ? text : "NULL";
            out += '|';
        }
        out += '\n';
    }
    sqlite3_finalize(statement);
}

}  // namespace

std::string databaseSnapshot(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path);
    }
    std::string out;
    for (const char* table : {"accounts", "channels", "slots", "systems", "players", "agreements", "chat"}) {
        out += std::string("[") + table + "]\n";
        appendRows(db, std::string("SELECT * FROM ") + table + " ORDER BY 1, 2", out);
    }
    sqlite3_close(db);
    return out;
}

}  // namespace qz::server::test
