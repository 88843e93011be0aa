// A PostgreSQL connection through libpq, with statements prepared once per connection.
#pragma once

#include "sql_connection.hpp"

#include <string>
#include <unordered_map>

struct pg_conn;
struct pg_result;

namespace qz::server {

class PostgresConnection : public SqlConnection {
public:
    // Throws DatabaseUnavailable when the server cannot be reached.
    explicit PostgresConnection(const std::string& url);
    ~PostgresConnection() override;
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    Engine engine() const override { return Engine::postgres; }
    void execute(const std::string& sql) override;
    std::unique_ptr<SqlRows> query(const std::string& sql, const std::vector<SqlParam>& params) override;
    void begin() override { execute("BEGIN"); }
    void commit() override { execute("COMMIT"); }
    void rollback() noexcept override;
    bool broken() const override;

private:
    // Throws for a failed result (and frees it); returns it otherwise.
    pg_result* check(pg_result* result, const char* what);

    pg_conn* connection_ = nullptr;
    std::unordered_map<std::string, std::string> prepared_;  // SQL text -> statement name
};

}  // namespace qz::server
