// A SQLite connection (WAL) with cached prepared statements.
#pragma once

#include "sql/sql_connection.hpp"

#include <sqlite3.h>

#include <string>
#include <unordered_map>

namespace qz::server {

class SqliteConnection : public SqlConnection {
public:
    explicit SqliteConnection(const std::string& path);
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    Engine engine() const override { return Engine::sqlite; }
    void execute(const std::string& sql) override;
    std::unique_ptr<SqlRows> query(const std::string& sql, const std::vector<SqlParam>& params) override;
    // Kept prepared like any other statement: every request begins and commits once.
    void begin() override { query("BEGIN IMMEDIATE", {}); }
    void commit() override { query("COMMIT", {}); }
    void rollback() noexcept override;
    bool broken() override { return false; }
    void run(const std::string& sql, const std::vector<SqlParam>& params) override { query(sql, params); }

private:
    sqlite3* handle_ = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> cache_;
};

}  // namespace qz::server
